#include "shell/ViewMgr.h"

#include "shell/CKWLView.h"
#include "shell/ShellDialogs.h"
#include "shell/ShellStrings.h"

#include "document/CKWLDoc.h"
#include "document/ui/CProjSettingsSheet.h"
#include "foundation/CmdHistory.h"
#include "foundation/ResourceBase.h"
#include "foundation/UpdateHint.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/ui/CUserPrefsPropSheet.h"
#include "layouts/ui/ILayoutsFrame.h"
#include "layouts/ui/LayoutsCommands.h"
#include "layouts/ui/LayoutsFrameFactory.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "model/MaterialsBase.h"
#

#include <QFileInfo>

namespace {


bool IsSameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    // Links and "../" paths to one file are the same file; names that differ
    // only in case are different files on this system.
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    const QString canonicalB = QFileInfo(b).canonicalFilePath();
    if (!canonicalA.isEmpty() && !canonicalB.isEmpty())
        return canonicalA == canonicalB;
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

ViewMgr::ViewMgr(CKWLView& view, CKWLDoc& document)
    : m_view(view), m_document(document)
{ }

ViewMgr::~ViewMgr()
{
    // The layouts frame is a child of the view; it goes before the manager
    // its commands reach.
    if (m_layouts)
        delete m_layouts->GetFrame()->GetFrameWnd();
    m_layouts.reset();
}

QRect ViewMgr::GetPageRect() const
{
    return m_view.GetPageRect();
}

QWidget* ViewMgr::GetViewWnd()
{
    return &m_view;
}

void ViewMgr::SetModified()
{
    m_document.SetModified();
}

bool ViewMgr::IsCommandIdle() const
{
    const CmdHistory* history = GetCmdHistory();
    return !history || !history->IsExecuting();
}

void ViewMgr::FinishEditing()
{
    // The pages with in-place editors (parts, raw materials) finish theirs here.
}

void ViewMgr::SaveMaterialsIfDirty()
{
    FinishEditing();
    if (MaterialsBase* library = GetMaterialsLibrary())
        library->StoreIfDirty();
}

void ViewMgr::EditProjectSettings(QWidget* parent)
{
    FinishEditing();
    CProjSettingsSheet sheet(m_document, 0, parent);
    sheet.DoModal();
    RedrawAll();
}

void ViewMgr::OpenProjectSettings(int page)
{
    FinishEditing();
    CProjSettingsSheet sheet(m_document, page, &m_view);
    sheet.DoModal();
    RedrawAll();
}

void ViewMgr::RefreshResultPages()
{
    if (m_reports)
        m_reports->OnUpdate(UpdateMask::Change0008, m_view.GetCurrentPage() == CKWLView::ReportsPage);
    m_view.RedrawGrids();
}

void ViewMgr::PrintActivePage()
{
    // Printing is reached through the main frame's print commands; the
    // view manager has no print job of its own to start here.
}

QWidget* ViewMgr::CreateLayoutsPage()
{
    if (!m_layouts) {
        RealLayoutsFrameFactory factory;
        m_layouts = std::make_shared<LayoutsViewMgr>(this, &m_document, factory);
        m_layouts->ApplyScreenArrangement();
    }
    return m_layouts->GetFrame()->GetFrameWnd();
}

void ViewMgr::EditPreferences(QWidget* parent)
{
    FinishEditing();
    CUserPrefsPropSheet sheet(PrefsPage::DisplayStyle, parent);
    sheet.DoModal();
    RedrawAll();
}

void ViewMgr::NewProject()
{
    if (m_newProject)
        m_newProject();
}

bool ViewMgr::CheckNotLocked()
{
    if (!m_document.IsProjectLocked())
        return true;
    m_view.ShowLockedMessage();
    return false;
}

bool ViewMgr::RunIfNotLocked(const std::shared_ptr<CommandBase>& command)
{
    if (!CheckNotLocked())
        return false;
    if (CmdHistory* history = GetCmdHistory(); history && command)
        history->Add(command);
    return true;
}

void ViewMgr::RedrawAll()
{
    m_view.RedrawGrids();
}

bool ViewMgr::HasPathOrChanges() const
{
    return m_document.HasPathOrChanges();
}

bool ViewMgr::ConfirmCloseProject()
{
    if (AskQuestion(LoadUIString(kStrConfirmCloseProject), QMessageBox::Ok | QMessageBox::Cancel,
                    QMessageBox::Information)
        != QMessageBox::Ok)
        return false;
    NewProject();
    return !m_document.IsModified();
}

IOptimizationDoc* ViewMgr::GetDocument() const
{
    return &m_document;
}

void ViewMgr::FocusActivePage()
{
    m_view.FocusCurrentPage();
}

void ViewMgr::UpdateCommandBars()
{
    m_view.UpdateCommandBars();
}

void ViewMgr::ShowUIStringBox(int stringId)
{
    ShowShellMessage(LoadUIString(stringId));
    RedrawAll();
}

bool ViewMgr::AskExportFileName(bool save, int kind, int folderPref, QString& path)
{
    FileDialogRequest request;
    request.open = !save;
    request.title = LoadUIString(save ? kStrSaveAsTitle : kStrOpenTitle);
    const QString all = LoadUIString(kStrAllFiles) + QStringLiteral(" (*)");
    const QString csv = LoadUIString(kStrCsvFiles);
    const QString text = LoadUIString(kStrTextFiles);
    switch (kind) {
    case 0:
        request.filters = {csv, text, all};
        request.defaultSuffix = QStringLiteral("csv");
        break;
    case 1:
        request.filters = {text, csv, all};
        request.defaultSuffix = QStringLiteral("txt");
        break;
    default:
        request.filters = {LoadUIString(kStrIosExportFiles), all};
        request.defaultSuffix = QStringLiteral("ikwx");
        break;
    }
    if (const UserPrefsBase* prefs = GetUserPrefs())
        request.folder = prefs->GetString(folderPref);
    if (!RunFileDialog(request, path))
        return false;
    if (IsSameFile(path, m_document.PathName())) {
        ShowShellMessage(LoadUIString(kStrOwnFileRefused));
        return false;
    }
    RedrawAll();
    return true;
}

IOptimizationDoc& ViewMgr::GetExportDocument()
{
    return m_document;
}

bool ViewMgr::OptimizeForExport()
{
    return m_document.Optimize(-1);
}

bool ViewMgr::AskPackageFileName(QString& path)
{
    constexpr int kPrefExportFolder = 1006;
    constexpr int kMobilePackage = 2;
    return AskExportFileName(true, kMobilePackage, kPrefExportFolder, path);
}

void ViewMgr::ShowExportMessage(const QString& text)
{
    ShowShellMessage(text);
    RedrawAll();
}

void ViewMgr::ExportForMobile()
{
    iDeviceExport::MobileExportCommand(*this).ExportToMobileDevice();
}

QWidget* ViewMgr::GetPageParent()
{
    return &m_view;
}

IOptimizationDoc& ViewMgr::GetReportsDocument()
{
    return m_document;
}

bool ViewMgr::OptimizeForReports()
{
    return m_document.Optimize(-1);
}

QWidget* ViewMgr::CreateReportsPage()
{
    m_reports = std::make_unique<ReportsViewMgr>(*this);
    m_reports->Show(false);
    return static_cast<QWidget*>(&m_reports->GetFrame());
}

void ViewMgr::ShowTab(int page)
{
    m_view.SetCurrentPage(page);
    ShowPage(page);
}

void ViewMgr::ShowPage(int page)
{
    m_switchingPage = true;
    FinishEditing();
    m_switchingPage = false;
    for (int index = 0; index < CKWLView::PageCount; ++index) {
        if (index == CKWLView::ReportsPage && m_reports) {
            m_reports->Show(index == page);
            continue;
        }
        if (index == CKWLView::LayoutsPage && m_layouts) {
            m_layouts->ShowFrame(index == page ? FrameShow::Show : FrameShow::Hide);
            continue;
        }
        if (QWidget* widget = m_view.GetPage(index))
            widget->setVisible(index == page);
    }
    FocusActivePage();
    UpdateCommandBars();
}

void ViewMgr::ApplyDocumentUpdate(UpdateHint& hint)
{
    if (m_reports)
        m_reports->OnUpdate(hint.GetChangeFlags(), m_view.GetCurrentPage() == CKWLView::ReportsPage);
    if (hint.GetChangeFlags() & 0x8)
        m_view.RedrawGrids();
    if (m_layouts)
        m_layouts->OnDocumentUpdate(hint, 0);
    UpdateCommandBars();
}

void ViewMgr::Reposition()
{
    if (m_reports)
        m_reports->Reposition();
    if (m_layouts)
        m_layouts->ResizeFrame();
}

bool ViewMgr::HasCopyableContent(int page) const
{
    return page == CKWLView::ReportsPage && m_reports && m_reports->HasReportRows();
}

void ViewMgr::CopyPage(int page)
{
    if (page == CKWLView::ReportsPage)
        CopyReportToClipboard();
}

void ViewMgr::CopyReportToClipboard()
{
    if (m_reports)
        m_reports->CopyReportToClipboard();
}

void ViewMgr::ApplyGridlinesPref()
{
    if (m_reports)
        m_reports->ApplyGridlinesPref();
    RedrawAll();
}

void ViewMgr::RefreshColumnHeaders()
{
    if (m_reports)
        m_reports->RefreshColumnHeaders();
}

#include "shell/ViewMgr.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/ShellCommands.h"
#include "shell/ShellDialogs.h"
#include "shell/ShellStrings.h"

#include "document/CKWLDoc.h"
#include "document/ui/CProjSettingsSheet.h"
#include "foundation/CmdHistory.h"
#include "foundation/ResourceBase.h"
#include "foundation/UpdateHint.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/ui/CUserPrefsPropSheet.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CKerfwellGDM.h"
#include "grids/GridHooks.h"
#include "grids/GridPaintBlocker.h"
#include "grids/PartRowEditState.h"
#include "grids/RMTree.h"
#include "grids/SheetGoodBOMPane.h"
#include "layouts/ui/ILayoutsFrame.h"
#include "layouts/ui/LayoutsCommands.h"
#include "layouts/ui/LayoutsFrameFactory.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "model/MaterialsBase.h"
#include "model/PartCommands.h"
#include "model/RMTreeMgr.h"
#include "optimization/manual/PinCommands.h"

#include <QFileInfo>

namespace {

// The prompt of the unpin step of held parts.
constexpr int kCommitPartEditsPrompt = 240;
constexpr int kPrefFitMode = 3085;
constexpr int kPrefGridlines = 2036;
// What each update bit asks of the pages.
constexpr std::uint64_t kFontsChanged = 0x80000;
constexpr std::uint64_t kPartsChanged = 0x1;
constexpr std::uint64_t kBillChanged = 0x8;
constexpr std::uint64_t kSizeCostRowsChanged = 0x40;
constexpr std::uint64_t kMaterialChanged = 0x100;
constexpr std::uint64_t kMaterialListChanged = 0x200;
constexpr std::uint64_t kMaterialInfoChanged = 0x400;
constexpr std::uint64_t kVendorsChanged = 0x1000;
constexpr std::uint64_t kMaterialsChanged = 0x1740;

// The main-window command behind each parts-grid menu item.
int PartsMenuCommand(int menuId)
{
    switch (menuId) {
    case IPartsGridHost::kEditNote:
        return ShellCommand::AddEditNote;
    case IPartsGridHost::kDeleteNote:
        return ShellCommand::DeleteNote;
    case IPartsGridHost::kInsertNewPart:
        return ShellCommand::InsertNewPart;
    case IPartsGridHost::kInsertDuplicatePart:
        return ShellCommand::DuplicateRow;
    case IPartsGridHost::kDelete:
        return ShellCommand::DeleteSelection;
    case IPartsGridHost::kCut:
        return ShellCommand::EditCut;
    case IPartsGridHost::kCopy:
        return ShellCommand::EditCopy;
    case IPartsGridHost::kPaste:
        return ShellCommand::EditPaste;
    case IPartsGridHost::kGroupEdit:
        return ShellCommand::GroupEdit;
    case IPartsGridHost::kJumpToDiagram:
        return ShellCommand::JumpToNextDiagram;
    default:
        return 0;
    }
}

// The main-window command behind each size/cost menu position.
int SizeCostMenuCommand(int position)
{
    switch (position) {
    case IRawMaterialsHost::kEditNote:
        return ShellCommand::AddEditNote;
    case IRawMaterialsHost::kDeleteNote:
        return ShellCommand::DeleteNote;
    case IRawMaterialsHost::kDeleteRows:
        return ShellCommand::DeleteSizeCost;
    case IRawMaterialsHost::kCut:
        return ShellCommand::EditCut;
    case IRawMaterialsHost::kCopy:
        return ShellCommand::EditCopy;
    case IRawMaterialsHost::kPaste:
        return ShellCommand::EditPaste;
    default:
        return 0;
    }
}

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
    : m_view(view)
    , m_document(document)
    , m_partEditState(std::make_shared<PartRowEditState>(&view))
    , m_treeMgr(std::make_shared<RMTreeMgr>(view.GetRMTree()))
{ }

ViewMgr::~ViewMgr()
{
    m_bomPane.reset();
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

void ViewMgr::PrintActivePage()
{
    m_view.PrintActivePage();
}

bool ViewMgr::IsCommandIdle() const
{
    const CmdHistory* history = GetCmdHistory();
    return !history || !history->IsExecuting();
}

void ViewMgr::FinishEditing()
{
    m_partEditState->FinishGridEditing();
    m_view.FinishSizeCostEditing();
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

std::shared_ptr<CTakeOffGDM> ViewMgr::GetTakeOffGridMgr()
{
    // The layouts page's take-off list gives the printed lists their rows.
    return m_layouts ? m_layouts->GetTakeOffGridMgr() : nullptr;
}

void ViewMgr::CollectThumbnailDiagrams(std::vector<DisplayDiagramPtr>& out)
{
    if (m_layouts)
        m_layouts->CollectThumbnailDiagrams(out);
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
    if (m_layouts)
        m_layouts->RedrawTakeOffAndTree();
    if (m_bomPane)
        m_bomPane->Invalidate();
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

void ViewMgr::OnCloseDocument()
{
    FinishEditing();
}

void ViewMgr::OnNewDocument()
{
    UpdateCommandBars();
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
        request.filters = { csv, text, all };
        request.defaultSuffix = QStringLiteral("csv");
        break;
    case 1:
        request.filters = { text, csv, all };
        request.defaultSuffix = QStringLiteral("txt");
        break;
    default:
        request.filters = { LoadUIString(kStrIosExportFiles), all };
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

void ViewMgr::ShowExportMessage(const QString& text, iDeviceExport::ExportMessageKind kind)
{
    const bool warning = kind == iDeviceExport::ExportMessageKind::Warning;
    ShowShellMessage(text, warning ? QMessageBox::Warning : QMessageBox::Information);
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

bool ViewMgr::OptimizeForPrinting(int mode)
{
    return m_document.Optimize(mode);
}

int ViewMgr::GetSelectedReport()
{
    return m_reports ? m_reports->GetCurrentReport() : 0;
}

void ViewMgr::SelectReport(int index)
{
    if (m_reports)
        m_reports->SelectReport(index);
}

CUGRowMode* ViewMgr::GetReportGrid()
{
    return m_reports ? &m_reports->GetReportGrid() : nullptr;
}

void ViewMgr::RefreshReport()
{
    if (m_reports)
        m_reports->RefreshReport();
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
    m_view.ShowPartsGrid(page == CKWLView::PartsPage);
    m_view.ShowRawMaterialsPage(page == CKWLView::RawMaterialsPage);
    if (m_reports)
        m_reports->Show(page == CKWLView::ReportsPage);
    m_view.ShowBOMPane(page == CKWLView::BOMPage);
    if (m_layouts)
        m_layouts->ShowFrame(page == CKWLView::LayoutsPage ? FrameShow::Show : FrameShow::Hide);
    FocusActivePage();
    UpdateCommandBars();
}

void ViewMgr::ApplyDocumentUpdate(UpdateHint& hint)
{
    const std::uint64_t changes = hint.GetChangeFlags();
    if (changes & kFontsChanged)
        m_view.RebuildFonts();
    if (changes & kPartsChanged)
        RebuildPartsList(&hint);
    if (m_reports)
        m_reports->OnUpdate(changes, m_view.GetCurrentPage() == CKWLView::ReportsPage);
    if (changes & kMaterialsChanged) {
        MaterialsBase* library = GetMaterialsLibrary();
        if ((changes & kVendorsChanged) && library)
            library->RebuildVendorNameList();
        if (changes & kMaterialListChanged) {
            if (library)
                library->RebuildMaterialNameList();
            m_treeMgr->RefreshMaterialsViewLocked(m_treeMgr->GetSelectedSheetGood());
        }
        if (changes & kSizeCostRowsChanged)
            m_view.ShowSizeCostRowsOfSelection(&hint);
        if (changes & (kMaterialInfoChanged | kMaterialChanged))
            m_view.ShowSelectedMaterialInfo();
    }
    if ((changes & kBillChanged) && m_bomPane && m_view.GetCurrentPage() == CKWLView::BOMPage)
        m_bomPane->Refresh();
    if (m_layouts)
        m_layouts->OnDocumentUpdate(hint, 0);
    if (changes & kBillChanged)
        m_view.RedrawGrids();
    UpdateCommandBars();
}

void ViewMgr::LinkPartEditState()
{
    if (CKerfwellGDM* parts = m_view.GetPartsGridMgr())
        parts->SetRowEditState(m_partEditState.get());
}

void ViewMgr::RebuildPartsList(UpdateHint* hint)
{
    CKerfwellGDM* parts = m_view.GetPartsGridMgr();
    if (!parts)
        return;
    const std::shared_ptr<CGridPaintBlocker> blocker = parts->SuspendRedraw();
    parts->RefreshRowCount();
    parts->FitColumns();
    if (hint)
        if (const std::shared_ptr<PartRowsHint> rows = hint->PeekPartRows())
            parts->OnGridUpdate(*rows);
}

void ViewMgr::LayoutPartsGrid()
{
    m_view.LayoutPartsGrid(GetPageHeight());
}

int ViewMgr::GetPageHeight() const
{
    return m_view.GetPageRect().height();
}

void ViewMgr::RefreshMaterialsDisplay()
{
    FinishEditing();
    m_view.ShowSizeCostRowsOfSelection(nullptr);
    m_view.ShowSelectedMaterialInfo();
}

void ViewMgr::ApplyFitModePref()
{
    const UserPrefsBase* prefs = GetUserPrefs();
    const int mode = prefs ? prefs->GetInt(kPrefFitMode) : 0;
    if (CUGRowMode* grid = m_view.GetPartsGrid())
        grid->SetFitMode(mode, true);
    if (CUGRowMode* grid = m_view.GetSizeCostGrid())
        grid->SetFitMode(mode, true);
    if (m_layouts)
        m_layouts->ApplyTakeOffColumnFit();
    if (m_bomPane)
        m_bomPane->ApplyFitModePref();
}

void ViewMgr::ApplyLargeScreenPref()
{
    if (m_layouts)
        m_layouts->ApplyScreenArrangement();
    m_view.LayOutRawMaterialsPage();
}

void ViewMgr::ClearTreeSelection()
{
    m_view.ClearTreeSelection();
}

void ViewMgr::RefreshGrids()
{
    m_view.RefreshGrids();
}

bool ViewMgr::IsLayoutsDragInProgress() const
{
    return m_view.GetCurrentPage() == CKWLView::LayoutsPage && m_layouts && m_layouts->IsDragInProgress();
}

void ViewMgr::ReloadBOM()
{
    if (m_bomPane)
        m_bomPane->Reload();
}

void ViewMgr::FocusPage(int page)
{
    if (page == CKWLView::LayoutsPage && m_layouts)
        m_layouts->FocusTakeOffList();
    else if (page == CKWLView::ReportsPage && m_reports)
        static_cast<QWidget*>(&m_reports->GetFrame())->setFocus();
}

void ViewMgr::RefreshTakeOffHeaders(int code, long long first, long long second)
{
    if (m_layouts)
        m_layouts->RefreshTakeOffHeaders(code, first, second);
}

void ViewMgr::ToggleTakeOffInfoColumn()
{
    if (m_layouts)
        m_layouts->ToggleTakeOffInfoColumn();
}

bool ViewMgr::IsTakeOffInfoColumnShown() const
{
    return m_layouts && m_layouts->IsTakeOffInfoColumnShown();
}

IPrintable* ViewMgr::GetPartsListPrintable()
{
    CKerfwellGDM* parts = m_view.GetPartsGridMgr();
    return parts ? &parts->AsPrintable() : nullptr;
}

bool ViewMgr::ReloadBOMPage()
{
    const std::shared_ptr<SheetGoodBOMPane>& pane = m_view.GetBOMPane();
    return pane && pane->Reload();
}

CUGRowMode* ViewMgr::GetBOMGrid()
{
    const std::shared_ptr<SheetGoodBOMPane>& pane = m_view.GetBOMPane();
    return pane ? &pane->GetGrid() : nullptr;
}

std::shared_ptr<CTakeOffGDM> ViewMgr::GetTakeOffGridMgr() const
{
    return m_layouts ? m_layouts->GetTakeOffGridMgr() : nullptr;
}

void ViewMgr::ResizeFrame()
{
    if (m_layouts)
        m_layouts->ResizeFrame();
}

void ViewMgr::CancelEditAndRefresh()
{
    if (m_layouts)
        m_layouts->CancelEditAndRefresh();
}

void ViewMgr::JumpToDiagram()
{
    if (!m_layouts)
        return;
    if (m_view.GetCurrentPage() != CKWLView::PartsPage) {
        m_layouts->JumpToNextDiagramWithPart();
        return;
    }
    CMilledPart* part = m_partEditState->GetHeldPart();
    if (!part)
        return;
    m_layouts->ShowDiagramForPart(part);
    ShowTab(CKWLView::LayoutsPage);
}

bool ViewMgr::CanJumpToDiagram() const
{
    if (!m_document.IsFullyOptimized())
        return false;
    switch (m_view.GetCurrentPage()) {
    case CKWLView::PartsPage:
        return m_partEditState->IsPlacedSingleRow();
    case CKWLView::LayoutsPage:
        return m_layouts && m_layouts->HasSelectedPart();
    default:
        return false;
    }
}

void ViewMgr::ReoptimizeUnplacedParts()
{
    FinishEditing();
    if (CmdHistory* history = GetCmdHistory())
        history->Add(std::make_shared<ReoptimizeUnplacedPartsCmd>());
}

bool ViewMgr::CommitPartEdits()
{
    return m_partEditState->Commit(kCommitPartEditsPrompt);
}

bool ViewMgr::ConfirmPinnedEdit(int messageId)
{
    return m_view.ConfirmPinnedEdit(messageId);
}

bool ViewMgr::ConfirmUnpinDiagramsWithPart(int messageId, CMilledPart* part)
{
    if (!m_view.ConfirmPinnedEdit(messageId))
        return false;
    if (CmdHistory* history = GetCmdHistory())
        history->Add(std::make_shared<UnpinDiagramsWithPartCmd>(part));
    return true;
}

void ViewMgr::ShowPinnedPartPrompt(CMilledPart* part, int messageId)
{
    ConfirmUnpinDiagramsWithPart(messageId, part);
}

// The context menus' commands are the main window's: they run, and are
// enabled, exactly as their menu items and shortcuts are.
void ViewMgr::OnEditNote()
{
    SendMainWindowCommand(ShellCommand::AddEditNote);
}
void ViewMgr::OnDeleteNote()
{
    SendMainWindowCommand(ShellCommand::DeleteNote);
}
void ViewMgr::OnInsertNewPart()
{
    SendMainWindowCommand(ShellCommand::InsertNewPart);
}
void ViewMgr::OnInsertDuplicatePart()
{
    SendMainWindowCommand(ShellCommand::DuplicateRow);
}
void ViewMgr::OnDelete()
{
    SendMainWindowCommand(ShellCommand::DeleteSelection);
}
void ViewMgr::OnCut()
{
    SendMainWindowCommand(ShellCommand::EditCut);
}
void ViewMgr::OnCopy()
{
    SendMainWindowCommand(ShellCommand::EditCopy);
}
void ViewMgr::OnPaste()
{
    SendMainWindowCommand(ShellCommand::EditPaste);
}
void ViewMgr::OnGroupEdit()
{
    SendMainWindowCommand(ShellCommand::GroupEdit);
}
void ViewMgr::OnJumpToDiagram()
{
    SendMainWindowCommand(ShellCommand::JumpToNextDiagram);
}
void ViewMgr::EditSizeCostNote()
{
    SendMainWindowCommand(ShellCommand::AddEditNote);
}
void ViewMgr::DeleteSizeCostNote()
{
    SendMainWindowCommand(ShellCommand::DeleteNote);
}
void ViewMgr::DeleteSizeCostRows()
{
    SendMainWindowCommand(ShellCommand::DeleteSizeCost);
}
void ViewMgr::CutSizeCostRows()
{
    SendMainWindowCommand(ShellCommand::EditCut);
}
void ViewMgr::CopySizeCostRows()
{
    SendMainWindowCommand(ShellCommand::EditCopy);
}
void ViewMgr::PasteSizeCostRows()
{
    SendMainWindowCommand(ShellCommand::EditPaste);
}

namespace {

platform::CommandActions* MainWindowCommands(QWidget& view)
{
    auto* frame = dynamic_cast<CMainFrame*>(view.window());
    return frame ? &frame->GetCommands() : nullptr;
}

bool IsCommandEnabled(QWidget& view, int commandId)
{
    platform::CommandActions* commands = MainWindowCommands(view);
    const QAction* action = commands ? commands->Find(commandId) : nullptr;
    return action && action->isEnabled();
}

} // namespace

void ViewMgr::BeginMenuUpdate()
{
    if (platform::CommandActions* commands = MainWindowCommands(m_view))
        commands->UpdateActions();
}

void ViewMgr::UpdateMenuItem(int commandId, QAction* action)
{
    if (!action)
        return;
    if (commandId == IPartsGridHost::kInsertNewPart) {
        // The grid's own menu inserts at the row it was opened on, so it
        // needs exactly one; the menu bar's command inserts anywhere.
        const CUGRowMode* grid = m_view.GetPartsGrid();
        action->setEnabled(
            m_view.GetCurrentPage() == CKWLView::PartsPage && grid && grid->IsSingleRowSelected());
        return;
    }
    action->setEnabled(IsCommandEnabled(m_view, PartsMenuCommand(commandId)));
}

void ViewMgr::UpdateSizeCostMenu(bool end)
{
    if (!end)
        BeginMenuUpdate();
}

bool ViewMgr::IsSizeCostMenuItemEnabled(int position)
{
    return IsCommandEnabled(m_view, SizeCostMenuCommand(position));
}

QWidget* ViewMgr::GetMainWindow()
{
    return m_view.window();
}

void ViewMgr::FinishRawMaterialsEdits()
{
    m_view.FinishSizeCostEditing();
}

void ViewMgr::Reposition()
{
    LayoutPartsGrid();
    if (m_reports)
        m_reports->Reposition();
    if (m_layouts)
        m_layouts->ResizeFrame();
}

bool ViewMgr::HasCopyableContent(int page) const
{
    switch (page) {
    case CKWLView::LayoutsPage:
        return m_layouts && m_layouts->HasCurrentDiagram();
    case CKWLView::BOMPage:
        return m_bomPane && m_bomPane->HasRows();
    case CKWLView::ReportsPage:
        return m_reports && m_reports->HasReportRows();
    default:
        return false;
    }
}

void ViewMgr::CopyPage(int page)
{
    if (page == CKWLView::LayoutsPage && m_layouts)
        m_layouts->CopyTakeOffList();
    else if (page == CKWLView::ReportsPage)
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
    if (m_layouts)
        m_layouts->ApplyTakeOffGridLines();
    if (m_bomPane)
        m_bomPane->ApplyGridLinesPref();
    // The view's own grids follow the same preference.
    const UserPrefsBase* prefs = GetUserPrefs();
    const bool lines = prefs && prefs->GetFlag(kPrefGridlines);
    for (CUGRowMode* grid : { m_view.GetPartsGrid(), m_view.GetSizeCostGrid() })
        if (grid)
            grid->SetGridLines(lines);
    RedrawAll();
}

void ViewMgr::RefreshColumnHeaders()
{
    if (m_reports)
        m_reports->RefreshColumnHeaders();
    if (m_bomPane)
        m_bomPane->RebuildGrid();
}

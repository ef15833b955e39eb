#include "shell/CKWLView.h"

#include "shell/CMainTab.h"
#include "shell/ShellCommands.h"
#include "shell/ShellDialogs.h"
#include "shell/ShellStrings.h"
#include "shell/ViewMgr.h"

#include "document/CKWLDoc.h"
#include "foundation/CmdHistory.h"
#include "foundation/ResourceBase.h"
#include "foundation/UpdateHint.h"
#include "foundation/UpdateMasks.h"
#include "foundation/UserPrefsBase.h"
#include "grids/GridHooks.h"
#include "output/print/ui/CPrintCommands.h"

#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QResizeEvent>

namespace {

constexpr int kTabLeft = 5;
constexpr int kTabTop = 10;
constexpr int kTabHeight = 25;
constexpr int kTabLeastWidth = 620;
constexpr int kPageBelowTab = 33;
constexpr int kPageBottomMargin = 7;

QWidget* MakePendingPage(QWidget* parent)
{
    auto* page = new QLabel(QStringLiteral("This page is not available in this version yet."), parent);
    page->setAlignment(Qt::AlignCenter);
    page->setAutoFillBackground(true);
    page->hide();
    return page;
}

} // namespace

MainViewGeometry ComputeMainViewGeometry(const QRect& client)
{
    // Right and bottom are exclusive here, as the client rectangle's are.
    const int clientLeft = client.left();
    const int clientTop = client.top();
    const int clientRight = client.left() + client.width();
    const int clientBottom = client.top() + client.height();
    MainViewGeometry geometry;
    const int tabLeft = clientLeft + kTabLeft;
    const int tabTop = clientTop + kTabTop;
    const int tabWidth = std::max(clientRight - clientLeft - 2 * kTabLeft, kTabLeastWidth);
    geometry.tab = QRect(tabLeft, tabTop, tabWidth, kTabHeight);
    const int pageTop = std::min(tabTop + kPageBelowTab, clientBottom);
    const int pageBottom = std::max(clientBottom - kPageBottomMargin, pageTop);
    geometry.page = QRect(tabLeft, pageTop, tabWidth, pageBottom - pageTop);
    return geometry;
}

CKWLView::CKWLView(CKWLDoc& document, QWidget* parent)
    : QWidget(parent)
    , m_document(document)
    , m_tab(new CMainTab(this))
    , m_print(std::make_unique<CPrintCommands>(*this))
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    m_document.AddView(this);
}

CKWLView::~CKWLView()
{
    m_document.RemoveView(this);
    m_print.reset();
    m_viewMgr.reset();
}

void CKWLView::OnInitialUpdate()
{
    if (m_initialized)
        return;
    const int names[PageCount] = {kStrTabParts, kStrTabLayouts, kStrTabBOM, kStrTabReports, kStrTabRawMaterials};
    for (int name : names)
        m_tab->addTab(LoadUIString(name));
    m_viewMgr = std::make_unique<ViewMgr>(*this, m_document);
    m_tab->SetPageSwitcher([this](int page) { m_viewMgr->ShowPage(page); });
    LayOut();
    for (int page = 0; page < PageCount; ++page) {
        QWidget*& slot = m_pages[static_cast<std::size_t>(page)];
        if (page == ReportsPage)
            slot = m_viewMgr->CreateReportsPage();
        else if (page == LayoutsPage)
            slot = m_viewMgr->CreateLayoutsPage();
        else
            slot = MakePendingPage(this);
    }
    m_initialized = true;
    LayOut();
    m_viewMgr->ShowTab(PartsPage);
}

void CKWLView::OnDocumentReset()
{
    if (CmdHistory* history = GetCmdHistory())
        history->Clear();
    if (m_viewMgr)
        m_viewMgr->RedrawAll();
}

IOptimizationDoc* CKWLView::GetDoc() const
{
    return m_initialized ? &m_document : nullptr;
}

int CKWLView::GetCurrentPage() const
{
    return m_tab->currentIndex();
}

void CKWLView::SetCurrentPage(int page)
{
    m_tab->setCurrentIndex(page);
}

void CKWLView::SetDocumentModified()
{
    m_document.SetModified();
}

void CKWLView::ShowLockedMessage()
{
    ShowShellMessage(LoadUIString(kStrProjectLocked));
}

void CKWLView::RedrawGrids()
{
    update();
    FocusCurrentPage();
}

void CKWLView::FocusCurrentPage()
{
    if (QWidget* page = GetPage(GetCurrentPage()))
        page->setFocus();
}

void CKWLView::UpdateCommandBars()
{
    if (m_updateCommandBars)
        m_updateCommandBars();
}

void CKWLView::PrintActivePage()
{
    m_print->PrintActivePage();
}

IPrintViewMgr* CKWLView::GetPrintViewMgr()
{
    return m_viewMgr.get();
}

IDoc* CKWLView::GetPrintDocument()
{
    return &m_document;
}

QMainWindow* CKWLView::GetPrintFrame()
{
    return qobject_cast<QMainWindow*>(window());
}

void CKWLView::FinishEditing()
{
    if (m_viewMgr)
        m_viewMgr->FinishEditing();
}

void CKWLView::ShowPage(int page)
{
    if (m_viewMgr)
        m_viewMgr->ShowTab(page);
}

void CKWLView::SetViewRedraw(bool redraw)
{
    setUpdatesEnabled(redraw);
    if (redraw)
        update();
}

bool CKWLView::AskPdfFileName(QString& path)
{
    constexpr int kPrefExportFolder = 1006;
    FileDialogRequest request;
    request.open = false;
    request.title = LoadUIString(kStrSaveAsTitle);
    request.filters = { QStringLiteral("PDF Files (*.pdf)") };
    request.defaultSuffix = QStringLiteral("pdf");
    const UserPrefsBase* prefs = GetUserPrefs();
    request.folder = prefs ? prefs->GetString(kPrefExportFolder) : QString();
    const QString project = m_document.PathName().isEmpty()
        ? m_document.Title()
        : QFileInfo(m_document.PathName()).completeBaseName();
    path = project.isEmpty() ? QString() : project + QStringLiteral(".pdf");
    return RunFileDialog(request, path);
}

void CKWLView::ShowHelpTopic(int)
{
    // One help for the whole program: its contents.
    SendMainWindowCommand(ShellCommand::HelpContents);
}

QString CKWLView::GetSupportContact() const
{
    return QString::fromLatin1(kSupportMailAddress);
}

void CKWLView::OnDocUpdate(platform::DocView*, long, void* hintObject)
{
    if (!m_initialized)
        return;
    // Inside a command only repaint: the managers hear of the whole step
    // when the outermost command ends.
    if (const CmdHistory* history = GetCmdHistory(); history && history->IsExecuting()) {
        update();
        return;
    }
    if (auto* hint = static_cast<UpdateHint*>(hintObject)) {
        m_viewMgr->ApplyDocumentUpdate(*hint);
        return;
    }
    UpdateHint everything(UpdateMask::ChangeDefault, UpdateMask::DetailAll);
    m_viewMgr->ApplyDocumentUpdate(everything);
}

void CKWLView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_initialized)
        LayOut();
}

void CKWLView::LayOut()
{
    const MainViewGeometry geometry = ComputeMainViewGeometry(rect());
    m_tab->setGeometry(geometry.tab);
    m_pageRect = geometry.page;
    for (QWidget* page : m_pages)
        if (page)
            page->setGeometry(m_pageRect);
    if (m_viewMgr)
        m_viewMgr->Reposition();
    update();
}

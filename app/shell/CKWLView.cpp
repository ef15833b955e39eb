#include "shell/CKWLView.h"

#include "shell/CMainTab.h"
#include "shell/DeferredDialog.h"
#include "shell/GridStateFile.h"
#include "shell/ShellCommands.h"
#include "shell/ShellDialogs.h"
#include "shell/ShellStrings.h"
#include "shell/ViewMgr.h"

#include "document/CKWLDoc.h"
#include "foundation/ArchiveWrapper.h"
#include "foundation/CUserPrefs.h"
#include "foundation/CmdHistory.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIResources.h"
#include "foundation/UpdateHint.h"
#include "foundation/UpdateMasks.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/ui/SmallControls.h"
#include "grids/GridHooks.h"
#include "output/print/ui/CPrintCommands.h"

#include "foundation/ui/PinnedEditAlert.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CKerfwellGDM.h"
#include "grids/CSGSCGDM.h"
#include "grids/CtrlFactory.h"
#include "grids/GridStateRecord.h"
#include "grids/MatInfoPresenter.h"
#include "grids/RMTree.h"
#include "layouts/ui/ILayoutsTakeOffListMgr.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "model/CSheetGoodEx.h"
#include "model/ModelStrings.h"
#include "model/RMTreeMgr.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/ui/CTooBigDlg.h"
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>

#include <platform/ArchiveError.h>

#include <QFrame>
#include <QMouseEvent>
#include <QResizeEvent>

#include <algorithm>

namespace {

constexpr int kTabLeft = 5;
constexpr int kTabTop = 10;
constexpr int kTabHeight = 25;
constexpr int kTabLeastWidth = 620;
constexpr int kPageBelowTab = 33;
constexpr int kPageBottomMargin = 7;
constexpr int kPartsGridId = 404;
constexpr int kSizeCostGridId = 122;
constexpr int kPrefDividerPosition = 3054;
constexpr int kPrefLargeScreen = 2082;
// The size/cost grid's headings are centred both ways.
constexpr int kSizeCostHeadingAlignment = 33;
constexpr int kShowNormal = 5;
constexpr int kHide = 0;

bool PrefFlag(int id)
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs && prefs->GetFlag(id);
}

// The units drop list of the size/cost grid: sorted, a newline after each.
QString UnitsChoiceList()
{
    QStringList units;
    for (int id :
        { kStrUnitSheets, kStrUnitSquareFeet, kStrUnitSquareMetres, kStrUnitBoards, kStrUnitLinealMetres })
        units << LoadUIString(id);
    units.sort();
    return units.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

const QFont* GridFont()
{
    const auto resources = GetUIResourcesBase();
    return resources ? &resources->GetGridFont() : nullptr;
}

QString GridStateFilePath()
{
    const CUserPrefs* prefs = GetCUserPrefs();
    return prefs ? prefs->GetGridStateFilePath() : QString();
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
    , m_tree(new RMTree(this))
    , m_divider(new QFrame(this))
    , m_skippedPartsAlert(new DeferredDialog([this] { ShowSkippedPartsAlert(); }, this))
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    m_tree->hide();
    m_divider->setFrameShape(QFrame::StyledPanel);
    m_divider->setAutoFillBackground(true);
    QPalette grey = m_divider->palette();
    grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    m_divider->setPalette(grey);
    m_divider->hide();
    m_divider->installEventFilter(this);
    m_document.AddView(this);
}

CKWLView::~CKWLView()
{
    OnDestroy();
    m_document.RemoveView(this);
    m_print.reset();
    // The page windows go before the managers they call, the managers
    // before the view manager they report to.
    m_tree->SetHost(nullptr);
    m_matInfo.reset();
    m_bomPane.reset();
    delete m_partsGrid;
    delete m_sizeCostGrid;
    m_partsMgr.reset();
    m_sizeCostMgr.reset();
    delete m_tree;
    m_viewMgr.reset();
}

void CKWLView::OnInitialUpdate()
{
    if (m_initialized)
        return;
    const int names[PageCount]
        = { kStrTabParts, kStrTabLayouts, kStrTabBOM, kStrTabReports, kStrTabRawMaterials };
    for (int name : names)
        m_tab->addTab(LoadUIString(name));
    m_viewMgr = std::make_unique<ViewMgr>(*this, m_document);
    m_tree->SetManager(m_viewMgr->GetRMTreeMgr());
    m_tree->SetHost(m_viewMgr.get());
    m_tab->SetPageSwitcher([this](int page) { m_viewMgr->ShowPage(page); });
    GetUIResources();

    m_matInfo = std::make_unique<MatInfoPresenter>(
        m_viewMgr.get(), &m_document, std::make_unique<RealCtrlFactory>(), this);
    m_partsGrid = new CUGRowMode();
    m_partsGrid->CreateGrid(0, platform::Rect(0, 0, 0, 0), this, kPartsGridId);
    m_bomPane = std::make_shared<SheetGoodBOMPane>(*this, this);
    m_viewMgr->SetBOMPane(m_bomPane);
    m_sizeCostGrid = new CUGRowMode();
    m_sizeCostGrid->CreateGrid(0, platform::Rect(0, 0, 0, 0), this, kSizeCostGridId);
    m_sizeCostGrid->hide();
    LayOut();

    m_partsGrid->SetGridFont(GridFont());
    m_partsMgr = std::make_unique<CKerfwellGDM>(m_viewMgr.get(), m_document);
    m_partsGrid->SetDataSource(m_partsGrid->AddDataSource(m_partsMgr.get()));
    m_partsMgr->SetClipboardFormat(m_partsMgr->GetClipboardFormatName());
    m_viewMgr->LinkPartEditState();
    m_viewMgr->LayoutPartsGrid();
    m_pages[PartsPage] = m_partsGrid;
    m_pages[ReportsPage] = m_viewMgr->CreateReportsPage();
    m_pages[LayoutsPage] = m_viewMgr->CreateLayoutsPage();
    m_pages[BOMPage] = &m_bomPane->GetGrid();
    m_pages[RawMaterialsPage] = m_sizeCostGrid;
    CSGSCGDM::SetUnitsChoiceList(UnitsChoiceList());
    m_viewMgr->RebuildPartsList(nullptr);

    if (const UserPrefsBase* prefs = GetUserPrefs())
        m_dividerPosition = prefs->GetInt(kPrefDividerPosition);
    m_sizeCostGrid->SetGridFont(GridFont());
    CUGCell heading;
    m_sizeCostGrid->GetHeadingDefault(&heading);
    heading.SetAlignment(kSizeCostHeadingAlignment);
    m_sizeCostGrid->SetHeadingDefault(&heading);
    m_sizeCostMgr = std::make_unique<CSGSCGDM>(m_viewMgr.get(), &m_document);
    m_sizeCostMgr->SetColumnMenuEnabled(false);
    m_sizeCostSource = m_sizeCostGrid->AddDataSource(m_sizeCostMgr.get());

    LayOutRawMaterialsPage();
    m_viewMgr->GetRMTreeMgr()->RefreshMaterialsViewLocked(nullptr);
    LoadSaveGridState(false);

    m_bomPane->MoveTo(m_partsGrid->geometry());
    m_bomPane->Hide();
    m_partsMgr->LayOutColumns();
    m_sizeCostGrid->ResetGrid();
    m_viewMgr->ApplyFitModePref();
    // The stored preference is applied as it stands.
    m_viewMgr->ApplyGridlinesPref();

    m_initialized = true;
    LayOut();
    m_viewMgr->ShowTab(PartsPage);
}

void CKWLView::OnDestroy()
{
    if (!m_initialized || m_closing)
        return;
    m_closing = true;
    if (UserPrefsBase* prefs = GetUserPrefs())
        prefs->SetInt(kPrefDividerPosition, m_dividerPosition);
    if (!m_skipGridStateSave)
        LoadSaveGridState(true);
}

void CKWLView::LoadSaveGridState(bool storing)
{
    const QString path = GridStateFilePath();
    if (path.isEmpty() || !m_partsMgr || !m_sizeCostMgr)
        return;
    LayoutsViewMgr* layouts = m_viewMgr ? m_viewMgr->GetLayoutsViewMgr() : nullptr;
    ILayoutsTakeOffListMgr* takeOff = layouts ? layouts->GetTakeOffMgr() : nullptr;
    const auto sections = [&](ArchiveWrapper& ar) {
        std::int32_t version = kGridStateVersion;
        if (ar.IsStoring()) {
            ar.Write(version);
        } else {
            ar.Read(version);
            if (version != 6 && version != 7)
                throw platform::ArchiveError(
                    platform::ArchiveError::BadSchema, path.toStdString(), "unknown grid state version");
        }
        if (ar.IsStoring())
            m_partsMgr->ReadGridPositions();
        SerializeGridState(ar, *m_partsMgr);
        m_bomPane->SerializeGridState(ar);
        if (takeOff)
            takeOff->SerializeLayout(ar);
        m_sizeCostGrid->NotifyColumnsMoved();
        SerializeGridState(ar, *m_sizeCostMgr);
    };
    if (storing)
        StoreGridStateFile(path, sections);
    else
        LoadGridStateFile(path, sections);
}

QWidget* CKWLView::GetPage(int page) const
{
    return page >= 0 && page < PageCount ? m_pages[static_cast<std::size_t>(page)] : nullptr;
}

void CKWLView::OnDocumentReset()
{
    RefreshGrids();
    if (CmdHistory* history = GetCmdHistory())
        history->Clear();
    if (m_viewMgr) {
        m_viewMgr->CancelEditAndRefresh();
        m_viewMgr->RedrawAll();
    }
}

void CKWLView::RebuildPartsGrid()
{
    if (m_viewMgr)
        m_viewMgr->RebuildPartsList(nullptr);
}

void CKWLView::RefreshPartsPage()
{
    RebuildPartsGrid();
    update();
}

void CKWLView::FitPartsGridColumns()
{
    if (m_initialized)
        RefitPartsGrid();
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
    m_tab->SelectWithoutSwitching(page);
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
    if (m_partsGrid)
        m_partsGrid->update();
    if (m_sizeCostGrid)
        m_sizeCostGrid->update();
    update();
    FocusCurrentPage();
}

void CKWLView::FocusCurrentPage()
{
    const int page = GetCurrentPage();
    if (page == LayoutsPage && m_viewMgr && m_viewMgr->GetLayoutsViewMgr())
        m_viewMgr->GetLayoutsViewMgr()->FocusTakeOffList();
    else if (page == BOMPage && m_bomPane)
        m_bomPane->Focus();
    else if (QWidget* widget = GetPage(page))
        widget->setFocus();
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
    if (redraw)
        m_redrawLock.reset();
    else if (!m_redrawLock)
        m_redrawLock = std::make_shared<RedrawInhibitor>(this);
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
    // A saved project's PDF goes beside it, under its name (the name's own
    // bytes kept); an untitled one's in the export folder.
    const QString saved = m_document.PathName();
    if (saved.isEmpty()) {
        const QString title = m_document.Title();
        path = title.isEmpty() ? QString() : title + QStringLiteral(".pdf");
    } else {
        path = saved.left(saved.lastIndexOf(u'/') + 1) + QFileInfo(saved).completeBaseName()
            + QStringLiteral(".pdf");
    }
    return RunFileDialog(request, path);
}

void CKWLView::PostSkippedPartsAlert()
{
    m_skippedPartsAlert->Request();
}

void CKWLView::ShowSkippedPartsAlert()
{
    CTooBigDlg dialog(window());
    dialog.exec();
    // The lists behind the dialog show the skipped parts afresh.
    if (LayoutsViewMgr* layouts = m_viewMgr ? m_viewMgr->GetLayoutsViewMgr() : nullptr)
        layouts->RedrawTakeOffAndTree();
}

QString CKWLView::GetSupportContact() const
{
    return QString::fromLatin1(kSupportMailAddress);
}

void CKWLView::ShowPartsGrid(bool show)
{
    if (m_partsGrid)
        m_partsGrid->setVisible(show);
}

void CKWLView::ShowBOMPane(bool show)
{
    if (!m_bomPane)
        return;
    if (show)
        m_bomPane->Show(kShowNormal);
    else
        m_bomPane->Show(kHide);
}

void CKWLView::ShowRawMaterialsPage(bool show)
{
    if (!m_sizeCostGrid)
        return;
    if (show)
        ShowSelectedMaterialInfo();
    m_tree->Show(show);
    m_sizeCostGrid->setVisible(show);
    m_divider->setVisible(show);
    if (m_matInfo)
        m_matInfo->Show(show, m_viewMgr->GetRMTreeMgr()->GetSelectedSheetGood());
}

void CKWLView::LayoutPartsGrid(int height)
{
    if (!m_partsGrid)
        return;
    m_partsGrid->setGeometry(m_pageRect.left(), m_pageRect.top(), m_pageRect.width(), std::max(height, 0));
    m_partsGrid->FitColumnsByMode();
    update();
}

void CKWLView::RefitPartsGrid()
{
    if (m_partsGrid)
        m_partsGrid->FitColumnsByMode();
}

void CKWLView::ShowSelectedMaterialInfo()
{
    if (m_matInfo && m_viewMgr)
        m_matInfo->ShowMaterial(m_viewMgr->GetRMTreeMgr()->GetSelectedSheetGood());
}

void CKWLView::ClearTreeSelection()
{
    m_tree->ClearSelection();
}

void CKWLView::ShowSizeCostRowsOfSelection(UpdateHint* hint)
{
    if (m_closing || !m_sizeCostGrid || !m_sizeCostMgr)
        return;
    m_sizeCostGrid->NotifyColumnsMoved();
    const std::shared_ptr<CSheetGoodEx> material
        = m_tree->IsSheetGoodMaterialSelected() ? m_viewMgr->GetRMTreeMgr()->GetSelectedSheetGood() : nullptr;
    if (!material) {
        m_sizeCostGrid->ResetGrid();
        return;
    }
    {
        CUGRowMode::RedrawSuspend suspend(*m_sizeCostGrid);
        if (m_sizeCostMgr->GetSheetGoodRef() != material) {
            m_sizeCostMgr->SetSheetGood(material);
            m_sizeCostGrid->SetDataSource(m_sizeCostSource);
            m_sizeCostMgr->SortByDefaultColumn();
            m_sizeCostMgr->RefreshRowCount();
        } else {
            m_sizeCostGrid->SetDataSource(m_sizeCostSource);
            const std::shared_ptr<SizeCostRowsHint> rows = hint ? hint->GetSizeCostRows() : nullptr;
            m_sizeCostMgr->RefreshRowCount();
            if (rows)
                m_sizeCostMgr->OnGridUpdate(*rows);
        }
    }
    m_sizeCostMgr->LayOutColumns();
    m_sizeCostGrid->FitColumnsByMode();
}

void CKWLView::RebuildFonts()
{
    RefreshUIFonts();
    for (CUGRowMode* grid : { m_partsGrid, m_sizeCostGrid })
        if (grid)
            grid->SetGridFont(GridFont());
}

void CKWLView::FinishSizeCostEditing()
{
    if (m_sizeCostMgr)
        m_sizeCostMgr->FinishEditing();
    if (m_matInfo)
        m_matInfo->ApplyKerfEdit();
}

void CKWLView::RefreshGrids()
{
    if (m_viewMgr)
        m_viewMgr->GetPartEditState()->RefreshGrid();
    if (m_sizeCostMgr && m_sizeCostMgr->GetGrid())
        m_sizeCostMgr->RefreshGrid();
}

bool CKWLView::ConfirmPinnedEdit(int messageId)
{
    PinnedEditAlert alert(messageId, this);
    return alert.exec() == QDialog::Accepted;
}

std::shared_ptr<IOptimizedTopLevelBOM> CKWLView::GetSheetGoodsBOM()
{
    return m_document.GetSheetGoodsBOM();
}

bool CKWLView::LoadBOMData(int request)
{
    return m_document.Optimize(request);
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
    if (m_viewMgr)
        m_viewMgr->Reposition();
    if (m_bomPane && m_partsGrid)
        m_bomPane->MoveTo(m_partsGrid->geometry());
    LayOutRawMaterialsPage();
    update();
}

void CKWLView::LayOutRawMaterialsPage()
{
    if (!m_sizeCostGrid || !m_matInfo)
        return;
    CUGRowMode::RedrawSuspend suspend(*m_sizeCostGrid);
    m_rawMaterialsPageRect = ComputeMainViewGeometry(rect()).page;
    m_largeScreen = PrefFlag(kPrefLargeScreen);
    const RawMaterialsLayout layout = ComputeRawMaterialsLayout(
        m_rawMaterialsPageRect, m_dividerPosition, m_largeScreen, m_matInfo->GetBounds().width());
    m_divider->setGeometry(layout.divider);
    if (m_largeScreen)
        m_divider->unsetCursor();
    else
        m_divider->setCursor(Qt::SplitVCursor);
    m_tree->MoveTo(layout.tree.left(), layout.tree.top(), layout.tree.width(), layout.tree.height());
    m_matInfo->SetPosition(layout.stripTopLeft.y(), layout.stripTopLeft.x());
    m_sizeCostGrid->setGeometry(layout.grid);
    m_sizeCostGrid->FitColumnsByMode();
}

bool CKWLView::IsDividerDraggable() const
{
    return GetCurrentPage() == RawMaterialsPage && !m_largeScreen;
}

void CKWLView::MoveDividerTo(int top)
{
    m_divider->move(m_divider->x(), top);
}

bool CKWLView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_divider)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        const QPoint point = m_divider->mapTo(this, mouse->position().toPoint());
        return m_dividerDrag.Press(point, m_divider->geometry(), IsDividerDraggable());
    }
    case QEvent::MouseMove: {
        if (!m_dividerDrag.IsDragging())
            break;
        const QPoint point = m_divider->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint());
        if (GetCurrentPage() == RawMaterialsPage)
            if (const std::optional<int> top
                = m_dividerDrag.Move(point.y(), ComputeMainViewGeometry(rect()).page))
                MoveDividerTo(*top);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            break;
        const std::optional<int> top = m_dividerDrag.Release();
        if (!top)
            break;
        if (GetCurrentPage() == RawMaterialsPage) {
            m_dividerPosition = *top;
            LayOutRawMaterialsPage();
        }
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

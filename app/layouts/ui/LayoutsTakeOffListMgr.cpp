#include "layouts/ui/LayoutsTakeOffListMgr.h"

#include "foundation/ResourceBase.h"
#include "foundation/UIResources.h"
#include "foundation/UserPrefsBase.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/GridStateRecord.h"
#include "grids/TakeOffDiagramRows.h"
#include "layouts/DiagramTexts.h"
#include "layouts/LayoutsStrings.h"
#include "model/CClipboardParser.h"
#include "model/CMilledPart.h"
#include "model/IOptimizableSize.h"

#include <QSignalBlocker>
#include <QTabBar>

namespace {

constexpr int kTakeOffModePref = 3071;
constexpr int kGridLinesPref = 2036;
constexpr int kFitModePref = 3085;
constexpr int kCurrentCellDisplayMode = 2;
constexpr int kRuleLength = 44;

int PrefInt(int id)
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs ? prefs->GetInt(id) : 0;
}

} // namespace

LayoutsTakeOffListMgr::LayoutsTakeOffListMgr(ITakeOffListOwner* owner)
    : m_owner(owner)
    , m_manager(std::make_shared<CTakeOffGDM>(this, &m_rows))
{ }

LayoutsTakeOffListMgr::~LayoutsTakeOffListMgr()
{
    // The grid may outlive this manager: it must not call it any more.
    if (m_grid && m_dataSourceIndex >= 0) {
        m_grid->SetDefaultDataSource(0);
        m_grid->RemoveDataSource(m_dataSourceIndex);
    }
}

// ---- state ------------------------------------------------------------------------------

TakeOffListState LayoutsTakeOffListMgr::GetState() const
{
    TakeOffListState state;
    state.infoColumnShown = IsInfoColumnShown();
    state.activeTab = GetActiveTab();
    state.selectedRow = m_grid ? m_grid->GetFirstSelectedRow() : -1;
    state.sortColumn = m_manager->GetSortColumn();
    state.ascending = m_manager->GetSortDirection() == 1;
    return state;
}

void LayoutsTakeOffListMgr::RestoreState(const TakeOffListState& state)
{
    std::unique_ptr<CUGRowMode::RedrawSuspend> suspension;
    if (m_grid)
        suspension = std::make_unique<CUGRowMode::RedrawSuspend>(*m_grid);
    m_suspended = true;
    m_manager->ShowInfoColumn(state.infoColumnShown);
    m_manager->SetListKind(state.activeTab);
    if (m_tabs) {
        const QSignalBlocker blocker(m_tabs.get());
        m_tabs->setCurrentIndex(state.activeTab);
    }
    // The rows of the restored kind (the new window starts empty).
    RebuildRows();
    if (state.sortColumn >= 0)
        m_manager->SortByColumn(state.sortColumn, state.ascending);
    SelectRow(state.selectedRow);
    m_suspended = false;
}

// ---- binding ----------------------------------------------------------------------------

void LayoutsTakeOffListMgr::Attach(std::shared_ptr<CUGRowMode> grid, std::shared_ptr<QTabBar> tabs)
{
    if (m_grid && m_dataSourceIndex >= 0) {
        // The registration belongs to the grid it was made on.
        m_grid->SetDefaultDataSource(0);
        m_grid->RemoveDataSource(m_dataSourceIndex);
        m_dataSourceIndex = -1;
    } else {
        m_manager->SetColumnMenuEnabled(false);
        m_manager->SetAppendRowEnabled(false);
        m_manager->SetEnabled(false);
    }
    m_grid = std::move(grid);
    m_tabs = std::move(tabs);
    if (!m_grid)
        return;

    m_dataSourceIndex = m_grid->AddDataSource(m_manager.get());
    m_grid->SetGridFont(&GetUIResources()->GetGridFont());
    m_grid->SetNewRowLine(false);
    CUGCell heading;
    m_grid->GetHeadingDefault(&heading);
    heading.SetAlignment(kAlignLeftMiddle);
    m_grid->SetHeadingDefault(&heading);
    m_grid->SetDataSource(m_dataSourceIndex);
    m_grid->SetSingleRowSelection(false);
    m_grid->SetCurrentCellHighlight(kCurrentCellDisplayMode);

    m_manager->RefreshRowCount();
    m_manager->SortByColumn(TakeOffColumn::PartId, true);
    m_grid->RedrawAll();
    SetListKind(std::clamp(PrefInt(kTakeOffModePref), 0, 2));
    Clear();
}

// ---- rows -------------------------------------------------------------------------------

void LayoutsTakeOffListMgr::DeleteRows()
{
    m_rows.clear();
    m_items.clear();
}

void LayoutsTakeOffListMgr::CollectDiagramRows(const DisplayDiagram& diagram)
{
    CollectTakeOffDiagramRows(diagram, m_rows, m_items);
}

void LayoutsTakeOffListMgr::CollectTargetRows(bool unplacedOnly)
{
    const OptimizationResultsPtr results = m_owner->GetSelectedResults();
    if (!results || !results->GetTarget())
        return;
    for (CMilledPart* part : results->GetTarget()->GetParts()) {
        if (!part || (unplacedOnly && part->GetUnplacedCopies() == 0))
            continue;
        m_items.push_back(std::make_unique<TAKEOFFITEM>(
            TAKEOFFITEM { part, static_cast<std::int32_t>(part->GetPlacedCopies()), 0 }));
        m_rows.push_back(m_items.back().get());
    }
}

void LayoutsTakeOffListMgr::RebuildRows()
{
    DeleteRows();
    const DisplayDiagramPtr diagram = m_owner->GetCurrentDiagram();
    if (diagram) {
        if (m_manager->GetListKind() == TakeOffListKind::SelectedDiagram)
            CollectDiagramRows(*diagram);
        else
            CollectTargetRows(m_manager->GetListKind() == TakeOffListKind::UnplacedParts);
    }
    m_manager->RefreshList(diagram);
}

void LayoutsTakeOffListMgr::SelectRow(int row)
{
    if (!m_grid)
        return;
    // A new row count moves the grid's cursor in passing: only the row chosen here stays selected.
    m_grid->ClearSelections();
    m_grid->ResetCurrentCell();
    if (row < 0)
        return;
    m_grid->SelectCell(0, row);
    m_manager->GotoCell(0, row);
}

TakeOffSelection LayoutsTakeOffListMgr::Refresh(const TakeOffSelection& selection, bool keep)
{
    m_suspended = true;
    RebuildRows();
    int row = -1;
    if (!m_rows.empty()) {
        if (!selection.part) {
            row = 0;
        } else {
            const bool matchTurned = m_manager->GetListKind() == TakeOffListKind::SelectedDiagram;
            TAKEOFFITEM wanted { selection.part, 0, selection.turned ? 1 : 0 };
            row = m_manager->FindItemRow(wanted, matchTurned);
            if (row < 0) {
                wanted.turned = selection.turned ? 0 : 1;
                row = m_manager->FindItemRow(wanted, matchTurned);
            }
            if (row < 0)
                row = keep ? -1 : 0;
        }
    }
    SelectRow(row);
    m_suspended = false;

    TakeOffSelection shown;
    if (const TAKEOFFITEM* item = m_manager->GetRowItem(m_grid ? m_grid->GetFirstSelectedRow() : row)) {
        shown.part = item->part;
        shown.turned = item->turned != 0;
    }
    if (keep && !shown.part)
        return selection;
    return shown;
}

void LayoutsTakeOffListMgr::SelectItem(const TakeOffSelection& selection)
{
    m_suspended = true;
    const TAKEOFFITEM wanted { selection.part, 0, selection.turned ? 1 : 0 };
    SelectRow(m_manager->FindItemRow(wanted, m_manager->GetListKind() == TakeOffListKind::SelectedDiagram));
    m_suspended = false;
    m_manager->Invalidate();
}

void LayoutsTakeOffListMgr::Clear()
{
    auto suspension = m_manager->SuspendRedraw();
    DeleteRows();
    m_manager->RefreshList(nullptr);
}

// ---- copy -------------------------------------------------------------------------------

void LayoutsTakeOffListMgr::CopyToClipboard()
{
    const DisplayDiagramPtr diagram = m_owner->GetCurrentDiagram();
    // The copy names the diagram's stock: without a shown diagram there is nothing to copy.
    if (!diagram)
        return;
    const int row = m_grid ? m_grid->GetFirstSelectedRow() : -1;
    const int kind = m_manager->GetListKind();
    std::unique_ptr<CUGRowMode::RedrawSuspend> suspension;
    if (m_grid)
        suspension = std::make_unique<CUGRowMode::RedrawSuspend>(*m_grid);
    m_suspended = true;
    if (kind != TakeOffListKind::SelectedDiagram) {
        m_manager->SetListKind(TakeOffListKind::SelectedDiagram);
        RebuildRows();
    }
    ParseFieldRows rows;
    BuildTextRows(rows, diagram, true, true);
    CClipboardParser().CopyRowsToClipboard(rows, false, QString());
    if (kind != TakeOffListKind::SelectedDiagram) {
        m_manager->SetListKind(kind);
        RebuildRows();
        SelectRow(row);
    }
    m_suspended = false;
}

void LayoutsTakeOffListMgr::BuildTextRows(
    ParseFieldRows& rows, const DisplayDiagramPtr& diagram, bool columnHeaders, bool diagramHeader)
{
    rows.clear();
    if (diagramHeader && diagram) {
        const StockSpec& stock = diagram->GetStockSpec();
        AppendTwoFieldRow(
            rows, stock.GetMaterialName(), stock.size ? stock.size->GetDescription() : QString());
        AppendTwoFieldRow(
            rows, LoadUIString(kStrLayoutQty), QString::number(diagram->GetStack()->GetCount()));
        AppendSingleFieldRow(rows, GrainText(*diagram));
        AppendSingleFieldRow(rows, StockTrimText(*diagram));
        AppendTwoFieldRow(rows, LoadUIString(kStrKerfField), stock.GetKerf().FormatDimension());
        AppendSingleFieldRow(rows, VendorText(*diagram));
        AppendSingleFieldRow(rows, BinText(*diagram));
    }
    if (columnHeaders) {
        AppendSingleFieldRow(rows, QString(kRuleLength, QLatin1Char('-')));
        rows.emplace_back();
        m_manager->BuildHeaderFields(rows.back());
    }
    GetTextRows(rows, true, false);
}

void LayoutsTakeOffListMgr::GetTextRows(ParseFieldRows& rows, bool allRows, bool withHeader)
{
    if (withHeader) {
        rows.emplace_back();
        m_manager->BuildHeaderFields(rows.back());
    }
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        if (!allRows && !(m_grid && m_grid->IsSelected(0, row)))
            continue;
        rows.emplace_back();
        m_manager->BuildRowFields(row, rows.back());
    }
}

// ---- grid and tabs ----------------------------------------------------------------------

void LayoutsTakeOffListMgr::FitColumns()
{
    if (m_grid)
        m_grid->FitColumnsByMode();
}

void LayoutsTakeOffListMgr::Invalidate()
{
    if (m_grid)
        m_grid->RedrawAll();
}

void LayoutsTakeOffListMgr::ApplyGridLines()
{
    if (!m_grid)
        return;
    m_grid->SetGridLines(PrefInt(kGridLinesPref) != 0);
    Invalidate();
}

void LayoutsTakeOffListMgr::ApplyFitMode()
{
    if (m_grid)
        m_grid->SetFitMode(PrefInt(kFitModePref), true);
}

void LayoutsTakeOffListMgr::SetFocus()
{
    if (m_grid)
        m_grid->setFocus();
}

void LayoutsTakeOffListMgr::ForwardGridNotify(int code, long long first, long long second)
{
    m_manager->OnGridNotify(code, first, second);
}

void LayoutsTakeOffListMgr::SerializeLayout(ArchiveWrapper& ar)
{
    if (ar.IsStoring())
        m_manager->ReadGridPositions();
    SerializeGridState(ar, *m_manager);
    // The record was stored with the columns of the kind shown then.
    if (!ar.IsStoring())
        m_manager->ShowKindColumns();
}

void LayoutsTakeOffListMgr::ToggleInfoColumn()
{
    m_manager->ShowInfoColumn(!m_manager->IsInfoColumnShown());
}

bool LayoutsTakeOffListMgr::IsInfoColumnShown() const
{
    return m_manager->IsInfoColumnShown();
}

int LayoutsTakeOffListMgr::GetActiveTab() const
{
    return m_tabs ? m_tabs->currentIndex() : m_manager->GetListKind();
}

void LayoutsTakeOffListMgr::OnTabChanged()
{
    SetListKind(GetActiveTab());
}

bool LayoutsTakeOffListMgr::IsPointOverList(const QPoint& screenPoint) const
{
    if (!m_tabs || !m_tabs->isVisible())
        return false;
    return QRect(m_tabs->mapToGlobal(QPoint(0, 0)), m_tabs->size()).contains(screenPoint);
}

void LayoutsTakeOffListMgr::SetListKind(int kind)
{
    m_manager->SetListKind(kind);
    if (m_grid)
        m_grid->EnableRowDrag(kind == TakeOffListKind::UnplacedParts);
    if (m_tabs && m_tabs->currentIndex() != kind) {
        const QSignalBlocker blocker(m_tabs.get());
        m_tabs->setCurrentIndex(kind);
    }
    m_owner->SetTakeOffMode(kind);
}

// ---- events -----------------------------------------------------------------------------

void LayoutsTakeOffListMgr::OnSelectionChanged(CMilledPart* part, bool turned)
{
    if (m_suspended)
        return;
    TakeOffSelection selection;
    selection.part = part;
    selection.turned = turned;
    m_owner->OnTakeOffSelectionChanged(selection, SelectionSource::TakeOffList);
}

void LayoutsTakeOffListMgr::OnGridKeyDown(int key)
{
    m_owner->OnListKeyDown(key);
}

void LayoutsTakeOffListMgr::OnGridKeyUp(int key)
{
    m_owner->OnListKeyUp(key);
}

void LayoutsTakeOffListMgr::OnRowDragStart(TAKEOFFITEM* item)
{
    // Only unplaced copies can go onto the diagram: a part without any would
    // be added as a stack of no copies.
    if (!item || !item->part || item->part->GetUnplacedCopies() == 0)
        return;
    if (!m_owner->IsManualEditingAllowed())
        return;
    // The dragged row is what is dragged, whatever row was reported last.
    TakeOffSelection selection;
    selection.part = item->part;
    selection.turned = item->turned != 0;
    m_owner->OnTakeOffSelectionChanged(selection, SelectionSource::TakeOffList);
    m_owner->BeginListDrag();
}

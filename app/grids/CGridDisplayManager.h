#pragma once
// The data source of every list grid: shows row objects through column
// descriptors, edits a copy of the row being typed into (the pending row),
// offers an append row below the data, sorts stably by one or several keys,
// and lays out, moves, hides and shows columns. A manager that no grid has
// attached still hands its cells to printing.

#include "foundation/GridUpdateHint.h"
#include "foundation/UIResources.h"
#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGDataSource.h"
#include "gridctrl/CUGDropListType.h"
#include "gridctrl/CUGGridInfo.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CGridColumnInfo.h"
#include "grids/GridHooks.h"
#include "grids/GridPaintBlocker.h"
#include "grids/IPrintable.h"
#include "grids/IUGListMgr.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace gdm {
// Heading-menu ids: 1000 + data column toggles that column; ids above 1100
// go to the main window less 1100.
constexpr int kColumnMenuBase = 1000;
constexpr int kMainWindowMenuBase = 1100;
constexpr int kSortArrowUp = 16;
constexpr int kSortArrowDown = 32;
constexpr int kSortArrowWidening = 14;
constexpr int kInsertionRun = 32;
constexpr unsigned kAppendTipColor = 0xC80000;
constexpr int kAppendTipStyle = 1; // plain text in the cell's own font

// Stable merge sort whose short runs are sorted by insertion.
template <class It, class Less> void StableSortRange(It first, It last, Less less)
{
    using Value = typename std::iterator_traits<It>::value_type;
    using Diff = typename std::iterator_traits<It>::difference_type;
    const Diff count = std::distance(first, last);
    if (count < 2)
        return;
    for (Diff start = 0; start < count; start += kInsertionRun) {
        const Diff end = std::min<Diff>(start + kInsertionRun, count);
        for (auto i = start + 1; i < end; ++i) {
            Value value = std::move(first[i]);
            auto j = i;
            for (; j > start && less(value, first[j - 1]); --j)
                first[j] = std::move(first[j - 1]);
            first[j] = std::move(value);
        }
    }
    std::vector<Value> buffer(static_cast<size_t>(count));
    for (Diff width = kInsertionRun; width < count; width *= 2) {
        for (Diff lo = 0; lo < count; lo += 2 * width) {
            const auto mid = std::min(lo + width, count);
            const auto hi = std::min(lo + 2 * width, count);
            std::merge(std::make_move_iterator(first + lo), std::make_move_iterator(first + mid),
                       std::make_move_iterator(first + mid), std::make_move_iterator(first + hi),
                       buffer.begin() + lo, less);
            std::move(buffer.begin() + lo, buffer.begin() + hi, first + lo);
        }
    }
}
} // namespace gdm

template <class RowT, class Storage>
class CGridDisplayManager : public CUGDataSource, public IUGListMgr, public Storage
{
public:
    using Holder = typename Storage::Pointer;
    using ColumnInfo = CGridColumnInfo<RowT, Storage>;
    using Keys = std::vector<std::unique_ptr<ColumnInfo>>;
    static constexpr bool kRawStorage = std::is_pointer_v<Holder>;
    static constexpr int kSelectionKeepingMove = 4;
    static constexpr int kDragSelectMove = 3;

    CGridDisplayManager() = default;
    ~CGridDisplayManager() override { DeletePendingRow(); }

    // Columns are added by the concrete manager while it is built; each
    // starts at its own index in the grid and in the user's order.
    void AddColumn(std::unique_ptr<ColumnInfo> column)
    {
        const int index = static_cast<int>(m_columns.size());
        column->SetGridPosition(index);
        column->SetOrderPosition(index);
        m_columns.push_back(std::move(column));
    }
    ColumnInfo* GetColumn(int column) const
    {
        return column >= 0 && column < static_cast<int>(m_columns.size()) ? m_columns[column].get() : nullptr;
    }
    CUGRowMode* GetRowModeGrid() const { return dynamic_cast<CUGRowMode*>(GetGrid()); }

    void SetEnabled(bool on) { m_enabled = on ? 1 : 0; }
    bool IsEnabled() const { return m_enabled != 0; }
    bool IsAttached() const { return m_attached != 0; }
    void SetColumnMenuEnabled(bool on) { m_columnMenuEnabled = on ? 1 : 0; }
    void SetRowHeadingMarks(bool on) { m_rowHeadingMarks = on ? 1 : 0; }
    void SetAppendRowEnabled(bool on) { m_appendRowEnabled = on ? 1 : 0; }
    void SetLayOutOnAttach(bool on) { m_layOutOnAttach = on ? 1 : 0; }
    int GetSortColumn() const { return m_sortColumn; }
    // The rows are no longer shown sorted (no arrow; the next click sorts up).
    void ForgetSortColumn() { m_sortColumn = -1; }
    int GetNoteCellType() const { return m_noteCellType; }
    int GetSortDirection() const { return m_sortDirection; }
    int GetAppendRowIndex() const { return m_appendRowIndex; }
    int GetPendingRowIndex() const { return m_pendingRowIndex; }

    // ---- data-source operations ----
    int GetRowCount() override
    {
        const int count = GetStoredRowCount();
        if (!m_appendRowEnabled)
            return count;
        m_appendRowIndex = count;
        return count + 1;
    }
    int GetColumnCount() override { return static_cast<int>(m_columns.size()); }

    int GetCell(int column, int row, CUGCell* cell) override
    {
        if (!m_attached)
            return -1;
        return FillCellFor(column, row, cell);
    }

    int SetCell(int column, int row, CUGCell* cell) override
    {
        ColumnInfo* info = GetColumn(column);
        if (!m_enabled || !info || !CanEditCell(column) || (cell->GetCellType() != 1 && cell->GetCellType() != 2))
            return -1;
        if (!HasPendingRow()) {
            if (row == m_appendRowIndex) {
                if (!CanAppendRow())
                    return 0;
                InsertNewRow(row);
            }
            BeginRowEdit(row);
        }
        Holder shown = GetRowItemHolder(row);
        const int code = info->SetFromCell(&m_pending, cell, &shown);
        ReportEditResult(code);
        return code == kEditBadValue ? -1 : 0;
    }

    int SortRows(const int* columns, int count, int flags) override
    {
        FinishEditing();
        if (count == 1) {
            m_sortDirection = (columns[0] == m_sortColumn && m_sortDirection == 1) ? 2 : 1;
            m_sortColumn = columns[0];
        } else {
            m_sortColumn = -1;
            m_sortDirection = flags;
        }
        Keys keys;
        for (int i = 0; i < count; ++i)
            if (ColumnInfo* info = GetColumn(columns[i]))
                keys.push_back(info->Clone());
        const bool current = IsCurrentSource();
        std::vector<Holder> selected;
        if (current) {
            selected = GetSelectedItems();
            GetGrid()->ClearSelections();
        }
        SortRows(keys, m_sortDirection == 1);
        if (current) {
            int lowest = -1;
            for (const Holder& item : selected) {
                const int row = FindRow(item);
                if (row < 0)
                    continue;
                GetGrid()->SelectCell(0, row);
                lowest = std::max(lowest, row);
            }
            if (lowest >= 0) {
                // A move that leaves the selection as it is.
                CUGGridInfo* info = GetGrid()->GetSheetInfo();
                info->m_moveKeyState = kSelectionKeepingMove;
                GetGrid()->GotoCell(0, lowest);
                info->m_moveKeyState = 0;
            }
        }
        return 0;
    }

    int OnGridNotify(int code, long long first, long long second) override
    {
        switch (code) {
        case 2: m_gridFont = reinterpret_cast<const QFont*>(first); return 0;
        case 3:
            m_attached = first != 0 ? 1 : 0;
            if (m_attached && m_layOutOnAttach)
                LayOutColumns();
            return 0;
        case 4: m_sortArrowType = static_cast<int>(first); return 0;
        case 7: ReadGridPositions(); return 0;
        case 8:
            if (m_sortColumn >= 0 && GetGrid()) {
                const int gridColumn = FindGridColumn(m_sortColumn);
                if (gridColumn >= 0)
                    GetGrid()->SetColumnWidth(gridColumn, GetGrid()->GetColumnWidth(gridColumn) + gdm::kSortArrowWidening);
            }
            return 0;
        case 9: OnColumnMoved(static_cast<int>(first), static_cast<int>(second)); return 0;
        case 10: OnRowChange(static_cast<int>(first), static_cast<int>(second), false, false); return 0;
        case 11: OnNotify11(); return 0;
        case 12: m_noteCellType = static_cast<int>(first); OnNoteCellTypeSet(); return 0;
        case 13: OnKeyDown(static_cast<int>(first)); return 0;
        case 14: OnKeyUp(static_cast<int>(first)); return 0;
        case 15: OnRowDragStart(static_cast<int>(first)); return 0;
        case 100: OnCellTypeMessage(static_cast<int>(first), static_cast<int>(second)); return 0;
        default: return -1;
        }
    }

    void OnCurrentRowChanged(int /*oldRow*/, int /*newRow*/) override
    {
        if (HasPendingRow())
            EndPendingRow();
    }

    int CanMoveCurrentCell(int oldColumn, int oldRow, int /*newColumn*/, int newRow) override
    {
        if (oldRow == newRow)
            return 1;
        if (HasPendingRow() && EndPendingRow() == 0) {
            if (GetGrid())
                GetGrid()->GotoCell(oldColumn, oldRow);
            return 0;
        }
        if (m_enabled && m_attached && !m_refreshing && m_appendRowIndex >= 0 && newRow == m_appendRowIndex) {
            // Dragging a selection over the append row creates no row.
            if (GetGrid() && GetGrid()->GetSheetInfo()->m_moveKeyState == kDragSelectMove)
                return 0;
            if (!CanAppendRow()) {
                if (GetGrid())
                    GetGrid()->GotoCell(-1, oldRow);
                return 0;
            }
            m_sortColumn = -1;
            InsertNewRow(newRow);
        }
        return 1;
    }

    int OnEditBegin(int column, int row, QWidget** /*editor*/) override
    {
        if (!m_enabled)
            return 0;
        const int dataColumn = GetColumnAtGridPosition(column);
        if (!CanEditCell(dataColumn) || row == m_appendRowIndex)
            return 0;
        if (!HasPendingRow())
            BeginRowEdit(row);
        return 1;
    }

    int OnEditEnd(int column, int row, QWidget* editor, const QString& text, bool cancelled) override
    {
        if (!HasPendingRow())
            return 1;
        if (cancelled) {
            EndPendingRow();
            return 1;
        }
        ColumnInfo* info = GetColumn(GetColumnAtGridPosition(column));
        if (!info)
            return 1;
        Holder shown = GetRowItemHolder(row);
        const int code = info->ParseText(&m_pending, text, editor, &shown);
        ReportEditResult(code);
        return code == kEditBadValue ? 0 : 1;
    }

    // The heading menu lists the columns the user may hide.
    int OnMenuOpen(int /*column*/, int /*row*/, int /*section*/) override { return 0; }
    void OnMenuItem(int /*column*/, int /*row*/, int /*section*/, int id) override { OnColumnMenuCommand(id); }

    int FillColumnMenu()
    {
        if (!m_columnMenuEnabled || !GetGrid())
            return 0;
        GetGrid()->EmptyPopupMenu();
        for (int c = 0; c < GetColumnCount(); ++c)
            if (m_columns[c]->CanUserHide())
                GetGrid()->AddPopupMenuItem(gdm::kColumnMenuBase + c, m_columns[c]->GetHeadingText());
        return 1;
    }
    void OnColumnMenuCommand(int id)
    {
        if (id > gdm::kMainWindowMenuBase)
            SendMainWindowCommand(id - gdm::kMainWindowMenuBase);
        else if (id >= gdm::kColumnMenuBase)
            SetColumnHidden(id - gdm::kColumnMenuBase, !m_columns.at(id - gdm::kColumnMenuBase)->IsHidden());
    }

    // ---- own operations ----
    virtual RowT* GetRowItem(int row) = 0;
    virtual Holder GetRowItemHolder(int row) = 0;
    virtual int FindRow(const Holder& /*item*/) { return -1; }
    virtual bool CanEditCell(int column) = 0;
    virtual int EndPendingRow() = 0;
    virtual void SortRows(const Keys& keys, bool ascending) = 0;
    virtual void OnFillRow(int /*row*/) { }
    virtual void OnRowEditBegun() { }
    virtual void OnCellTypeMessage(int, int) { }
    virtual void OnRowChange(int /*oldRow*/, int /*newRow*/, bool, bool) { }
    virtual void CommitRowEdits() { }
    virtual void CancelRowEdits() { }
    virtual void OnNoteCellTypeSet() { }
    virtual void BeginRowEdit(int row)
    {
        if (m_sortColumn >= 0) {
            m_sortColumn = -1;
            if (GetGrid())
                GetGrid()->RedrawAll();
        }
        HoldRowForEdit(row);
        m_pendingRowIndex = row;
        CopyRowToPending(row);
        OnRowEditBegun();
    }
    virtual void OnEditResult(int /*code*/) { }
    virtual void OnEditAccepted() { }
    virtual bool IsRowHighlighted(const RowT* /*item*/) { return false; }
    virtual platform::ColorRef GetRowBackColor(const RowT* /*item*/)
    {
        const QColor c = QApplication::palette().color(QPalette::Base);
        return static_cast<platform::ColorRef>(c.red() | (c.green() << 8) | (c.blue() << 16));
    }
    virtual int GetDefaultSortColumn() { return -1; }
    virtual QString GetAppendRowTip() { return QString(); }
    virtual QString GetClipboardFormatName() = 0;
    virtual bool HasPendingRow() { return m_pendingRowIndex != -1; }
    RowT* GetPendingRow() const { return Raw(m_pending); }
    Holder* GetPendingRowHolder() { return &m_pending; }
    virtual void ForgetPendingRow()
    {
        if constexpr (kRawStorage)
            m_pending = nullptr;
        else
            m_pending.reset();
    }
    virtual void DeletePendingRow()
    {
        if constexpr (kRawStorage)
            delete m_pending;
        ForgetPendingRow();
    }
    virtual void CopyRowToPending(int row)
    {
        DeletePendingRow();
        RowT* item = GetRowItem(row);
        if (!item)
            return;
        if constexpr (kRawStorage)
            m_pending = new RowT(*item);
        else if constexpr (std::is_abstract_v<RowT>)
            m_pending = item->Clone(); // rows behind an interface copy themselves
        else
            m_pending = std::make_shared<RowT>(*item);
    }
    virtual void HoldRowForEdit(int /*row*/) { }
    virtual void OnNotify11() { }
    virtual void OnKeyDown(int /*key*/) { }
    virtual void OnKeyUp(int /*key*/) { }
    virtual void OnRowDragStart(int /*row*/) { }
    virtual bool CanAppendRow() { return true; }
    virtual void InsertNewRow(int row) = 0;
    virtual void DeleteSelectedRows() = 0;
    virtual int GetRowOfItem(const Holder& item) { return FindRow(item); }
    virtual void CancelRowDrag() { }
    virtual void DiscardPendingRow() { DeletePendingRow(); }
    // The number of rows the storage holds.
    virtual int GetStoredRowCount() = 0;

    // ---- what printing reads ----
    // The cells, rows and shown columns as printing reads them; works
    // without a grid too.
    IPrintable& AsPrintable() { return m_printable; }
    int GetVisibleColumnCount() const
    {
        return static_cast<int>(std::count_if(m_columns.begin(), m_columns.end(),
                                              [](const auto& c) { return !c->IsHidden(); }));
    }
    int GetColumnAtGridPosition(int position) const
    {
        if (GetGrid() && position >= 0 && position < GetGrid()->GetColumnCount())
            return GetGrid()->GetColumnMapping(position);
        for (int c = 0; c < static_cast<int>(m_columns.size()); ++c)
            if (!m_columns[c]->IsHidden() && m_columns[c]->GetGridPosition() == position)
                return c;
        return -1;
    }

    // ---- IUGListMgr ----
    void FinishEditing() override
    {
        CommitRowEdits();
        if (!HasPendingRow())
            return;
        CUGCtrl* grid = GetGrid();
        QWidget* editor = grid ? grid->GetEditControl() : nullptr;
        const bool editorFocused = editor && editor->hasFocus();
        if (editorFocused)
            grid->setFocus();
        if (HasPendingRow())
            EndPendingRow();
        if (grid && grid->IsEditing())
            grid->HideEditControl();
    }
    void RefreshRowCount() override
    {
        if (!IsCurrentSource())
            return;
        HandCountsToGrid([this](CUGCtrl& grid) { grid.SetRowCount(GetRowCount()); });
        OnRowChange(-1, -1, false, false);
    }
    void FitColumns() override
    {
        CUGRowMode* grid = GetRowModeGrid();
        if (!grid)
            return;
        {
            auto blocker = SuspendRedraw();
            grid->FitColumnsByMode();
        }
        Invalidate();
    }
    // The grid part of a document update: sort again after rows were put
    // back, forget the sort after an insert, select the rows it names. The
    // sort comes first so that the selection lands on the named objects.
    template <class Hint> void OnGridUpdate(const Hint& hint)
    {
        if (hint.GetRowChangeCode() == 2)
            Resort();
        else if (hint.GetRowChangeCode() == 1)
            m_sortColumn = -1;
        if (hint.AreRowsGiven())
            SelectItems(hint.GetRows(), true);
    }
    void Resort() override
    {
        if (m_sortColumn < 0)
            return;
        Keys keys;
        keys.push_back(m_columns.at(m_sortColumn)->Clone());
        SortRows(keys, m_sortDirection == 1);
        Invalidate();
    }
    void ClearSelection() override
    {
        if (GetGrid())
            GetGrid()->ClearSelections();
    }
    std::shared_ptr<CGridPaintBlocker> SuspendRedraw() override
    {
        return std::make_shared<CGridPaintBlocker>(GetRowModeGrid());
    }
    int GotoCell(int column, int row) override { return GetGrid() ? (GetGrid()->GotoCell(column, row) == 0 ? 0 : 2) : 2; }
    void RedrawAll() override
    {
        if (GetGrid())
            GetGrid()->RedrawAll();
    }
    void Invalidate() override
    {
        if (GetGrid())
            GetGrid()->update();
    }

    // ---- shared operations ----
    // The lowest grid column that shows the data column; -1 when none does.
    int FindGridColumn(int dataColumn) const
    {
        CUGCtrl* grid = GetGrid();
        if (!grid)
            return -1;
        for (int g = 0; g < grid->GetColumnCount(); ++g)
            if (grid->GetColumnMapping(g) == dataColumn)
                return g;
        return -1;
    }
    // The first selected row of the grid; -1 when none is selected.
    int FindUGRowMode() const
    {
        const CUGRowMode* grid = GetRowModeGrid();
        return grid ? grid->GetFirstSelectedRow() : -1;
    }

    void SelectItems(const std::vector<Holder>& items, bool gotoFirst)
    {
        if (!IsCurrentSource())
            return;
        CUGCtrl* grid = GetGrid();
        grid->ClearSelections();
        int first = -1;
        for (const Holder& item : items) {
            const int row = GetRowOfItem(item);
            if (row == -1)
                continue;
            grid->SelectCell(0, row);
            if (first == -1 && gotoFirst)
                first = row;
        }
        if (gotoFirst) {
            if (first == -1)
                grid->ResetCurrentCell();
            else
                grid->GotoCell(0, first);
            grid->setFocus();
        }
        grid->update();
    }

    // Drops the row being typed, or closes an open drop-down list.
    void RefreshGrid()
    {
        CancelRowDrag();
        if (HasPendingRow()) {
            DiscardPendingRow();
            m_pendingRowIndex = -1;
            ForgetPendingRow();
            if (GetGrid())
                GetGrid()->HideEditControl();
            return;
        }
        CUGCtrl* grid = GetGrid();
        if (!grid || grid->GetCurrentRow() == -1)
            return;
        CUGCell cell;
        grid->GetCell(grid->GetCurrentColumn(), grid->GetCurrentRow(), &cell);
        if (cell.GetCellType() == 1)
            if (auto* list = dynamic_cast<CUGDropListType*>(grid->GetCellTypeByIndex(1)))
                list->OnCellLostFocus(grid->GetCurrentColumn(), grid->GetCurrentRow(), 0);
    }

    // The row objects of the selected rows, in row order.
    std::vector<Holder> GetSelectedItems()
    {
        std::vector<Holder> items;
        CUGCtrl* grid = GetGrid();
        if (!grid)
            return items;
        const int rows = GetStoredRowCount();
        for (int row = 0; row < rows; ++row)
            if (grid->IsSelected(0, row))
                items.push_back(GetRowItemHolder(row));
        return items;
    }

    // The pending row ends without a commit: used after a commit or an abandon.
    void EndPendingRowState()
    {
        DeletePendingRow();
        m_pendingRowIndex = -1;
    }

    // ---- column layout ----
    void LayOutColumns()
    {
        if (!GetGrid())
            return;
        HandCountsToGrid([this](CUGCtrl& grid) {
            grid.SetColumnCount(GetVisibleColumnCount());
            for (const auto& column : m_columns)
                if (!column->IsHidden() && column->GetGridPosition() >= 0)
                    grid.SetColumnMapping(column->GetGridPosition(), IndexOf(column.get()));
        });
    }

    // A new row or column count moves the grid's cursor in passing, onto the
    // append row when the list is empty or lost its last rows. That is no
    // move of the user's: it makes no row, and the cursor does not stay on
    // the append row, where the user's own click would then be no move and
    // add nothing.
    template <class Change> void HandCountsToGrid(Change change)
    {
        CUGCtrl* grid = GetGrid();
        const bool outer = std::exchange(m_refreshing, true);
        change(*grid);
        m_refreshing = outer;
        if (outer || m_appendRowIndex < 0 || grid->GetCurrentRow() != m_appendRowIndex)
            return;
        if (GetStoredRowCount() == 0)
            grid->ClearSelections();
        grid->ResetCurrentCell();
    }

    void ReadGridPositions()
    {
        CUGCtrl* grid = GetGrid();
        if (!grid)
            return;
        for (int c = 0; c < GetColumnCount(); ++c) {
            if (m_columns[c]->IsHidden())
                continue;
            int position = -1;
            for (int g = 0; g < grid->GetColumnCount() && position < 0; ++g)
                if (grid->GetColumnMapping(g) == c)
                    position = g;
            m_columns[c]->SetGridPosition(position);
        }
    }

    void OnColumnMoved(int from, int to)
    {
        if (from < 0 || to < 0 || !GetGrid())
            return;
        ColumnInfo* moved = GetColumn(GetGrid()->GetColumnMapping(to));
        if (!moved)
            return;
        const int old = moved->GetOrderPosition();
        for (const auto& c : m_columns)
            if (c.get() != moved && c->GetOrderPosition() > old)
                c->SetOrderPosition(c->GetOrderPosition() - 1);
        int position = 0;
        if (to > from) {
            if (ColumnInfo* left = GetColumn(GetGrid()->GetColumnMapping(to - 1)))
                position = left->GetOrderPosition() + 1;
        } else if (ColumnInfo* right = GetColumn(GetGrid()->GetColumnMapping(to + 1))) {
            position = right->GetOrderPosition();
        }
        for (const auto& c : m_columns)
            if (c.get() != moved && c->GetOrderPosition() >= position)
                c->SetOrderPosition(c->GetOrderPosition() + 1);
        moved->SetOrderPosition(position);
        ReadGridPositions();
    }

    void SetColumnHidden(int dataColumn, bool hide)
    {
        ColumnInfo* target = GetColumn(dataColumn);
        if (!target || target->IsHidden() == hide)
            return;
        auto blocker = SuspendRedraw();
        if (hide) {
            const int old = target->GetGridPosition();
            target->SetHidden(true);
            target->SetGridPosition(-1);
            for (const auto& c : m_columns)
                if (!c->IsHidden() && c->GetGridPosition() > old)
                    c->SetGridPosition(c->GetGridPosition() - 1);
        } else {
            target->SetHidden(false);
            std::vector<ColumnInfo*> ordered;
            for (const auto& c : m_columns)
                ordered.push_back(c.get());
            std::stable_sort(ordered.begin(), ordered.end(), [](ColumnInfo* a, ColumnInfo* b) {
                return a->GetOrderPosition() < b->GetOrderPosition();
            });
            int position = GetVisibleColumnCount() - 1;
            auto it = std::find(ordered.begin(), ordered.end(), target);
            for (++it; it != ordered.end(); ++it)
                if (!(*it)->IsHidden()) {
                    position = (*it)->GetGridPosition();
                    break;
                }
            for (const auto& c : m_columns)
                if (c.get() != target && !c->IsHidden() && c->GetGridPosition() >= position)
                    c->SetGridPosition(c->GetGridPosition() + 1);
            target->SetGridPosition(position);
        }
        LayOutColumns();
        if (CUGRowMode* grid = GetRowModeGrid())
            grid->FitColumnsByMode();
    }

protected:
    bool IsCurrentSource() const
    {
        CUGCtrl* grid = GetGrid();
        return grid && grid->GetDataSource(grid->GetDataSourceIndex()) == this;
    }
    static RowT* Raw(const Holder& holder)
    {
        if constexpr (kRawStorage)
            return holder;
        else
            return holder.get();
    }

    // Sorts a storage range by the keys, the last key first.
    template <class It> static void SortRange(It first, It last, const Keys& keys, bool ascending)
    {
        for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
            ColumnInfo* info = key->get();
            gdm::StableSortRange(first, last, [info, ascending](Holder a, Holder b) {
                const int order = info->Compare(&a, &b);
                return ascending ? order < 0 : order > 0;
            });
        }
    }

    void ReportEditResult(int code)
    {
        OnEditResult(code);
        if (code == kEditAccepted)
            OnEditAccepted();
    }

    int IndexOf(const ColumnInfo* column) const
    {
        for (int c = 0; c < static_cast<int>(m_columns.size()); ++c)
            if (m_columns[c].get() == column)
                return c;
        return -1;
    }

    int FillCellFor(int column, int row, CUGCell* cell)
    {
        if (column < 0)
            return FillRowHeading(row, cell);
        ColumnInfo* info = GetColumn(column);
        if (!info)
            return -1;
        if (row < 0) {
            if (column == m_sortColumn && m_sortArrowType >= 0) {
                cell->SetCellType(m_sortArrowType);
                cell->SetCellTypeStyle(m_sortDirection == 1 ? gdm::kSortArrowUp : gdm::kSortArrowDown);
            }
            return info->FillHeadingCell(cell);
        }
        if (m_appendRowEnabled && row == m_appendRowIndex)
            return FillAppendRowCell(column, cell);
        Holder item = row == m_pendingRowIndex && Raw(m_pending) ? m_pending : GetRowItemHolder(row);
        if (!Raw(item))
            return -1;
        OnFillRow(row);
        const int result = info->FillCellEx(&item, cell, IsEditorOnColumn(column));
        if (result == 0 && IsRowHighlighted(Raw(item)))
            cell->SetBackColor(GetRowBackColor(Raw(item)));
        return result;
    }

private:
    // The grid's data-source calls and printing's calls share names but not
    // meanings (printing counts no append row), so printing reads through
    // this adapter.
    class Printable : public IPrintable
    {
    public:
        explicit Printable(CGridDisplayManager& owner) : m_owner(owner) { }
        void GetCell(int column, int row, CUGCell* cell) override { m_owner.FillCellFor(column, row, cell); }
        int GetRowCount() override { return m_owner.GetStoredRowCount(); }
        int GetVisibleColumnCount() override { return m_owner.GetVisibleColumnCount(); }
        int GetColumnAtGridPosition(int position) override { return m_owner.GetColumnAtGridPosition(position); }
        void Resort() override { m_owner.Resort(); }

    private:
        CGridDisplayManager& m_owner;
    };

    bool IsEditorOnColumn(int column) const
    {
        CUGCtrl* grid = GetGrid();
        return grid && grid->IsEditing() && grid->GetColumnMapping(grid->GetCurrentColumn()) == column;
    }

    int FillRowHeading(int row, CUGCell* cell)
    {
        if (!m_rowHeadingMarks || !GetGrid())
            return 0;
        if (row == GetGrid()->GetCurrentRow()) {
            if (row == m_pendingRowIndex) {
                cell->SetText(QStringLiteral(" ! "));
                cell->SetAlignment(kAlignCentre);
                cell->SetFont(m_gridFont);
            } else {
                cell->SetCellType(3);
                cell->SetCellTypeStyle(gdm::kSortArrowUp);
            }
        } else if (row == m_appendRowIndex) {
            cell->SetText(QStringLiteral(" * "));
            cell->SetAlignment(kAlignCentre);
        }
        return 0;
    }

    int FillAppendRowCell(int column, CUGCell* cell)
    {
        if (column == 0 && !m_rowHeadingMarks) {
            cell->SetText(QStringLiteral(" * "));
            cell->SetAlignment(kAlignCentre);
            cell->SetFont(m_gridFont);
        }
        if (column == GetDefaultSortColumn()) {
            cell->SetText(GetAppendRowTip());
            cell->SetCellTypeStyle(gdm::kAppendTipStyle);
            cell->SetTextColor(gdm::kAppendTipColor);
            cell->SetReadOnly(1);
            // The tip is a hint, not data: the italic grid font sets it apart.
            cell->SetFont(&GetUIResources()->GetItalicGridFont());
        }
        return 0;
    }

    int m_sortColumn = -1;
    int m_sortArrowType = -1;
    int m_columnMenuEnabled = 1;
    int m_rowHeadingMarks = 0;
    int m_appendRowEnabled = 1;
    std::vector<std::unique_ptr<ColumnInfo>> m_columns;
    int m_sortDirection = -1;
    int m_noteCellType = -1;
    int m_appendRowIndex = -1;
    const QFont* m_gridFont = nullptr;
    int m_enabled = 1;
    // A row or column count is being handed to the grid.
    bool m_refreshing = false;
    int m_attached = 0;
    int m_layOutOnAttach = 0;

protected:
    int m_pendingRowIndex = -1;
    Holder m_pending{};

private:
    Printable m_printable{*this};
};

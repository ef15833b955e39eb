#include "gridctrl/CUGRowMode.h"

#include "gridctrl/CUGDataSource.h"
#include "gridctrl/CUGDropListType.h"
#include "gridctrl/CUGEdit.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGMultiSelect.h"
#include "gridctrl/CellCompare.h"
#include "gridctrl/GridKeys.h"

#include "foundation/ArchiveWrapper.h"

#include <QCollator>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

CUGRowMode::CUGRowMode(QWidget* parent)
    : CUGCtrl(parent)
{ }

CUGRowMode::~CUGRowMode() = default;

CUGDataSource* CUGRowMode::boundSource() const
{
    return GetDataSource(GetDataSourceIndex());
}

int CUGRowMode::notify(int code, long long first, long long second)
{
    CUGDataSource* source = boundSource();
    return source ? source->OnGridNotify(code, first, second) : -1;
}

void CUGRowMode::setPainting(bool on)
{
    if (on)
        EnablePainting(true);
    else
        m_gi->m_paintMode = false;
}

// ---- setup -------------------------------------------------------------------------------

void CUGRowMode::OnGridSetup()
{
    SetSideHeadingWidth(0);
    EnableExpandingEditor(false);
    UseUniformRowHeights(true);
    EnableJoinedCells(false);
    EnableColumnMoving(true);
    SetEditorFocusOption(0);
    m_gridFontIndex = AddFont(20, 0, 0, 0, 400, false, false, false, 0, 0, 0, 0, 0, QStringLiteral("Verdana"));
    SetVerticalScrollMode(1);
    SetCornerButtonSizing(2);
    m_sortArrowIndex = AddCellType(&m_sortArrowType);
    m_noteIndex = AddCellType(&m_noteType);
    EnableContextMenu(true);
    m_gi->m_gridDefault.SetAlignment(CUGCell::kAlignLeft | CUGCell::kAlignVCenter);
    m_gi->m_hdgDefault.SetAlignment(CUGCell::kAlignLeft | CUGCell::kAlignVCenter);
}

void CUGRowMode::OnSheetInit(int)
{
    EnableMultiSelect(false);
    SetCurrentCellHighlight(1);
    m_gi->m_moveType = 2;
    GetMultiSelect()->SetMode(CUGMultiSelect::kModeWholeRows);
}

// ---- binding -------------------------------------------------------------------------------

int CUGRowMode::SetDataSource(int index)
{
    SetDefaultDataSource(index);
    CUGDataSource* source = GetDataSource(index);
    if (!source || (index != 0 && GetDataSourceIndex() != index))
        return 1;
    source->OnGridNotify(kNotifyBinding, 0, 0);
    source->OnGridNotify(kNotifyFont, reinterpret_cast<long long>(GetFont(m_gridFontIndex)), 0);
    source->OnGridNotify(kNotifySortArrowType, m_sortArrowIndex, 0);
    source->OnGridNotify(kNotifyNoteType, m_noteIndex, 0);
    const int columns = source->GetColumnCount();
    if (columns < 1)
        return 2;
    // The counts move the current cell in passing; binding clears that
    // selection again, so the source hears nothing of it.
    m_binding = true;
    SetColumnCount(columns, 0);
    const int rows = source->GetRowCount();
    if (rows >= 0)
        SetRowCount(rows, 0);
    ClearSelections();
    ResetCurrentCell();
    m_binding = false;
    source->OnGridNotify(kNotifyBinding, 1, 0);
    LayoutChildren();
    m_gridReset = false;
    return 0;
}

void CUGRowMode::ResetGrid()
{
    setPainting(false);
    ClearSelections();
    SetDefaultDataSource(0);
    SetRowCount(0, 1);
    SetColumnCount(0, 1);
    setPainting(true);
    RedrawAll();
    m_gridReset = true;
}

void CUGRowMode::DeleteAllRows()
{
    for (int row = GetRowCount() - 1; row >= 0; --row)
        DeleteRow(row);
}

void CUGRowMode::SetGridFont(const QFont* font)
{
    SetDefaultFont(font);
    m_gi->m_hdgDefault.SetFont(font);
    LayoutChildren();
}

void CUGRowMode::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_newRowLine = !readOnly;
}

int CUGRowMode::GetDataRowCount() const
{
    return m_newRowLine ? GetRowCount() - 1 : GetRowCount();
}

void CUGRowMode::SetSingleRowSelection(bool repaint)
{
    m_repaintOnSelectionHook = repaint;
    GetMultiSelect()->SetMode(CUGMultiSelect::kModeWholeRows | CUGMultiSelect::kModeOneBlock);
}

void CUGRowMode::RepaintIfSelectionHook()
{
    if (m_repaintOnSelectionHook)
        RedrawAll();
}

int GetFirstSelectedRow(const CUGCtrl& grid)
{
    for (int row = 0; row < grid.GetRowCount(); ++row)
        if (grid.IsSelected(0, row))
            return row;
    return -1;
}

bool IsSingleRowSelected(const CUGCtrl& grid)
{
    int found = 0;
    for (int row = 0; row < grid.GetRowCount() && found < 2; ++row)
        if (grid.IsSelected(0, row))
            ++found;
    return found == 1;
}

int CUGRowMode::GetFirstSelectedRow() const
{
    return ::GetFirstSelectedRow(*this);
}

bool CUGRowMode::IsSingleRowSelected() const
{
    return ::IsSingleRowSelected(*this);
}

// ---- sorting -------------------------------------------------------------------------------

void CUGRowMode::SetSortIndicator(int column, bool ascending)
{
    ClearSortIndicator();
    m_sortColumn = column;
    m_sortAscending = ascending ? 1 : 0;
    if (GetRowCount() == 0 || column == -1)
        return;
    SortRows(column, ascending ? CUGDataSource::kSortAscending : CUGDataSource::kSortDescending);
    if (m_sortIndicatorShown) {
        SetCellTypeAt(column, -1, m_sortArrowIndex);
        SetCellStyleAt(column, -1, ascending ? CUGSortArrowType::kAscending : CUGSortArrowType::kDescending);
    }
    RedrawAll();
}

void CUGRowMode::ClearSortIndicator()
{
    m_sortColumn = -1;
    if (m_sortIndicatorShown)
        ClearColumnHeadingTypes();
}

void CUGRowMode::ClearColumnHeadingTypes()
{
    for (int column = 0; column < GetColumnCount(); ++column)
        SetCellTypeAt(column, -1, 0);
}

void CUGRowMode::EnableColumnSwap(bool on)
{
    m_columnSwap = on;
    SetLockedColumns(on ? 1 : 0);
}

void CUGRowMode::SetColumnAlignment(int column, int alignment)
{
    CUGCell cell;
    if (GetColumnDefault(column, &cell) == 0) {
        cell.SetAlignment(alignment);
        SetColumnDefault(column, &cell);
    }
    SetCellAlignmentAt(column, -1, alignment);
}

int CUGRowMode::FindColumnForSourceColumn(int dataColumn) const
{
    for (int column = 0; column < GetColumnCount(); ++column)
        if (GetColumnMapping(column) == dataColumn)
            return column;
    return -1;
}

void CUGRowMode::NotifyColumnsMoved()
{
    if (!m_gridReset)
        notify(kNotifyColumnsMoved, 0, 0);
}

// ---- redraw suspension and fitting ------------------------------------------------------------

void CUGRowMode::BeginRedrawSuspend()
{
    if (++m_suspendDepth == 1) {
        setPainting(false);
        SetRedrawFlag(false);
    }
}

void CUGRowMode::EndRedrawSuspend()
{
    if (m_suspendDepth == 0 || --m_suspendDepth > 0)
        return;
    update();
    setPainting(true);
    SetRedrawFlag(true);
    RedrawAll();
}

void CUGRowMode::FitColumnsByMode()
{
    RedrawSuspend suspend(*this);
    const int last = GetColumnCount() - 1;
    FitColumnsToContent(0, last, 0, 3);
    if (m_fitMode == 0)
        FitColumnsToWindow(0, last);
}

void CUGRowMode::SetFitMode(int mode, bool apply)
{
    if (m_fitMode != 3)
        m_fitMode = mode;
    if (apply)
        FitColumnsByMode();
}

void CUGRowMode::ForceFitMode(int mode, bool apply)
{
    m_fitMode = mode;
    if (apply && mode >= 0 && mode <= 3)
        FitColumnsByMode();
}

int CUGRowMode::FitColumnsToWindow(int firstColumn, int lastColumn)
{
    if (m_fitMode == 2)
        return 0;
    return CUGCtrl::FitColumnsToWindow(firstColumn, lastColumn);
}

int CUGRowMode::FitColumnsToContent(int firstColumn, int lastColumn, int rowsToExamine, int flags)
{
    if (m_fitMode == 2) {
        update();
        return 0;
    }
    const bool painting = m_gi->m_paintMode;
    setPainting(false);
    const int result = CUGCtrl::FitColumnsToContent(firstColumn, lastColumn, rowsToExamine, flags);
    if (m_stretchAfterFit)
        stretchColumns();
    if (painting)
        setPainting(true);
    return result;
}

// Widens the columns to fill the grid area, by at most 30 % in all.
void CUGRowMode::stretchColumns()
{
    const int count = GetColumnCount();
    // A grid without columns has nothing to share the room among.
    if (count <= 0)
        return;
    long long total = 0;
    for (int column = 0; column < count; ++column)
        total += GetColumnWidth(column);
    const long long room = m_gi->m_gridWidth;
    if (total >= room)
        return;
    const long long target = std::min(room, static_cast<long long>(std::trunc(static_cast<double>(total) * 1.3)));
    const long long extra = (target - total) / count;
    long long given = 0;
    for (int column = 0; column < count - 1; ++column) {
        const int width = static_cast<int>(GetColumnWidth(column) + extra);
        SetColumnWidth(column, width);
        given += width;
    }
    SetColumnWidth(count - 1, static_cast<int>(target - given));
    LayoutChildren();
}

// ---- the column mapping in the grid-state file ----------------------------------------------

void CUGRowMode::SerializeColumnMapping(ArchiveWrapper& ar)
{
    const int count = GetColumnCount();
    if (count <= 0)
        return;
    if (ar.IsStoring()) {
        for (int column = 0; column < count; ++column)
            ar.Write(static_cast<std::uint32_t>(GetColumnMapping(column)));
        return;
    }
    std::vector<std::uint32_t> mapping(static_cast<std::size_t>(count));
    for (auto& word : mapping)
        ar.Read(word);
    // Only a permutation of the columns is a mapping; anything else (a
    // damaged file, another version's columns) would show a column twice
    // or read past the data source's columns.
    std::vector<bool> seen(mapping.size(), false);
    bool valid = true;
    for (std::uint32_t word : mapping) {
        if (word >= mapping.size() || seen[word]) {
            valid = false;
            break;
        }
        seen[word] = true;
    }
    for (int column = 0; column < count; ++column)
        SetColumnMapping(column, valid ? static_cast<int>(mapping[static_cast<std::size_t>(column)]) : column);
}

// ---- hooks -------------------------------------------------------------------------------------

void CUGRowMode::OnGridFocus(int)
{
    if (m_focusTarget)
        m_focusTarget->setFocus();
}

int CUGRowMode::AllowCellMove(int, int, int, int newRow)
{
    if (m_readOnly)
        return 0;
    if (newRow != 0)
        return 1;
    // The empty list's new-row line cannot become current.
    return GetRowCount() == 1 && m_newRowLine ? 0 : 1;
}

int CUGRowMode::AllowRowSizing(int)
{
    return 0;
}

int CUGRowMode::CanSizeTopHeading()
{
    return 0;
}

void CUGRowMode::OnCurrentColumnChange(int, int newColumn)
{
    if (m_gi->m_currentRow == m_gi->m_lastRow) {
        SelectCell(newColumn, m_gi->m_currentRow);
        RedrawRow(m_gi->m_currentRow);
    }
}

void CUGRowMode::OnCurrentRowChange(int oldRow, int newRow)
{
    if (m_gi->m_topRow == m_gi->m_lastTopRow) {
        SelectCell(m_gi->m_currentCol, newRow);
        RedrawRow(oldRow);
        RedrawRow(newRow);
    }
}

void CUGRowMode::OnBlockChanged(int, int top, int, int bottom, int)
{
    if (!m_binding)
        notify(kNotifySelection, top, bottom);
}

void CUGRowMode::OnCellClick(int column, int row, int down, const Rect&, const Point&, int)
{
    if (row < 0 || column < 0)
        return;
    CUGCell cell;
    GetCellWithDefaults(column, row, &cell);
    if (cell.IsPropertySet(CUGCell::kCellType) && cell.GetCellType() == 1)
        if (auto* dropList = dynamic_cast<CUGDropListType*>(GetCellTypeByIndex(1)))
            if (CUGLstBox* list = dropList->GetListBox())
                list->update();
    // The data source starts the drag itself: no drop reaches a grid.
    if (m_rowDrag && down)
        notify(kNotifyRowDrag, row, 0);
}

void CUGRowMode::OnCellDoubleClick(int column, int row, const Rect&, const Point&, int)
{
    if (m_readOnly || column < 0 || row < 0)
        return;
    BeginCellEdit(column, row, 0);
    SelectCell(column, row);
    RedrawRow(row);
}

void CUGRowMode::OnColumnHeadingClick(int column, int, int down, const Rect&, const Point&, int)
{
    if (!down || !m_sortOnHeadingClick || column < 0)
        return;
    if (column == m_sortColumn)
        SetSortIndicator(column, !m_sortAscending);
    else
        SetSortIndicator(column, true);
}

void CUGRowMode::OnRowHeadingClick(int, int row, int down, const Rect&, const Point&, int)
{
    if (!down && row >= 0)
        GotoRow(row);
}

void CUGRowMode::OnGridKeyDown(int* key, int)
{
    notify(kNotifyKeyDown, *key, 0);
}

void CUGRowMode::OnGridKeyUp(int* key, int)
{
    notify(kNotifyKeyUp, *key, 0);
}

void CUGRowMode::OnGridChar(int* character, int processed)
{
    if (*character == gridkey::Tab || *character == gridkey::Return || m_readOnly)
        return;
    const int column = GetCurrentColumn();
    const int row = GetCurrentRow();
    if (column < 0 || row < 0)
        return;
    if (!processed)
        BeginCellEdit(column, row, *character);
    SelectCell(column, row);
    RedrawRow(row);
}

void CUGRowMode::OnSourceMessage(int, int message, long long value)
{
    if (message == 1) {
        const bool painting = m_gi->m_paintMode;
        setPainting(false);
        notify(kNotifyBinding, 0, 0);
        SetRowCount(static_cast<int>(value), 1);
        notify(kNotifyBinding, 1, 0);
        FitColumnsToContent(0, GetColumnCount() - 1, static_cast<int>(value), 3);
        if (GetRowCount() == 1 && m_newRowLine) {
            ClearSelections();
            ResetCurrentCell();
        }
        if (painting)
            setPainting(true);
    } else if (message == 6) {
        SetSideHeadingWidth(30);
    }
}

int CUGRowMode::OnCellTypeMessage(int, int column, int row, int message, long long)
{
    if (message == kNotifyCellType)
        notify(kNotifyCellType, column, row);
    return 1;
}

int CUGRowMode::OnEditBegin(int, int, QWidget** editor)
{
    if (auto* plain = qobject_cast<CUGEdit*>(*editor))
        plain->EnableAutoSize(false);
    return 1;
}

void CUGRowMode::OnMenuItem(int column, int row, int section, int id)
{
    if (CUGDataSource* source = boundSource())
        source->OnMenuItem(column, row, section, id);
}

int CUGRowMode::OnMenuOpen(int column, int row, int section)
{
    CUGDataSource* source = boundSource();
    return source ? source->OnMenuOpen(column, row, section) : 0;
}

int CUGRowMode::CompareCells(CUGCell* a, CUGCell* b, int flags)
{
    int result = 0;
    if (gridctrl::CompareMissingOrNumbers(a, b, flags, &result))
        return result;
    const int type = a->GetDataType();
    const bool aText = a->IsPropertySet(CUGCell::kText);
    const bool bText = b->IsPropertySet(CUGCell::kText);
    if (type == 1 && !aText && !bText)
        return 0;
    if (!aText)
        return 1; // empty texts sort last ascending
    if (!bText)
        return -1;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const int c = collator.compare(a->GetText(), b->GetText());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

CUGCtrl::ColorRef CUGRowMode::GetBackgroundColor(int)
{
    return platform::SystemColorRef(platform::SystemColor::ButtonShadow);
}

void CUGRowMode::DrawFocusFrame(QPainter* dc, const Rect& rect)
{
    if (rect.IsEmpty())
        return;
    dc->save();
    dc->setPen(QPen(Qt::black, 1, Qt::DotLine));
    dc->setBrush(Qt::NoBrush);
    dc->drawRect(rect.left, rect.top, rect.Width() - 2, rect.Height() - 2);
    dc->restore();
}

int CUGRowMode::AllowColumnMove(int from, int to)
{
    if (!m_columnSwap)
        return 1;
    return from != 0 && to != 0 ? 1 : 0;
}

void CUGRowMode::OnColumnMoved(int from, int to)
{
    if (from != to)
        notify(kNotifyColumnMoved, from, to);
}

// Paging and jumping stop on the last data row: the new-row line is reached
// only by a step onto it, which makes a row.
int CUGRowMode::GetLastPagingRow()
{
    return GetDataRowCount() - 1;
}

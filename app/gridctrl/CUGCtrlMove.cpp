// Moving the current cell and scrolling: every move asks the data source,
// then the owner's hooks, keeps the target in view and ends in one commit
// that tells the selection, the data source and the hooks what changed.
#include "gridctrl/CUGCtrl.h"

#include "gridctrl/CUGDataSource.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGHeadings.h"
#include "gridctrl/CUGMultiSelect.h"
#include "gridctrl/CUGScrollBars.h"

#include <QScreen>

#include <algorithm>

void CUGCtrl::keepTargetInView()
{
    CUGGridInfo* gi = m_gi;
    const int row = gi->m_dragRow;
    if (row >= gi->m_numLockRows) {
        if (gi->m_topRow > row)
            gi->m_topRow = row;
        const int available = gi->m_gridHeight - gi->m_lockRowHeight;
        int lowest = row;
        if (gi->m_uniformRowHeight && gi->m_defRowHeight > 0) {
            lowest = row - available / gi->m_defRowHeight + 1;
        } else {
            int remainder = available;
            for (int r = row; r >= gi->m_numLockRows; --r) {
                remainder -= GetRowHeight(r);
                if (remainder < 0) {
                    lowest = r + 1;
                    break;
                }
                lowest = r;
            }
        }
        // The target row itself is shown even when the window is too low for it.
        lowest = std::min(lowest, row);
        if (gi->m_topRow < lowest)
            gi->m_topRow = std::min(lowest, std::max(gi->m_numLockRows, gi->m_maxTopRow));
    }
    const int column = gi->m_dragCol;
    if (column >= gi->m_numLockCols && column < gi->m_numberCols) {
        if (gi->m_leftCol > column)
            gi->m_leftCol = column;
        int remainder = gi->m_gridWidth - gi->m_lockColWidth;
        int lowest = column;
        for (int c = column; c >= gi->m_numLockCols; --c) {
            remainder -= gi->m_colInfo[c].width;
            if (remainder < 0) {
                lowest = c + 1;
                break;
            }
            lowest = c;
        }
        lowest = std::min(lowest, column);
        if (gi->m_leftCol < lowest)
            gi->m_leftCol = std::min(lowest, std::max(gi->m_numLockCols, gi->m_maxLeftCol));
    }
}

void CUGCtrl::commitMove()
{
    CUGGridInfo* gi = m_gi;
    const int oldCol = gi->m_lastCol;
    const int oldRow = gi->m_lastRow;
    if (gi->m_moveType == 0 || m_editInProgress) {
        gi->m_currentCol = gi->m_dragCol;
        gi->m_currentRow = gi->m_dragRow;
    } else {
        CUGMultiSelect* selection = gi->m_multiSelect.get();
        switch (gi->m_moveKeyState) {
        case 4: break; // wheel and scroll bars leave the selection alone
        case 1: selection->OnClick(gi->m_dragCol, gi->m_dragRow, gi->m_moveKeyFlags); break;
        case 2: selection->OnRightClick(gi->m_dragCol, gi->m_dragRow, gi->m_moveKeyFlags); break;
        case 3: selection->OnDragMove(gi->m_dragCol, gi->m_dragRow, gi->m_moveKeyFlags); break;
        default: selection->OnKeyboardMove(gi->m_dragCol, gi->m_dragRow); break;
        }
        int c = gi->m_dragCol, r = gi->m_dragRow;
        if (gi->m_moveKeyState != 4)
            selection->GetOrigin(&c, &r);
        gi->m_currentCol = c;
        gi->m_currentRow = r;
    }
    CUGDataSource* source = GetCurrentDataSource();
    const bool columnChanged = gi->m_currentCol != oldCol;
    const bool rowChanged = gi->m_currentRow != oldRow;
    if (columnChanged) {
        source->OnCurrentColumnChanged(oldCol, gi->m_currentCol);
        OnCurrentColumnChange(oldCol, gi->m_currentCol);
    }
    if (rowChanged) {
        source->OnCurrentRowChanged(oldRow, gi->m_currentRow);
        OnCurrentRowChange(oldRow, gi->m_currentRow);
    }
    if (columnChanged || rowChanged)
        OnCurrentCellChange(oldCol, gi->m_currentCol, oldRow, gi->m_currentRow);
    if (gi->m_leftCol != gi->m_lastLeftCol)
        OnLeftColumnScroll(gi->m_lastLeftCol, gi->m_leftCol);
    if (gi->m_topRow != gi->m_lastTopRow)
        OnTopRowScroll(gi->m_lastTopRow, gi->m_topRow);
    placeTrackingWindow();
    if (columnChanged || rowChanged) {
        GetCellTypeObject(oldCol, oldRow)->OnCellLostFocus(oldCol, oldRow, 0);
        GetCellTypeObject(gi->m_currentCol, gi->m_currentRow)->OnCellGotFocus(gi->m_currentCol, gi->m_currentRow, 0);
    }
    if (gi->m_paintMode) {
        m_CUGGrid->RepaintAfterScroll();
        m_CUGTopHdg->RepaintIfScrolled();
        m_CUGSideHdg->RepaintAfterScroll();
        m_CUGVScroll->Update();
        m_CUGHScroll->Update();
    }
    RecalcVisibleRange();
    gi->m_lastCol = gi->m_currentCol;
    gi->m_lastRow = gi->m_currentRow;
    gi->m_lastLeftCol = gi->m_leftCol;
    gi->m_lastTopRow = gi->m_topRow;
}

// Steps 3 to 6 of a move: the data source and the hooks decide, then the
// target is kept in view and committed.
int CUGCtrl::moveTo(int column, int row, bool)
{
    CUGGridInfo* gi = m_gi;
    if (GetCurrentDataSource()->CanMoveCurrentCell(gi->m_currentCol, gi->m_currentRow, column, row) != 1)
        return 2;
    if (!AllowCellMove(gi->m_currentCol, gi->m_currentRow, column, row))
        return 2;
    const bool visible = column >= gi->m_leftCol && column < gi->m_rightCol && row >= gi->m_topRow
        && row < gi->m_bottomRow;
    if (!visible && !AllowViewScroll(gi->m_leftCol, gi->m_topRow, column, row))
        return 2;
    gi->m_dragCol = column;
    gi->m_dragRow = row;
    keepTargetInView();
    commitMove();
    return 0;
}

int CUGCtrl::GotoCell(int column, int row)
{
    CUGGridInfo* gi = m_gi;
    if (column < 0 || column >= gi->m_numberCols || row < 0 || row >= gi->m_numberRows)
        return 1;
    if (column == gi->m_dragCol && row == gi->m_dragRow) {
        // A Ctrl+click on the current cell toggles it, as on any other cell.
        const bool ctrlClick = gi->m_moveKeyState == 1 && (gi->m_moveKeyFlags & CUGMultiSelect::kCtrl);
        if ((IsShiftHeld() || ctrlClick) && gi->m_moveType >= 1) {
            gi->m_multiSelect->OnClick(column, row, gi->m_moveKeyFlags);
            RedrawAll();
        }
        return 0;
    }
    if (gi->m_enableJoins)
        GetJoinedBlockStart(&column, &row, nullptr);
    return moveTo(column, row, true);
}

void CUGCtrl::restoreSelectionOrigin()
{
    CUGGridInfo* gi = m_gi;
    if (gi->m_moveKeyState != 0 || IsShiftHeld() || IsCtrlHeld())
        return;
    int c = 0, r = 0;
    if (gi->m_multiSelect->GetOrigin(&c, &r) == 0) {
        gi->m_currentCol = c;
        gi->m_currentRow = r;
    }
}

int CUGCtrl::clampRow(int row, int* clamped)
{
    CUGGridInfo* gi = m_gi;
    if (row >= gi->m_numberRows) {
        int added = 0;
        const int needed = row - gi->m_numberRows + 1;
        GetCurrentDataSource()->OnRowsNeeded(gi->m_numberRows, needed, &added);
        OnRowsNeeded(gi->m_numberRows, needed, &added);
        if (row >= gi->m_numberRows) {
            if (gi->m_dragRow == gi->m_numberRows - 1)
                return 1;
            row = gi->m_numberRows - 1;
        }
    }
    *clamped = std::max(0, row);
    return 0;
}

int CUGCtrl::clampColumn(int column, int* clamped)
{
    CUGGridInfo* gi = m_gi;
    if (column >= gi->m_numberCols) {
        if (gi->m_dragCol == gi->m_numberCols - 1)
            return 1;
        column = gi->m_numberCols - 1;
    }
    *clamped = std::max(0, column);
    return 0;
}

int CUGCtrl::GotoRow(int row)
{
    CUGGridInfo* gi = m_gi;
    restoreSelectionOrigin();
    if (row == gi->m_dragRow || gi->m_numberRows <= 0)
        return 0;
    const bool down = row > gi->m_dragRow;
    const bool aboveTheFirst = row < 0;
    if (clampRow(row, &row) != 0)
        return 1;
    if (row == gi->m_dragRow)
        return 0;
    // A step up from no current row would land on the first row; when
    // that is a new-row line there is no row to go to.
    if (aboveTheFirst && isNewRowLine(row))
        return 1;
    const int column = std::max(0, gi->m_dragCol);
    if (gi->m_enableJoins) {
        int c = column, r = row, ec = 0, er = 0;
        if (GetJoinedBlockRange(&c, &r, &ec, &er) == 0 && r != row) {
            // Down moves land past the block, up moves on its first row.
            row = down ? std::min(er + 1, gi->m_numberRows - 1) : r;
        }
    }
    return moveTo(column, row, false);
}

int CUGCtrl::GotoColumn(int column)
{
    CUGGridInfo* gi = m_gi;
    restoreSelectionOrigin();
    if (column == gi->m_dragCol || gi->m_numberCols <= 0)
        return 0;
    if (clampColumn(column, &column) != 0)
        return 1;
    if (column == gi->m_dragCol)
        return 0;
    // Without a current row a column move lands on the first row, but
    // never on a new-row line: a sideways step makes no row.
    const int row = std::max(0, gi->m_dragRow);
    if (row != gi->m_dragRow && isNewRowLine(row))
        return 1;
    return moveTo(column, row, false);
}

int CUGCtrl::ScrollToRow(int row)
{
    CUGGridInfo* gi = m_gi;
    row = std::max(std::min(row, gi->m_maxTopRow), gi->m_numLockRows);
    if (row == gi->m_topRow)
        return 0;
    if (!AllowViewScroll(gi->m_leftCol, gi->m_topRow, gi->m_leftCol, row))
        return 2;
    gi->m_topRow = row;
    commitMove();
    return 0;
}

int CUGCtrl::ScrollToColumn(int column)
{
    CUGGridInfo* gi = m_gi;
    column = std::max(std::min(column, gi->m_maxLeftCol), gi->m_numLockCols);
    if (column == gi->m_leftCol)
        return 0;
    if (!AllowViewScroll(gi->m_leftCol, gi->m_topRow, column, gi->m_topRow))
        return 2;
    gi->m_leftCol = column;
    commitMove();
    return 0;
}

// The first row, going from start in the direction (1 or -1), that no
// longer fits into the scrolled part of the window; rows outside the grid
// count with the default height.
int CUGCtrl::pageRowsFrom(int start, int direction) const
{
    int remainder = m_gi->m_gridHeight - m_gi->m_lockRowHeight;
    int r = start;
    for (int guard = 0; guard < 1000000; ++guard) {
        const bool inside = r >= 0 && r < m_gi->m_numberRows;
        remainder -= inside ? GetRowHeight(r) : m_gi->m_defRowHeight;
        if (remainder < 0 || (!inside && m_gi->m_defRowHeight <= 0))
            break;
        r += direction;
    }
    return r;
}

int CUGCtrl::pageColumnsFrom(int start, int direction) const
{
    int remainder = m_gi->m_gridWidth - m_gi->m_lockColWidth;
    int c = start;
    for (int guard = 0; guard < 1000000; ++guard) {
        const bool inside = c >= 0 && c < m_gi->m_numberCols;
        remainder -= inside ? m_gi->m_colInfo[c].width : m_gi->m_defColWidth;
        if (remainder < 0 || (!inside && m_gi->m_defColWidth <= 0))
            break;
        c += direction;
    }
    return c;
}

// Paging and jumping land no lower than the last paging row, and from
// below it stay put: only a deliberate step reaches a new-row line (on an
// empty list even the first row is one). Without such a line the target is
// left alone, rows past the end included, so a source can still be asked
// for more rows.
int CUGCtrl::stopAtLastPagingRow(int row)
{
    if (!isNewRowLine(row))
        return row;
    return std::max(GetLastPagingRow(), m_gi->m_dragRow);
}

bool CUGCtrl::isNewRowLine(int row)
{
    const int last = GetLastPagingRow();
    return last < m_gi->m_numberRows - 1 && row > last;
}

int CUGCtrl::StepCurrentRow(int action)
{
    CUGGridInfo* gi = m_gi;
    switch (action) {
    case 0: return GotoRow(gi->m_dragRow - 1);
    case 1: return GotoRow(gi->m_dragRow + 1);
    case 2: return GotoRow(stopAtLastPagingRow(std::max(0, pageRowsFrom(gi->m_dragRow, -1))));
    case 3: return GotoRow(stopAtLastPagingRow(pageRowsFrom(gi->m_dragRow, 1)));
    case 4: return GotoRow(stopAtLastPagingRow(0));
    case 5: return GotoRow(stopAtLastPagingRow(gi->m_numberRows - 1));
    default: return 0;
    }
}

int CUGCtrl::StepCurrentColumn(int action)
{
    CUGGridInfo* gi = m_gi;
    switch (action) {
    case 0: return GotoColumn(gi->m_dragCol - 1);
    case 1: return GotoColumn(gi->m_dragCol + 1);
    case 2: return GotoColumn(std::max(0, pageColumnsFrom(gi->m_dragCol, -1)));
    case 3: return GotoColumn(pageColumnsFrom(gi->m_dragCol, 1));
    case 4: return GotoColumn(0);
    case 5: return GotoColumn(gi->m_numberCols - 1);
    default: return 0;
    }
}

int CUGCtrl::StepTopRow(int action)
{
    CUGGridInfo* gi = m_gi;
    switch (action) {
    case 0: return ScrollToRow(gi->m_topRow - 1);
    case 1: return ScrollToRow(gi->m_topRow + 1);
    case 2: return ScrollToRow(pageRowsFrom(gi->m_topRow - 1, -1) + 1);
    case 3: return ScrollToRow(pageRowsFrom(gi->m_topRow, 1));
    case 4: return ScrollToRow(gi->m_numLockRows);
    case 5: return ScrollToRow(gi->m_maxTopRow);
    default: return 0;
    }
}

int CUGCtrl::StepLeftColumn(int action)
{
    CUGGridInfo* gi = m_gi;
    if (gi->m_numberCols <= 0)
        return 1;
    switch (action) {
    case 0: return ScrollToColumn(gi->m_leftCol - 1);
    case 1: return ScrollToColumn(gi->m_leftCol + 1);
    case 2: return ScrollToColumn(pageColumnsFrom(gi->m_leftCol - 1, -1) + 1);
    case 3: return ScrollToColumn(pageColumnsFrom(gi->m_leftCol, 1));
    case 4: return ScrollToColumn(gi->m_numLockCols);
    case 5: return ScrollToColumn(gi->m_maxLeftCol);
    default: return 0;
    }
}

void CUGCtrl::RecalcVisibleRange()
{
    CUGGridInfo* gi = m_gi;
    gi->m_rightCol = gi->m_numberCols;
    int x = gi->m_lockColWidth;
    for (int c = gi->m_leftCol; c < gi->m_numberCols; ++c) {
        x += gi->m_colInfo[c].width;
        if (x > gi->m_gridWidth) {
            gi->m_rightCol = c;
            break;
        }
    }
    gi->m_bottomRow = gi->m_numberRows;
    int y = gi->m_lockRowHeight;
    for (int r = gi->m_topRow; r < gi->m_numberRows; ++r) {
        y += GetRowHeight(r);
        if (y > gi->m_gridHeight) {
            gi->m_bottomRow = r;
            break;
        }
    }
}

// The tracking window follows the current cell: beside it in mode 1, and
// moved off it (right, below, left or above, whichever stays on the screen)
// whenever it would cover it.
void CUGCtrl::placeTrackingWindow()
{
    if (!m_trackingWindow || m_gi->m_currentCol < 0 || m_gi->m_currentRow < 0)
        return;
    int column = m_gi->m_currentCol, row = m_gi->m_currentRow;
    Rect cell;
    if (GetCellRectangle(&column, &row, &cell) != 0)
        return;
    const QRect cellOnScreen(m_CUGGrid->mapToGlobal(QPoint(cell.left, cell.top)), QSize(cell.Width(), cell.Height()));
    QWidget* parent = m_trackingWindow->isWindow() ? nullptr : m_trackingWindow->parentWidget();
    const QRect old(parent ? parent->mapToGlobal(m_trackingWindow->pos()) : m_trackingWindow->pos(),
                    m_trackingWindow->size());
    QRect target = old;
    bool placed = false;
    if (m_gi->m_trackingPlacement == 1) {
        target.moveTopLeft(QPoint(cellOnScreen.right() + 1 + 30, cellOnScreen.top()));
        placed = true;
    }
    if (target.intersects(cellOnScreen)) {
        const QScreen* screen = m_CUGGrid->screen();
        const QRect desk = screen ? screen->availableGeometry() : QRect();
        QRect candidates[4] = {target, target, target, target};
        candidates[0].moveLeft(cellOnScreen.right() + 1 + 5);
        candidates[1].moveTop(cellOnScreen.bottom() + 1 + 5);
        candidates[2].moveRight(cellOnScreen.left() - 1 - 5);
        candidates[3].moveBottom(cellOnScreen.top() - 1 - 5);
        bool fits = false;
        for (const QRect& candidate : candidates) {
            if (desk.contains(candidate)) {
                target = candidate;
                fits = true;
                break;
            }
        }
        if (!fits && !placed)
            return;
    }
    Rect from(old.left(), old.top(), old.left() + old.width(), old.top() + old.height());
    Rect to(target.left(), target.top(), target.left() + target.width(), target.top() + target.height());
    OnTrackingWindowMoved(&from, &to);
    const QPoint topLeft(to.left, to.top);
    m_trackingWindow->move(parent ? parent->mapFromGlobal(topLeft) : topLeft);
    RedrawAll();
}

int CUGCtrl::ResetCurrentCell()
{
    m_gi->m_currentCol = m_gi->m_currentRow = -1;
    m_gi->m_lastCol = m_gi->m_lastRow = -1;
    m_gi->m_dragCol = m_gi->m_dragRow = -1;
    return 0;
}

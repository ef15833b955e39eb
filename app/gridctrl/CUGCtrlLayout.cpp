// Creation, counts, locked regions, the layout pass that places the child
// windows, cell geometry and column fitting.
#include "gridctrl/CUGCtrl.h"
#include "gridctrl/PaintHelpers.h"

#include "gridctrl/CUGDataSource.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGHeadings.h"
#include "gridctrl/CUGMultiSelect.h"
#include "gridctrl/CUGScrollBars.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

} // namespace

// ---- creation ------------------------------------------------------------------

int CUGCtrl::CreateGrid(unsigned, const Rect& rect, QWidget* parent, int id)
{
    setParent(parent);
    setGeometry(gridctrl::ToQRect(rect));
    setProperty("gridId", id);
    OnGridSetup();
    OnSheetInit(0);
    m_gi->m_paintMode = true;
    LayoutChildren();
    return 1;
}

int CUGCtrl::AttachGrid(QWidget* placeholder)
{
    if (!placeholder)
        return 0;
    setParent(placeholder->parentWidget());
    setGeometry(placeholder->geometry());
    placeholder->hide();
    // The dialog's font becomes the cells' font, a heavier one the headings'.
    const QFont dialogFont = placeholder->font();
    const int height = dialogFont.pixelSize() > 0 ? -dialogFont.pixelSize() : -QFontInfo(dialogFont).pixelSize();
    const int weight = dialogFont.weight();
    const int normal = AddFont(height, 0, 0, 0, weight, dialogFont.italic(), false, false, 0, 0, 0, 0, 0,
                               dialogFont.family());
    SetDefaultFont(GetFont(normal));
    const int bold = AddFont(height, 0, 0, 0, weight + 200, dialogFont.italic(), false, false, 0, 0, 0, 0, 0,
                             dialogFont.family());
    m_gi->m_hdgDefault.SetFont(GetFont(bold));
    OnGridSetup();
    OnSheetInit(0);
    m_gi->m_paintMode = true;
    LayoutChildren();
    show();
    return 1;
}

int CUGCtrl::EnablePainting(bool on)
{
    m_gi->m_paintMode = on;
    if (on)
        LayoutChildren();
    return 0;
}

// ---- counts and locked regions ------------------------------------------------------

int CUGCtrl::SetColumnCount(int count, int redraw)
{
    if (count < 0 || count > 32000)
        return 1;
    // No locked width may read a column that is gone (a count of 0 too).
    if (m_gi->m_numLockCols >= count)
        m_gi->m_numLockCols = count > 0 ? count - 1 : 0;
    auto& columns = m_gi->m_colInfo;
    if (count < static_cast<int>(columns.size()))
        columns.resize(count);
    for (int i = static_cast<int>(columns.size()); i < count; ++i)
        columns.push_back(makeColumn(i));
    m_gi->m_numberCols = count;
    RecalcLargestLeftColumn();
    if (m_gi->m_currentCol >= count) {
        m_gi->m_currentCol = count - 1;
        m_gi->m_dragCol = count - 1;
    }
    if (m_gi->m_lastCol >= count)
        m_gi->m_lastCol = count - 1;
    recalcLockedColumnWidth();
    if (m_gi->m_currentCol < 0 && count > 0)
        GotoColumn(0);
    if (redraw && m_redrawFlag)
        LayoutChildren();
    return 0;
}

int CUGCtrl::SetRowCount(int count, int redraw)
{
    if (count < 0)
        return 1;
    if (m_gi->m_numLockRows >= count)
        m_gi->m_numLockRows = count > 0 ? count - 1 : 0;
    if (count >= 64001)
        UseUniformRowHeights(true);
    if (!m_gi->m_uniformRowHeight)
        m_gi->m_rowHeights.resize(count, m_gi->m_defRowHeight);
    m_gi->m_numberRows = count;
    const int oldTop = m_gi->m_topRow;
    RecalcLargestTopRow();
    if (m_gi->m_currentRow >= count) {
        m_gi->m_currentRow = count - 1;
        m_gi->m_lastRow = count - 1;
        m_gi->m_dragRow = count - 1;
    }
    if (m_gi->m_dragRow >= count)
        m_gi->m_dragRow = count - 1;
    recalcLockedRowHeight();
    if (m_gi->m_topRow != oldTop)
        commitMove();
    if (m_gi->m_currentRow < 0 && count > 0)
        GotoRow(0);
    if (redraw && m_redrawFlag)
        LayoutChildren();
    return 0;
}

int CUGCtrl::SetLockedColumns(int count)
{
    if (count < 0 || count > m_gi->m_numberCols)
        return 1;
    if (count == m_gi->m_numLockCols)
        return 0;
    m_gi->m_numLockCols = count;
    recalcLockedColumnWidth();
    m_gi->m_leftCol = count;
    m_gi->m_lastLeftCol = count;
    RecalcLargestLeftColumn();
    return 0;
}

int CUGCtrl::SetLockedRows(int count)
{
    if (count < 0 || count > m_gi->m_numberRows)
        return 1;
    if (count == m_gi->m_numLockRows)
        return 0;
    m_gi->m_numLockRows = count;
    recalcLockedRowHeight();
    m_gi->m_topRow = count;
    m_gi->m_lastTopRow = count;
    RecalcLargestTopRow();
    return 0;
}

int CUGCtrl::AppendRow()
{
    const int result = GetCurrentDataSource()->AppendRow();
    if (result == 0)
        SetRowCount(m_gi->m_numberRows + 1, 1);
    return result;
}

int CUGCtrl::DeleteRow(int row)
{
    if (row < 0 || row >= m_gi->m_numberRows)
        return 1;
    const int result = GetCurrentDataSource()->DeleteRow(row);
    if (result == 0)
        SetRowCount(m_gi->m_numberRows - 1, 1);
    return result;
}

void CUGCtrl::RecalcLargestLeftColumn()
{
    CUGGridInfo* gi = m_gi;
    int remainder = gi->m_gridWidth - gi->m_lockColWidth;
    int largest = gi->m_numLockCols;
    for (int c = gi->m_numberCols - 1; c >= gi->m_numLockCols; --c) {
        remainder -= gi->m_colInfo[c].width;
        if (remainder < 0) {
            largest = c + 1;
            break;
        }
    }
    gi->m_maxLeftCol = std::max(gi->m_numLockCols, std::min(largest, gi->m_numberCols - 1));
    gi->m_leftCol = std::clamp(gi->m_leftCol, gi->m_numLockCols, std::max(gi->m_numLockCols, gi->m_maxLeftCol));
}

void CUGCtrl::RecalcLargestTopRow()
{
    CUGGridInfo* gi = m_gi;
    const int old = gi->m_maxTopRow;
    int remainder = gi->m_gridHeight - gi->m_lockRowHeight;
    int largest = gi->m_numLockRows;
    for (int r = gi->m_numberRows - 1; r >= gi->m_numLockRows; --r) {
        remainder -= GetRowHeight(r);
        if (remainder < 0) {
            largest = r + 1;
            break;
        }
    }
    gi->m_maxTopRow = std::max(gi->m_numLockRows, std::min(largest, gi->m_numberRows - 1));
    gi->m_topRow = std::clamp(gi->m_topRow, gi->m_numLockRows, std::max(gi->m_numLockRows, gi->m_maxTopRow));
    // Scroll bars appear or disappear.
    if ((old == 0) != (gi->m_maxTopRow == 0) && gi->m_paintMode)
        LayoutChildren();
}

// ---- the layout pass -----------------------------------------------------------

void CUGCtrl::LayoutChildren()
{
    CUGGridInfo* gi = m_gi;
    const int w = width();
    const int h = height();
    int availableWidth = w - gi->m_sideHdgWidth;
    int availableHeight = h - gi->m_topHdgHeight;
    long long columnsWidth = 0;
    for (int c = 0; c < gi->m_numberCols && columnsWidth <= availableWidth; ++c)
        columnsWidth += gi->m_colInfo[c].width;
    long long rowsHeight = 0;
    for (int r = 0; r < gi->m_numberRows && rowsHeight <= availableHeight; ++r)
        rowsHeight += GetRowHeight(r);

    int hBar = gi->m_hScrollHeight;
    int vBar = gi->m_vScrollWidth;
    int tab = gi->m_tabWidth;
    bool hNeeded = false;
    if (tab > 0 || columnsWidth > availableWidth) {
        availableHeight -= hBar;
        hNeeded = true;
    }
    const bool vNeeded = rowsHeight > availableHeight;
    if (vNeeded)
        availableWidth -= vBar;
    hNeeded = columnsWidth > availableWidth || tab > 0;
    if (!hNeeded)
        hBar = 0;
    if (!vNeeded)
        vBar = 0;
    if (!hNeeded && !vNeeded && tab > 0)
        tab = w + 6;
    else if (tab >= 1)
        tab = std::min(tab, availableWidth - vBar);

    Rect corner(0, 0, gi->m_sideHdgWidth, gi->m_topHdgHeight);
    Rect top(gi->m_sideHdgWidth, 0, w - vBar, gi->m_topHdgHeight);
    Rect side(0, gi->m_topHdgHeight, gi->m_sideHdgWidth, h - hBar);
    Rect grid(gi->m_sideHdgWidth, gi->m_topHdgHeight, w - vBar, h - hBar);
    Rect vScroll(w - vBar, 0, w, h - hBar);
    Rect hScroll(tab, h - hBar, w - vBar, h);
    Rect tabRect(0, h - hBar, tab, h);
    OnLayoutRects(&grid, &top, &side, &corner, &vScroll, &hScroll, &tabRect);
    gi->m_gridRect = grid;
    gi->m_topHdgRect = top;
    gi->m_sideHdgRect = side;
    gi->m_cnrBtnRect = corner;
    gi->m_vScrollRect = vScroll;
    gi->m_hScrollRect = hScroll;
    gi->m_tabRect = tabRect;
    gi->m_gridWidth = std::max(0, grid.Width());
    gi->m_gridHeight = std::max(0, grid.Height());

    if (gi->m_paintMode) {
        m_CUGCnrBtn->setGeometry(gridctrl::ToQRect(corner));
        m_CUGTopHdg->setGeometry(gridctrl::ToQRect(top));
        m_CUGSideHdg->setGeometry(gridctrl::ToQRect(side));
        m_CUGGrid->setGeometry(gridctrl::ToQRect(grid));
        m_CUGVScroll->setGeometry(gridctrl::ToQRect(vScroll));
        m_CUGHScroll->setGeometry(gridctrl::ToQRect(hScroll));
        m_CUGTab->setGeometry(gridctrl::ToQRect(tabRect));
        m_CUGVScroll->setVisible(vBar > 0);
        m_CUGHScroll->setVisible(hBar > 0);
        m_CUGTopHdg->FitRows();
        m_CUGSideHdg->FitColumns();
        RecalcLargestLeftColumn();
        // May run this pass once more when the scroll bars come or go.
        RecalcLargestTopRow();
        RecalcVisibleRange();
        m_CUGVScroll->Update();
        m_CUGHScroll->Update();
        m_CUGTab->Refresh();
        if (m_redrawFlag)
            RedrawAll();
    }
    gi->m_lastTopRow = gi->m_topRow;
    gi->m_lastLeftCol = gi->m_leftCol;
}

int CUGCtrl::SetVerticalScrollMode(int mode)
{
    m_gi->m_vScrollMode = mode;
    m_CUGVScroll->Update();
    return 0;
}

int CUGCtrl::RedrawAll()
{
    if (!m_redrawFlag)
        return 0;
    m_CUGGrid->DrawHints().AddRange(0, 0, m_gi->m_numberCols - 1, m_gi->m_numberRows - 1);
    m_CUGGrid->update();
    m_CUGCnrBtn->update();
    m_CUGVScroll->Update();
    m_CUGHScroll->Update();
    m_CUGTab->Refresh();
    m_CUGTopHdg->update();
    m_CUGSideHdg->update();
    return 0;
}

int CUGCtrl::RedrawCell(int column, int row)
{
    if (column < 0)
        m_CUGSideHdg->update();
    else if (row < 0)
        m_CUGTopHdg->update();
    else
        m_CUGGrid->RepaintCell(column, row);
    return 0;
}

int CUGCtrl::RedrawRow(int row)
{
    m_CUGGrid->RepaintRow(row);
    return 0;
}

void CUGCtrl::QueueCellRepaint(int column, int row)
{
    m_CUGGrid->DrawHints().AddCell(column, row);
}

void CUGCtrl::QueueRangeRepaint(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    m_CUGGrid->DrawHints().AddRange(firstColumn, firstRow, lastColumn, lastRow);
    m_CUGGrid->update();
}

// ---- window messages ---------------------------------------------------------------

void CUGCtrl::resizeEvent(QResizeEvent*)
{
    const bool redraw = m_redrawFlag;
    m_redrawFlag = false;
    LayoutChildren();
    m_redrawFlag = redraw;
    RedrawAll();
}

void CUGCtrl::paintEvent(QPaintEvent*)
{
    if (!m_gi->m_paintMode)
        return;
    // The small square between the two scroll bars.
    QPainter painter(this);
    const QRect square(m_gi->m_vScrollRect.left, m_gi->m_hScrollRect.top, m_gi->m_vScrollRect.Width(),
                       m_gi->m_hScrollRect.Height());
    painter.fillRect(square, platform::ToQColor(platform::SystemColorRef(platform::SystemColor::ButtonFace)));
}

void CUGCtrl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange) {
        for (int i = 0; i < m_cellTypes.GetCapacity(); ++i)
            if (auto* type = static_cast<CUGCellType*>(m_cellTypes.GetAt(i)))
                type->OnSystemColorsChanged();
        m_gi->m_hdgDefault.SetBackColor(platform::SystemColorRef(platform::SystemColor::ButtonFace));
    }
    QWidget::changeEvent(event);
}

// ---- geometry -------------------------------------------------------------------

int CUGCtrl::columnX(int column) const
{
    const CUGGridInfo* gi = m_gi;
    if (column < gi->m_numLockCols) {
        int x = 0;
        for (int c = 0; c < column; ++c)
            x += gi->m_colInfo[c].width;
        return x;
    }
    int x = gi->m_lockColWidth;
    if (column >= gi->m_leftCol) {
        for (int c = gi->m_leftCol; c < column; ++c)
            x += gi->m_colInfo[c].width;
    } else {
        for (int c = column; c < gi->m_leftCol; ++c)
            x -= gi->m_colInfo[c].width;
    }
    return x;
}

int CUGCtrl::rowY(int row) const
{
    const CUGGridInfo* gi = m_gi;
    if (row < gi->m_numLockRows) {
        int y = 0;
        for (int r = 0; r < row; ++r)
            y += GetRowHeight(r);
        return y;
    }
    int y = gi->m_lockRowHeight;
    if (row >= gi->m_topRow) {
        if (gi->m_uniformRowHeight)
            return y + (row - gi->m_topRow) * gi->m_defRowHeight;
        for (int r = gi->m_topRow; r < row; ++r)
            y += GetRowHeight(r);
    } else {
        for (int r = row; r < gi->m_topRow; ++r)
            y -= GetRowHeight(r);
    }
    return y;
}

int CUGCtrl::GetCellRectangle(int* column, int* row, Rect* rect)
{
    int endColumn = *column, endRow = *row;
    if (m_gi->m_enableJoins && *column >= 0 && *row >= 0)
        GetJoinedBlockRange(column, row, &endColumn, &endRow);
    if (*column >= m_gi->m_numberCols || *row >= m_gi->m_numberRows)
        return 1;
    int left = 0, right = 0, top = 0, bottom = 0;
    if (*column < 0) {
        // Side-heading columns, counted from the grid side.
        right = m_gi->m_sideHdgWidth;
        for (int c = -1; c > *column; --c)
            right -= GetColumnWidth(c);
        left = right - GetColumnWidth(*column);
    } else {
        left = columnX(*column);
        right = columnX(endColumn) + m_gi->m_colInfo[endColumn].width;
    }
    if (*row < 0) {
        bottom = m_gi->m_topHdgHeight;
        for (int r = -1; r > *row; --r)
            bottom -= GetRowHeight(r);
        top = bottom - GetRowHeight(*row);
    } else {
        top = rowY(*row);
        bottom = rowY(endRow) + GetRowHeight(endRow);
    }
    *rect = Rect(left, top, right, bottom);
    return 0;
}

int CUGCtrl::CellAtPoint(int x, int y, int* column, int* row, Rect* rect)
{
    const CUGGridInfo* gi = m_gi;
    if (x < 0 || y < 0 || x >= gi->m_gridWidth || y >= gi->m_gridHeight)
        return 1;
    int foundColumn = -1, left = 0, sum = 0;
    for (int c = 0; c < gi->m_numberCols; ++c) {
        if (c == gi->m_numLockCols && c < gi->m_leftCol)
            c = gi->m_leftCol;
        if (c >= gi->m_numberCols)
            break;
        left = sum;
        sum += gi->m_colInfo[c].width;
        if (sum > x) {
            foundColumn = c;
            break;
        }
    }
    int foundRow = -1, top = 0;
    sum = 0;
    for (int r = 0; r < gi->m_numberRows; ++r) {
        if (r == gi->m_numLockRows && r < gi->m_topRow)
            r = gi->m_topRow;
        if (r >= gi->m_numberRows)
            break;
        top = sum;
        sum += GetRowHeight(r);
        if (sum > y) {
            foundRow = r;
            break;
        }
        if (sum > gi->m_gridHeight)
            break;
    }
    if (foundColumn < 0 || foundRow < 0)
        return 1;
    *column = foundColumn;
    *row = foundRow;
    Rect cell(left, top, left + gi->m_colInfo[foundColumn].width, top + GetRowHeight(foundRow));
    if (gi->m_enableJoins) {
        int c = foundColumn, r = foundRow, ec = c, er = r;
        if (GetJoinedBlockRange(&c, &r, &ec, &er) == 0) {
            *column = c;
            *row = r;
            GetCellRectangle(&c, &r, &cell);
        }
    }
    if (rect)
        *rect = cell;
    return 0;
}

int CUGCtrl::GetRangeRectangle(int firstColumn, int firstRow, int lastColumn, int lastRow, Rect* rect)
{
    const CUGGridInfo* gi = m_gi;
    Rect result(-10, -10, gi->m_gridWidth + 10, gi->m_gridHeight + 10);
    auto columnShown = [&](int c) {
        return c >= 0 && c < gi->m_numberCols && (c < gi->m_numLockCols || (c >= gi->m_leftCol && c <= gi->m_rightCol));
    };
    auto rowShown = [&](int r) {
        return r >= 0 && r < gi->m_numberRows && (r < gi->m_numLockRows || (r >= gi->m_topRow && r <= gi->m_bottomRow));
    };
    if (columnShown(firstColumn))
        result.left = columnX(firstColumn);
    if (columnShown(lastColumn))
        result.right = columnX(lastColumn) + gi->m_colInfo[lastColumn].width;
    if (rowShown(firstRow))
        result.top = rowY(firstRow);
    if (rowShown(lastRow))
        result.bottom = rowY(lastRow) + GetRowHeight(lastRow);
    *rect = result;
    return 0;
}

// ---- fitting columns ----------------------------------------------------------------

int CUGCtrl::FitColumnsToWindow(int firstColumn, int lastColumn)
{
    if (firstColumn < 0 || lastColumn >= m_gi->m_numberCols || firstColumn > lastColumn)
        return 1;
    long long sum = 0;
    for (int c = firstColumn; c <= lastColumn; ++c)
        sum += m_gi->m_colInfo[c].width;
    // Nothing to scale from: the widths stay.
    if (sum <= 0)
        return 0;
    const bool painting = m_gi->m_paintMode;
    m_gi->m_paintMode = true;
    const double ratio = static_cast<double>(m_gi->m_gridWidth) / static_cast<double>(sum);
    int used = 0;
    for (int c = firstColumn; c < lastColumn; ++c) {
        const int width = static_cast<int>(m_gi->m_colInfo[c].width * ratio);
        SetColumnWidth(c, width);
        used += width;
    }
    SetColumnWidth(lastColumn, m_gi->m_gridWidth - used);
    m_gi->m_paintMode = painting;
    if (m_redrawFlag)
        RedrawAll();
    return 0;
}

int CUGCtrl::FitColumnsToContent(int firstColumn, int lastColumn, int rowsToExamine, int flags)
{
    if (firstColumn < -m_gi->m_numberSideHdgCols)
        return 1;
    if (lastColumn >= m_gi->m_numberCols)
        return 2;
    if (firstColumn > lastColumn)
        return 3;
    std::vector<int> widths(lastColumn - firstColumn + 1, 3);
    const int firstRow = (flags & 1) ? -m_gi->m_numberTopHdgRows : 0;
    int examined = 0;
    for (int r = firstRow; r < m_gi->m_numberRows; ++r) {
        if (r >= 0 && r == m_gi->m_numLockRows && r < m_gi->m_topRow)
            r = m_gi->m_topRow;
        if (r >= m_gi->m_numberRows || (rowsToExamine > 0 && examined >= rowsToExamine))
            break;
        ++examined;
        for (int c = firstColumn; c <= lastColumn; ++c) {
            CUGCell cell;
            GetCellWithDefaults(c, r, &cell);
            if (cell.IsPropertySet(CUGCell::kJoin))
                continue;
            QSize size;
            GetCellTypeByIndex(cell.IsPropertySet(CUGCell::kCellType) ? cell.GetCellType() : 0)
                ->GetBestSize(nullptr, &size, &cell);
            int& w = widths[c - firstColumn];
            w = std::max(w, size.width());
        }
    }
    const int largest = m_gi->m_gridWidth > 0 ? m_gi->m_gridWidth - m_gi->m_vScrollWidth : 300;
    int sideSum = 0;
    for (int c = firstColumn; c <= lastColumn; ++c) {
        int width = widths[c - firstColumn];
        width = width + 2 <= largest ? width + 2 : largest;
        for (int r = m_gi->m_topRow; r <= m_gi->m_bottomRow && r < m_gi->m_numberRows && c >= 0; ++r)
            GetCellTypeObject(c, r)->OnColumnWidthSet(c, r, &width);
        OnColumnWidthChange(c, &width);
        SetColumnWidth(c, width);
        if (c < 0)
            sideSum += width;
    }
    if (sideSum >= 1)
        m_gi->m_sideHdgWidth = sideSum;
    LayoutChildren();
    return 0;
}

#include "gridctrl/CUGHeadings.h"

#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGGrid.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kEdgeReach = 2; // an edge is hit from 2 pixels either side

platform::Point toPoint(const QPoint& p)
{
    return {p.x(), p.y()};
}

// The outermost heading row (column) takes what the others leave of the total.
int outermostSize(const std::vector<int>& sizes, int total)
{
    int others = 0;
    for (std::size_t i = 0; i + 1 < sizes.size(); ++i)
        others += sizes[i];
    return std::max(0, total - others);
}

// The heading row (column) whose outer edge lies at the coordinate, counted
// from the grid side where the first edge is the heading's total size; -1 when none.
int headingEdgeAt(const std::vector<int>& sizes, int total, int coordinate)
{
    int edge = total;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (std::abs(coordinate - edge) <= kEdgeReach)
            return static_cast<int>(i);
        edge -= sizes[i];
    }
    return -1;
}

void focusGridArea(CUGCtrl* ctrl)
{
    if (!ctrl->GetGridArea()->hasFocus())
        ctrl->GetGridArea()->setFocus(Qt::MouseFocusReason);
}

// Draws one heading cell through its type with the sheet's font.
void drawHeadingCell(CUGCtrl* ctrl, QPainter* painter, CUGCell& cell, const platform::Rect& rect, int column,
                     int row, int selected)
{
    ctrl->GetCellWithDefaults(column, row, &cell);
    CUGCellType* type = ctrl->GetCellTypeByIndex(cell.IsPropertySet(CUGCell::kCellType) ? cell.GetCellType() : -1);
    painter->save();
    type->Draw(painter, rect, column, row, &cell, selected, 0);
    painter->restore();
}

// Columns in display order: the locked ones, then from the left column.
template <typename Visit>
void forEachShownColumn(const CUGGridInfo* gi, Visit visit)
{
    int x = 0;
    for (int c = 0; c < gi->m_numberCols; ++c) {
        if (c == gi->m_numLockCols && c < gi->m_leftCol)
            c = gi->m_leftCol;
        if (c >= gi->m_numberCols)
            break;
        const int width = gi->m_colInfo[c].width;
        if (!visit(c, x, width))
            return;
        x += width;
    }
}

template <typename Visit>
void forEachShownRow(const CUGCtrl* ctrl, const CUGGridInfo* gi, Visit visit)
{
    int y = 0;
    for (int r = 0; r < gi->m_numberRows; ++r) {
        if (r == gi->m_numLockRows && r < gi->m_topRow)
            r = gi->m_topRow;
        if (r >= gi->m_numberRows)
            break;
        const int height = ctrl->GetRowHeight(r);
        if (!visit(r, y, height))
            return;
        y += height;
    }
}

} // namespace

// ---- top heading ------------------------------------------------------------------

CUGTopHdg::CUGTopHdg(CUGCtrl* ctrl)
    : QWidget(ctrl)
    , m_ctrl(ctrl)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_dragTimer.setInterval(CUGGrid::kAutoScrollInterval);
    connect(&m_dragTimer, &QTimer::timeout, this, &CUGTopHdg::OnColumnDragTimer);
}

void CUGTopHdg::FitRows()
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    const int n = gi->m_numberTopHdgRows;
    m_ctrl->SetTopHeadingRowHeight(-n, outermostSize(gi->m_topHdgHeights, gi->m_topHdgHeight));
    update();
}

void CUGTopHdg::RepaintIfScrolled()
{
    const CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (gi->m_leftCol != gi->m_lastLeftCol)
        update();
}

int CUGTopHdg::CellAtPoint(const QPoint& point, int* column, int* row, platform::Rect* rect) const
{
    const CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    *column = -1;
    *row = -1;
    int left = 0, right = 0;
    forEachShownColumn(gi, [&](int c, int x, int width) {
        if (x + width > point.x() && point.x() >= x) {
            *column = c;
            left = x;
            right = x + width;
            return false;
        }
        return true;
    });
    int y = 0;
    for (int i = gi->m_numberTopHdgRows - 1; i >= 0; --i) {
        const int height = gi->m_topHdgHeights[i];
        if (y + height > point.y() && point.y() >= y) {
            *row = ~i;
            if (rect)
                *rect = platform::Rect(left, y, right, y + height);
            break;
        }
        y += height;
    }
    if (*column < 0 || *row >= 0 || point.y() < 0) {
        *column = -1;
        *row = -1;
        return 1;
    }
    return 0;
}

int CUGTopHdg::GetCellRectangle(int column, int row, platform::Rect* rect) const
{
    const CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    int left = -1, right = -1;
    forEachShownColumn(gi, [&](int c, int x, int width) {
        if (c == column) {
            left = x;
            right = x + width;
            return false;
        }
        return true;
    });
    int bottom = gi->m_topHdgHeight;
    for (int r = -1; r > row; --r)
        bottom -= m_ctrl->GetRowHeight(r);
    if (left < 0 || row >= 0)
        return 1;
    *rect = platform::Rect(left, bottom - m_ctrl->GetRowHeight(row), right, bottom);
    return 0;
}

void CUGTopHdg::paintEvent(QPaintEvent*)
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (!gi->m_paintMode)
        return;
    const int n = gi->m_numberTopHdgRows;
    m_drawHint.AddRange(0, -n, gi->m_numberCols, 0);
    QPainter painter(this);
    m_ctrl->OnPaintArea(&painter, 0, CUGCtrl::kSectionTopHeading);
    if (gi->m_defFont)
        painter.setFont(*gi->m_defFont);
    int widest = 0;
    int y = 0;
    for (int i = n - 1; i >= 0; --i) {
        const int row = ~i;
        const int height = gi->m_topHdgHeights[i];
        int rowEnd = 0;
        forEachShownColumn(gi, [&](int c, int x, int width) {
            const platform::Rect rect(x, y, x + width, y + height);
            if (!rect.IsEmpty() && m_drawHint.IsInvalid(c, row))
                drawHeadingCell(m_ctrl, &painter, m_cell, rect, c, row, (c == m_dragCol && m_dropPos >= 0) ? 1 : 0);
            rowEnd = x + width;
            return rowEnd <= gi->m_gridWidth;
        });
        widest = std::max(widest, rowEnd);
        y += height;
    }
    if (widest < gi->m_gridWidth)
        painter.fillRect(QRect(widest, 0, width() - widest, gi->m_topHdgHeight),
                         platform::ToQColor(m_ctrl->GetBackgroundColor(CUGCtrl::kSectionTopHeading)));
    m_drawHint.Clear();
}

void CUGTopHdg::checkEdges(const QPoint& point)
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (gi->m_mouseSizingMode < 1)
        return;
    int hitColumn = -1, hitWidth = 0;
    bool passed = false;
    int previous = -1;
    forEachShownColumn(gi, [&](int c, int x, int width) {
        if (previous >= 0 && width == 0 && hitColumn == previous) {
            // A hidden column right of the edge: the edge pulls it open.
            hitColumn = c;
            hitWidth = 0;
            return false;
        }
        if (hitColumn >= 0)
            return false;
        const int edge = x + width;
        if (edge > gi->m_gridWidth) {
            passed = true;
            return false;
        }
        if (std::abs(point.x() - edge) <= kEdgeReach) {
            hitColumn = c;
            hitWidth = width;
        }
        previous = c;
        return true;
    });
    if (hitColumn >= 0 && !passed) {
        if (!m_ctrl->AllowColumnSizing(hitColumn))
            return;
        m_hover = true;
        m_kind = CUGSizingKind::ColumnWidth;
        m_index = hitColumn;
        m_startSize = hitWidth;
        m_startPos = point.x();
        setCursor(Qt::SplitHCursor);
        return;
    }
    if (const int i = headingEdgeAt(gi->m_topHdgHeights, gi->m_topHdgHeight, point.y()); i >= 0) {
        if (!m_ctrl->CanSizeTopHeading())
            return;
        m_hover = true;
        m_kind = CUGSizingKind::HeadingRowHeight;
        m_index = i;
        m_startSize = gi->m_topHdgHeights[i];
        m_startPos = point.y();
        m_startHeadingSize = gi->m_topHdgHeight;
        setCursor(Qt::SplitVCursor);
        return;
    }
    if (m_hover) {
        m_hover = false;
        setCursor(Qt::ArrowCursor);
    }
}

void CUGTopHdg::sizeTo(const QPoint& point)
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (m_kind == CUGSizingKind::ColumnWidth) {
        const int x = std::max(point.x(), m_startPos - m_startSize);
        int width = m_startSize + x - m_startPos;
        for (int r = gi->m_topRow; r < gi->m_bottomRow && r < gi->m_numberRows; ++r)
            m_ctrl->GetCellTypeObject(m_index, r)->OnColumnWidthDrag(m_index, r, &width);
        m_ctrl->OnColumnDragSize(m_index, &width);
        if (gi->m_mouseSizingMode == 1) {
            // Preview: a line over the grid area where the edge would go.
            platform::Rect rect;
            int left = 0;
            if (GetCellRectangle(m_index, -1, &rect) == 0)
                left = rect.left;
            const int old = m_previewX;
            m_previewX = left + std::max(0, width);
            m_ctrl->GetGridArea()->update(QRect(std::min(old, m_previewX) - 1, 0, std::abs(m_previewX - old) + 3,
                                                m_ctrl->GetGridArea()->height()));
            m_ctrl->GetGridArea()->update(QRect(old - 1, 0, 3, m_ctrl->GetGridArea()->height()));
            return;
        }
        m_ctrl->SetColumnWidth(m_index, std::max(0, width));
        m_ctrl->RedrawAll();
    } else if (m_kind == CUGSizingKind::HeadingRowHeight) {
        const int dy = point.y() - m_startPos;
        gi->m_topHdgHeights[m_index] = std::max(0, m_startSize + dy);
        int height = std::max(0, m_startHeadingSize + dy);
        if (m_ctrl->OnTopHeadingDragSize(&height) != 1)
            return;
        gi->m_topHdgHeight = height;
        m_ctrl->LayoutChildren();
    }
}

void CUGTopHdg::finishColumnSizing()
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    int width = m_ctrl->GetColumnWidth(m_index);
    if (gi->m_mouseSizingMode == 1 && m_previewX >= 0) {
        platform::Rect rect;
        if (GetCellRectangle(m_index, -1, &rect) == 0)
            width = std::max(0, m_previewX - rect.left);
    }
    const int before = m_ctrl->GetColumnWidth(m_index);
    for (int r = gi->m_topRow; r < gi->m_bottomRow && r < gi->m_numberRows; ++r)
        m_ctrl->GetCellTypeObject(m_index, r)->OnColumnWidthSet(m_index, r, &width);
    m_ctrl->OnColumnWidthChange(m_index, &width);
    if (width != before)
        m_ctrl->SetColumnWidth(m_index, width);
}

void CUGTopHdg::mousePressEvent(QMouseEvent* event)
{
    m_ctrl->SetKeyModifiers(event->modifiers());
    focusGridArea(m_ctrl);
    const QPoint pos = event->position().toPoint();
    int column = -1, row = -1;
    platform::Rect rect;
    const bool onCell = CellAtPoint(pos, &column, &row, &rect) == 0;
    if (event->button() == Qt::LeftButton) {
        if (m_hover) {
            m_sizing = true;
            return;
        }
        if (onCell) {
            if (m_ctrl->AllowColumnDrag(column))
                m_dragCol = column;
            const int result = m_ctrl->GetCellTypeObject(column, row)->OnLeftButton(column, row, 1, rect, toPoint(pos));
            m_ctrl->OnColumnHeadingClick(column, row, 1, rect, toPoint(pos), result);
        }
    } else if (event->button() == Qt::RightButton) {
        int result = 0;
        if (onCell)
            result = m_ctrl->GetCellTypeObject(column, row)->OnRightButton(column, row, 0, rect, toPoint(pos));
        m_ctrl->OnColumnHeadingRightClick(column, row, 1, rect, toPoint(pos), result);
        if (m_ctrl->GetSheetInfo()->m_menuEnabled)
            m_ctrl->ShowContextMenu(column, row, mapToGlobal(pos), CUGCtrl::kSectionTopHeading);
    }
}

void CUGTopHdg::mouseReleaseEvent(QMouseEvent* event)
{
    m_ctrl->SetKeyModifiers(event->modifiers());
    const QPoint pos = event->position().toPoint();
    int column = -1, row = -1;
    platform::Rect rect;
    const bool onCell = CellAtPoint(pos, &column, &row, &rect) == 0;
    if (event->button() == Qt::RightButton) {
        int result = 0;
        if (onCell)
            result = m_ctrl->GetCellTypeObject(column, row)->OnRightButton(column, row, 0, rect, toPoint(pos));
        m_ctrl->OnColumnHeadingRightClick(column, row, 0, rect, toPoint(pos), result);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (m_sizing) {
        if (m_kind == CUGSizingKind::ColumnWidth) {
            finishColumnSizing();
        } else {
            int height = m_ctrl->GetSheetInfo()->m_topHdgHeight;
            m_ctrl->OnTopHeadingResized(&height);
        }
        m_sizing = false;
        m_previewX = -1;
        m_ctrl->GetGridArea()->update();
        m_ctrl->LayoutChildren();
    } else if (onCell) {
        const int result = m_ctrl->GetCellTypeObject(column, row)->OnLeftButton(column, row, 0, rect, toPoint(pos));
        m_ctrl->OnColumnHeadingClick(column, row, 0, rect, toPoint(pos), result);
    }
    m_dragTimer.stop();
    if (m_dragCol >= 0 && m_ctrl->GetSheetInfo()->m_enableColMoving) {
        const int target = m_dragCol < m_dropPos ? m_dropPos - 1 : m_dropPos;
        if (m_ctrl->AllowColumnMove(m_dragCol, target)) {
            m_ctrl->MoveColumn(m_dragCol, m_dropPos, true);
            m_ctrl->OnColumnMoved(m_dragCol, target);
        }
        if (m_dropPos == -1) {
            update();
        } else {
            m_dropPos = -1;
            m_ctrl->RedrawAll();
        }
    }
    setMarker(-1);
    m_dragCol = -1;
    m_dropPos = -1;
}

void CUGTopHdg::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_hover && m_kind == CUGSizingKind::ColumnWidth) {
        const int column = m_index;
        m_ctrl->FitColumnsToContent(column, column, 20, 1);
        checkEdges(pos);
        m_index = column;
        finishColumnSizing();
        return;
    }
    int column = -1, row = -1;
    platform::Rect rect;
    if (CellAtPoint(pos, &column, &row, &rect) == 0) {
        const int result = m_ctrl->GetCellTypeObject(column, row)->OnDoubleClick(column, row, rect, toPoint(pos));
        m_ctrl->OnColumnHeadingDoubleClick(column, row, rect, toPoint(pos), result);
    }
}

void CUGTopHdg::mouseMoveEvent(QMouseEvent* event)
{
    m_ctrl->SetKeyModifiers(event->modifiers());
    const QPoint pos = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        checkEdges(pos);
        return;
    }
    if (m_sizing) {
        sizeTo(pos);
        return;
    }
    if (m_dragCol >= 0 && m_ctrl->GetSheetInfo()->m_enableColMoving)
        moveColumnDrag(pos);
}

void CUGTopHdg::setMarker(int x)
{
    QWidget* area = m_ctrl->GetGridArea();
    if (m_markerX >= 0)
        area->update(QRect(m_markerX - 1, 0, 4, area->height()));
    m_markerX = x;
    if (m_markerX >= 0)
        area->update(QRect(m_markerX - 1, 0, 4, area->height()));
}

void CUGTopHdg::moveColumnDrag(const QPoint& pos)
{
    const CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (pos.x() < 0 || pos.x() > gi->m_gridWidth) {
        setMarker(-1);
        m_dragDirection = pos.x() < 0 ? 0 : 1;
        m_ctrl->StepLeftColumn(m_dragDirection);
        if (!m_dragTimer.isActive())
            m_dragTimer.start();
        return;
    }
    m_dragTimer.stop();
    int column = -1, row = -1;
    platform::Rect rect;
    if (CellAtPoint(QPoint(pos.x(), 1), &column, &row, &rect) != 0)
        return;
    if (column == m_dragCol && m_dropPos < 0)
        return;
    const bool first = m_dropPos < 0;
    if (pos.x() - rect.left <= rect.Width() / 2) {
        m_dropPos = column;
        setMarker(rect.left);
    } else {
        m_dropPos = std::min(column + 1, gi->m_numberCols);
        setMarker(rect.right);
    }
    if (first)
        FitRows(); // the dragged column now draws as selected
}

void CUGTopHdg::OnColumnDragTimer()
{
    if (m_dragCol < 0) {
        m_dragTimer.stop();
        return;
    }
    m_ctrl->StepLeftColumn(m_dragDirection);
}

// ---- side heading -----------------------------------------------------------------

CUGSideHdg::CUGSideHdg(CUGCtrl* ctrl)
    : QWidget(ctrl)
    , m_ctrl(ctrl)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void CUGSideHdg::FitColumns()
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    const int n = gi->m_numberSideHdgCols;
    m_ctrl->SetSideHeadingColumnWidth(-n, outermostSize(gi->m_sideHdgWidths, gi->m_sideHdgWidth));
    update();
}

// Moves the image by the rows scrolled and repaints only the rows that came
// into view and the rows of the old and new current cells.
void CUGSideHdg::RepaintAfterScroll()
{
    const CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (gi->m_topRow == gi->m_lastTopRow && gi->m_currentRow == gi->m_lastRow)
        return;
    const int n = gi->m_numberSideHdgCols;
    int dy = 0;
    if (gi->m_lastTopRow >= 0 && gi->m_topRow > gi->m_lastTopRow) {
        for (int r = gi->m_lastTopRow; r < gi->m_topRow; ++r)
            dy += m_ctrl->GetRowHeight(r);
    } else if (gi->m_lastTopRow >= 0) {
        for (int r = gi->m_topRow; r < gi->m_lastTopRow; ++r)
            dy -= m_ctrl->GetRowHeight(r);
    }
    if (gi->m_lastTopRow < 0 || dy > gi->m_gridHeight || dy < -gi->m_gridHeight) {
        m_drawHint.MergeIntoFirst(-n, 0, 0, gi->m_numberRows);
        dy = 0;
        update();
    }
    if (dy != 0) {
        QRect area = rect();
        area.setTop(gi->m_lockRowHeight);
        scroll(0, -dy, area);
        if (dy > 0)
            m_drawHint.MergeIntoFirst(-n, m_lastRowPainted, 0, gi->m_numberRows);
        else
            m_drawHint.MergeIntoFirst(-n, 0, 0, gi->m_lastTopRow);
    }
    for (int row : {gi->m_lastRow, gi->m_currentRow}) {
        if (row < 0)
            continue;
        m_drawHint.AddRange(-n, row, 0, row);
        int c = -1, r = row;
        platform::Rect cell;
        if (m_ctrl->GetCellRectangle(&c, &r, &cell) == 0)
            update(QRect(0, cell.top, width(), cell.Height()));
    }
}

int CUGSideHdg::CellAtPoint(const QPoint& point, int* column, int* row, platform::Rect* rect) const
{
    const CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    *column = -1;
    *row = -1;
    int top = 0, bottom = 0;
    bool found = false;
    forEachShownRow(m_ctrl, gi, [&](int r, int y, int height) {
        if (y > gi->m_gridHeight)
            return false;
        if (y + height > point.y() && point.y() >= y) {
            *row = r;
            top = y;
            bottom = y + height;
            found = true;
            return false;
        }
        return true;
    });
    int x = 0;
    bool columnFound = false;
    for (int i = gi->m_numberSideHdgCols - 1; i >= 0; --i) {
        const int width = gi->m_sideHdgWidths[i];
        if (x + width > point.x() && point.x() >= x) {
            *column = ~i;
            columnFound = true;
            if (rect)
                *rect = platform::Rect(x, top, x + width, bottom);
            break;
        }
        x += width;
    }
    if (!found || !columnFound) {
        *column = -1;
        *row = -1;
        return 1;
    }
    return 0;
}

void CUGSideHdg::paintEvent(QPaintEvent*)
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    const int n = gi->m_numberSideHdgCols;
    // Every row the update region touches is drawn again.
    m_drawHint.AddRange(-n, 0, 0, gi->m_numberRows);
    QPainter painter(this);
    m_ctrl->OnPaintArea(&painter, 0, CUGCtrl::kSectionSideHeading);
    if (gi->m_defFont)
        painter.setFont(*gi->m_defFont);
    int end = 0;
    forEachShownRow(m_ctrl, gi, [&](int r, int y, int height) {
        if (height > 0) {
            int x = 0;
            for (int i = n - 1; i >= 0; --i) {
                const int width = gi->m_sideHdgWidths[i];
                const platform::Rect rect(x, y, x + width, y + height);
                if (!rect.IsEmpty() && m_drawHint.IsInvalid(~i, r))
                    drawHeadingCell(m_ctrl, &painter, m_cell, rect, ~i, r, 0);
                x += width;
            }
        }
        end = y + height;
        m_lastRowPainted = r;
        return end <= gi->m_gridHeight;
    });
    if (end < gi->m_gridHeight)
        painter.fillRect(QRect(0, end, gi->m_sideHdgWidth, gi->m_gridHeight - end),
                         platform::ToQColor(m_ctrl->GetBackgroundColor(CUGCtrl::kSectionSideHeading)));
    m_drawHint.Clear();
}

void CUGSideHdg::checkEdges(const QPoint& point)
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (gi->m_mouseSizingMode < 1)
        return;
    const bool wasHovering = m_hover;
    m_hover = false;
    if (const int i = headingEdgeAt(gi->m_sideHdgWidths, gi->m_sideHdgWidth, point.x());
        i >= 0 && m_ctrl->CanSizeSideHeading()) {
        m_hover = true;
        m_kind = CUGSizingKind::HeadingColumnWidth;
        m_index = i;
        m_startSize = gi->m_sideHdgWidths[i];
        m_startPos = point.x();
        m_startHeadingSize = gi->m_sideHdgWidth;
        setCursor(Qt::SplitHCursor);
        return;
    }
    int hitRow = -1, hitY = 0;
    int previous = -1;
    forEachShownRow(m_ctrl, gi, [&](int r, int y, int height) {
        if (hitRow >= 0) {
            if (r == previous + 1 && height == 0)
                hitRow = r; // a hidden row below the edge is pulled open
            return false;
        }
        const int bottom = y + height;
        if (bottom > gi->m_gridHeight)
            return false;
        if (std::abs(point.y() - bottom) <= kEdgeReach) {
            hitRow = r;
            hitY = bottom;
        }
        previous = r;
        return true;
    });
    (void)hitY;
    if (hitRow >= 0 && m_ctrl->AllowRowSizing(hitRow)) {
        m_hover = true;
        m_kind = CUGSizingKind::RowHeight;
        m_index = hitRow;
        m_startSize = m_ctrl->GetRowHeight(hitRow);
        m_startPos = point.y();
        m_uniformDivisor = (gi->m_uniformRowHeight && gi->m_defRowHeight > 0) ? point.y() / gi->m_defRowHeight : 0;
        setCursor(Qt::SplitVCursor);
        return;
    }
    if (wasHovering)
        setCursor(Qt::ArrowCursor);
}

void CUGSideHdg::sizeTo(const QPoint& point)
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (m_kind == CUGSizingKind::RowHeight) {
        int height = 0;
        if (gi->m_uniformRowHeight && m_uniformDivisor > 0)
            height = std::max(1, point.y()) / m_uniformDivisor;
        else
            height = std::max(0, m_startSize + point.y() - m_startPos);
        for (int c = gi->m_leftCol; c < gi->m_rightCol && c < gi->m_numberCols; ++c)
            m_ctrl->GetCellTypeObject(c, m_index)->OnRowHeightDrag(c, m_index, &height);
        m_ctrl->OnRowDragSize(m_index, &height);
        m_ctrl->SetRowHeight(m_index, height);
        m_ctrl->RedrawAll();
    } else {
        const int dx = point.x() - m_startPos;
        gi->m_sideHdgWidths[m_index] = std::max(0, m_startSize + dx);
        int width = std::max(0, m_startHeadingSize + dx);
        m_ctrl->OnSideHeadingDragSize(&width);
        gi->m_sideHdgWidth = width;
        m_ctrl->LayoutChildren();
    }
}

void CUGSideHdg::mousePressEvent(QMouseEvent* event)
{
    m_ctrl->SetKeyModifiers(event->modifiers());
    focusGridArea(m_ctrl);
    const QPoint pos = event->position().toPoint();
    int column = -1, row = -1;
    platform::Rect rect;
    const bool onCell = CellAtPoint(pos, &column, &row, &rect) == 0;
    if (event->button() == Qt::LeftButton) {
        if (m_hover) {
            m_sizing = true;
            return;
        }
        if (onCell) {
            const int result = m_ctrl->GetCellTypeObject(column, row)->OnLeftButton(column, row, 1, rect, toPoint(pos));
            m_ctrl->OnRowHeadingClick(column, row, 1, rect, toPoint(pos), result);
        }
    } else if (event->button() == Qt::RightButton) {
        int result = 0;
        if (onCell)
            result = m_ctrl->GetCellTypeObject(column, row)->OnLeftButton(column, row, 0, rect, toPoint(pos));
        m_ctrl->OnRowHeadingRightClick(column, row, 1, rect, toPoint(pos), result);
        if (m_ctrl->GetSheetInfo()->m_menuEnabled)
            m_ctrl->ShowContextMenu(column, row, mapToGlobal(pos), CUGCtrl::kSectionSideHeading);
    }
}

void CUGSideHdg::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    int column = -1, row = -1;
    platform::Rect rect;
    const bool onCell = CellAtPoint(pos, &column, &row, &rect) == 0;
    if (event->button() == Qt::RightButton) {
        int result = 0;
        if (onCell)
            result = m_ctrl->GetCellTypeObject(column, row)->OnLeftButton(column, row, 0, rect, toPoint(pos));
        m_ctrl->OnRowHeadingRightClick(column, row, 0, rect, toPoint(pos), result);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (m_sizing) {
        if (m_kind == CUGSizingKind::RowHeight) {
            int height = m_ctrl->GetRowHeight(m_index);
            CUGGridInfo* gi = m_ctrl->GetSheetInfo();
            for (int c = gi->m_leftCol; c < gi->m_rightCol && c < gi->m_numberCols; ++c)
                m_ctrl->GetCellTypeObject(c, m_index)->OnRowHeightSet(c, m_index, &height);
            m_ctrl->OnRowHeightChange(m_index, &height);
            m_ctrl->SetRowHeight(m_index, height);
        } else {
            int width = m_ctrl->GetSheetInfo()->m_sideHdgWidth;
            m_ctrl->OnSideHeadingResized(&width);
        }
        m_sizing = false;
        m_ctrl->LayoutChildren();
        return;
    }
    if (onCell) {
        const int result = m_ctrl->GetCellTypeObject(column, row)->OnLeftButton(column, row, 0, rect, toPoint(pos));
        m_ctrl->OnRowHeadingClick(column, row, 0, rect, toPoint(pos), result);
    }
}

void CUGSideHdg::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    int column = -1, row = -1;
    platform::Rect rect;
    int result = 0;
    if (CellAtPoint(pos, &column, &row, &rect) == 0)
        result = m_ctrl->GetCellTypeObject(column, row)->OnLeftButton(column, row, 0, rect, toPoint(pos));
    m_ctrl->OnRowHeadingDoubleClick(column, row, rect, toPoint(pos), result);
}

void CUGSideHdg::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        checkEdges(pos);
        return;
    }
    if (m_sizing)
        sizeTo(pos);
}

// ---- corner button ------------------------------------------------------------------

CUGCnrBtn::CUGCnrBtn(CUGCtrl* ctrl)
    : QWidget(ctrl)
    , m_ctrl(ctrl)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void CUGCnrBtn::paintEvent(QPaintEvent*)
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (!gi->m_paintMode)
        return;
    QPainter painter(this);
    m_ctrl->OnPaintArea(&painter, 0, CUGCtrl::kSectionCorner);
    if (gi->m_defFont)
        painter.setFont(*gi->m_defFont);
    drawHeadingCell(m_ctrl, &painter, m_cell, platform::Rect(0, 0, width(), height()), -1, -1, 0);
}

void CUGCnrBtn::mousePressEvent(QMouseEvent* event)
{
    focusGridArea(m_ctrl);
    const QPoint pos = event->position().toPoint();
    const platform::Rect& rect = m_ctrl->GetSheetInfo()->m_cnrBtnRect;
    if (event->button() == Qt::LeftButton) {
        m_sizing = m_hover;
        m_ctrl->OnCornerClick(1, rect, toPoint(pos), m_sizing ? 1 : 0);
    } else if (event->button() == Qt::RightButton) {
        m_ctrl->OnCornerRightClick(1, rect, toPoint(pos), 0);
        if (m_ctrl->GetSheetInfo()->m_menuEnabled)
            m_ctrl->ShowContextMenu(-1, -1, mapToGlobal(pos), CUGCtrl::kSectionCorner);
    }
}

void CUGCnrBtn::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const platform::Rect& rect = m_ctrl->GetSheetInfo()->m_cnrBtnRect;
    if (event->button() == Qt::RightButton) {
        m_ctrl->OnCornerRightClick(0, rect, toPoint(pos), 0);
        return;
    }
    const bool wasSizing = m_sizing;
    if (m_sizing) {
        m_sizing = false;
        if (m_kind == CUGSizingKind::TopHeading) {
            int height = m_ctrl->GetSheetInfo()->m_topHdgHeight;
            m_ctrl->OnTopHeadingResized(&height);
        } else {
            int width = m_ctrl->GetSheetInfo()->m_sideHdgWidth;
            m_ctrl->OnSideHeadingResized(&width);
        }
    }
    m_ctrl->OnCornerClick(0, rect, toPoint(pos), wasSizing ? 1 : 0);
}

void CUGCnrBtn::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_ctrl->OnCornerDoubleClick(m_ctrl->GetSheetInfo()->m_cnrBtnRect, toPoint(event->position().toPoint()), 0);
}

void CUGCnrBtn::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (m_sizing && (event->buttons() & Qt::LeftButton)) {
        if (m_kind == CUGSizingKind::TopHeading) {
            int height = std::max(0, pos.y());
            m_ctrl->OnTopHeadingDragSize(&height);
            m_ctrl->SetTopHeadingHeight(height);
        } else {
            int width = std::max(0, pos.x());
            m_ctrl->OnSideHeadingDragSize(&width);
            m_ctrl->SetSideHeadingWidth(width);
        }
        m_ctrl->LayoutChildren();
        return;
    }
    if (gi->m_mouseSizingMode < 1)
        return;
    m_hover = false;
    if (pos.x() > width() - 4 && m_ctrl->CanSizeSideHeading()) {
        m_hover = true;
        m_kind = CUGSizingKind::SideHeading;
        setCursor(Qt::SplitHCursor);
    } else if (pos.y() > height() - 4 && m_ctrl->CanSizeTopHeading()) {
        m_hover = true;
        m_kind = CUGSizingKind::TopHeading;
        setCursor(Qt::SplitVCursor);
    } else {
        setCursor(Qt::ArrowCursor);
    }
}

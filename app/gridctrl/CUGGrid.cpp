#include "gridctrl/CUGGrid.h"

#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGDataSource.h"
#include "gridctrl/CUGHeadings.h"
#include "gridctrl/CUGMultiSelect.h"
#include "gridctrl/GridKeys.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>

CUGGrid::CUGGrid(CUGCtrl* ctrl)
    : QWidget(ctrl)
    , m_ctrl(ctrl)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_autoScroll.setInterval(kAutoScrollInterval);
    connect(&m_autoScroll, &QTimer::timeout, this, &CUGGrid::OnAutoScrollTimer);
}

CUGGrid::~CUGGrid() = default;

namespace {

unsigned keyFlagsOf(const QMouseEvent* event)
{
    unsigned flags = 0;
    if (event->buttons() & Qt::LeftButton) flags |= 1;
    if (event->buttons() & Qt::RightButton) flags |= 2;
    if (event->modifiers() & Qt::ShiftModifier) flags |= CUGMultiSelect::kShift;
    if (event->modifiers() & Qt::ControlModifier) flags |= CUGMultiSelect::kCtrl;
    if (event->buttons() & Qt::MiddleButton) flags |= 16;
    return flags;
}

platform::Point toPoint(const QPoint& p)
{
    return {p.x(), p.y()};
}

} // namespace

void CUGGrid::RepaintCell(int column, int row)
{
    m_drawHint.AddCell(column, row);
    RepaintAfterScroll();
}

void CUGGrid::RepaintRow(int row)
{
    m_drawHint.AddRange(0, row, m_ctrl->GetColumnCount() - 1, row);
    RepaintAfterScroll();
}

void CUGGrid::RepaintRange(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    m_drawHint.AddRange(firstColumn, firstRow, lastColumn, lastRow);
    RepaintAfterScroll();
}

bool CUGGrid::isCovered() const
{
    const QWidget* parent = parentWidget();
    if (!parent)
        return false;
    const auto siblings = parent->children();
    const qsizetype self = siblings.indexOf(const_cast<CUGGrid*>(this));
    for (qsizetype i = self + 1; i < siblings.size(); ++i) {
        const auto* sibling = qobject_cast<const QWidget*>(siblings[i]);
        if (sibling && sibling->isVisible() && !sibling->isWindow() && sibling->geometry().intersects(geometry()))
            return true;
    }
    return false;
}

// Moves the window image by the distance the view scrolled and lists only
// the cells that came into view, plus the old and new current cells.
void CUGGrid::RepaintAfterScroll()
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (isCovered()) {
        m_drawHint.AddRange(0, 0, gi->m_numberCols, gi->m_numberRows);
        update();
        return;
    }
    int dx = 0, dy = 0;
    bool whole = false;
    if (gi->m_leftCol > gi->m_lastLeftCol) {
        for (int c = std::max(0, gi->m_lastLeftCol); c < gi->m_leftCol && c < gi->m_numberCols; ++c)
            dx += gi->m_colInfo[c].width;
        whole = dx > gi->m_gridWidth;
    } else if (gi->m_leftCol < gi->m_lastLeftCol) {
        for (int c = gi->m_leftCol; c < gi->m_lastLeftCol && c < gi->m_numberCols; ++c)
            dx -= gi->m_colInfo[c].width;
        whole = dx < -gi->m_gridWidth;
    }
    if (!whole) {
        if (gi->m_topRow > gi->m_lastTopRow) {
            for (int r = std::max(0, gi->m_lastTopRow); r < gi->m_topRow; ++r)
                dy += m_ctrl->GetRowHeight(r);
            whole = dy > gi->m_gridHeight;
        } else if (gi->m_topRow < gi->m_lastTopRow) {
            for (int r = gi->m_topRow; r < gi->m_lastTopRow; ++r)
                dy -= m_ctrl->GetRowHeight(r);
            whole = dy < -gi->m_gridHeight;
        }
    }
    if (whole || gi->m_lastLeftCol < 0 || gi->m_lastTopRow < 0) {
        m_drawHint.AddRange(0, 0, gi->m_numberCols, gi->m_numberRows);
        dx = dy = 0;
        update();
    }
    if (dx != 0 || dy != 0) {
        QRect area = rect();
        if (dx == 0)
            area.setTop(gi->m_lockRowHeight);
        if (dy == 0)
            area.setLeft(gi->m_lockColWidth);
        scroll(-dx, -dy, area);
        if (dx > 0)
            m_drawHint.AddRange(gi->m_rightCol, 0, gi->m_numberCols, gi->m_numberRows);
        else if (dx < 0)
            m_drawHint.AddRange(0, 0, gi->m_lastLeftCol, gi->m_numberRows);
        if (dy > 0)
            m_drawHint.AddRange(0, gi->m_bottomRow, gi->m_numberCols, gi->m_numberRows);
        else if (dy < 0)
            m_drawHint.AddRange(0, 0, gi->m_numberCols, gi->m_lastTopRow);
    }
    m_drawHint.AddCell(gi->m_lastCol, gi->m_lastRow);
    m_drawHint.AddCell(gi->m_currentCol, gi->m_currentRow);
    update();
}

void CUGGrid::paintEvent(QPaintEvent* event)
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (!gi->m_paintMode)
        return;
    const QRect area = event->rect();
    if (!area.isEmpty()) {
        int firstColumn = 0, firstRow = 0;
        int lastColumn = gi->m_numberCols - 1, lastRow = gi->m_numberRows - 1;
        int c, r;
        if (m_ctrl->CellAtPoint(area.left(), area.top(), &c, &r, nullptr) == 0) {
            firstColumn = c;
            firstRow = r;
        }
        if (m_ctrl->CellAtPoint(area.right(), area.bottom(), &c, &r, nullptr) == 0) {
            lastColumn = c;
            lastRow = r;
        }
        // Locked cells sit left of and above the scrolled ones.
        if (gi->m_numLockCols > 0)
            firstColumn = 0;
        if (gi->m_numLockRows > 0)
            firstRow = 0;
        m_drawHint.AddRange(firstColumn, firstRow, lastColumn, lastRow);
        m_drawHint.AddCell(gi->m_currentCol, gi->m_currentRow);
    } else {
        m_drawHint.AddRange(0, 0, gi->m_numberCols, gi->m_numberRows);
    }
    QPainter painter(this);
    PaintCells(&painter);
    m_drawHint.Clear();
    // Marks of drags in the column headings, drawn from their state.
    const CUGTopHdg* heading = m_ctrl->GetTopHeading();
    if (heading->DropMarkerX() >= 0)
        painter.fillRect(QRect(heading->DropMarkerX(), 0, 2, height()), Qt::black);
    if (heading->PreviewX() >= 0)
        painter.fillRect(QRect(heading->PreviewX() - 1, 0, 1, height()), Qt::black);
}

void CUGGrid::PaintCells(QPainter* painter)
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (gi->m_defFont)
        painter->setFont(*gi->m_defFont);
    m_ctrl->OnPaintArea(painter, 0, CUGCtrl::kSectionGrid);
    gi->m_rightCol = gi->m_numberCols;
    gi->m_bottomRow = gi->m_numberRows;
    platform::Rect focus(-1, -1, -1, -1);
    int blankRight = -1, blankBottom = -1;
    int y = 0;
    int row = 0;
    for (; row < gi->m_numberRows; ++row) {
        if (row == gi->m_numLockRows && row < gi->m_topRow)
            row = gi->m_topRow;
        if (row >= gi->m_numberRows)
            break;
        const int height = m_ctrl->GetRowHeight(row);
        if (height == 0)
            continue;
        int x = 0;
        for (int column = 0; column < gi->m_numberCols; ++column) {
            if (column == gi->m_numLockCols && column < gi->m_leftCol)
                column = gi->m_leftCol;
            if (column >= gi->m_numberCols)
                break;
            const int width = gi->m_colInfo[column].width;
            if (width == 0)
                continue;
            const platform::Rect cellRect(x, y, x + width, y + height);
            const bool current = row == gi->m_currentRow && column == gi->m_currentCol;
            if (m_drawHint.IsInvalid(column, row)) {
                m_ctrl->GetCellWithDefaults(column, row, &m_cell);
                CUGCellType* type = m_ctrl->GetCellTypeByIndex(
                    m_cell.IsPropertySet(CUGCell::kCellType) ? m_cell.GetCellType() : -1);
                int selected = 0;
                if (!current) {
                    int block = -1;
                    if (gi->m_multiSelect->IsCellSelected(column, row, &block))
                        selected = block + 1;
                }
                painter->save();
                type->Draw(painter, cellRect, column, row, &m_cell, selected, current ? 1 : 0);
                if (gi->m_numLockCols > 0) {
                    if (column == gi->m_leftCol)
                        painter->fillRect(QRect(cellRect.left - 1, cellRect.top, 1, height + 1), Qt::black);
                    if (column == gi->m_numLockCols - 1)
                        painter->fillRect(QRect(cellRect.right - 1, cellRect.top, 1, height + 1), Qt::black);
                }
                if (gi->m_numLockRows > 0) {
                    if (row == gi->m_topRow)
                        painter->fillRect(QRect(cellRect.left, cellRect.top - 1, width + 1, 1), Qt::black);
                    if (row == gi->m_numLockRows - 1)
                        painter->fillRect(QRect(cellRect.left, cellRect.bottom - 1, width + 1, 1), Qt::black);
                }
                painter->restore();
            }
            if (current)
                focus = cellRect;
            x += width;
            if (x > gi->m_gridWidth) {
                gi->m_rightCol = column;
                break;
            }
        }
        if (x < gi->m_gridWidth && gi->m_rightCol == gi->m_numberCols)
            blankRight = x;
        y += height;
        if (y > gi->m_gridHeight) {
            gi->m_bottomRow = row;
            break;
        }
        // Rows on demand: the source may add rows as the pass reaches the end.
        if (row == gi->m_numberRows - 1) {
            const int before = gi->m_numberRows;
            int added = 0;
            m_ctrl->GetCurrentDataSource()->OnRowsNeeded(before, 1, &added);
            m_ctrl->OnRowsNeeded(before, 1, &added);
            if (gi->m_numberRows > before)
                m_drawHint.AddRange(0, before, gi->m_numberCols - 1, before);
        }
    }
    m_drawHint.Clear();
    if (y < gi->m_gridHeight && gi->m_bottomRow == gi->m_numberRows)
        blankBottom = y;
    const QColor background = platform::ToQColor(m_ctrl->GetBackgroundColor(CUGCtrl::kSectionGrid));
    if (gi->m_numberRows == 0)
        blankBottom = 0;
    if (blankRight >= 0)
        painter->fillRect(QRect(blankRight, 0, width() - blankRight, height()), background);
    if (blankBottom >= 0)
        painter->fillRect(QRect(0, blankBottom, width(), height() - blankBottom), background);
    if (m_hasFocus && !m_ctrl->IsEditing())
        m_ctrl->DrawFocusFrame(painter, focus);
}

// Tab belongs to the grid, not to the dialog's focus chain.
bool CUGGrid::focusNextPrevChild(bool)
{
    return false;
}

void CUGGrid::keyPressEvent(QKeyEvent* event)
{
    // In a dialog, Enter and Escape belong to its OK and Cancel, as with
    // every other control of the dialog.
    const int plainKey = event->modifiers() & ~Qt::KeypadModifier ? 0 : event->key();
    if ((plainKey == Qt::Key_Escape || plainKey == Qt::Key_Return || plainKey == Qt::Key_Enter)
        && qobject_cast<QDialog*>(window())) {
        event->ignore();
        return;
    }
    m_ctrl->SetKeyModifiers(event->modifiers());
    const int key = gridkey::FromQtKey(event->key());
    if (key != 0)
        onKeyDown(key);
    // The typed character follows the key, as a character of its own.
    const QString text = event->text();
    if (!text.isEmpty() && text[0].isPrint()) {
        CUGGridInfo* gi = m_ctrl->GetSheetInfo();
        int character = text[0].unicode();
        const int column = gi->m_currentCol;
        const int row = gi->m_currentRow;
        const int result = m_ctrl->GetCellTypeObject(column, row)->OnChar(column, row, &character);
        m_ctrl->OnGridChar(&character, result);
    }
    event->accept();
}

void CUGGrid::onKeyDown(int key)
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    gi->m_moveKeyState = 0;
    const int column = gi->m_currentCol;
    const int row = gi->m_currentRow;
    const int result = m_ctrl->GetCellTypeObject(column, row)->OnKeyDown(column, row, &key);
    m_ctrl->OnGridKeyDown(&key, result);
    const bool shift = m_ctrl->IsShiftHeld();
    const bool ctrl = m_ctrl->IsCtrlHeld();
    switch (key) {
    case gridkey::Left:
    case gridkey::Tab:
        if (key == gridkey::Tab && !shift) {
            if (gi->m_dragCol + 1 == gi->m_numberCols || gi->m_dragRow < 0) {
                // Wrap to the first column of the next row; from no
                // current cell that is the first row.
                m_ctrl->GotoRow(gi->m_dragRow + 1);
                m_ctrl->GotoColumn(0);
            } else {
                m_ctrl->GotoColumn(gi->m_dragCol + 1);
            }
            break;
        }
        // Shift+Tab restarts the selection from its origin, where a selection is in use.
        if (key == gridkey::Tab && gi->m_moveType >= 1) {
            int c = 0, r = 0;
            if (gi->m_multiSelect->GetOrigin(&c, &r) == 0) {
                gi->m_currentCol = c;
                gi->m_currentRow = r;
            }
            gi->m_multiSelect->BeginBlock(gi->m_currentCol - 1, gi->m_currentRow);
        }
        m_ctrl->GotoColumn(gi->m_dragCol - 1);
        break;
    case gridkey::Right: m_ctrl->GotoColumn(gi->m_dragCol + 1); break;
    case gridkey::Up: m_ctrl->GotoRow(gi->m_dragRow - 1); break;
    case gridkey::Down: m_ctrl->GotoRow(gi->m_dragRow + 1); break;
    case gridkey::PageUp: m_ctrl->StepCurrentRow(2); break;
    case gridkey::PageDown: m_ctrl->StepCurrentRow(3); break;
    case gridkey::Home: ctrl ? m_ctrl->StepCurrentRow(4) : m_ctrl->StepCurrentColumn(4); break;
    case gridkey::End: ctrl ? m_ctrl->StepCurrentRow(5) : m_ctrl->StepCurrentColumn(5); break;
    default: break;
    }
}

void CUGGrid::keyReleaseEvent(QKeyEvent* event)
{
    m_ctrl->SetKeyModifiers(event->modifiers());
    int key = gridkey::FromQtKey(event->key());
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    const int result = m_ctrl->GetCellTypeObject(gi->m_currentCol, gi->m_currentRow)
                           ->OnKeyUp(gi->m_currentCol, gi->m_currentRow, &key);
    m_ctrl->OnGridKeyUp(&key, result);
    event->accept();
}

void CUGGrid::focusInEvent(QFocusEvent* event)
{
    m_hasFocus = true;
    m_clickTaken = false;
    QWidget::focusInEvent(event);
    m_ctrl->OnGridFocus(CUGCtrl::kSectionGrid);
    RepaintCell(m_ctrl->GetCurrentColumn(), m_ctrl->GetCurrentRow());
}

void CUGGrid::focusOutEvent(QFocusEvent* event)
{
    m_hasFocus = false;
    QWidget::focusOutEvent(event);
    m_ctrl->OnGridFocusLost(CUGCtrl::kSectionGrid, QApplication::focusWidget());
    RepaintCell(m_ctrl->GetCurrentColumn(), m_ctrl->GetCurrentRow());
}

// ---- mouse ----------------------------------------------------------------------

void CUGGrid::mousePressEvent(QMouseEvent* event)
{
    m_ctrl->SetKeyModifiers(event->modifiers());
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    if (m_ctrl->IsEditing())
        return;
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    const QPoint pos = event->position().toPoint();
    int column = -1, row = -1;
    platform::Rect rect;
    // A point on no cell leaves column and row at -1.
    const bool onCell = m_ctrl->CellAtPoint(pos.x(), pos.y(), &column, &row, &rect) == 0;
    if (event->button() == Qt::LeftButton) {
        gi->m_moveKeyState = 1;
        gi->m_moveKeyFlags = keyFlagsOf(event);
        int result = 0;
        if (onCell) {
            m_ctrl->GotoCell(column, row);
            result = m_ctrl->GetCellTypeObject(column, row)->OnLeftButton(column, row, 1, rect, toPoint(pos));
            m_clickTaken = result != 0;
        }
        m_buttonDown = true;
        m_dragPoint = pos;
        m_overRightColumn = false;
        m_overBottomRow = false;
        m_ctrl->OnCellClick(column, row, 1, rect, toPoint(pos), result);
        gi->m_moveKeyState = 0;
    } else if (event->button() == Qt::RightButton) {
        gi->m_moveKeyState = 2;
        gi->m_moveKeyFlags = keyFlagsOf(event);
        int result = 0;
        if (onCell) {
            m_ctrl->GotoCell(column, row);
            result = m_ctrl->GetCellTypeObject(column, row)->OnRightButton(column, row, 1, rect, toPoint(pos));
        }
        m_ctrl->OnCellRightClick(column, row, 1, rect, toPoint(pos), result);
        gi->m_moveKeyState = 0;
        m_buttonDown = true;
        if (gi->m_menuEnabled)
            m_ctrl->ShowContextMenu(column, row, mapToGlobal(pos), CUGCtrl::kSectionGrid);
    }
}

void CUGGrid::mouseReleaseEvent(QMouseEvent* event)
{
    m_ctrl->SetKeyModifiers(event->modifiers());
    if (!m_buttonDown)
        return;
    m_autoScroll.stop();
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    const QPoint pos = event->position().toPoint();
    int column = -1, row = -1;
    platform::Rect rect;
    // A point on no cell leaves column and row at -1.
    const bool onCell = m_ctrl->CellAtPoint(pos.x(), pos.y(), &column, &row, &rect) == 0;
    int result = 0;
    if (event->button() == Qt::LeftButton) {
        if (onCell)
            result = m_ctrl->GetCellTypeObject(column, row)->OnLeftButton(column, row, 0, rect, toPoint(pos));
        m_ctrl->OnCellClick(column, row, 0, rect, toPoint(pos), result);
        m_clickTaken = false;
    } else if (event->button() == Qt::RightButton) {
        if (onCell)
            result = m_ctrl->GetCellTypeObject(column, row)->OnRightButton(column, row, 0, rect, toPoint(pos));
        m_ctrl->OnCellRightClick(column, row, 0, rect, toPoint(pos), result);
    }
    gi->m_dragCol = gi->m_currentCol;
    gi->m_dragRow = gi->m_currentRow;
    m_buttonDown = false;
}

void CUGGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    int column = -1, row = -1;
    platform::Rect rect;
    if (m_ctrl->CellAtPoint(pos.x(), pos.y(), &column, &row, &rect) == 0
        && m_ctrl->GetCellTypeObject(column, row)->OnDoubleClick(column, row, rect, toPoint(pos)))
        return;
    m_ctrl->OnCellDoubleClick(column, row, rect, toPoint(pos), 0);
}

void CUGGrid::mouseMoveEvent(QMouseEvent* event)
{
    m_ctrl->SetKeyModifiers(event->modifiers());
    if (m_ctrl->IsEditing())
        return;
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    const QPoint pos = event->position().toPoint();
    const unsigned flags = keyFlagsOf(event);
    if (m_clickTaken) {
        const int result = m_ctrl->GetCellTypeObject(gi->m_currentCol, gi->m_currentRow)
                               ->OnMouseMove(gi->m_currentCol, gi->m_currentRow, toPoint(pos), flags);
        m_ctrl->OnCellMouseMove(gi->m_currentCol, gi->m_currentRow, toPoint(pos), flags, result);
        return;
    }
    gi->m_moveKeyState = 3;
    gi->m_moveKeyFlags = flags;
    int column = -1, row = -1;
    platform::Rect rect;
    if (m_ctrl->CellAtPoint(pos.x(), pos.y(), &column, &row, &rect) == 0) {
        const int result = m_ctrl->GetCellTypeObject(column, row)->OnMouseMove(column, row, toPoint(pos), flags);
        m_ctrl->OnCellMouseMove(column, row, toPoint(pos), flags, result);
    }
    if (!(event->buttons() & Qt::LeftButton) || !m_buttonDown) {
        gi->m_moveKeyState = 0;
        m_autoScroll.stop();
        return;
    }
    m_dragPoint = pos;
    dragTo(pos);
    gi->m_moveKeyState = 0;
}

// One step of a drag: the current cell follows the pointer, and a pointer
// outside the cells (or over a partly shown last column or row) scrolls.
void CUGGrid::dragTo(const QPoint& pos)
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    int column = -1, row = -1;
    platform::Rect rect;
    if (m_ctrl->CellAtPoint(pos.x(), pos.y(), &column, &row, &rect) == 0) {
        if (gi->m_numLockCols == 0 && gi->m_numLockRows == 0) {
            m_ctrl->GotoCell(column, row);
        } else {
            if (gi->m_dragCol >= gi->m_numLockCols && column < gi->m_numLockCols && gi->m_leftCol > gi->m_numLockCols)
                m_ctrl->StepCurrentColumn(0);
            else
                m_ctrl->GotoColumn(column);
            if (gi->m_dragRow >= gi->m_numLockRows && row < gi->m_numLockRows && gi->m_topRow > gi->m_numLockRows)
                m_ctrl->StepCurrentRow(0);
            else
                m_ctrl->GotoRow(row);
        }
        if (column == gi->m_rightCol)
            m_overRightColumn = true;
        if (row == gi->m_bottomRow)
            m_overBottomRow = true;
    }
    const bool outside = pos.x() < 0 || pos.y() < 0 || pos.x() >= gi->m_gridWidth || pos.y() >= gi->m_gridHeight
        || m_overRightColumn || m_overBottomRow;
    if (outside) {
        autoScrollStep();
        // Held there, the drag goes on stepping at the timer's pace.
        if (!m_autoScroll.isActive())
            m_autoScroll.start();
    } else {
        m_autoScroll.stop();
    }
}

void CUGGrid::autoScrollStep()
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    gi->m_moveKeyState = 3;
    if (m_dragPoint.x() < 0)
        m_ctrl->StepCurrentColumn(0);
    else if (m_dragPoint.x() >= gi->m_gridWidth || m_overRightColumn)
        m_ctrl->StepCurrentColumn(1);
    if (m_dragPoint.y() < 0)
        m_ctrl->StepCurrentRow(0);
    else if (m_dragPoint.y() >= gi->m_gridHeight || m_overBottomRow)
        m_ctrl->StepCurrentRow(1);
    gi->m_moveKeyState = 0;
    m_overRightColumn = false;
    m_overBottomRow = false;
}

void CUGGrid::OnAutoScrollTimer()
{
    if (!m_buttonDown) {
        m_autoScroll.stop();
        return;
    }
    autoScrollStep();
}

void CUGGrid::wheelEvent(QWheelEvent* event)
{
    CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    gi->m_moveKeyState = 4;
    // Smooth wheels and touchpads send small deltas: they add up to notches.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder -= notches * 120;
    if (notches != 0)
        m_ctrl->ScrollToRow(gi->m_topRow - notches * 3);
    m_ctrl->GetSideHeading()->update();
    gi->m_moveKeyState = 0;
    event->accept();
}

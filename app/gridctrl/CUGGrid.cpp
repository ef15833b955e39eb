#include "gridctrl/CUGGrid.h"

#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGMultiSelect.h"
#include "gridctrl/GridKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

CUGGrid::CUGGrid(CUGCtrl* ctrl)
    : QWidget(ctrl)
    , m_ctrl(ctrl)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CUGGrid::~CUGGrid() = default;

void CUGGrid::RepaintAfterScroll()
{
    update();
}

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

void CUGGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), platform::ToQColor(m_ctrl->GetBackgroundColor(CUGCtrl::kSectionGrid)));
    m_drawHint.Clear();
}

// Tab belongs to the grid, not to the dialog's focus chain.
bool CUGGrid::focusNextPrevChild(bool)
{
    return false;
}

void CUGGrid::keyPressEvent(QKeyEvent* event)
{
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
            if (gi->m_dragCol + 1 == gi->m_numberCols) {
                // Wrap to the first column of the next row.
                m_ctrl->GotoRow(gi->m_dragRow + 1);
                m_ctrl->GotoColumn(0);
            } else {
                m_ctrl->GotoColumn(gi->m_dragCol + 1);
            }
            break;
        }
        if (key == gridkey::Tab) {
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

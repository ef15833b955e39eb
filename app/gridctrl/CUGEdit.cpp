#include "gridctrl/CUGEdit.h"

#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGDataSource.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/GridKeys.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>

#include <algorithm>

// ---- shared editing rules ---------------------------------------------------------------

CUGEditBase::CUGEditBase(CUGCtrl* ctrl)
    : QLineEdit(ctrl)
    , m_ctrl(ctrl)
{
    setFrame(false);
    hide();
}

bool CUGEditBase::focusNextPrevChild(bool)
{
    return false;
}

bool CUGEditBase::isGridWindow(const QWidget* widget) const
{
    return widget && (widget == m_ctrl || widget == m_ctrl->GetGridArea());
}

void CUGEditBase::PrepareEdit()
{
    m_lastKey = 0;
    m_cancel = false;
    m_move = false;
    selectAll();
    CUGCell cell;
    m_ctrl->GetCellWithDefaults(m_ctrl->GetEditColumn(), m_ctrl->GetEditRow(), &cell);
    setReadOnly(cell.GetReadOnly());
}

void CUGEditBase::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (m_ctrl->IsEditing() && m_ctrl->GetEditControl() == this && !m_ending)
        PrepareEdit();
}

bool CUGEditBase::VerifyCharacter(int* character)
{
    const int column = m_ctrl->GetEditColumn();
    const int row = m_ctrl->GetEditRow();
    return m_ctrl->GetCurrentDataSource()->OnEditKey(column, row, this, character) != 0
        && m_ctrl->OnEditKey(column, row, this, character) != 0;
}

void CUGEditBase::InsertCharacter(QKeyEvent* event, int character)
{
    if (event && !event->text().isEmpty() && event->text()[0].unicode() == character) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The check changed the character: type the new one.
    const QString text(QChar(static_cast<char16_t>(character)));
    QKeyEvent replaced(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QLineEdit::keyPressEvent(&replaced);
}

void CUGEditBase::TypeCharacter(QKeyEvent* event, int character)
{
    if (VerifyCharacter(&character))
        InsertCharacter(event, character);
}

void CUGEditBase::keyPressEvent(QKeyEvent* event)
{
    m_ctrl->SetKeyModifiers(event->modifiers());
    const int key = gridkey::FromQtKey(event->key());
    const int column = m_ctrl->GetEditColumn();
    const int row = m_ctrl->GetEditRow();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    m_lastKey = key;
    event->accept();
    switch (key) {
    case gridkey::Tab:
        m_nextColumn = event->key() == Qt::Key_Backtab || shift ? column - 1 : column + 1;
        m_nextRow = row;
        m_move = true;
        leaveToGrid();
        return;
    case gridkey::Return: {
        CUGCell cell;
        m_ctrl->GetCellWithDefaults(column, row, &cell);
        const int style = cell.GetCellTypeStyle();
        if ((event->modifiers() & Qt::ControlModifier) && style > 0 && (style & CUGCellType::kStyleMultiLine))
            return; // a line break in a multi-line cell, not the end of the edit
        m_nextColumn = column;
        m_nextRow = row + 1;
        m_move = true;
        leaveToGrid();
        return;
    }
    case gridkey::Down:
    case gridkey::Up:
        m_nextColumn = column;
        m_nextRow = key == gridkey::Down ? row + 1 : row - 1;
        m_move = true;
        leaveToGrid();
        return;
    case gridkey::Escape:
        m_cancel = true;
        m_move = false;
        leaveToGrid();
        return;
    case gridkey::Delete: {
        int character = 127;
        if (VerifyCharacter(&character))
            QLineEdit::keyPressEvent(event);
        return;
    }
    default: break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && (text[0].isPrint() || text[0] == QLatin1Char('\b'))
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        int character = text[0].unicode();
        if (character == 9 || character == 13 || character == 27)
            return;
        TypeCharacter(event, character);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CUGEditBase::leaveToGrid()
{
    const int endings = m_endings;
    m_ctrl->GetGridArea()->setFocus();
    // Without an active window no focus change arrives: end the edit here.
    if (endings == m_endings && m_ctrl->IsEditing() && m_ctrl->GetEditControl() == this && !m_ending)
        onFocusLost(m_ctrl->GetGridArea());
}

void CUGEditBase::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (m_ending || !m_ctrl->IsEditing() || m_ctrl->GetEditControl() != this)
        return;
    onFocusLost(QApplication::focusWidget());
}

void CUGEditBase::onFocusLost(QWidget* newFocus)
{
    ++m_endings;
    setReadOnly(false);
    BeforeFocusLost();
    const CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    const bool toGrid = isGridWindow(newFocus);
    if (gi->m_editorFocusOption && !toGrid && !(newFocus && newFocus->parentWidget() == m_ctrl))
        m_cancel = true;
    if (!toGrid)
        m_ctrl->OnGridFocusLost(CUGCtrl::kSectionGrid, newFocus);
    const int column = m_ctrl->GetEditColumn();
    const int row = m_ctrl->GetEditRow();
    m_ending = true;
    const int result = m_ctrl->EndCellEdit(text(), m_cancel, m_move, m_nextColumn, m_nextRow);
    m_ending = false;
    if (result != 2)
        return;
    // Refused: the user keeps editing the same cell. The editor takes the
    // focus back only from the grid's own windows; taking it from another
    // window would make the two fight over the focus.
    m_ctrl->GotoCell(column, row);
    if (newFocus && (newFocus == m_ctrl || m_ctrl->isAncestorOf(newFocus)))
        setFocus();
}

// ---- the default editor ---------------------------------------------------------------------

CUGEdit::CUGEdit(CUGCtrl* ctrl)
    : CUGEditBase(ctrl)
{
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (m_autoSizeActive && m_ctrl->GetSheetInfo()->m_enableExpandingEditor)
            growToText();
    });
}

bool CUGEdit::EnableAutoSize(bool on)
{
    const bool previous = m_autoSize;
    m_autoSize = on;
    return previous;
}

void CUGEdit::PrepareEdit()
{
    CUGEditBase::PrepareEdit();
    // Only a cell whose text may overflow lets the editor grow.
    CUGCell cell;
    m_ctrl->GetCellWithDefaults(m_ctrl->GetEditColumn(), m_ctrl->GetEditRow(), &cell);
    CUGCellType* type = m_ctrl->GetCellTypeByIndex(cell.IsPropertySet(CUGCell::kCellType) ? cell.GetCellType() : 0);
    m_autoSizeActive = m_autoSize && type->MayOverflow() && !cell.IsPropertySet(CUGCell::kCellTypeStyle)
        && !cell.IsPropertySet(CUGCell::kJoin) && cell.IsPropertySet(CUGCell::kAlignment)
        && (cell.GetAlignment() & CUGCell::kAlignLeft);
    m_startHeight = height() + 4;
    if (m_autoSizeActive)
        growToText();
}

void CUGEdit::keyPressEvent(QKeyEvent* event)
{
    // Esc ends the edit before the key reaches the window.
    if (event->key() == Qt::Key_Escape) {
        m_cancel = true;
        m_move = false;
    }
    CUGEditBase::keyPressEvent(event);
}

void CUGEdit::growToText()
{
    const QFontMetrics fm(font());
    const int needed = fm.horizontalAdvance(text() + QStringLiteral(" X X")) + 4;
    int column = m_ctrl->GetEditColumn();
    int row = m_ctrl->GetEditRow();
    if (column < 0 || row < 0)
        return;
    platform::Rect cell;
    m_ctrl->GetCellRectangle(&column, &row, &cell);
    const int limit = m_ctrl->GetGridArea()->width();
    int right = cell.right - 1;
    for (int c = column + 1; c < m_ctrl->GetColumnCount() && right - cell.left < needed && right < limit; ++c)
        right += m_ctrl->GetColumnWidth(c);
    right = std::min(right, limit);
    const int width = std::max(cell.Width() - 1, right - cell.left);
    if (width != this->width())
        resize(width, height());
}

// The in-place edit cycle: an editor over the cell, approved at the start
// and at the end by the data source and the owner's hook.
#include "gridctrl/CUGCtrl.h"

#include "gridctrl/CUGDataSource.h"
#include "gridctrl/CUGEdit.h"
#include "gridctrl/CUGMaskedEdit.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGHeadings.h"
#include "gridctrl/CUGMultiSelect.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>

int CUGCtrl::BeginCellEdit(int column, int row, int key)
{
    if (m_editInProgress)
        return 1;
    m_editInProgress = true;
    m_editCol = column;
    m_editRow = row;
    m_editCell.ClearAll();

    int left, top, right, bottom;
    const bool hadSelection = GetMultiSelect()->GetBoundingBox(&left, &top, &right, &bottom) == 0;
    ClearSelections();
    if (hadSelection && !(left == column && right == column && top == row && bottom == row))
        QueueRangeRepaint(left, top, right, bottom);

    if ((column != m_gi->m_currentCol || row != m_gi->m_currentRow) && column >= 0 && row >= 0
        && GotoCell(column, row) != 0) {
        m_editInProgress = false;
        return 2;
    }
    GetCellWithDefaults(column, row, &m_editCell);
    CUGCellType* type = GetCellTypeByIndex(m_editCell.IsPropertySet(CUGCell::kCellType) ? m_editCell.GetCellType() : 0);
    if (!type->DrawsNormally()) {
        m_editInProgress = false;
        return 1;
    }
    QWidget* window = column < 0 ? static_cast<QWidget*>(m_CUGSideHdg)
                    : row < 0    ? static_cast<QWidget*>(m_CUGTopHdg)
                                 : static_cast<QWidget*>(m_CUGGrid);
    int c = column, r = row;
    Rect rect;
    GetCellRectangle(&c, &r, &rect);
    rect.right -= 1;
    rect.bottom -= 1;
    type->AdjustEditRect(&rect);
    if (m_editCell.GetReadOnly()) {
        m_editInProgress = false;
        return 1;
    }
    QWidget* editor = m_editCell.IsPropertySet(CUGCell::kMask) ? m_gi->m_maskedEditCtrl : m_gi->m_editCtrl;
    if (!GetCurrentDataSource()->OnEditBegin(column, row, &editor) || !OnEditBegin(column, row, &editor) || !editor) {
        m_editInProgress = false;
        RedrawCell(column, row);
        return 1;
    }
    // Editors show plain numbers: no grouping to type around.
    if (m_editCell.GetDataType() == CUGCell::kTypeNumber && !m_editCell.IsPropertySet(CUGCell::kPlainNumber))
        m_editCell.SetPropertyFlags(m_editCell.GetPropertyFlags() | CUGCell::kPlainNumber);
    m_editCtrl = editor;
    m_editParent = window;
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(m_editCell.GetText());
        line->selectAll();
    }
    const QFont* font = m_editCell.GetFont() ? m_editCell.GetFont() : m_gi->m_defFont;
    if (font)
        editor->setFont(*font);
    editor->setParent(window);
    editor->setGeometry(rect.left, rect.top, std::max(0, rect.Width()), std::max(0, rect.Height()));
    editor->raise();
    editor->show();
    // The editor's own preparation runs now, not only when the focus
    // arrives, which it does not while the window is inactive.
    if (auto* own = qobject_cast<CUGEditBase*>(editor))
        own->PrepareEdit();

    editor->activateWindow();
    editor->setFocus();
    if (key >= 1) {
        // Typing starts the edit with that character.
        const QString text(QChar(static_cast<char16_t>(key)));
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QCoreApplication::sendEvent(editor, &press);
    }
    return 0;
}

int CUGCtrl::EndCellEdit(const QString& text, bool cancelled, bool continueEdit, int continueColumn,
                         int continueRow)
{
    if (!m_editInProgress)
        return 1;
    const int column = m_editCol;
    const int row = m_editRow;
    const int sourceAnswer = GetCurrentDataSource()->OnEditEnd(column, row, m_editCtrl, text, cancelled);
    const int hookAnswer = OnEditEnd(column, row, m_editCtrl, text, cancelled);
    // A cancelled edit always ends: a source that refuses bad text must not
    // trap the user in the editor, and nothing is stored anyway.
    if (!cancelled && (sourceAnswer != 1 || hookAnswer == 0))
        return 2;

    if (!cancelled) {
        CUGCell cell;
        GetCell(column, row, &cell);
        const int type = cell.GetDataType();
        cell.SetText(text);
        if (type >= 2 && type <= 5)
            cell.SetDataType(type);
        SetCell(column, row, &cell);

        if (m_gi->m_enableExpandingEditor && column >= 0 && column < m_gi->m_numberCols - 1
            && GetCellText(column + 1, row).isEmpty()) {
            const QFont* font = m_editCell.GetFont() ? m_editCell.GetFont() : m_gi->m_defFont;
            const QFontMetrics fm(font ? *font : this->font());
            if (fm.horizontalAdvance(text) > GetColumnWidth(column))
                RedrawAll();
        }
    }
    const bool inGridArea = m_editParent == m_CUGGrid;
    HideEditControl();
    if (continueEdit && inGridArea && !cancelled) {
        int newColumn = continueColumn;
        int newRow = continueRow;
        if (m_gi->m_enableJoins && newColumn >= 0 && newRow >= 0 && newColumn < m_gi->m_numberCols
            && newRow < m_gi->m_numberRows) {
            int c = newColumn, r = newRow, ec = 0, er = 0;
            if (GetJoinedBlockRange(&c, &r, &ec, &er) == 0 && (c != newColumn || r != newRow))
                newColumn = newColumn > column ? ec + 1 : c;
        }
        if (newColumn < 0) newColumn = m_gi->m_numberCols - 1;
        if (newColumn >= m_gi->m_numberCols) newColumn = 0;
        if (newRow < 0) newRow = m_gi->m_numberRows - 1;
        if (newRow >= m_gi->m_numberRows) newRow = 0;
        if (GetCurrentDataSource()->OnEditNextCell(column, row, &newColumn, &newRow) == 1
            && OnEditNextCell(column, row, &newColumn, &newRow)) {
            BeginCellEdit(newColumn, newRow, 0);
            return 0;
        }
    }
    if (!m_editInProgress)
        RedrawCell(column, row);
    return 0;
}

int CUGCtrl::HideEditControl()
{
    if (!m_editInProgress)
        return 0;
    m_editInProgress = false;
    QWidget* editor = m_editCtrl;
    const bool hadFocus = editor && editor->hasFocus();
    if (hadFocus)
        m_CUGGrid->setFocus();
    if (editor)
        editor->hide();
    return 0;
}

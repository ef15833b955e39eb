// Selection calls, sorting, find and replace, pasting text, the context
// menu and the cell-type messages of the grid window.
#include "gridctrl/CUGCtrl.h"

#include "gridctrl/CUGDataSource.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGMultiSelect.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

#include <set>
#include <utility>

namespace {

GridMessageHook& messageHook()
{
    static GridMessageHook hook;
    return hook;
}

void showGridMessage(QWidget* owner, const QString& text, const QString& caption)
{
    if (messageHook())
        messageHook()(owner, text, caption);
    else
        QMessageBox::information(owner, caption, text);
}

} // namespace

GridMessageHook SetGridMessageHook(GridMessageHook hook)
{
    return std::exchange(messageHook(), std::move(hook));
}

// ---- selection ---------------------------------------------------------------

CUGMultiSelect* CUGCtrl::GetMultiSelect() const
{
    return m_gi->m_multiSelect.get();
}

int CUGCtrl::EnableMultiSelect(bool on, int option)
{
    CUGMultiSelect* selection = GetMultiSelect();
    int mode = selection->GetMode();
    if (on) {
        mode = (mode & ~CUGMultiSelect::kModeOff) | CUGMultiSelect::kModeWholeRows;
        m_gi->m_multiSelectOption = option;
    } else {
        mode = (mode & ~CUGMultiSelect::kModeWholeRows) | CUGMultiSelect::kModeOff;
    }
    selection->SetMode(mode);
    m_gi->m_multiSelectFlag = on;
    return 0;
}

int CUGCtrl::ClearSelections()
{
    GetMultiSelect()->RemoveAllBlocks();
    m_gi->m_dragCol = m_gi->m_currentCol;
    m_gi->m_dragRow = m_gi->m_currentRow;
    return 0;
}

int CUGCtrl::SelectCell(int column, int row)
{
    GetMultiSelect()->BeginBlock(column, row);
    GetMultiSelect()->ExtendBlock(column, row);
    RedrawCell(column, row);
    return 0;
}

int CUGCtrl::SelectBlock(int startColumn, int startRow, int endColumn, int endRow)
{
    if (m_gi->m_moveType & 3) {
        GetMultiSelect()->BeginBlock(startColumn, startRow);
        GetMultiSelect()->ExtendBlock(endColumn, endRow);
    }
    m_gi->m_dragCol = endColumn;
    m_gi->m_dragRow = endRow;
    QueueRangeRepaint(std::min(startColumn, endColumn), std::min(startRow, endRow), std::max(startColumn, endColumn),
                      std::max(startRow, endRow));
    return 0;
}

int CUGCtrl::IsSelected(int column, int row, int* block) const
{
    return GetMultiSelect()->IsCellSelected(column, row, block);
}

// ---- sorting -------------------------------------------------------------------

int CUGCtrl::SortRows(int column, int flags)
{
    const int dataColumn = column >= 0 ? GetColumnMapping(column) : column;
    return GetCurrentDataSource()->SortRows(&dataColumn, 1, flags);
}

// ---- pasting text ----------------------------------------------------------------

int CUGCtrl::PasteText(const QString& text)
{
    const int startColumn = std::max(0, m_gi->m_currentCol);
    const int startRow = std::max(0, m_gi->m_currentRow);
    int column = startColumn, row = startRow;
    int maxColumn = startColumn, maxRow = startRow;
    QString field;
    auto writeField = [&] {
        if (column <= m_gi->m_numberCols - 1 && row <= m_gi->m_numberRows - 1) {
            CUGCell cell;
            GetCell(column, row, &cell);
            if (!cell.GetReadOnly()) {
                cell.SetText(field);
                SetCell(column, row, &cell);
                maxColumn = std::max(maxColumn, column);
                maxRow = std::max(maxRow, row);
            }
        }
        field.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == QLatin1Char('\t')) {
            writeField();
            ++column;
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            writeField();
            if (ch == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            column = startColumn;
            ++row;
        } else {
            field += ch;
        }
    }
    // A last field without a line end; a text ending in a line end adds no row.
    if (!field.isEmpty() || (!text.isEmpty() && text.back() != QLatin1Char('\n') && text.back() != QLatin1Char('\r')))
        writeField();
    ClearSelections();
    SelectBlock(startColumn, startRow, maxColumn, maxRow);
    RedrawAll();
    return 0;
}

// ---- find and replace ----------------------------------------------------------------

void CUGCtrl::AttachFindDialog(QWidget* dialog, bool allColumns)
{
    m_findDialog = dialog;
    m_findAllColumns = allColumns;
}

namespace {

bool textMatches(const QString& cellText, const QString& find, int flags)
{
    if (cellText.isEmpty())
        return false;
    const Qt::CaseSensitivity cs = (flags & CUGDataSource::kFindNoCase) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (flags & CUGDataSource::kFindPartial)
        return cellText.contains(find, cs);
    return QString::compare(cellText, find, cs) == 0;
}

// The cell's new text: the matched parts replaced for a partial search,
// the whole text otherwise.
QString replacedText(QString cellText, const QString& find, const QString& replacement, int flags)
{
    if (flags & CUGDataSource::kFindPartial) {
        const Qt::CaseSensitivity cs = (flags & CUGDataSource::kFindNoCase) ? Qt::CaseInsensitive : Qt::CaseSensitive;
        return cellText.replace(find, replacement, cs);
    }
    return replacement;
}

} // namespace

int CUGCtrl::OnFindReplace(const CUGFindRequest& request)
{
    if (request.action == CUGFindRequest::Closing) {
        m_findDialog = nullptr;
        m_findAllColumns = false;
        RedrawAll();
        return 1;
    }
    int flags = 0;
    if (!request.matchCase)
        flags |= CUGDataSource::kFindNoCase;
    if (!request.wholeWord)
        flags |= CUGDataSource::kFindPartial;
    if (!request.searchDown)
        flags |= CUGDataSource::kFindUp;
    if (m_findAllColumns)
        flags |= CUGDataSource::kFindAllColumns;
    const bool replacing = request.action != CUGFindRequest::FindNext;

    auto replaceAt = [&](int column, int row) {
        CUGCell cell;
        GetCell(column, row, &cell);
        cell.SetText(replacedText(cell.GetText(), request.findText, request.replaceText, flags));
        SetCell(column, row, &cell);
        RedrawCell(column, row);
    };

    if (request.action == CUGFindRequest::Replace && m_gi->m_currentCol >= 0 && m_gi->m_currentRow >= 0) {
        // Only a cell that matches is replaced: the dialog may be opened
        // anywhere, and its first Replace must not overwrite that cell.
        CUGCell cell;
        GetCell(m_gi->m_currentCol, m_gi->m_currentRow, &cell);
        if (textMatches(cell.GetText(), request.findText, flags))
            replaceAt(m_gi->m_currentCol, m_gi->m_currentRow);
    }
    if (replacing && request.findText == request.replaceText)
        return 0;

    CUGDataSource* source = GetCurrentDataSource();
    auto gridColumnOf = [&](int dataColumn) {
        for (int c = 0; c < m_gi->m_numberCols; ++c)
            if (GetColumnMapping(c) == dataColumn)
                return c;
        return dataColumn;
    };
    int column = GetColumnMapping(m_gi->m_currentCol);
    int row = m_gi->m_currentRow;
    if (source->FindNext(request.findText, &column, &row, flags) != 0) {
        showGridMessage(m_findDialog ? m_findDialog : this, QStringLiteral("Item not found"),
                        QStringLiteral("Not Found"));
        if (m_findDialog)
            m_findDialog->setFocus();
        return 0;
    }
    GotoCell(gridColumnOf(column), row);
    if (request.action != CUGFindRequest::ReplaceAll)
        return 0;
    // One pass over the grid: a replacement that matches again (also
    // without case) is found again, and there the pass ends.
    std::set<std::pair<int, int>> replaced;
    while (replaced.insert({column, row}).second) {
        replaceAt(gridColumnOf(column), row);
        if (source->FindNext(request.findText, &column, &row, flags) != 0)
            break;
        GotoCell(gridColumnOf(column), row);
    }
    return 0;
}

// ---- context menu --------------------------------------------------------------------

int CUGCtrl::EnableContextMenu(bool on)
{
    m_gi->m_menuEnabled = on;
    return 0;
}

int CUGCtrl::ShowContextMenu(int column, int row, const QPoint& screenPoint, int section)
{
    if (!m_gi->m_menuEnabled)
        return 1;
    if (m_gi->m_enableJoins && column >= 0 && row >= 0)
        GetJoinedBlockStart(&column, &row, nullptr);
    if (!OnMenuOpen(column, row, section))
        return 2;
    m_menuCol = column;
    m_menuRow = row;
    m_menuSection = section;
    if (m_menu->isEmpty())
        return 3;
    m_menu->exec(screenPoint);
    return 0;
}

int CUGCtrl::EmptyPopupMenu()
{
    m_menu->clear();
    return 0;
}

int CUGCtrl::AddPopupMenuItem(int id, const QString& text)
{
    if (text.isEmpty() || id == -1) {
        m_menu->addSeparator();
        return 0;
    }
    QAction* action = m_menu->addAction(text);
    action->setData(id);
    return 0;
}

void CUGCtrl::OnMenuCommand(int id)
{
    if (id >= 1000)
        OnMenuItem(m_menuCol, m_menuRow, m_menuSection, id);
}

// ---- cell-type messages ----------------------------------------------------------------

int CUGCtrl::SendCellTypeMessage(int typeIndex, int value)
{
    return GetCellTypeByIndex(typeIndex)->OnTypeCommand(value);
}

#include "gridctrl/CUGMem.h"

#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CellCompare.h"

#include <algorithm>
#include <numeric>

CUGMem::~CUGMem() = default;

int CUGMem::GetRowCount()
{
    return static_cast<int>(m_rows.size());
}

int CUGMem::InsertRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return 1;
    m_rows.insert(m_rows.begin() + row, Row());
    return 0;
}

int CUGMem::InsertColumn(int column)
{
    if (m_rows.empty())
        return 1;
    // The data-source column is translated to the grid column showing it.
    int position = column;
    CUGCtrl* grid = GetGrid();
    if (grid) {
        for (int c = 0; c < grid->GetColumnCount(); ++c)
            if (grid->GetColumnMapping(c) == column) {
                position = c;
                break;
            }
    }
    if (position < 0)
        return 1;
    for (Row& row : m_rows)
        if (position < static_cast<int>(row.size()))
            row.insert(row.begin() + position, nullptr);
    if (grid)
        for (int c = 0; c < grid->GetColumnCount(); ++c)
            if (grid->GetColumnMapping(c) >= position)
                grid->SetColumnMapping(c, grid->GetColumnMapping(c) + 1);
    return 0;
}

int CUGMem::DeleteRow(int row)
{
    if (row >= 0 && row < static_cast<int>(m_rows.size()))
        m_rows.erase(m_rows.begin() + row);
    return 0;
}

int CUGMem::DeleteColumn(int column)
{
    if (m_rows.empty())
        return 1;
    if (column < 0)
        return 1;
    for (Row& row : m_rows) {
        const int size = static_cast<int>(row.size());
        if (column < size - 1)
            row.erase(row.begin() + column);
        else if (column == size - 1)
            row[column].reset(); // the last place of a row stays, empty
    }
    if (CUGCtrl* grid = GetGrid())
        for (int c = 0; c < grid->GetColumnCount(); ++c)
            if (grid->GetColumnMapping(c) >= column)
                grid->SetColumnMapping(c, grid->GetColumnMapping(c) - 1);
    return 0;
}

int CUGMem::DeleteCell(int column, int row)
{
    if (column < 0 || row < 0)
        return m_headingCells.erase({column, row}) ? 0 : 1;
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || column < 0
        || column >= static_cast<int>(m_rows[row].size()))
        return 1;
    m_rows[row][column].reset();
    return 0;
}

int CUGMem::RemoveAll()
{
    m_rows.clear();
    m_headingCells.clear();
    return 0;
}

int CUGMem::GetCell(int column, int row, CUGCell* cell)
{
    if (cell && (column < 0 || row < 0)) {
        const auto it = m_headingCells.find({column, row});
        if (it == m_headingCells.end())
            return 1;
        cell->AddFrom(*it->second);
        return 0;
    }
    if (!cell || row < 0 || row >= static_cast<int>(m_rows.size()) || column < 0
        || column >= static_cast<int>(m_rows[row].size()) || !m_rows[row][column])
        return 1;
    cell->AddFrom(*m_rows[row][column]);
    return 0;
}

int CUGMem::SetCell(int column, int row, CUGCell* cell)
{
    if (!cell)
        return 1;
    if (column < 0 || row < 0) {
        auto& stored = m_headingCells[{column, row}];
        if (!stored)
            stored = std::make_unique<CUGCell>();
        cell->CopyInto(*stored);
        return 0;
    }
    if (row >= static_cast<int>(m_rows.size()))
        m_rows.resize(row + 1);
    Row& r = m_rows[row];
    if (column >= static_cast<int>(r.size()))
        r.resize(column + 1);
    if (!r[column])
        r[column] = std::make_unique<CUGCell>();
    cell->CopyInto(*r[column]);
    return 0;
}

int CUGMem::FindFirst(const QString& text, int* column, int* row, int flags)
{
    if (flags & kFindAllColumns) {
        *column = -1;
        *row = 0;
    } else {
        *row = -1;
    }
    return FindNext(text, column, row, flags);
}

bool CUGMem::matches(int column, int row, const QString& text, int flags) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || column < 0
        || column >= static_cast<int>(m_rows[row].size()) || !m_rows[row][column])
        return false;
    const QString cellText = m_rows[row][column]->GetText();
    if (cellText.isEmpty())
        return false;
    const bool partial = flags & kFindPartial;
    const bool noCase = flags & kFindNoCase;
    if (partial)
        return cellText.contains(text, noCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return QString::compare(cellText, text, noCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
}

int CUGMem::FindNext(const QString& text, int* column, int* row, int flags)
{
    CUGCtrl* grid = GetGrid();
    const int rows = grid ? grid->GetRowCount() : static_cast<int>(m_rows.size());
    const int lastRow = rows - 1;
    int lastColumn = 0;
    if (grid) {
        lastColumn = grid->GetColumnCount() - 1;
    } else {
        for (const Row& r : m_rows)
            lastColumn = std::max(lastColumn, static_cast<int>(r.size()) - 1);
    }
    if (rows <= 0 || lastColumn < 0)
        return 1;
    const bool allColumns = flags & kFindAllColumns;
    const bool up = flags & kFindUp;
    int c = *column;
    int r = *row;
    int rowSteps = 0;
    auto stepRow = [&] {
        ++rowSteps;
        r += up ? -1 : 1;
        if (r > lastRow) r = 0;
        if (r < 0) r = lastRow;
    };
    while (true) {
        if (allColumns) {
            c += up ? -1 : 1;
            if (c > lastColumn) { c = 0; stepRow(); }
            else if (c < 0) { c = lastColumn; stepRow(); }
        } else {
            stepRow();
        }
        if (rowSteps > rows)
            return 1;
        if (matches(c, r, text, flags)) {
            *column = c;
            *row = r;
            return 0;
        }
    }
}

int CUGMem::compareCells(const CUGCell* a, const CUGCell* b, int flags) const
{
    // A missing key compares as an empty cell.
    CUGCell emptyA, emptyB;
    CUGCell* x = a ? const_cast<CUGCell*>(a) : &emptyA;
    CUGCell* y = b ? const_cast<CUGCell*>(b) : &emptyB;
    if (CUGCtrl* grid = GetGrid())
        return grid->CompareCells(x, y, flags);
    return gridctrl::DefaultCompareCells(x, y, flags);
}

int CUGMem::SortRows(const int* columns, int count, int flags)
{
    if (m_rows.empty() || !columns || count <= 0)
        return 1;
    auto key = [&](const Row& row, int i) -> const CUGCell* {
        const int c = columns[i];
        return c >= 0 && c < static_cast<int>(row.size()) ? row[c].get() : nullptr;
    };
    // Stable: rows whose keys are all equal keep their order.
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const Row& a, const Row& b) {
        for (int i = 0; i < count; ++i) {
            const int result = compareCells(key(a, i), key(b, i), flags);
            if (result != 0)
                return result < 0;
        }
        return false;
    });
    return 0;
}

int CUGMem::SortRowsByColumn(int column, int flags)
{
    return SortRows(&column, 1, flags);
}

int CUGMem::FindTextColumnLeft(int* column, int row)
{
    if (!column || row < 0 || row >= static_cast<int>(m_rows.size()))
        return 1;
    const Row& r = m_rows[row];
    for (int c = std::min(*column, static_cast<int>(r.size())) - 1; c >= 0; --c) {
        if (r[c] && r[c]->IsPropertySet(CUGCell::kText) && !r[c]->GetText().isEmpty()) {
            *column = c;
            return 0;
        }
    }
    return 1;
}

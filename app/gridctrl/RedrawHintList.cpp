#include "gridctrl/RedrawHintList.h"

#include <algorithm>

void RedrawHintList::widenBox(const Range& r)
{
    if (m_ranges.size() == 1) {
        m_box = r;
        return;
    }
    m_box.firstColumn = std::min(m_box.firstColumn, r.firstColumn);
    m_box.firstRow = std::min(m_box.firstRow, r.firstRow);
    m_box.lastColumn = std::max(m_box.lastColumn, r.lastColumn);
    m_box.lastRow = std::max(m_box.lastRow, r.lastRow);
}

void RedrawHintList::AddRange(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    const Range r{firstColumn, firstRow, lastColumn, lastRow};
    m_ranges.push_back(r);
    widenBox(r);
}

void RedrawHintList::MergeIntoFirst(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    if (m_ranges.empty()) {
        AddRange(firstColumn, firstRow, lastColumn, lastRow);
        return;
    }
    Range& first = m_ranges.front();
    first.firstColumn = std::min(first.firstColumn, firstColumn);
    first.firstRow = std::min(first.firstRow, firstRow);
    first.lastColumn = std::max(first.lastColumn, lastColumn);
    first.lastRow = std::max(first.lastRow, lastRow);
    const Range widened = first;
    if (m_ranges.size() == 1)
        m_box = widened;
    else
        widenBox(widened);
}

bool RedrawHintList::IsInvalid(int column, int row) const
{
    if (m_ranges.empty() || column < m_box.firstColumn || column > m_box.lastColumn || row < m_box.firstRow
        || row > m_box.lastRow)
        return false;
    return std::any_of(m_ranges.begin(), m_ranges.end(), [&](const Range& r) {
        return column >= r.firstColumn && column <= r.lastColumn && row >= r.firstRow && row <= r.lastRow;
    });
}

void RedrawHintList::Clear()
{
    m_ranges.clear();
}

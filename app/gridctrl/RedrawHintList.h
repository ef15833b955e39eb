#pragma once
// The cells a window still has to paint: ranges in the order they were
// added, with their bounding box so that most cells are rejected without
// walking the list. Ranges added while a paint pass runs are honoured by
// that pass for the cells it has not visited yet.

#include <vector>

class RedrawHintList {
public:
    void AddRange(int firstColumn, int firstRow, int lastColumn, int lastRow);
    void AddCell(int column, int row) { AddRange(column, row, column, row); }
    // Widens the first range to cover this one (adds it when the list is empty).
    void MergeIntoFirst(int firstColumn, int firstRow, int lastColumn, int lastRow);
    bool IsInvalid(int column, int row) const;
    void Clear();
    bool IsEmpty() const { return m_ranges.empty(); }

    struct Range {
        int firstColumn, firstRow, lastColumn, lastRow;
        bool operator==(const Range&) const = default;
    };
    const std::vector<Range>& Ranges() const { return m_ranges; }

private:
    void widenBox(const Range& range);

    std::vector<Range> m_ranges;
    Range m_box{0, 0, -1, -1};
};

#pragma once
// The grid's built-in data source: cells kept in memory, row by row. Rows
// and cells appear when a cell is stored; a row may hold empty places.
// Heading cells (negative indexes) are kept apart and count as no row.

#include "gridctrl/CUGDataSource.h"

#include <map>
#include <memory>
#include <utility>
#include <vector>

class CUGMem : public CUGDataSource {
public:
    CUGMem() = default;
    ~CUGMem() override;

    // The number of stored rows (the last one may be partly filled).
    int GetRowCount() override;
    int AppendRow() override { return 0; }
    int InsertRow(int row) override;
    int AppendColumn() override { return 0; }
    int InsertColumn(int column) override;
    int DeleteRow(int row) override;
    int DeleteColumn(int column) override;
    int DeleteCell(int column, int row) override;
    int RemoveAll() override;
    int GetCell(int column, int row, CUGCell* cell) override;
    int SetCell(int column, int row, CUGCell* cell) override;
    int FindFirst(const QString& text, int* column, int* row, int flags) override;
    int FindNext(const QString& text, int* column, int* row, int flags) override;
    int SortRows(const int* columns, int count, int flags) override;
    int SortRowsByColumn(int column, int flags) override;
    int FindTextColumnLeft(int* column, int row) override;

private:
    using Row = std::vector<std::unique_ptr<CUGCell>>;
    bool matches(int column, int row, const QString& text, int flags) const;
    int compareCells(const CUGCell* a, const CUGCell* b, int flags) const;

    std::vector<Row> m_rows;
    // Heading cells (a negative column or row), by (column, row).
    std::map<std::pair<int, int>, std::unique_ptr<CUGCell>> m_headingCells;
};

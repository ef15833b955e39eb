#pragma once
// A manager of a report grid: it keeps the grid's sort state across a
// refill, and names the report for copying and printing.

#include <QString>

class CUGRowMode;

class ReportsGridMgr
{
public:
    explicit ReportsGridMgr(CUGRowMode& grid) : m_grid(grid) { }
    virtual ~ReportsGridMgr() = default;
    ReportsGridMgr(const ReportsGridMgr&) = delete;
    ReportsGridMgr& operator=(const ReportsGridMgr&) = delete;

    // The grid's sort column and direction; no sort is kept as column 0
    // ascending.
    void SaveSortState();
    void RestoreSortState();

    virtual QString GetTitle() const = 0;
    CUGRowMode& GetGrid() const { return m_grid; }

private:
    CUGRowMode& m_grid;
    int m_sortColumn = 0;
    bool m_ascending = true;
};

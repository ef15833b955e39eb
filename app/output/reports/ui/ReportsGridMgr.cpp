#include "output/reports/ui/ReportsGridMgr.h"

#include "gridctrl/CUGRowMode.h"

void ReportsGridMgr::SaveSortState()
{
    m_sortColumn = m_grid.GetSortColumn();
    m_ascending = m_grid.IsSortAscending();
    if (m_sortColumn < 0) {
        m_sortColumn = 0;
        m_ascending = true;
    }
}

void ReportsGridMgr::RestoreSortState()
{
    m_grid.SetSortIndicator(m_sortColumn, m_ascending);
}

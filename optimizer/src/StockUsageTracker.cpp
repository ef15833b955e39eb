#include "StockUsageTracker.h"

namespace optimization {

std::shared_ptr<StockUsageTracker> StockUsageTracker::Clone() const
{
    return std::make_shared<StockUsageTracker>(*this);
}

bool StockUsageTracker::HasSheetsLeft() const
{
    const InitialInventory& inv = m_stock->GetInventory();
    return inv.unlimited || m_used < inv.available;
}

bool StockUsageTracker::IsOffCut() const
{
    return m_stock->GetInventory().offCut;
}

bool StockUsageTracker::IsUsable() const
{
    const InitialInventory& inv = m_stock->GetInventory();
    return inv.unlimited || inv.usableBeyondCount || m_used < inv.available;
}

bool StockUsageTracker::UseOneSheet()
{
    const InitialInventory& inv = m_stock->GetInventory();
    const bool wasUsedUp = !inv.unlimited && m_used >= inv.available;
    ++m_used;
    return !inv.unlimited && !wasUsedUp && m_used >= inv.available;
}

} // namespace optimization

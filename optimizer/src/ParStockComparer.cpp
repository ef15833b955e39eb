#include "ParStockComparer.h"

#include "CLayoutSet.h"
#include "CompareValues.h"
#include "OptTopLevelLayout.h"

#include <algorithm>

namespace optimization {

ParStockComparer::~ParStockComparer() = default;

std::int32_t ParStockComparer::ComparePreferences(const StockUsageTracker& a,
                                                  const StockUsageTracker& b) const
{
    if (m_offCutsFirst && a.IsOffCut() != b.IsOffCut())
        return a.IsOffCut() ? -1 : 1;
    if (m_inventoryFirst && a.HasSheetsLeft() != b.HasSheetsLeft())
        return a.HasSheetsLeft() ? -1 : 1;
    return 0;
}

bool ParStockComparer::RefusesCombine(const StockUsageTracker& a, const StockUsageTracker& b,
                                      const StockUsageTracker& combined) const
{
    if (m_offCutsFirst && (a.IsOffCut() || b.IsOffCut()) && !combined.IsOffCut())
        return true;
    if (m_inventoryFirst && (a.HasSheetsLeft() || b.HasSheetsLeft()) && !combined.HasSheetsLeft())
        return true;
    return false;
}

std::int32_t ParStockComparer::ComparePreferences(const CLayoutSet& a, const CLayoutSet& b) const
{
    // More placed area on the preferred sheets wins.
    if (m_offCutsFirst) {
        if (std::int32_t r = LowerWins(-a.PlacedAreaOnOffCuts(), -b.PlacedAreaOnOffCuts()))
            return r;
    }
    if (m_inventoryFirst) {
        if (std::int32_t r = LowerWins(-a.PlacedAreaWithinInventory(), -b.PlacedAreaWithinInventory()))
            return r;
    }
    return 0;
}

void ParStockComparer::PartitionByPreferences(StockTrackerList& stocks) const
{
    if (m_inventoryFirst)
        std::stable_partition(stocks.begin(), stocks.end(),
                              [](const auto& t) { return t->HasSheetsLeft(); });
    if (m_offCutsFirst)
        std::stable_partition(stocks.begin(), stocks.end(),
                              [](const auto& t) { return t->IsOffCut(); });
}

void ParStockComparer::PartitionByPreferences(SheetList& sheets) const
{
    if (m_inventoryFirst)
        std::stable_partition(sheets.begin(), sheets.end(),
                              [](const OptTopLevelLayout* s) { return s->GetWithinInventory() != 0; });
    if (m_offCutsFirst)
        std::stable_partition(sheets.begin(), sheets.end(), [](const OptTopLevelLayout* s) {
            return s->GetStockProxy()->GetInventory().offCut;
        });
}

std::unique_ptr<ParStockComparer> MakeStockComparer(std::int32_t kind, bool offCutsFirst,
                                                    bool inventoryFirst)
{
    if (kind == 0)
        return std::make_unique<CStockCompBySize>(offCutsFirst, inventoryFirst);
    return std::make_unique<CStockCompByCost>(offCutsFirst, inventoryFirst, kind == 2);
}

} // namespace optimization

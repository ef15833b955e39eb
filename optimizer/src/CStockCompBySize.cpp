#include "CLayoutSet.h"
#include "CompareValues.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "ParStockComparer.h"

#include <algorithm>

namespace optimization {

std::unique_ptr<ParStockComparer> CStockCompBySize::Clone() const
{
    return std::make_unique<CStockCompBySize>(*this);
}

void CStockCompBySize::SortStockTrackers(StockTrackerList& stocks, bool) const
{
    std::stable_sort(stocks.begin(), stocks.end(), [](const auto& a, const auto& b) {
        return StockBySize(*a->GetStock(), *b->GetStock());
    });
    PartitionByPreferences(stocks);
}

void CStockCompBySize::SortSheets(SheetList& sheets, bool) const
{
    PartitionByPreferences(sheets);
}

std::int32_t CStockCompBySize::CompareTrackers(const StockUsageTracker& a,
                                               const StockUsageTracker& b) const
{
    const CanvasDescriptor& ca = a.GetStock()->GetCanvas();
    const CanvasDescriptor& cb = b.GetStock()->GetCanvas();
    if (std::int32_t r = LowerWins(ca.GetTrimmedArea(), cb.GetTrimmedArea()))
        return r;
    return LowerWins(ca.GetFullStockCost(), cb.GetFullStockCost());
}

std::int32_t CStockCompBySize::CompareSheets(const OptTopLevelLayout& a,
                                             const OptTopLevelLayout& b) const
{
    return LowerWins(a.GetWaste(), b.GetWaste());
}

std::int32_t CStockCompBySize::CompareSets(const CLayoutSet& a, const CLayoutSet& b) const
{
    return LowerWins(a.WasteArea(), b.WasteArea());
}

} // namespace optimization

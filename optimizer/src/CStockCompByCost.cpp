#include "CLayoutSet.h"
#include "CompareValues.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "ParStockComparer.h"

#include <algorithm>
#include <limits>

namespace optimization {

std::unique_ptr<ParStockComparer> CStockCompByCost::Clone() const
{
    return std::make_unique<CStockCompByCost>(*this);
}

double CStockCompByCost::SheetCost(const OptTopLevelLayout& sheet) const
{
    if (!m_unitArea)
        return CostPerPlacedArea(sheet);
    const double placed = sheet.PlacedArea();
    if (placed <= kAreaEpsilon)
        return 0.0;
    const double unit = sheet.GetStockProxy()->GetCanvas().GetUnitAreaCost();
    // Keep an unusable stock's sentinel finite.
    if (unit >= std::numeric_limits<double>::max() / placed)
        return std::numeric_limits<double>::max();
    return unit * placed;
}

void CStockCompByCost::SortStockTrackers(StockTrackerList& stocks, bool flag) const
{
    std::stable_sort(stocks.begin(), stocks.end(), [](const auto& a, const auto& b) {
        return StockByFullCost(*a->GetStock(), *b->GetStock());
    });
    if (m_unitArea || !flag) {
        std::stable_sort(stocks.begin(), stocks.end(), [](const auto& a, const auto& b) {
            return StockByUnitAreaCost(*a->GetStock(), *b->GetStock());
        });
    }
    PartitionByPreferences(stocks);
}

void CStockCompByCost::SortSheets(SheetList& sheets, bool flag) const
{
    if (m_unitArea || !flag) {
        // Exact keys: the cost value, then the waste.
        std::stable_sort(sheets.begin(), sheets.end(),
                         [this](const OptTopLevelLayout* a, const OptTopLevelLayout* b) {
                             const double ca = SheetCost(*a);
                             const double cb = SheetCost(*b);
                             if (ca < cb || cb < ca)
                                 return ca < cb;
                             return a->GetWaste() < b->GetWaste();
                         });
    }
    PartitionByPreferences(sheets);
}

std::int32_t CStockCompByCost::CompareCombine(const OptTopLevelLayout& a,
                                              const OptTopLevelLayout& b,
                                              const OptTopLevelLayout& combined) const
{
    auto value = [this](const OptTopLevelLayout& sheet) {
        return m_unitArea ? SheetCost(sheet) : sheet.GetStockProxy()->GetCanvas().GetFullStockCost();
    };
    // The cheaper side wins: -1 keeps the pair, 1 takes the combination.
    return LowerWins(value(a) + value(b), value(combined));
}

std::int32_t CStockCompByCost::CompareTrackers(const StockUsageTracker& a,
                                               const StockUsageTracker& b) const
{
    const CanvasDescriptor& ca = a.GetStock()->GetCanvas();
    const CanvasDescriptor& cb = b.GetStock()->GetCanvas();
    const std::int32_t byCost =
        m_unitArea ? LowerWins(ca.GetUnitAreaCost(), cb.GetUnitAreaCost())
                   : LowerWins(ca.GetFullStockCost(), cb.GetFullStockCost());
    if (byCost)
        return byCost;
    return LowerWins(ca.GetTrimmedArea(), cb.GetTrimmedArea());
}

std::int32_t CStockCompByCost::CompareSheets(const OptTopLevelLayout& a,
                                             const OptTopLevelLayout& b) const
{
    if (std::int32_t r = LowerWins(SheetCost(a), SheetCost(b)))
        return r;
    return LowerWins(a.GetWaste(), b.GetWaste());
}

std::int32_t CStockCompByCost::CompareSets(const CLayoutSet& a, const CLayoutSet& b) const
{
    const std::int32_t byCost = m_unitArea
                                    ? LowerWins(a.CostOfPlacedArea(), b.CostOfPlacedArea())
                                    : LowerWins(a.CostPerPlacedArea(), b.CostPerPlacedArea());
    if (byCost)
        return byCost;
    return LowerWins(a.WasteArea(), b.WasteArea());
}

} // namespace optimization

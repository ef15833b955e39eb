#include "model/SizeCostCompare.h"

#include "foundation/UpdateMasks.h"
#include "model/CSGSizeCost.h"
#include "model/ISGSC.h"
#include "model/OptimizationTargetHooks.h"

namespace {

bool KindDiffers(const ISGSC& a, const ISGSC& b)
{
    return !SameThickness(a, b) || a.IsUnlimited() != b.IsUnlimited() || a.IsOffCut() != b.IsOffCut();
}

} // namespace

bool SameThickness(const ISGSC& a, const ISGSC& b)
{
    return CDimension::ApproxEqual(a.GetThickness(), b.GetThickness());
}

std::uint64_t GetSizeCostMismatchCode(const ISGSC& a, const ISGSC& b)
{
    return KindDiffers(a, b) ? UpdateMask::Change0008 : 0;
}

int SizeCostKindDiffers(const ISGSC& a, const ISGSC& b)
{
    return KindDiffers(a, b) ? 1 : 0;
}

bool IsDifferentStockKind(const ISGSC& a, const ISGSC& b)
{
    return KindDiffers(a, b);
}

bool SameSize(const ISGSC& a, const ISGSC& b)
{
    const SheetDimensions sa = a.GetSheetDimensions();
    const SheetDimensions sb = b.GetSheetDimensions();
    return SameThickness(a, b) && CDimension::ApproxEqual(sa.GetWidth(), sb.GetWidth())
        && CDimension::ApproxEqual(sa.GetLength(), sb.GetLength())
        && CDimension::ApproxEqual(sa.GetLeftRightTrim(), sb.GetLeftRightTrim())
        && CDimension::ApproxEqual(sa.GetTopBottomTrim(), sb.GetTopBottomTrim());
}

bool IsTargetStockSize(const IOptimizableMaterial* material, const ISGSC& row, const OptimizationTarget& target)
{
    const std::shared_ptr<OptTargetCriteria> criteria = GetTargetCriteria(target);
    return criteria && material && GetCriteriaMaterial(*criteria) == material
        && CriteriaAcceptsStockSize(*criteria, row);
}

bool IsOfferedStockSize(const ISGSC& row, const StockUsageMap& usage, const OptTargetCriteria& criteria)
{
    unsigned int used = 0;
    const auto it = usage.find(static_cast<const IOptimizableSize*>(&row));
    if (it != usage.end())
        used = it->second;
    const bool available = row.IsUnlimited() || row.CanBuyMore() || row.GetAvailable() > used;
    return available && CriteriaAcceptsStockSize(criteria, row);
}

#include "LayoutOrders.h"

#include "CompareValues.h"
#include "OptTopLevelLayout.h"
#include "UsageTrackers.h"

#include <nestcore/PartProxy.h>
#include <nestcore/StockProxy.h>

#include <algorithm>
#include <map>
#include <utility>

namespace optimization {

namespace {

std::int32_t Counts(const OptDim& d)
{
    return d.ToEncodedInt();
}

// The keys are chosen with the 2-count tolerance (a width and a length
// within 2 counts count as equal) and then compared exactly, so that the
// orders stay strict weak orders.

// The smaller of width and length: the width only when it is smaller by
// more than 2 counts, else the length.
std::int32_t SmallerSide(const PartDescriptor& d)
{
    return d.width < d.length ? Counts(d.width) : Counts(d.length);
}

// Major and minor dimension of a part for the size order, in counts.
std::pair<std::int32_t, std::int32_t> SizeKey(const PartProxy& part, bool firstFlag,
                                              bool secondFlag)
{
    const PartDescriptor& d = part.GetDescriptor();
    const std::int32_t w = Counts(d.width);
    const std::int32_t l = Counts(d.length);
    if (d.orientation == OrientationFree || (firstFlag && secondFlag))
        return d.length < d.width ? std::make_pair(w, l) : std::make_pair(l, w);
    if (!firstFlag)
        return {l, 0};
    return {w, 0};
}

std::int32_t WidthKey(const PartProxy& part)
{
    const PartDescriptor& d = part.GetDescriptor();
    return d.orientation == OrientationFree ? SmallerSide(d) : Counts(d.width);
}

std::int32_t LengthKey(const PartProxy& part)
{
    const PartDescriptor& d = part.GetDescriptor();
    return d.orientation == OrientationFree ? SmallerSide(d) : Counts(d.length);
}

bool ByKind(const PartProxy& a, const PartProxy& b, std::int32_t kind)
{
    switch (kind) {
    case OrderLargestFirst:
        return PartBySize(a, b, false, false);
    case OrderIterative:
        return PartBySize(a, b, true, true);
    case OrderWidestFirst:
        return PartByWidth(a, b);
    case OrderLongestFirst:
        return PartByLength(a, b);
    default:
        return false;
    }
}

} // namespace

bool StockBySize(const StockProxy& a, const StockProxy& b)
{
    const CanvasDescriptor& ca = a.GetCanvas();
    const CanvasDescriptor& cb = b.GetCanvas();
    if (ca.GetTrimmedArea() < cb.GetTrimmedArea() || cb.GetTrimmedArea() < ca.GetTrimmedArea())
        return ca.GetTrimmedArea() < cb.GetTrimmedArea();
    return ca.GetFullStockCost() < cb.GetFullStockCost();
}

bool StockBySizeLargestFirst(const StockProxy& a, const StockProxy& b)
{
    const CanvasDescriptor& ca = a.GetCanvas();
    const CanvasDescriptor& cb = b.GetCanvas();
    if (ca.GetTrimmedArea() < cb.GetTrimmedArea() || cb.GetTrimmedArea() < ca.GetTrimmedArea())
        return ca.GetTrimmedArea() > cb.GetTrimmedArea();
    return ca.GetFullStockCost() < cb.GetFullStockCost();
}

bool StockByFullCost(const StockProxy& a, const StockProxy& b)
{
    return a.GetCanvas().GetFullStockCost() < b.GetCanvas().GetFullStockCost();
}

bool StockByUnitAreaCost(const StockProxy& a, const StockProxy& b)
{
    return a.GetCanvas().GetUnitAreaCost() < b.GetCanvas().GetUnitAreaCost();
}

bool StockWidestFirst(const StockProxy& a, const StockProxy& b)
{
    return Counts(a.GetCanvas().GetTrimmedWidth()) > Counts(b.GetCanvas().GetTrimmedWidth());
}

bool StockLongestFirst(const StockProxy& a, const StockProxy& b)
{
    return Counts(a.GetCanvas().GetTrimmedLength()) > Counts(b.GetCanvas().GetTrimmedLength());
}

bool PartBySize(const PartProxy& a, const PartProxy& b, bool firstFlag, bool secondFlag)
{
    return SizeKey(a, firstFlag, secondFlag) > SizeKey(b, firstFlag, secondFlag);
}

bool PartByWidth(const PartProxy& a, const PartProxy& b)
{
    return WidthKey(a) > WidthKey(b);
}

bool PartByLength(const PartProxy& a, const PartProxy& b)
{
    return LengthKey(a) > LengthKey(b);
}

bool PartByKind(const PartProxy& a, const PartProxy& b, std::int32_t kind)
{
    return ByKind(a, b, kind);
}

void SortPartSequence(std::vector<std::shared_ptr<PartUsageTracker>>& parts, std::int32_t kind)
{
    std::stable_sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) {
        return a->GetPartProxy()->GetDescriptor().partNumber
               < b->GetPartProxy()->GetDescriptor().partNumber;
    });
    std::stable_sort(parts.begin(), parts.end(), [kind](const auto& a, const auto& b) {
        return ByKind(*a->GetPartProxy(), *b->GetPartProxy(), kind);
    });
}

void SortPartSequence(std::vector<const PartProxy*>& parts, std::int32_t kind)
{
    std::stable_sort(parts.begin(), parts.end(), [](const PartProxy* a, const PartProxy* b) {
        return a->GetDescriptor().partNumber < b->GetDescriptor().partNumber;
    });
    std::stable_sort(parts.begin(), parts.end(), [kind](const PartProxy* a, const PartProxy* b) {
        return ByKind(*a, *b, kind);
    });
}

bool RegionByArea(const CFreeRectangle& a, const CFreeRectangle& b)
{
    return a.Area() > b.Area();
}

bool IsStockUsable(const StockUsageTracker& stock, bool strict)
{
    const InitialInventory& inv = stock.GetStock()->GetInventory();
    if (inv.unlimited)
        return true;
    if (!inv.usableBeyondCount && stock.GetSheetsUsed() >= inv.available)
        return false;
    if (strict && inv.available != 0 && stock.GetSheetsUsed() == inv.available)
        return false;
    return true;
}

bool IsSheetStillPossible(const OptTopLevelLayout& sheet, const PartUsageMap& trackers)
{
    std::map<const PartProxy*, std::int64_t, ProxyOrder> held;
    for (const PartProxy* part : sheet.GetPlacedCopies())
        ++held[part];
    for (const auto& [part, count] : held) {
        if (TrackerOf(trackers, part)->GetUnplacedCopiesCount() < count)
            return false;
    }
    return true;
}

bool SheetByWaste(const OptTopLevelLayout* a, const OptTopLevelLayout* b, bool emptyFirst)
{
    if (emptyFirst && a->HasNoBlock() != b->HasNoBlock())
        return a->HasNoBlock();
    return a->GetWaste() < b->GetWaste();
}

bool SheetByWasteHighestFirst(const OptTopLevelLayout* a, const OptTopLevelLayout* b)
{
    return a->GetWaste() > b->GetWaste();
}

double CostPerPlacedArea(const OptTopLevelLayout& sheet)
{
    const double placed = sheet.PlacedArea();
    if (sheet.GetPlacedCopies().empty() || placed <= kAreaEpsilon)
        return kEmptySheetCost;
    return sheet.GetStockProxy()->GetCanvas().GetFullStockCost() / placed;
}

bool SheetByCostPerPlacedAreaHighestFirst(const OptTopLevelLayout* a, const OptTopLevelLayout* b)
{
    return CostPerPlacedArea(*a) > CostPerPlacedArea(*b);
}

} // namespace optimization

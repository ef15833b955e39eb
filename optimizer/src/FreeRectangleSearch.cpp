#include "FreeRectangleSearch.h"

#include "OptTopLevelLayout.h"
#include "RegionFit.h"

#include <nestcore/StockProxy.h>

namespace optimization {

namespace {

bool TakesPart(const CFreeRectangle& region, const OptLayout* ownerFilter, const RegionFilter& filter)
{
    if (ownerFilter != nullptr && (region.owner == nullptr || !region.owner->IsInSubtreeOf(ownerFilter)))
        return false;
    if (filter.byDirection && region.directionFlag != filter.wantDirection1)
        return false;
    return !(filter.skipExcluded && region.excluded);
}

} // namespace

CFreeRectangle* SelectFreeRectangle(RegionList& regions, const PartProxy& part, const OptLayout* ownerFilter,
                                    const RegionFilter& filter)
{
    CFreeRectangle* best = nullptr;
    for (CFreeRectangle& region : regions) {
        if (!TakesPart(region, ownerFilter, filter))
            continue;
        if (!FitPart(region, part))
            continue;
        if (best != nullptr && !IsPreferred(region, *best))
            continue;
        best = &region;
    }
    return best;
}

bool SelectPooledFreeRectangle(const std::vector<OptTopLevelLayout*>& sheets, const PartProxy& part,
                               const RegionFilter& filter, CFreeRectangle& chosen)
{
    // One scratch region takes each evaluation in turn; its storage is kept
    // from one region to the next.
    CFreeRectangle scratch;
    bool found = false;
    for (const OptTopLevelLayout* sheet : sheets) {
        for (const CFreeRectangle& region : sheet->GetRegions()) {
            if (!TakesPart(region, nullptr, filter))
                continue;
            scratch = region;
            if (!FitPart(scratch, part))
                continue;
            if (found && !IsPreferred(scratch, chosen))
                continue;
            chosen = scratch;
            found = true;
        }
    }
    return found;
}

RegionList PoolFreeRectangles(const std::vector<OptTopLevelLayout*>& sheets)
{
    RegionList pooled;
    for (OptTopLevelLayout* sheet : sheets) {
        const RegionList& own = sheet->GetRegions();
        pooled.insert(pooled.end(), own.begin(), own.end());
    }
    return pooled;
}

LargestRegion SelectLargestFreeRectangle(const RegionList& regions, const OptTopLevelLayout* sheetFilter)
{
    LargestRegion answer;
    answer.filter = sheetFilter;
    const OptTopLevelLayout* bestSheet = nullptr;
    for (const CFreeRectangle& region : regions) {
        const OptTopLevelLayout* sheet = region.owner != nullptr ? region.owner->GetTopLevel() : nullptr;
        if (sheetFilter != nullptr && sheet != sheetFilter)
            continue;
        const std::int64_t area = region.Area();
        bool better = answer.region == nullptr || area > answer.area;
        if (!better && area == answer.area && sheet != nullptr && bestSheet != nullptr)
            better = sheet->FreeArea() > bestSheet->FreeArea();
        if (better) {
            answer.region = &region;
            answer.area = area;
            bestSheet = sheet;
        }
    }
    return answer;
}

bool EvaluateStrips(CFreeRectangle& region, const IsoDimGroupMap& groups)
{
    if (region.owner == nullptr)
        return false;
    const CuttingRules& rules = region.owner->GetStock()->GetRules();
    const OptDim spacing = rules.GetKerf() + rules.GetPartPadding() * 2u;
    bool found = false;
    CFreeRectangle best;
    for (const auto& [key, group] : groups) {
        if (group.IsEmpty())
            continue;
        CFreeRectangle candidate = region;
        candidate.stripEvaluated = true;
        candidate.groupEvaluationType = 1;
        candidate.group = group;
        if (FitGroupInRectangle(candidate, candidate.group, spacing) == 0)
            continue;
        // The strip is scored as its first member lying the way the strip
        // lays it (a strip that fits at all holds a copy of its first member).
        const auto& [first, member] = *candidate.group.GetMembers().begin();
        if (!FitPart(candidate, *first, member.turned))
            continue;
        if (found && !IsPreferred(candidate, best))
            continue;
        best = candidate;
        found = true;
    }
    if (!found) {
        region.stripEvaluated = false;
        region.group.Clear();
        return false;
    }
    region = best;
    return true;
}

} // namespace optimization

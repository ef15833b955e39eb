#include "Placement.h"

#include "FreeRectangleSearch.h"
#include "LayoutGrouping.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "PartInsertion.h"
#include "TryOCD.h"

#include <algorithm>

namespace optimization {

namespace {

// Puts the part into a region chosen from a list that the insertion will
// rebuild, so the region is copied first.
void InsertInto(const CFreeRectangle& chosen, const PartProxy* part)
{
    CFreeRectangle region = chosen;
    InsertPart(region, part);
}

} // namespace

bool PlacePart(const PlacementRequest& request)
{
    ParallelOptimizer& optimizer = *request.optimizer;
    RegionFilter filter;
    filter.skipExcluded = optimizer.Job().Policy().localOpt.GetOption();

    std::vector<OptTopLevelLayout*> sheets;
    for (OptTopLevelLayout* sheet : request.sheets)
        if (!sheet->IsDuplicate())
            sheets.push_back(sheet);
    std::stable_sort(sheets.begin(), sheets.end(),
                     [](const OptTopLevelLayout* a, const OptTopLevelLayout* b) { return SheetByWaste(a, b); });

    OptTopLevelLayout* changed = nullptr;
    if (request.searchExistingSheets) {
        for (OptTopLevelLayout* sheet : sheets) {
            if (sheet->GetTriedMark() == request.part)
                continue;
            if (CFreeRectangle* region =
                    SelectFreeRectangle(sheet->GetRegions(), *request.part, nullptr, filter)) {
                InsertInto(*region, request.part);
                sheet->SetTriedMark(nullptr);
                changed = sheet;
                break;
            }
            if (!request.noTryOCD) {
                const bool rebuilt = TryOCD(*sheet, TryOCDContext{&optimizer, request.part});
                // A sheet that TryOCD rebuilt stays rebuilt even when the
                // user cancelled meanwhile.
                if (optimizer.IsCancelRequested())
                    return false;
                if (rebuilt) {
                    sheet->SetTriedMark(nullptr);
                    changed = sheet;
                    break;
                }
            }
            sheet->SetTriedMark(request.part);
        }
    } else {
        CFreeRectangle region;
        if (SelectPooledFreeRectangle(sheets, *request.part, filter, region)) {
            changed = region.owner->GetTopLevel();
            InsertPart(region, request.part);
            // A sheet that took a part is worth trying again for any part.
            changed->SetTriedMark(nullptr);
        }
    }
    if (changed == nullptr)
        return false;
    if (request.regroup && request.regroupSet != nullptr) {
        // The sheet's alternative layouts show its old parts: a sheet that
        // changed starts a fresh map even when it was alone, then joins an
        // identical sheet (and its map) when there is one.
        TakeOutOfGroup(*changed, *request.regroupSet, false);
        changed->ResetStyleMap();
        TakeOutOfGroup(*changed, *request.regroupSet, true);
    }
    return true;
}

bool PlaceEach(PlacementRequest request, const std::vector<const PartProxy*>& parts)
{
    for (const PartProxy* part : parts) {
        request.part = part;
        if (!PlacePart(request))
            return false;
    }
    return true;
}

void FillSheet(OptTopLevelLayout& sheet, ParallelOptimizer& optimizer)
{
    // Placing does not count, so every copy not yet counted is offered, in
    // the order of the part sequence.
    PartTrackerList unplaced;
    for (const auto& tracker : optimizer.Job().RunState().PartSequence())
        if (!tracker->IsSkippedPreOpt() && tracker->GetUnplacedCopiesCount() > 0)
            unplaced.push_back(tracker);
    const std::vector<const PartProxy*> copies = CopyList(std::move(unplaced));

    PlacementRequest request;
    request.searchExistingSheets = true;
    request.sheets = {&sheet};
    request.optimizer = &optimizer;
    const PartProxy* failed = nullptr;
    for (const PartProxy* part : copies) {
        if (part == failed)
            continue;
        if (optimizer.IsCancelRequested())
            return;
        request.part = part;
        if (!PlacePart(request))
            failed = part;
        else
            failed = nullptr;
    }
}

} // namespace optimization

#include "PlaceInAnyStyle.h"

#include "FreeRectangleSearch.h"
#include "LayoutGrouping.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "PartInsertion.h"
#include "StyleVariants.h"
#include "TryOCD.h"

#include <nestcore/StockProxy.h>

#include <algorithm>

namespace optimization {

namespace {

constexpr GeometryStyle kStyles[] = {StandardLayout, PreferRipCuts, PreferCrossCuts, MaxSideOffCut,
                                     MaxBottomOffCut};

// The layout of the sheet in one style. The sheet itself stands for its own
// style when the map has no entry for it. A stored variant that no longer
// holds the sheet's parts (the sheet changed since it was made) is not used:
// placing into it would bring back copies that moved elsewhere.
std::unique_ptr<OptTopLevelLayout> VariantCopy(const OptTopLevelLayout& sheet, GeometryStyle style)
{
    const StyleMap& map = *sheet.GetStyleMap();
    auto it = map.find(style);
    if (it != map.end() && it->second) {
        if (!it->second->SamePartsAs(sheet))
            return nullptr;
        auto copy = it->second->Copy();
        copy->ResetStyleMap();
        copy->SetMaster(nullptr);
        copy->SetDuplicateCount(0);
        return copy;
    }
    if (style == sheet.Policy().GetStyleWord())
        return sheet.IsolatedCopy();
    return nullptr;
}

} // namespace

bool PlaceInAnyStyle(const PartProxy* part, const std::vector<OptTopLevelLayout*>& sheets, bool offCutOnly,
                     ParallelOptimizer& optimizer, CLayoutSet& regroupSet)
{
    std::vector<OptTopLevelLayout*> ordered = sheets;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const OptTopLevelLayout* a, const OptTopLevelLayout* b) { return SheetByWaste(a, b); });
    const JobPolicy& policy = optimizer.Job().Policy();
    RegionFilter filter;
    filter.skipExcluded = policy.localOpt.GetOption();

    for (OptTopLevelLayout* sheet : ordered) {
        if (sheet->GetTriedMark() == part)
            continue;
        if (offCutOnly && !sheet->GetStockProxy()->GetInventory().offCut)
            continue;
        const FirstCutSpecification firstCut = sheet->GetStockProxy()->GetRules().GetFirstCutSpecification();
        std::unique_ptr<OptTopLevelLayout> taker;
        bool cancelled = false;
        for (GeometryStyle style : kStyles) {
            if (!IsStyleAdmitted(style, firstCut))
                continue;
            std::unique_ptr<OptTopLevelLayout> variant = VariantCopy(*sheet, style);
            if (!variant)
                continue;
            if (CFreeRectangle* region = SelectFreeRectangle(variant->GetRegions(), *part, nullptr, filter)) {
                CFreeRectangle chosen = *region;
                InsertPart(chosen, part);
                variant->RebuildLists();
                taker = std::move(variant);
                break;
            }
            const bool placed = TryOCD(*variant, TryOCDContext{&optimizer, part});
            if (placed)
                taker = std::move(variant);
            if (optimizer.IsCancelRequested()) {
                cancelled = true;
                break;
            }
            if (taker)
                break;
        }
        if (taker) {
            const GeometryStyle style = taker->Policy().GetStyleWord();
            taker->Policy() = policy.localOpt;
            taker->Policy().SetStyleWord(style);
            sheet->AssignFrom(*taker);
            sheet->Policy() = taker->Policy();
            sheet->SetTriedMark(nullptr);
            // The sheet's arrangement changed: its old variants no longer hold
            // its parts.
            TakeOutOfGroup(*sheet, regroupSet, false);
            sheet->ResetStyleMap();
            TakeOutOfGroup(*sheet, regroupSet, true);
            if (!sheet->IsDuplicate()) {
                sheet->Policy().SetStyleWord(StandardLayout);
                sheet->FileStyleLayout(StandardLayout, sheet);
                if (!cancelled)
                    RunSpecialLocalSteps(*sheet, optimizer);
            }
            return true;
        }
        if (cancelled)
            return false;
        sheet->SetTriedMark(part);
    }
    return false;
}

} // namespace optimization

#include "PlaceInAnyStyle.h"

#include "FreeRectangleSearch.h"
#include "LayoutGrouping.h"
#include "LayoutOrders.h"
#include "OptRunState.h"
#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "PartInsertion.h"
#include "StyleVariants.h"
#include "TryOCD.h"
#include "TryOCDMemo.h"

#include <nestcore/StockProxy.h>

#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>

namespace optimization {

namespace {

constexpr GeometryStyle kStyles[] = {StandardLayout, PreferRipCuts, PreferCrossCuts, MaxSideOffCut,
                                     MaxBottomOffCut};

// The layout of the sheet in one style. The sheet itself stands for its own
// style when the map has no entry for it. A stored variant that no longer
// holds the sheet's parts (the sheet changed since it was made) is not used:
// placing into it would bring back copies that moved elsewhere.
const OptTopLevelLayout* Variant(const OptTopLevelLayout& sheet, GeometryStyle style)
{
    const StyleMap& map = *sheet.GetStyleMap();
    auto it = map.find(style);
    if (it != map.end() && it->second)
        return it->second->SamePartsAs(sheet) ? it->second.get() : nullptr;
    if (style == sheet.Policy().GetStyleWord())
        return &sheet;
    return nullptr;
}

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

// The sheet's answer to the part: the variant that took it (in the first
// style that could), and whether a cancel came meanwhile. The sheet itself
// is only read.
struct Attempt {
    std::unique_ptr<OptTopLevelLayout> taker;
    bool cancelled = false;
};

Attempt TryStyles(const OptTopLevelLayout& sheet, const PartProxy* part, const RegionFilter& filter,
                  ParallelOptimizer& optimizer)
{
    Attempt attempt;
    const FirstCutSpecification firstCut = sheet.GetStockProxy()->GetRules().GetFirstCutSpecification();
    // A variant's content that a part alike (in a plain place of the part
    // order) found without a free rectangle and could not be forced into
    // turns this part away too: the memory answers before the variant is
    // copied. Its content is that of the copy the attempt works on.
    const OptRunState& state = optimizer.Job().RunState();
    TryOCDMemo& memo = state.FailureMemo();
    const std::int32_t kind = state.GetPartOrderKind();
    const bool byLikeness = state.HasPlainPlace(part, kind);
    for (GeometryStyle style : kStyles) {
        if (!IsStyleAdmitted(style, firstCut))
            continue;
        const OptTopLevelLayout* stored = Variant(sheet, style);
        if (!stored)
            continue;
        MemoKey styleKey;
        bool knownFailure = false;
        if (byLikeness) {
            styleKey = WithNumber(WithPartLikeness(SheetContentKey(*stored, kind, filter.skipExcluded), *part),
                                  0x7374796c65);
            knownFailure = memo.KnownFailure(styleKey);
            if (knownFailure && !memo.CheckMode()) {
                if (optimizer.IsCancelRequested()) {
                    attempt.cancelled = true;
                    break;
                }
                continue;
            }
        }
        std::unique_ptr<OptTopLevelLayout> variant = VariantCopy(sheet, style);
        if (!variant)
            continue;
        if (CFreeRectangle* region = SelectFreeRectangle(variant->GetRegions(), *part, nullptr, filter)) {
            if (knownFailure)
                TryOCDMemo::Mismatch("a part alike found no free rectangle in the same variant, yet this one does");
            CFreeRectangle chosen = *region;
            InsertPart(chosen, part);
            variant->RebuildLists();
            attempt.taker = std::move(variant);
            break;
        }
        const bool placed = TryOCD(*variant, TryOCDContext{&optimizer, part});
        if (placed)
            attempt.taker = std::move(variant);
        if (optimizer.IsCancelRequested()) {
            attempt.cancelled = true;
            break;
        }
        if (knownFailure && placed)
            TryOCDMemo::Mismatch("a part alike could not be forced into the same variant, yet this one is");
        if (byLikeness && !placed)
            memo.RememberFailure(styleKey);
        if (attempt.taker)
            break;
    }
    return attempt;
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

    // A sheet whose stock leaves too little area beside its copies cannot
    // take the part in any style (every variant holds the same copies on
    // the same stock); it is passed over without copying a variant.
    std::vector<OptTopLevelLayout*> candidates;
    std::vector<char> roomy;
    for (OptTopLevelLayout* sheet : ordered) {
        if (sheet->GetTriedMark() == part)
            continue;
        if (offCutOnly && !sheet->GetStockProxy()->GetInventory().offCut)
            continue;
        candidates.push_back(sheet);
        roomy.push_back(LeavesRoomFor(*sheet, *part) ? 1 : 0);
    }

    // The roomy sheets are tried a few at a time, as many as there are
    // threads, each on its own copies; the first sheet in order that takes
    // the part wins, and the sheets before it are marked as tried, as one
    // after the other would have it.
    const std::size_t batch = static_cast<std::size_t>(std::max(1, tbb::this_task_arena::max_concurrency()));
    std::vector<std::size_t> tried;
    std::vector<Attempt> attempts;
    std::size_t next = 0; // first candidate not yet settled
    while (next < candidates.size()) {
        tried.clear();
        std::size_t end = next;
        for (; end < candidates.size() && tried.size() < batch; ++end)
            if (roomy[end])
                tried.push_back(end);
        attempts.clear();
        attempts.resize(tried.size());
        if (tried.size() == 1) {
            attempts[0] = TryStyles(*candidates[tried[0]], part, filter, optimizer);
        } else if (tried.size() > 1) {
            tbb::parallel_for(std::size_t(0), tried.size(), [&](std::size_t k) {
                attempts[k] = TryStyles(*candidates[tried[k]], part, filter, optimizer);
            });
        }
        std::size_t k = 0;
        for (; next < end; ++next) {
            OptTopLevelLayout* sheet = candidates[next];
            if (!roomy[next]) {
                sheet->SetTriedMark(part);
                continue;
            }
            Attempt& attempt = attempts[k++];
            if (attempt.taker) {
                std::unique_ptr<OptTopLevelLayout> taker = std::move(attempt.taker);
                const GeometryStyle style = taker->Policy().GetStyleWord();
                taker->Policy() = policy.localOpt;
                taker->Policy().SetStyleWord(style);
                sheet->AssignFrom(*taker);
                sheet->Policy() = taker->Policy();
                sheet->SetTriedMark(nullptr);
                // The sheet's arrangement changed: its old variants no longer
                // hold its parts.
                TakeOutOfGroup(*sheet, regroupSet, false);
                sheet->ResetStyleMap();
                TakeOutOfGroup(*sheet, regroupSet, true);
                if (!sheet->IsDuplicate()) {
                    sheet->Policy().SetStyleWord(StandardLayout);
                    sheet->FileStyleLayout(StandardLayout, sheet);
                    if (!attempt.cancelled)
                        RunSpecialLocalSteps(*sheet, optimizer);
                }
                return true;
            }
            if (attempt.cancelled)
                return false;
            sheet->SetTriedMark(part);
        }
    }
    return false;
}

} // namespace optimization

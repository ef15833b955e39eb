#include "GlobalIsoDimPass.h"

#include "CLayoutSet.h"
#include "FreeRectangleSearch.h"
#include "IsoDimGroup.h"
#include "LayoutGrouping.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "OptimizationJob.h"
#include "ParallelOptimizer.h"
#include "PartInsertion.h"
#include "Placement.h"
#include "RegionFit.h"
#include "RelayoutSheet.h"
#include "ResizeSheets.h"
#include "RunPasses.h"

#include <tbb/task_arena.h>
#include <tbb/task_group.h>

#include <algorithm>
#include <memory>

namespace optimization {

namespace {

// `all` less one occurrence of each entry of `taken`, in the order of `all`.
std::vector<const PartProxy*> Without(
    const std::vector<const PartProxy*>& all, const std::vector<const PartProxy*>& taken)
{
    std::vector<const PartProxy*> rest = all;
    for (const PartProxy* part : taken) {
        auto it = std::find(rest.begin(), rest.end(), part);
        if (it != rest.end())
            rest.erase(it);
    }
    return rest;
}

// The best strip of any group of either map through any region of the set's
// sheets; false when no strip fits anywhere.
bool ChooseStripInSet(const CLayoutSet& set, const IsoDimGroupMap& byWidth, const IsoDimGroupMap& byLength,
    CFreeRectangle& best)
{
    bool found = false;
    for (const OptTopLevelLayout* sheet : set.Layouts())
        if (!sheet->IsDuplicate())
            found = ChooseStrip(sheet->GetRegions(), byWidth, byLength, best, found);
    return found;
}

void EmptyAll(CLayoutSet& set)
{
    for (OptTopLevelLayout* sheet : set.Layouts()) {
        sheet->Clear();
        sheet->SetMaster(nullptr);
        sheet->SetDuplicateCount(0);
        sheet->Relay();
    }
}

} // namespace

bool TryIsoDimLayout(ParallelOptimizer& trial, CLayoutSet& set, const std::vector<const PartProxy*>& copies)
{
    std::vector<const PartProxy*> ordered = copies;
    SortPartSequence(ordered, trial.Job().RunState().GetPartOrderKind());
    std::vector<const PartProxy*> priority;

    PlacementRequest request;
    request.searchExistingSheets = false; // the regions of all sheets pooled
    request.regroupSet = &set;
    request.regroup = true;
    request.optimizer = &trial;

    // Every iteration has one more priority copy, so there are at most as
    // many iterations as copies.
    for (;;) {
        EmptyAll(set);
        request.sheets = set.Layouts();
        for (const PartProxy* part : priority) {
            request.part = part;
            if (!PlacePart(request))
                return false;
        }

        std::vector<const PartProxy*> remaining = Without(ordered, priority);
        bool again = false;
        while (!remaining.empty() && !again) {
            if (trial.IsCancelRequested())
                return false;
            IsoDimGroupMap byWidth;
            IsoDimGroupMap byLength;
            BuildIsoDimGroups(remaining, byWidth, byLength);
            if (byWidth.empty() && byLength.empty()) {
                for (const PartProxy* part : remaining) {
                    request.part = part;
                    if (!PlacePart(request)) {
                        priority.push_back(part);
                        again = true;
                        break;
                    }
                }
                remaining.clear();
                continue;
            }
            CFreeRectangle strip;
            std::vector<const PartProxy*> laid;
            if (ChooseStripInSet(set, byWidth, byLength, strip)) {
                OptTopLevelLayout* sheet = strip.owner->GetTopLevel();
                laid = LayGroup(strip);
                sheet->RebuildLists();
                if (!laid.empty())
                    TakeOutOfGroup(*sheet, set, true);
            }
            if (laid.empty()) {
                priority.push_back(remaining.front());
                again = true;
                continue;
            }
            remaining = Without(remaining, laid);
        }
        if (!again)
            return true;
    }
}

void RunGlobalIsoDimPass(ParallelOptimizer& optimizer, IsoDimTrace* trace)
{
    IsoDimTrace local;
    IsoDimTrace& result = trace ? *trace : local;
    result = IsoDimTrace();

    OptimizationJob& job = optimizer.Job();
    if (!job.Policy().layoutsComparer.IsPartDistributionPrimary())
        return;
    std::vector<const PartProxy*> placed;
    for (const OptTopLevelLayout* sheet : job.RunState().Layouts().Layouts())
        placed.insert(placed.end(), sheet->GetPlacedCopies().begin(), sheet->GetPlacedCopies().end());
    result.placedCopies = placed.size();
    if (placed.size() > kIsoDimMaxPlacedCopies) {
        result.outcome = IsoDimTrace::TooManyCopies;
        return;
    }

    const std::int32_t mode = job.Policy().localOpt.GetMode();
    // Each attempt works on its own detached copy and reads nothing the
    // other writes, so with more than one thread the two run side by side;
    // the choice below takes them in the serial order all the same.
    auto attempt = [&](ParallelOptimizer& trial, bool ripFirst) -> bool {
        CLayoutSet& set = trial.Job().RunState().Layouts();
        set.RelayInDirection(ripFirst);
        if (!TryIsoDimLayout(trial, set, placed) || optimizer.IsCancelRequested())
            return false;
        set.ResetStyleWords();
        set.RemoveLayoutsWithoutBlock();
        for (OptTopLevelLayout* sheet : set.Layouts())
            sheet->Policy().SetMode(mode);
        return true;
    };

    // A first cut fixed with the grain is a length-wise first cut, the one
    // the rip-first attempt makes (and the only one the sheets' roots would
    // take anyway); fixed across the grain it is the cross-first attempt's.
    // The other attempt would only repeat the same cuts under a layout style
    // the rule does not admit.
    const FirstCutSpecification firstCut = job.Rules().GetFirstCutSpecification();
    std::unique_ptr<ParallelOptimizer> ripFirst;
    std::unique_ptr<ParallelOptimizer> crossFirst;
    if (firstCut != FirstCutAcrossGrain)
        ripFirst = optimizer.MakeDetachedCopy();
    if (firstCut != FirstCutWithGrain)
        crossFirst = optimizer.MakeDetachedCopy();
    bool ripDone = false;
    bool crossDone = false;
    if (ripFirst && crossFirst && tbb::this_task_arena::max_concurrency() > 1) {
        result.triedRipFirst = true;
        result.triedCrossFirst = true;
        tbb::task_group group;
        group.run([&] { ripDone = attempt(*ripFirst, true); });
        group.run([&] { crossDone = attempt(*crossFirst, false); });
        group.wait();
    } else {
        if (ripFirst) {
            result.triedRipFirst = true;
            ripDone = attempt(*ripFirst, true);
        }
        if (crossFirst && !optimizer.IsCancelRequested()) {
            result.triedCrossFirst = true;
            crossDone = attempt(*crossFirst, false);
        }
    }
    if (optimizer.IsCancelRequested()) {
        result.outcome = IsoDimTrace::Cancelled;
        return;
    }
    if (!ripDone)
        ripFirst.reset();
    if (!crossDone)
        crossFirst.reset();

    ParallelOptimizer* chosen = ripFirst.get();
    if (crossFirst
        && (!chosen
            || optimizer.CompareSets(
                   ripFirst->Job().RunState().Layouts(), crossFirst->Job().RunState().Layouts())
                == 1))
        chosen = crossFirst.get();
    if (!chosen) {
        result.outcome = IsoDimTrace::NoneSucceeded;
        return;
    }
    if (optimizer.CompareSets(job.RunState().Layouts(), chosen->Job().RunState().Layouts()) != 1) {
        result.outcome = IsoDimTrace::CurrentKept;
        return;
    }

    optimizer.AdoptJobOf(*chosen);
    OptRunState& state = optimizer.Job().RunState();
    GroupIdenticalSheets(state.Layouts());
    state.MarkInventory();
    ResizeSheets(optimizer);
    EmptySheets(optimizer);
    result.outcome = IsoDimTrace::Adopted;
}

// The run's entry for this pass (replaces the stand-in of RunPasses.cpp).
void RunGlobalIsoDimPass(ParallelOptimizer& optimizer)
{
    RunGlobalIsoDimPass(optimizer, nullptr);
}

} // namespace optimization

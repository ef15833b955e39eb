#include "SecondPass.h"

#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "Placement.h"
#include "ResizeSheets.h"
#include "RunPasses.h"

#include <tbb/task_arena.h>
#include <tbb/task_group.h>

namespace optimization {

bool ReplaceAllParts(ParallelOptimizer& trial, int searchMode)
{
    OptRunState& state = trial.Job().RunState();
    CLayoutSet& set = state.Layouts();
    PlacementRequest request;
    request.searchExistingSheets = searchMode == 1;
    request.regroupSet = &set;
    request.regroup = true;
    request.noTryOCD = true;
    request.optimizer = &trial;
    for (const auto& tracker : state.PartSequence()) {
        request.part = tracker->GetPartProxy();
        for (std::uint32_t i = 0; i < tracker->GetPlacedCopiesCount(); ++i) {
            request.sheets = set.Layouts();
            const bool placed = PlacePart(request);
            if (trial.IsCancelRequested() || !placed)
                return false;
        }
    }
    set.RemoveLayoutsWithoutBlock();
    return true;
}

namespace {

// One trial: a detached copy refilled, then its sheets moved and combined.
bool RunTrial(ParallelOptimizer& trial, int searchMode)
{
    if (!ReplaceAllParts(trial, searchMode))
        return false;
    ResizeSheets(trial);
    EmptySheets(trial);
    return true;
}

} // namespace

void RunSecondPass(ParallelOptimizer& optimizer)
{
    // The two trials work on their own detached copies, so with more than
    // one thread they run side by side.
    std::unique_ptr<ParallelOptimizer> bySheet = optimizer.MakeDetachedCopy();
    std::unique_ptr<ParallelOptimizer> pooled = optimizer.MakeDetachedCopy();
    bool bySheetDone = false;
    bool pooledDone = false;
    if (tbb::this_task_arena::max_concurrency() > 1) {
        tbb::task_group group;
        group.run([&] { bySheetDone = RunTrial(*bySheet, 1); });
        group.run([&] { pooledDone = RunTrial(*pooled, 0); });
        group.wait();
    } else {
        bySheetDone = RunTrial(*bySheet, 1);
        if (optimizer.IsCancelRequested())
            return;
        pooledDone = RunTrial(*pooled, 0);
    }
    if (optimizer.IsCancelRequested())
        return;
    if (!bySheetDone)
        bySheet.reset();
    if (!pooledDone)
        pooled.reset();

    ParallelOptimizer* chosen = nullptr;
    if (bySheet && pooled)
        chosen = optimizer.CompareSets(pooled->Job().RunState().Layouts(), bySheet->Job().RunState().Layouts()) == 1
                     ? bySheet.get()
                     : pooled.get();
    else
        chosen = bySheet ? bySheet.get() : pooled.get();
    if (!chosen)
        return;
    if (optimizer.CompareSets(optimizer.Job().RunState().Layouts(), chosen->Job().RunState().Layouts()) != 1)
        return;
    chosen->Job().RunState().MarkInventory();
    optimizer.AdoptJobOf(*chosen);
}

} // namespace optimization

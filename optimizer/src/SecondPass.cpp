#include "SecondPass.h"

#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "Placement.h"
#include "ResizeSheets.h"
#include "RunPasses.h"

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
std::unique_ptr<ParallelOptimizer> RunTrial(ParallelOptimizer& optimizer, int searchMode)
{
    std::unique_ptr<ParallelOptimizer> trial = optimizer.MakeDetachedCopy();
    if (!ReplaceAllParts(*trial, searchMode))
        return nullptr;
    ResizeSheets(*trial);
    EmptySheets(*trial);
    return trial;
}

} // namespace

void RunSecondPass(ParallelOptimizer& optimizer)
{
    std::unique_ptr<ParallelOptimizer> bySheet = RunTrial(optimizer, 1);
    if (optimizer.IsCancelRequested())
        return;
    std::unique_ptr<ParallelOptimizer> pooled = RunTrial(optimizer, 0);
    if (optimizer.IsCancelRequested())
        return;

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

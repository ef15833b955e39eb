// RetrySkipped Parts: one more try to place the copies still unplaced into
// the sheets that exist, in every layout style the rules allow. No new sheet
// is opened. Parts are taken in the order of the part sequence.

#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "PlaceInAnyStyle.h"
#include "RunPasses.h"

namespace optimization {

void RunRetrySkippedParts(ParallelOptimizer& optimizer)
{
    OptRunState& state = optimizer.Job().RunState();
    PartTrackerList pending;
    for (const auto& tracker : state.PartSequence())
        if (tracker->IsAnyCopyUnplaced() && !tracker->IsSkippedPreOpt())
            pending.push_back(tracker);

    for (const auto& tracker : pending) {
        if (optimizer.IsCancelRequested())
            return;
        while (tracker->GetUnplacedCopiesCount() > 0) {
            // The set may change while a copy is placed (a sheet replaced
            // by its variant), so the list is taken afresh each time.
            const std::vector<OptTopLevelLayout*> sheets = state.Layouts().Layouts();
            const bool placed = PlaceInAnyStyle(tracker->GetPartProxy(), sheets, false, optimizer, state.Layouts());
            if (placed)
                tracker->IncrementPlacedCount();
            if (optimizer.IsCancelRequested())
                return;
            if (!placed)
                break;
        }
    }
}

} // namespace optimization

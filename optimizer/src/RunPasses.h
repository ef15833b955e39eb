#pragma once
// The passes of a run after the pre-check, in the order in which
// ParallelOptimizer::Run calls them. Each works on the running optimizer's
// job: it may replace the job's layout set (usually by adopting a trial copy
// that the layouts comparer prefers) and asks the cancel query inside when it
// is long. A pass that is cancelled leaves the running job as it was. Each
// pass lives in a file of its own.

namespace optimization {

class ParallelOptimizer;

// Seeds the layout set with the best of the initial layout creators.
void RunFirstPass(ParallelOptimizer& optimizer);
// Rebuilds the whole set in strips of equal-dimension parts (part distribution only).
void RunGlobalIsoDimPass(ParallelOptimizer& optimizer);
void RunSecondPass(ParallelOptimizer& optimizer);
void RunLocalOptimization(ParallelOptimizer& optimizer);

// The improvement dispatcher behind three passes of the run.
enum class ImprovementMode
{
    Third = 0,
    Cleanup = 1,
    EliminateLayouts = 2,
};
void RunImprovementDispatcher(ParallelOptimizer& optimizer, ImprovementMode mode);

void RunSpecialLocalPass(ParallelOptimizer& optimizer);
void RunRetrySkippedParts(ParallelOptimizer& optimizer);

} // namespace optimization

#pragma once
// The Global IsoDim Pass: for part distribution runs with few placed copies,
// it rebuilds the whole layout set with parts that share a dimension cut as
// strips, once with rip cuts first and once with cross cuts first (as far as
// the first-cut rule allows), each on a detached copy of the optimizer, and
// adopts the better rebuilt set when the layouts comparer prefers it to the
// current one. An adopted set is grouped, its inventory marked, its sheets
// moved to cheaper stock and emptied where two combine.
//
// Reads the primary objective, the rules' first cut, the
// job policy's local-optimization mode and the run state's part order kind.

#include <cstddef>
#include <vector>

namespace optimization {

class CLayoutSet;
class ParallelOptimizer;
class PartProxy;

// With more placed copies than this the pass does nothing.
constexpr std::size_t kIsoDimMaxPlacedCopies = 100;

// What one run of the pass did, as recorded for the tests.
struct IsoDimTrace
{
    enum Outcome { NotPartDistribution, TooManyCopies, Cancelled, NoneSucceeded, CurrentKept, Adopted };
    Outcome outcome = NotPartDistribution;
    std::size_t placedCopies = 0;
    bool triedRipFirst = false; // cut orientation 1, style 1
    bool triedCrossFirst = false; // cut orientation 0, style 2
};

void RunGlobalIsoDimPass(ParallelOptimizer& optimizer, IsoDimTrace* trace);

// Rebuilds the (emptied) sheets of `set`, which belongs to `trial`, with
// `copies` laid strip by strip. True when every copy was placed; false when
// a copy that had to go first did not fit, or on a cancel.
bool TryIsoDimLayout(ParallelOptimizer& trial, CLayoutSet& set, const std::vector<const PartProxy*>& copies);

} // namespace optimization

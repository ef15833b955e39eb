#pragma once
// Replaces one sheet by several sheets of cheaper stocks that together cost
// no more and hold all of its parts. The combinations (one sheet count per
// cheaper stock) come up cheapest first, pruned by cost and area, and under
// a fixed cap on the work, so that even very cheap stocks, which allow huge
// counts, finish quickly; each is tried by placing the old sheet's parts on
// fresh sheets until one takes them all.
//
// Reads the stock comparer's off-cuts-first and inventory-first flags, the
// trackers' inventory and the run state's part order kind.

#include "ParStockComparer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace optimization {

class CLayoutSet;
class OptTopLevelLayout;
class ParallelOptimizer;

// Caps of the enumeration, the same for every run so that results repeat.
struct SplitLimits {
    std::size_t maxSteps = 20000;   // combinations looked at
    std::size_t maxKept = 256;      // cheapest combinations kept
    std::size_t maxTrials = 32;     // combinations tried by placing parts
};

// One combination: a sheet count per candidate stock.
struct SplitCandidate {
    std::vector<std::uint32_t> counts;
    double cost = 0.0;
};

// The combinations worth trying, cheapest first (ties in enumeration order),
// with the candidate stocks they count. Exposed for tests.
struct SplitPlan {
    std::vector<const StockUsageTracker*> stocks;
    std::vector<SplitCandidate> vectors;
    std::size_t steps = 0;   // combinations looked at
    bool giveUp = false;     // a candidate stock costs nothing
};
SplitPlan PlanCheaperSheets(const OptTopLevelLayout& sheet, const StockTrackerList& stocks,
                            const ParStockComparer& comparer, const SplitLimits& limits = SplitLimits());

// True when the sheet's parts all went onto a combination of cheaper sheets,
// which are then in `out` (sheets that took nothing are left out). On false,
// `out` holds what it held before and every trial sheet has been freed. The
// given sheet is never changed; no tracker counts anything.
bool SplitIntoCheaperSheets(const OptTopLevelLayout& sheet, const StockTrackerList& stocks, CLayoutSet& out,
                            ParallelOptimizer& optimizer, const SplitLimits& limits = SplitLimits());

} // namespace optimization

#pragma once
// Places one copy of a part into existing sheets in whichever layout style
// of a sheet takes it: the sheet's style variants are tried in style order
// (only those the first-cut rules admit), each by its best free region and
// then by TryOCD. The variant that takes the part replaces the sheet. Used by
// RetrySkipped Parts, the CLEANUP Pass and the ELIMINATE LAYOUTS Pass.
//
// Reads the job policy (mode option, settings the variant takes), the rules'
// first-cut rule and the cancel query.

#include <vector>

namespace optimization {

class CLayoutSet;
class OptTopLevelLayout;
class ParallelOptimizer;
class PartProxy;

// True when a copy was placed; `regroupSet` is the set the changed sheet is
// grouped again among. With offCutOnly only sheets on off-cut stock are tried.
bool PlaceInAnyStyle(const PartProxy* part, const std::vector<OptTopLevelLayout*>& sheets, bool offCutOnly,
                     ParallelOptimizer& optimizer, CLayoutSet& regroupSet);

} // namespace optimization

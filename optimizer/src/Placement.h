#pragma once
// The placement steps that every pass and creator grows sheets with: placing
// one copy of a part into existing sheets, and filling one sheet with every
// copy still unplaced. Placing never counts copies in the trackers: the
// caller counts what it commits.
//
// Reads the policy's mode option (regions with the exclusion mark are left
// out when it is set) and the run state's part order kind and part sequence.

#include "CLayoutSet.h"

#include <vector>

namespace optimization {

class OptTopLevelLayout;
class ParallelOptimizer;
class PartProxy;

struct PlacementRequest {
    const PartProxy* part = nullptr;
    // Set: the sheets are tried one by one (with TryOCD as the last resort);
    // clear: the regions of all sheets are pooled and searched once.
    bool searchExistingSheets = true;
    std::vector<OptTopLevelLayout*> sheets;
    // With regroup set, a sheet that took the part leaves its group of
    // identical sheets and joins an identical sheet of this set, if any.
    CLayoutSet* regroupSet = nullptr;
    bool regroup = false;
    bool noTryOCD = false;
    ParallelOptimizer* optimizer = nullptr;
};

// True when a copy of the part was placed.
bool PlacePart(const PlacementRequest& request);

// Places one copy of each part, in order, with the request's settings; stops
// at the first that does not go in and answers false.
bool PlaceEach(PlacementRequest request, const std::vector<const PartProxy*>& parts);

// Tries to place every unplaced copy of the run state's part sequence into
// this one sheet; after a copy fails, the following copies of the same part
// are skipped.
void FillSheet(OptTopLevelLayout& sheet, ParallelOptimizer& optimizer);

} // namespace optimization

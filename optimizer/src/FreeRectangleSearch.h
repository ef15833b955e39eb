#pragma once
// Searches over the free regions of sheets: the best region for one part,
// the regions of several sheets pooled into one list, the largest region,
// and the best strip of equal-dimension parts in one region. The fit test,
// its score and the preference between two regions are those of RegionFit.h;
// these searches only decide which regions take part and in which order.

#include "CFreeRectangle.h"
#include "IsoDimGroup.h"
#include "OptLayout.h"

#include <cstdint>
#include <vector>

namespace optimization {

class OptTopLevelLayout;
class PartProxy;

// Which regions a search looks at.
struct RegionFilter {
    bool byDirection = false;  // only regions whose direction flag equals wantDirection1
    bool wantDirection1 = false;
    bool skipExcluded = false; // leave out regions with the exclusion mark
};

// Walks the list in order and keeps the region the preference favours; each
// region the part fits is evaluated in place (orientation and score are
// recorded on it). With an owner filter only regions whose owner lies in
// that node's subtree take part. Null when no region takes the part.
CFreeRectangle* SelectFreeRectangle(RegionList& regions, const PartProxy& part,
                                    const OptLayout* ownerFilter, const RegionFilter& filter);

// The regions of the given sheets, each sheet's list in its own order, one
// sheet after the other.
RegionList PoolFreeRectangles(const std::vector<OptTopLevelLayout*>& sheets);

// The region that SelectFreeRectangle (no owner filter) chooses from the
// pooled regions of the sheets, found without pooling them: each region is
// evaluated on a scratch copy, so the sheets' own regions stay as they are.
// `chosen` receives the evaluated copy; false when no region takes the part.
bool SelectPooledFreeRectangle(const std::vector<OptTopLevelLayout*>& sheets, const PartProxy& part,
                               const RegionFilter& filter, CFreeRectangle& chosen);

struct LargestRegion {
    const OptTopLevelLayout* filter = nullptr;
    const CFreeRectangle* region = nullptr; // null when no region took part
    std::int64_t area = 0;                  // counts squared
};
// The region of largest area (ties: the one whose sheet has more free area;
// then the earlier). With a sheet filter only that sheet's regions take part.
LargestRegion SelectLargestFreeRectangle(const RegionList& regions, const OptTopLevelLayout* sheetFilter);

// Tries every group of the map, in key order, as a strip through the region
// and records the preferred one on the region (its strip evaluation). False,
// and the region's strip evaluation cleared, when no group's strip fits.
bool EvaluateStrips(CFreeRectangle& region, const IsoDimGroupMap& groups);

} // namespace optimization

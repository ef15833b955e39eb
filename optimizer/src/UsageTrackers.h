#pragma once
// The tracker collections of a run: one part tracker per part proxy and one
// stock tracker per stock proxy, in the factory's order.

#include "StockUsageTracker.h"

#include <nestcore/PartUsageTracker.h>
#include <nestcore/StockTrackerMap.h>

#include <memory>
#include <vector>

namespace optimization {

using PartTrackerList = std::vector<std::shared_ptr<PartUsageTracker>>;

PartUsageMap BuildPartTrackers(const std::vector<std::shared_ptr<PartProxy>>& parts);
StockTrackerMap BuildStockTrackers(const std::vector<std::shared_ptr<StockProxy>>& stocks);

PartTrackerList AllTrackers(const PartUsageMap& trackers);
// Some tracker not skipped before optimization has copies left to place.
bool AnyUnplaced(const PartUsageMap& trackers);
PartTrackerList UnplacedTrackers(const PartUsageMap& trackers);
// Each tracker's part once per unplaced copy, in tracker order; consumes the list.
std::vector<const PartProxy*> CopyList(PartTrackerList&& trackers);
// Linear search; null when the part is not in the list.
std::shared_ptr<PartUsageTracker> FindTracker(const PartTrackerList& trackers,
                                              const PartProxy* part);

// Map lookups that fail the way the run's well-formedness check expects.
const std::shared_ptr<StockUsageTracker>& TrackerOf(const StockTrackerMap& trackers,
                                                    const StockProxy* stock);
const std::shared_ptr<PartUsageTracker>& TrackerOf(const PartUsageMap& trackers,
                                                   const PartProxy* part);

} // namespace optimization

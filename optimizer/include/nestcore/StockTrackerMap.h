#pragma once
// The stock trackers of a run, keyed by stock proxy in factory order.

#include <nestcore/ProxyOrder.h>
#include <nestcore/StockProxy.h>

#include <map>
#include <memory>

namespace optimization {

class StockUsageTracker;

using StockTrackerMap =
    std::map<const StockProxy*, std::shared_ptr<StockUsageTracker>, ProxyOrder>;

} // namespace optimization

#include "UsageTrackers.h"

#include <stdexcept>

namespace optimization {

namespace {
[[noreturn]] void ThrowMissingKey()
{
    throw std::out_of_range("invalid map<K, T> key");
}
} // namespace

PartUsageMap BuildPartTrackers(const std::vector<std::shared_ptr<PartProxy>>& parts)
{
    PartUsageMap map;
    for (const auto& part : parts)
        map.emplace(part.get(), std::make_shared<PartUsageTracker>(part.get()));
    return map;
}

StockTrackerMap BuildStockTrackers(const std::vector<std::shared_ptr<StockProxy>>& stocks)
{
    StockTrackerMap map;
    for (const auto& stock : stocks)
        map.emplace(stock.get(), std::make_shared<StockUsageTracker>(stock.get()));
    return map;
}

PartTrackerList AllTrackers(const PartUsageMap& trackers)
{
    PartTrackerList list;
    list.reserve(trackers.size());
    for (const auto& entry : trackers)
        list.push_back(entry.second);
    return list;
}

bool AnyUnplaced(const PartUsageMap& trackers)
{
    for (const auto& entry : trackers) {
        if (!entry.second->IsSkippedPreOpt() && entry.second->IsAnyCopyUnplaced())
            return true;
    }
    return false;
}

PartTrackerList UnplacedTrackers(const PartUsageMap& trackers)
{
    PartTrackerList list;
    for (const auto& entry : trackers) {
        if (!entry.second->IsSkippedPreOpt() && entry.second->GetUnplacedCopiesCount() > 0)
            list.push_back(entry.second);
    }
    return list;
}

std::vector<const PartProxy*> CopyList(PartTrackerList&& trackers)
{
    std::vector<const PartProxy*> copies;
    for (const auto& tracker : trackers) {
        for (std::int64_t i = 0; i < tracker->GetUnplacedCopiesCount(); ++i)
            copies.push_back(tracker->GetPartProxy());
    }
    trackers.clear();
    return copies;
}

std::shared_ptr<PartUsageTracker> FindTracker(const PartTrackerList& trackers,
                                              const PartProxy* part)
{
    for (const auto& tracker : trackers) {
        if (tracker->GetPartProxy() == part)
            return tracker;
    }
    return nullptr;
}

const std::shared_ptr<StockUsageTracker>& TrackerOf(const StockTrackerMap& trackers,
                                                    const StockProxy* stock)
{
    auto it = trackers.find(stock);
    if (it == trackers.end() || it->first != stock)
        ThrowMissingKey();
    return it->second;
}

const std::shared_ptr<PartUsageTracker>& TrackerOf(const PartUsageMap& trackers,
                                                   const PartProxy* part)
{
    auto it = trackers.find(part);
    if (it == trackers.end() || it->first != part)
        ThrowMissingKey();
    return it->second;
}

} // namespace optimization

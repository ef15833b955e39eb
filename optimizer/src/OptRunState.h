#pragma once
// The working result of one job: the layout set (one sheet layout per used
// sheet, owned), the stock and part trackers, and the part sequence in which
// the passes offer parts. Trials of the passes work on clones of it.

#include "CLayoutSet.h"
#include "TryOCDMemo.h"
#include "UsageTrackers.h"

#include <nestcore/PartUsageTracker.h>
#include <nestcore/StockTrackerMap.h>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace optimization {

class OptRunState
{
public:
    OptRunState(const std::vector<std::shared_ptr<StockProxy>>& stocks,
        const std::vector<std::shared_ptr<PartProxy>>& parts);
    OptRunState(const OptRunState&) = delete;
    OptRunState& operator=(const OptRunState&) = delete;
    ~OptRunState();

    // Every tracker cloned, the part sequence rebuilt and sorted by the same
    // part order kind, and the layout set copied with its groups of
    // identical sheets (the copies of a group share one style map).
    std::unique_ptr<OptRunState> CloneFull() const;
    // Trackers as the full clone; every sheet replaced by an empty sheet of
    // the same stock with the same within-inventory mark and cut orientation
    // or off-cut setting, alone in no group. The trackers keep their placed
    // counts, so the pass places that many copies again.
    std::unique_ptr<OptRunState> CloneDetached() const;
    // Trackers and part order as the full clone, no sheets at all: scratch
    // state for a trial that builds sheets of its own and may set the part
    // order kind meanwhile.
    std::unique_ptr<OptRunState> CloneWithoutSheets() const;
    // The part order kind alone: no sheets, no trackers and an empty part
    // sequence, for work that reads nothing of the run but the kind (a
    // sheet's rebuild) and may set it meanwhile.
    std::unique_ptr<OptRunState> CloneKindOnly() const;

    std::int32_t GetPartOrderKind() const { return m_partOrderKind; }
    // Sets the kind and re-sorts the part sequence by it.
    void SetPartOrderKind(std::int32_t kind);

    CLayoutSet& Layouts() { return m_layouts; }
    const CLayoutSet& Layouts() const { return m_layouts; }
    StockTrackerMap& StockTrackers() { return m_stockTrackers; }
    const StockTrackerMap& StockTrackers() const { return m_stockTrackers; }
    PartUsageMap& PartTrackers() { return m_partTrackers; }
    const PartUsageMap& PartTrackers() const { return m_partTrackers; }
    PartTrackerList& PartSequence() { return m_partSequence; }
    const PartTrackerList& PartSequence() const { return m_partSequence; }

    // Recounts the sheets used of every stock in set order and marks each
    // sheet within inventory when its stock still had a sheet within its
    // count when the sheet was reached.
    void MarkInventory();

    // The run's memory of failed TryOCD probes, shared by every clone.
    TryOCDMemo& FailureMemo() const { return *m_memo; }
    // True when every part of the run that neither sorts before nor after
    // the part by the kind is alike it (all of its descriptor but its
    // number), so that any part alike it takes the same place among the
    // others in that kind's order. False for a kind without a stored order.
    bool HasPlainPlace(const PartProxy* part, std::int32_t kind) const;

    // Deletes every layout and sets every placed count back to 0 (used when
    // a run fails half-way, so that no half-built result is read).
    void Discard();

private:
    // The part sequence of each known part order kind as it comes out of
    // sorting the trackers from map order, given as positions in that
    // order. The parts of a run never change, so it is made once per run
    // and shared by every clone; re-sorting thousands of trackers at every
    // change of kind was a large share of a run of many part lines.
    struct PartOrders
    {
        static constexpr std::int32_t kKinds = 4;
        std::vector<std::uint32_t> positions[kKinds];
        // No two parts tie in the kind (same part number, neither before the
        // other), so that sorting any order of the trackers gives this one.
        bool anyOrder[kKinds] = {};
        // Per kind and map position: HasPlainPlace.
        std::vector<std::uint8_t> plainPlace[kKinds];
        std::unordered_map<const PartProxy*, std::uint32_t> positionOf;
    };

    OptRunState() = default;
    void CloneTrackersInto(OptRunState& copy) const;
    static std::shared_ptr<const PartOrders> MakePartOrders(const PartTrackerList& mapOrder);
    // The trackers of `m_mapOrder` in the kind's order; false for a kind
    // without a stored order.
    bool ArrangeByStoredOrder(std::int32_t kind, bool fromMapOrder);

    std::int32_t m_partOrderKind = 0;
    CLayoutSet m_layouts { true };
    StockTrackerMap m_stockTrackers;
    PartUsageMap m_partTrackers;
    PartTrackerList m_partSequence;
    PartTrackerList m_mapOrder; // the part trackers in map order
    std::shared_ptr<const PartOrders> m_partOrders;
    std::shared_ptr<TryOCDMemo> m_memo;
};

} // namespace optimization

#include "OptRunState.h"

#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "StockUsageTracker.h"

#include <map>

namespace optimization {

OptRunState::OptRunState(const std::vector<std::shared_ptr<StockProxy>>& stocks,
    const std::vector<std::shared_ptr<PartProxy>>& parts)
    : m_stockTrackers(BuildStockTrackers(stocks))
    , m_partTrackers(BuildPartTrackers(parts))
    , m_partSequence(AllTrackers(m_partTrackers))
{
    SortPartSequence(m_partSequence, m_partOrderKind);
}

OptRunState::~OptRunState() = default;

void OptRunState::CloneTrackersInto(OptRunState& copy) const
{
    copy.m_partOrderKind = m_partOrderKind;
    for (const auto& [stock, tracker] : m_stockTrackers)
        copy.m_stockTrackers.emplace(stock, tracker->Clone());
    for (const auto& [part, tracker] : m_partTrackers)
        copy.m_partTrackers.emplace(part, tracker->Clone());
    copy.m_partSequence = AllTrackers(copy.m_partTrackers);
    SortPartSequence(copy.m_partSequence, copy.m_partOrderKind);
}

std::unique_ptr<OptRunState> OptRunState::CloneFull() const
{
    std::unique_ptr<OptRunState> copy(new OptRunState);
    CloneTrackersInto(*copy);
    const auto& source = m_layouts.Layouts();
    std::map<const OptTopLevelLayout*, OptTopLevelLayout*> counterpart;
    for (const OptTopLevelLayout* sheet : source) {
        std::unique_ptr<OptTopLevelLayout> twin = sheet->IsolatedCopy();
        counterpart[sheet] = twin.get();
        copy->m_layouts.Add(twin.release());
    }
    // Restore the groups among the copies: a copy's links must point into
    // its own set, never back into this one.
    for (std::size_t i = 0; i < source.size(); ++i) {
        OptTopLevelLayout* twin = copy->m_layouts.Layouts()[i];
        twin->SetDuplicateCount(source[i]->GetDuplicateCount());
        if (const OptTopLevelLayout* master = source[i]->GetMaster()) {
            auto found = counterpart.find(master);
            if (found != counterpart.end()) {
                twin->SetMaster(found->second);
                twin->ShareStyleMap(found->second->GetStyleMap());
            }
        }
    }
    return copy;
}

std::unique_ptr<OptRunState> OptRunState::CloneDetached() const
{
    std::unique_ptr<OptRunState> copy(new OptRunState);
    CloneTrackersInto(*copy);
    for (const OptTopLevelLayout* sheet : m_layouts.Layouts())
        copy->m_layouts.Add(sheet->EmptyCopy().release());
    return copy;
}

std::unique_ptr<OptRunState> OptRunState::CloneWithoutSheets() const
{
    std::unique_ptr<OptRunState> copy(new OptRunState);
    CloneTrackersInto(*copy);
    return copy;
}

void OptRunState::SetPartOrderKind(std::int32_t kind)
{
    m_partOrderKind = kind;
    SortPartSequence(m_partSequence, m_partOrderKind);
}

void OptRunState::MarkInventory()
{
    for (auto& [stock, tracker] : m_stockTrackers)
        tracker->SetSheetsUsed(0);
    for (OptTopLevelLayout* sheet : m_layouts.Layouts()) {
        StockUsageTracker& tracker = *TrackerOf(m_stockTrackers, sheet->GetStockProxy());
        sheet->SetWithinInventory(tracker.HasSheetsLeft() ? 1 : 0);
        tracker.SetSheetsUsed(tracker.GetSheetsUsed() + 1);
    }
}

void OptRunState::Discard()
{
    m_layouts.DeleteAll();
    for (auto& [stock, tracker] : m_stockTrackers)
        tracker->SetSheetsUsed(0);
    for (auto& [part, tracker] : m_partTrackers)
        while (tracker->GetPlacedCopiesCount() > 0)
            tracker->DecrementPlacedCount();
}

} // namespace optimization

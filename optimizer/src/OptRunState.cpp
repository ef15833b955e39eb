#include "OptRunState.h"

#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "StockUsageTracker.h"

#include <map>
#include <unordered_map>

namespace optimization {

OptRunState::OptRunState(const std::vector<std::shared_ptr<StockProxy>>& stocks,
    const std::vector<std::shared_ptr<PartProxy>>& parts)
    : m_stockTrackers(BuildStockTrackers(stocks))
    , m_partTrackers(BuildPartTrackers(parts))
    , m_partSequence(AllTrackers(m_partTrackers))
    , m_mapOrder(m_partSequence)
    , m_partOrders(MakePartOrders(m_mapOrder))
    , m_memo(std::make_shared<TryOCDMemo>())
{
    if (!ArrangeByStoredOrder(m_partOrderKind, true))
        SortPartSequence(m_partSequence, m_partOrderKind);
}

OptRunState::~OptRunState() = default;

std::shared_ptr<const OptRunState::PartOrders> OptRunState::MakePartOrders(const PartTrackerList& mapOrder)
{
    auto orders = std::make_shared<PartOrders>();
    std::unordered_map<const PartUsageTracker*, std::uint32_t> position;
    position.reserve(mapOrder.size());
    orders->positionOf.reserve(mapOrder.size());
    for (std::size_t i = 0; i < mapOrder.size(); ++i) {
        position.emplace(mapOrder[i].get(), std::uint32_t(i));
        orders->positionOf.emplace(mapOrder[i]->GetPartProxy(), std::uint32_t(i));
    }
    for (std::int32_t kind = 0; kind < PartOrders::kKinds; ++kind) {
        PartTrackerList sorted = mapOrder;
        SortPartSequence(sorted, kind);
        std::vector<std::uint32_t>& positions = orders->positions[kind];
        positions.reserve(sorted.size());
        bool anyOrder = true;
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            positions.push_back(position.at(sorted[i].get()));
            if (i == 0)
                continue;
            // Ties of a strict weak order lie side by side once sorted.
            const PartProxy& a = *sorted[i - 1]->GetPartProxy();
            const PartProxy& b = *sorted[i]->GetPartProxy();
            if (a.GetDescriptor().partNumber == b.GetDescriptor().partNumber && !PartByKind(a, b, kind)
                && !PartByKind(b, a, kind))
                anyOrder = false;
        }
        orders->anyOrder[kind] = anyOrder;

        // Parts that tie by the kind lie side by side once sorted: a run of
        // ties whose parts are all alike gives each of them a plain place.
        std::vector<std::uint8_t>& plain = orders->plainPlace[kind];
        plain.assign(sorted.size(), 0);
        std::size_t begin = 0;
        while (begin < sorted.size()) {
            const PartProxy& first = *sorted[begin]->GetPartProxy();
            std::size_t end = begin + 1;
            bool alike = true;
            while (end < sorted.size() && !PartByKind(first, *sorted[end]->GetPartProxy(), kind)) {
                alike = alike && SameLikeness(first, *sorted[end]->GetPartProxy());
                ++end;
            }
            for (std::size_t i = begin; i < end; ++i)
                plain[position.at(sorted[i].get())] = alike ? 1 : 0;
            begin = end;
        }
    }
    return orders;
}

bool OptRunState::ArrangeByStoredOrder(std::int32_t kind, bool fromMapOrder)
{
    if (!m_partOrders || kind < 0 || kind >= PartOrders::kKinds
        || m_mapOrder.size() != m_partOrders->positions[kind].size())
        return false;
    // With ties the outcome of a sort depends on the order sorted; the
    // stored order is that of the map order only.
    if (!fromMapOrder && !m_partOrders->anyOrder[kind])
        return false;
    const std::vector<std::uint32_t>& positions = m_partOrders->positions[kind];
    m_partSequence.resize(positions.size());
    for (std::size_t i = 0; i < positions.size(); ++i)
        m_partSequence[i] = m_mapOrder[positions[i]];
    return true;
}

void OptRunState::CloneTrackersInto(OptRunState& copy) const
{
    copy.m_partOrderKind = m_partOrderKind;
    for (const auto& [stock, tracker] : m_stockTrackers)
        copy.m_stockTrackers.emplace(stock, tracker->Clone());
    for (const auto& [part, tracker] : m_partTrackers)
        copy.m_partTrackers.emplace(part, tracker->Clone());
    copy.m_mapOrder = AllTrackers(copy.m_partTrackers);
    copy.m_partOrders = m_partOrders;
    copy.m_memo = m_memo;
    if (!copy.ArrangeByStoredOrder(copy.m_partOrderKind, true)) {
        copy.m_partSequence = copy.m_mapOrder;
        SortPartSequence(copy.m_partSequence, copy.m_partOrderKind);
    }
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

std::unique_ptr<OptRunState> OptRunState::CloneKindOnly() const
{
    std::unique_ptr<OptRunState> copy(new OptRunState);
    copy->m_partOrderKind = m_partOrderKind;
    copy->m_partOrders = m_partOrders;
    copy->m_memo = m_memo;
    return copy;
}

bool OptRunState::HasPlainPlace(const PartProxy* part, std::int32_t kind) const
{
    if (!m_partOrders || kind < 0 || kind >= PartOrders::kKinds)
        return false;
    auto found = m_partOrders->positionOf.find(part);
    return found != m_partOrders->positionOf.end() && m_partOrders->plainPlace[kind][found->second] != 0;
}

void OptRunState::SetPartOrderKind(std::int32_t kind)
{
    m_partOrderKind = kind;
    if (!ArrangeByStoredOrder(m_partOrderKind, false))
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

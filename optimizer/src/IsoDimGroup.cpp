#include "IsoDimGroup.h"

#include "CFreeRectangle.h"
#include "OptPartLayout.h"

#include <algorithm>
#include <limits>

namespace optimization {

void IsoDimGroup::AddCopy(const PartProxy* part, const OptDim& other, std::int32_t turned)
{
    auto [it, added] = m_members.try_emplace(part);
    if (added) {
        it->second.other = other;
        it->second.turned = turned;
    }
    ++it->second.copies;
    m_cachedRunLength = OptDim();
}

void IsoDimGroup::Clear()
{
    m_members.clear();
    m_partial = false;
    m_cachedRunLength = OptDim();
}

OptDim IsoDimGroup::GetRunLength(const OptDim& spacing) const
{
    if (m_cachedSpacing == spacing && m_cachedRunLength.ToEncodedInt() > 0)
        return m_cachedRunLength;
    std::int64_t run = 0;
    std::int64_t copies = 0;
    for (const auto& entry : m_members) {
        run += std::int64_t(entry.second.other.ToEncodedInt()) * entry.second.copies;
        copies += entry.second.copies;
    }
    if (copies > 1)
        run += std::int64_t(spacing.ToEncodedInt()) * (copies - 1);
    run = std::min<std::int64_t>(run, std::numeric_limits<std::int32_t>::max());
    m_cachedSpacing = spacing;
    m_cachedRunLength = OptDim::FromInternalRep(std::int32_t(run));
    return m_cachedRunLength;
}

bool IsoDimGroup::HasMemberLyingAcross() const
{
    for (const auto& [part, member] : m_members) {
        if (part->GetDescriptor().orientation == OrientationFree && m_key < member.other)
            return true;
    }
    return false;
}

std::uint32_t IsoDimGroup::CountCopies() const
{
    std::uint32_t copies = 0;
    for (const auto& entry : m_members)
        copies += entry.second.copies;
    return copies;
}

namespace {

// Keys of one map in the order they were founded. A dimension joins the
// first key within 2 counts of it, so near-equal parts share a strip while
// the map itself stays keyed by exact counts.
class KeyMerger
{
public:
    OptDim KeyFor(const OptDim& dimension)
    {
        for (const OptDim& key : m_keys)
            if (key == dimension)
                return key;
        m_keys.push_back(dimension);
        return dimension;
    }

private:
    std::vector<OptDim> m_keys;
};

} // namespace

void BuildIsoDimGroups(const std::vector<const PartProxy*>& copies, IsoDimGroupMap& byWidth,
                       IsoDimGroupMap& byLength)
{
    // Distinct parts in factory order, each with its number of copies, so
    // that the merging of keys does not depend on the order of the list.
    std::map<const PartProxy*, std::uint32_t, ProxyOrder> counts;
    for (const PartProxy* part : copies)
        ++counts[part];

    KeyMerger widthKeys;
    KeyMerger lengthKeys;
    auto add = [](IsoDimGroupMap& map, bool direction, const OptDim& key, const PartProxy* part,
                  const OptDim& other, std::int32_t turned, std::uint32_t count) {
        auto it = map.try_emplace(key, key, direction).first;
        for (std::uint32_t i = 0; i < count; ++i)
            it->second.AddCopy(part, other, turned);
    };
    for (const auto& [part, count] : counts) {
        const PartDescriptor& d = part->GetDescriptor();
        const bool mayLieAsGiven = d.orientation != OrientationTurnedOnly;
        // A square part shows the same dimension both ways: count it once.
        const bool turnedOnly = d.orientation == OrientationTurnedOnly;
        const bool mayTurn = turnedOnly
                             || (d.orientation != OrientationAsGiven
                                 && d.width.ToEncodedInt() != d.length.ToEncodedInt());
        // A nearly square part may meet the same merged key both ways; it
        // joins that group once.
        std::vector<std::int32_t> usedWidthKeys;
        std::vector<std::int32_t> usedLengthKeys;
        auto firstUse = [](std::vector<std::int32_t>& used, const OptDim& key) {
            for (std::int32_t k : used)
                if (k == key.ToEncodedInt())
                    return false;
            used.push_back(key.ToEncodedInt());
            return true;
        };
        for (std::int32_t turned : {0, 1}) {
            if ((turned == 0 && !mayLieAsGiven) || (turned == 1 && !mayTurn))
                continue;
            const OptDim w = OptPartLayout::PlacedWidth(*part, turned);
            const OptDim l = OptPartLayout::PlacedLength(*part, turned);
            // By width: the strip grows along x, the members share their y extent.
            const OptDim widthKey = widthKeys.KeyFor(w);
            if (firstUse(usedWidthKeys, widthKey))
                add(byWidth, false, widthKey, part, l, turned, count);
            // By length: the strip grows along y, the members share their x extent.
            const OptDim lengthKey = lengthKeys.KeyFor(l);
            if (firstUse(usedLengthKeys, lengthKey))
                add(byLength, true, lengthKey, part, w, turned, count);
        }
    }
}

std::uint32_t FitGroupInRectangle(const CFreeRectangle& rect, IsoDimGroup& group,
                                  const OptDim& spacing)
{
    const bool alongY = group.GetDirectionFlag();
    const std::int64_t cross = (alongY ? rect.length : rect.width).ToEncodedInt();
    std::int64_t available = std::int64_t((alongY ? rect.width : rect.length).ToEncodedInt())
                             + spacing.ToEncodedInt();
    bool partial = false;
    bool stopped = cross + OptDim::INTERNAL_EPSILON < group.GetKey().ToEncodedInt();
    std::uint32_t total = 0;
    for (auto& [part, member] : group.GetMembers()) {
        member.fitCount = 0;
        if (stopped) {
            partial = partial || member.copies > 0;
            continue;
        }
        // Keys merge dimensions within 2 counts, so a member may be up to 2
        // counts wider across than the key: it must fit across on its own.
        const OptDim across = alongY ? OptPartLayout::PlacedLength(*part, member.turned)
                                     : OptPartLayout::PlacedWidth(*part, member.turned);
        const bool fitsAcross = across.ToEncodedInt() <= cross + OptDim::INTERNAL_EPSILON;
        const std::int64_t unit = std::int64_t(member.other.ToEncodedInt()) + spacing.ToEncodedInt();
        const std::int64_t fits =
            fitsAcross && unit > 0 ? std::max<std::int64_t>(available, 0) / unit : 0;
        if (fits < member.copies)
            partial = true;
        const std::int64_t taken = std::min<std::int64_t>(fits, member.copies);
        member.fitCount = std::uint32_t(taken);
        if (taken == 0) {
            stopped = true;
            continue;
        }
        available -= taken * unit;
        total += member.fitCount;
    }
    group.SetPartial(partial);
    return total;
}

} // namespace optimization

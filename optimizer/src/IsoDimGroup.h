#pragma once
// Parts that share one dimension, so that they can be cut as one strip.
// A group's direction flag tells which way its strip runs: clear, the strip
// grows along the length (x) and the members share their placed width (y
// extent); set, it grows along the width (y) and they share their placed
// length (x extent).

#include <nestcore/OptDim.h>
#include <nestcore/PartProxy.h>
#include <nestcore/ProxyOrder.h>

#include <cstdint>
#include <map>
#include <vector>

namespace optimization {

class CFreeRectangle;

struct IsoDimMember {
    OptDim other;              // the dimension along the strip
    std::uint32_t copies = 0;  // copies still to place
    std::int32_t turned = 0;   // how the member lies in the strip
    std::uint32_t fitCount = 0; // copies that fit, from FitGroupInRectangle
};

class IsoDimGroup
{
public:
    using Members = std::map<const PartProxy*, IsoDimMember, ProxyOrder>;

    IsoDimGroup() = default;
    IsoDimGroup(const OptDim& key, bool directionFlag) : m_key(key), m_direction(directionFlag) {}

    const OptDim& GetKey() const { return m_key; }
    bool GetDirectionFlag() const { return m_direction; }
    bool IsEmpty() const { return m_members.empty(); }
    Members& GetMembers() { return m_members; }
    const Members& GetMembers() const { return m_members; }
    void AddCopy(const PartProxy* part, const OptDim& other, std::int32_t turned);
    void Clear();

    // Some copies did not fit the last rectangle (set by FitGroupInRectangle).
    bool IsPartial() const { return m_partial; }
    void SetPartial(bool partial) { m_partial = partial; }

    // Sum over the members of other dimension times copies, plus one spacing
    // between neighbouring copies.
    OptDim GetRunLength(const OptDim& spacing) const;
    // A member that may turn and lies across the strip (its dimension across
    // is smaller than along by more than 2 counts).
    bool HasMemberLyingAcross() const;
    std::uint32_t CountCopies() const;

private:
    OptDim m_key;
    bool m_direction = false;
    Members m_members;
    bool m_partial = false;
    mutable OptDim m_cachedSpacing;
    mutable OptDim m_cachedRunLength;
};

// Groups keyed by their exact key dimension.
using IsoDimGroupMap = std::map<OptDim, IsoDimGroup, OptDimExactLess>;

// Builds the two group maps from a list of copies (a part once per copy):
// by width (direction clear) and by length (direction set). A part that may
// turn enters, in each map, the groups of both its dimensions; a part fixed
// one way enters only the group of the dimension it shows that way.
void BuildIsoDimGroups(const std::vector<const PartProxy*>& copies,
                       IsoDimGroupMap& byWidth, IsoDimGroupMap& byLength);

// How many copies of each member fit side by side in the rectangle, with
// the spacing (kerf plus twice the padding) between them. Sets each member's
// fit count and the group's partial mark; answers the copies that fit.
std::uint32_t FitGroupInRectangle(const CFreeRectangle& rect, IsoDimGroup& group,
                                  const OptDim& spacing);

} // namespace optimization

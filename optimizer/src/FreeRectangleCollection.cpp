// How a node of the cutting tree finds its own free regions: a strip
// extension beside a node that is already split, the whole of an empty
// node, or the regions beside a lone block in each cut direction and block
// orientation that the rules and the remainder test allow.

#include "OptLayout.h"
#include "OptTopLevelLayout.h"
#include "RegionFit.h"

namespace optimization {

namespace {

struct Candidate {
    std::int32_t direction;
    std::int32_t blockOrientation;
    std::int32_t side;
};

// The order in which regions beside a block are offered.
constexpr Candidate kBesideBlock[] = {
    {1, 1, 1}, {2, 1, 1}, {1, 0, 1}, {2, 0, 1},
    {1, 1, 2}, {2, 1, 2}, {1, 0, 2}, {2, 0, 2},
};

} // namespace

void OptLayout::CollectOwnRegions()
{
    m_ownRegions.clear();
    if (!CanHoldChildren())
        return;
    const OptTopLevelLayout* top = GetTopLevel();
    const ParLocalOpt policy = top ? top->Policy() : ParLocalOpt();
    const std::int64_t kerf = Kerf().ToEncodedInt();
    const std::int64_t twicePad = 2 * std::int64_t(Padding().ToEncodedInt());
    const bool placedState = m_record.itemState == 1 || m_record.itemState == 2;

    auto make = [&](bool directionFlag) {
        CFreeRectangle r;
        r.owner = this;
        r.policy = policy;
        r.directionFlag = directionFlag;
        const std::int32_t direction = directionFlag ? 1 : 2;
        r.excluded = m_record.inheritedDirection != 0 && m_record.inheritedDirection != direction;
        return r;
    };

    if (HasRemainders()) {
        if (!m_block || EffectiveDirection() != DirectionFree)
            return;
        const bool alongLength = m_record.cutDirection == CutLengthFirst;
        const std::int64_t total = (alongLength ? m_length : m_width).ToEncodedInt();
        std::int64_t extent = total - GetContentExtent(alongLength).ToEncodedInt() - kerf;
        if (extent + OptDim::INTERNAL_EPSILON < twicePad)
            extent = 0;
        if (extent <= OptDim::INTERNAL_EPSILON)
            return;
        const OptDim free = OptDim::FromInternalRep(std::int32_t(extent));
        CFreeRectangle r = make(m_record.cutDirection == CutWidthFirst);
        if (alongLength) {
            r.width = m_width;
            r.length = free;
            r.side = SideNewStripAlongX;
            r.x = m_x + std::int32_t(total - extent);
            r.y = m_y;
        } else {
            r.width = free;
            r.length = m_length;
            r.side = SideNewStripAlongY;
            r.x = m_x;
            r.y = m_y + std::int32_t(total - extent);
        }
        r.besideBlock = true;
        r.blockOrientation = m_block->GetTurned();
        r.blockLocked = m_block->HasAlignedNeighbours();
        const bool topPlaced = top && (top->Record().itemState == 1 || top->Record().itemState == 2);
        const OptDim& across = alongLength ? m_width : m_length;
        r.grade = (topPlaced && m_further < across) ? 3 : 0;
        m_ownRegions.push_back(r);
        return;
    }

    if (!m_block) {
        const std::int32_t effective = EffectiveDirection();
        const bool directionFlag = effective == 1
                                   || (effective == DirectionFree && m_record.cutDirection == 1);
        CFreeRectangle r = make(directionFlag);
        r.width = m_width;
        r.length = m_length;
        r.x = m_x;
        r.y = m_y;
        r.side = SideWholeNode;
        r.grade = placedState ? 1 : 0;
        m_ownRegions.push_back(r);
        return;
    }

    for (const Candidate& c : kBesideBlock) {
        if (!AdmitsDirection(c.direction))
            continue;
        if (c.blockOrientation == 1 && m_block->IsOrientationFixed())
            continue;
        if (c.blockOrientation == 0 && m_block->IsTurnedOnly())
            continue;
        const RemainderResult test = RemainderTest(*this, c.direction, c.blockOrientation, c.side, true);
        if (!test.passes)
            continue;
        CFreeRectangle r = make(c.direction == 1);
        r.width = test.width;
        r.length = test.length;
        r.x = test.x;
        r.y = test.y;
        r.side = RegionSide(c.side);
        r.besideBlock = m_block->GetPart() != nullptr;
        r.blockOrientation = c.blockOrientation;
        r.blockLocked = m_block->TurnMeetsNeighbourObstacle(c.blockOrientation);
        r.turnBlocked = m_block->TurnMeetsGridObstacle(c.blockOrientation);
        if (placedState) {
            if (c.direction != m_record.stripDirection)
                r.grade = 2;
            else if ((c.side == 1 && c.direction == 2) || (c.side == 2 && c.direction == 1))
                r.grade = 1;
        }
        m_ownRegions.push_back(r);
    }
}

} // namespace optimization

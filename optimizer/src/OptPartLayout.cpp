#include "OptPartLayout.h"

#include "OptTopLevelLayout.h"

#include <nestcore/PartProxy.h>

namespace optimization {

OptDim OptPartLayout::PlacedWidth(const PartProxy& part, std::int32_t turned)
{
    return turned == 1 ? part.GetDescriptor().length : part.GetDescriptor().width;
}

OptDim OptPartLayout::PlacedLength(const PartProxy& part, std::int32_t turned)
{
    return turned == 1 ? part.GetDescriptor().width : part.GetDescriptor().length;
}

OptPartLayout::OptPartLayout(const PartProxy* part, std::int32_t turned, OptLayout* parent,
                             std::int32_t x, std::int32_t y)
    : OptLayout(PlacedWidth(*part, turned), PlacedLength(*part, turned), x, y, parent)
    , m_part(part)
    , m_turned(turned)
{
    Refresh();
    if (parent)
        parent->RegisterPlaced(&m_placed);
}

std::unique_ptr<OptLayout> OptPartLayout::CopyTree(OptLayout* parent, OptLayout** cursor) const
{
    // Built without a parent so that the copy does not register itself:
    // the copied sheet rebuilds its lists from the whole tree.
    auto copy = std::make_unique<OptPartLayout>(m_part, m_turned, nullptr, m_x, m_y);
    copy->SetParent(parent);
    CopyNodeInto(*copy, cursor);
    copy->m_handedValue = m_handedValue;
    copy->m_countDecided = m_countDecided;
    copy->m_placed = m_placed;
    return copy;
}

bool OptPartLayout::IsOrientationFixed() const
{
    return m_part && m_part->GetDescriptor().orientation == OrientationAsGiven;
}

bool OptPartLayout::IsTurnedOnly() const
{
    return m_part && m_part->GetDescriptor().orientation == OrientationTurnedOnly;
}

bool OptPartLayout::TurnMeetsGridObstacle(std::int32_t orientation) const
{
    return orientation != m_turned && m_countDecided;
}

bool OptPartLayout::TurnMeetsNeighbourObstacle(std::int32_t orientation) const
{
    return orientation != m_turned && HasAlignedNeighbours();
}

bool OptPartLayout::HasAlignedNeighbours() const
{
    const OptTopLevelLayout* top = GetTopLevel();
    return top && top->AlignedNeighboursOf(m_placed.GetRect()) > 0;
}

OptDim OptPartLayout::GetContentExtent(bool alongLength) const
{
    return alongLength ? m_length : m_width;
}

void OptPartLayout::SetTurned(std::int32_t turned)
{
    m_turned = turned;
    Refresh();
}

void OptPartLayout::SetPart(const PartProxy* part, std::int32_t turned)
{
    m_part = part;
    m_turned = turned;
    m_handedValue = 0;
    Refresh();
}

void OptPartLayout::SetOrigin(std::int32_t x, std::int32_t y)
{
    OptLayout::SetOrigin(x, y);
    Refresh();
}

void OptPartLayout::CollectPlacedParts()
{
    // A cleared leaf holds no copy and must not leave a ghost record behind.
    if (OptTopLevelLayout* top = GetTopLevel(); top && m_part)
        top->PlacedParts().push_back(&m_placed);
}

void OptPartLayout::CollectPlacedCopies()
{
    if (OptTopLevelLayout* top = GetTopLevel(); top && m_part)
        top->PlacedCopies().push_back(m_part);
}

void OptPartLayout::RefreshAndCollect()
{
    Refresh();
    CollectPlacedParts();
}

void OptPartLayout::Clear()
{
    OptLayout::Clear();
    m_part = nullptr;
    m_placed.SetPart(nullptr);
}

void OptPartLayout::MoveBy(std::int32_t dx, std::int32_t dy)
{
    OptLayout::MoveBy(dx, dy);
    Refresh();
}

bool OptPartLayout::IsLoneExactFit() const
{
    if (HasRemainders() || GetBlock() || !m_part)
        return false;
    return PlacedWidth(*m_part, m_turned) == m_width && PlacedLength(*m_part, m_turned) == m_length;
}

void OptPartLayout::SetWorkingValues(std::int32_t handedValue, bool countDecided)
{
    m_handedValue = handedValue;
    m_countDecided = countDecided;
}

void OptPartLayout::Refresh()
{
    if (m_part) {
        m_width = PlacedWidth(*m_part, m_turned);
        m_length = PlacedLength(*m_part, m_turned);
    }
    OptRect rect;
    rect.left = m_x;
    rect.top = m_y;
    rect.right = m_x + m_length.ToEncodedInt();
    rect.bottom = m_y + m_width.ToEncodedInt();
    m_placed = PlacedPart(m_part, rect, m_turned == 1);
}

} // namespace optimization

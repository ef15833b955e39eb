#include <nestcore/PlacedPart.h>

namespace optimization {

PlacedPart::PlacedPart() : m_part(nullptr), m_rotated(false) {}

PlacedPart::PlacedPart(const PartProxy* part, const OptRect& rect, bool rotated)
    : m_part(part), m_rect(rect), m_rotated(rotated)
{
}

bool PlacedPart::operator==(const PlacedPart& other) const
{
    return m_part == other.m_part && m_rotated == other.m_rotated
           && m_rect.left == other.m_rect.left && m_rect.top == other.m_rect.top;
}

bool PlacedPart::operator<(const PlacedPart& other) const
{
    if (m_rect.left != other.m_rect.left)
        return m_rect.left < other.m_rect.left;
    return m_rect.top < other.m_rect.top;
}

} // namespace optimization

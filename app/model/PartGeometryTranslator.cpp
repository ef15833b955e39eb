#include "model/PartGeometryTranslator.h"

#include <utility>

namespace {

bool IsTurned(std::int32_t code)
{
    return code == 1 || code == 3;
}

bool IsMirrored(std::int32_t code)
{
    return code == 2 || code == 3;
}

// Counts never come near the 32-bit limits (12000 inches is 196,608,000
// counts), but a damaged file could: the folds are computed in 64 bits and
// saturated instead of wrapping.
std::int32_t Fold(std::int32_t extent, std::int32_t value)
{
    const std::int64_t folded = std::int64_t { extent } - value;
    if (folded > INT32_MAX)
        return INT32_MAX;
    if (folded < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(folded);
}

std::int32_t Negate(std::int32_t value)
{
    return Fold(0, value);
}

} // namespace

PartGeometryTranslator::PartGeometryTranslator(
    GeometryOrientation orientation, std::shared_ptr<CoordinateMapper> mapper)
    : m_orientation(orientation)
    , m_mapper(std::move(mapper))
{ }

platform::Rect& PartGeometryTranslator::TransformRect(platform::Rect& out, const platform::Rect& rect) const
{
    const std::int32_t e = m_orientation.extent;
    out = rect;
    if (IsTurned(m_orientation.code))
        out = platform::Rect(rect.top, Fold(e, rect.right), rect.bottom, Fold(e, rect.left));
    if (IsMirrored(m_orientation.code)) {
        const std::int32_t top = out.top;
        out.top = Fold(e, out.bottom);
        out.bottom = Fold(e, top);
    }
    if (m_mapper)
        m_mapper->MapRect(out);
    return out;
}

platform::Point& PartGeometryTranslator::TransformOffset(
    platform::Point& out, const platform::Point& offset) const
{
    out = offset;
    if (IsTurned(m_orientation.code))
        out = platform::Point { offset.y, Negate(offset.x) };
    if (IsMirrored(m_orientation.code))
        out.y = Negate(out.y);
    if (m_mapper)
        m_mapper->MapVector(out);
    return out;
}

platform::Point& PartGeometryTranslator::InverseTransformPoint(
    platform::Point& out, const platform::Point& point) const
{
    const std::int32_t e = m_orientation.extent;
    platform::Point p = point;
    if (m_mapper)
        m_mapper->UnmapPoint(p);
    if (IsMirrored(m_orientation.code))
        p.y = Fold(e, p.y);
    if (IsTurned(m_orientation.code))
        p = platform::Point { Fold(e, p.y), p.x };
    out = p;
    return out;
}

platform::Point& PartGeometryTranslator::InverseTransformOffset(
    platform::Point& out, const platform::Point& offset) const
{
    platform::Point p = offset;
    if (m_mapper)
        m_mapper->UnmapVector(p);
    if (IsMirrored(m_orientation.code))
        p.y = Negate(p.y);
    if (IsTurned(m_orientation.code))
        p = platform::Point { Negate(p.y), p.x };
    out = p;
    return out;
}

#pragma once
// Turns part rectangles, points and offsets of a cutting layout (counts of
// 1/16384 inch, x along the sheet's length) into drawing coordinates in the
// same counts, and back. The sheet may be drawn turned a quarter (its length
// vertical) and/or mirrored top to bottom about the drawn vertical extent;
// a coordinate mapper runs after the orientation transform.

#include "model/CoordinateMapper.h"

#include <cstdint>
#include <memory>

struct GeometryOrientation
{
    // 0 unchanged, 1 turned a quarter, 2 mirrored top to bottom, 3 both.
    std::int32_t code = 0;
    // The drawn vertical extent the transforms fold about, in counts.
    std::int32_t extent = 0;
};

class PartGeometryTranslator
{
public:
    PartGeometryTranslator(GeometryOrientation orientation, std::shared_ptr<CoordinateMapper> mapper);

    const GeometryOrientation& GetOrientation() const { return m_orientation; }

    // Each writes its answer into out and returns it.
    platform::Rect& TransformRect(platform::Rect& out, const platform::Rect& rect) const;
    platform::Point& TransformOffset(platform::Point& out, const platform::Point& offset) const;
    platform::Point& InverseTransformPoint(platform::Point& out, const platform::Point& point) const;
    platform::Point& InverseTransformOffset(platform::Point& out, const platform::Point& offset) const;

private:
    GeometryOrientation m_orientation;
    std::shared_ptr<CoordinateMapper> m_mapper;
};

using PartGeometryTranslatorPtr = std::shared_ptr<PartGeometryTranslator>;

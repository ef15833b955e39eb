#pragma once
// The two coordinate mappers of the diagrams and the translator factory that
// picks the orientation of a shown diagram.

#include "model/PartGeometryTranslator.h"
#include "optimization/DisplayDiagram.h"

#include <memory>

class NullCoordinateMapper : public CoordinateMapper
{
public:
    void MapVector(platform::Point&) const override { }
    void MapRect(platform::Rect&) const override { }
    void UnmapVector(platform::Point&) const override { }
    void UnmapPoint(platform::Point&) const override { }
    void UnmapRect(platform::Rect&) const override { }
};

// Flips y about an extent: y becomes E - y.
class TraditionalCoordinateMapper : public CoordinateMapper
{
public:
    explicit TraditionalCoordinateMapper(std::int32_t extent)
        : m_extent(extent)
    { }

    void MapVector(platform::Point& value) const override;
    // Top and bottom are flipped but not reordered.
    void MapRect(platform::Rect& rect) const override;
    void UnmapVector(platform::Point& value) const override;
    void UnmapPoint(platform::Point& point) const override;
    // Undoes MapRect and answers a normalised rectangle.
    void UnmapRect(platform::Rect& rect) const override;

private:
    std::int32_t m_extent;
};

// Code 1 for a sheet drawn turned, else 2 with the origin at the bottom left
// (preference), else 0; the extent is the drawn vertical extent. The
// painters pass withTraditionalMapper clear.
PartGeometryTranslatorPtr CreatePartGeometryTranslator(
    const DisplayDiagram& diagram, bool withTraditionalMapper);

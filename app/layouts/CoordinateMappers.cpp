#include "layouts/CoordinateMappers.h"

#include <cstdlib>

void TraditionalCoordinateMapper::MapVector(platform::Point& value) const
{
    value.y = m_extent - value.y;
}

void TraditionalCoordinateMapper::MapRect(platform::Rect& rect) const
{
    rect.top = m_extent - rect.top;
    rect.bottom = m_extent - rect.bottom;
}

void TraditionalCoordinateMapper::UnmapVector(platform::Point& value) const
{
    value.y = m_extent - value.y;
}

void TraditionalCoordinateMapper::UnmapPoint(platform::Point& point) const
{
    point.y = m_extent - point.y;
}

void TraditionalCoordinateMapper::UnmapRect(platform::Rect& rect) const
{
    const std::int32_t height = std::abs(rect.bottom - rect.top);
    rect.top = m_extent - rect.top;
    rect.bottom = rect.top + height;
}

PartGeometryTranslatorPtr CreatePartGeometryTranslator(
    const DisplayDiagram& diagram, bool withTraditionalMapper)
{
    const GeometryOrientation orientation { diagram.GetOrientationCode(),
        diagram.GetDrawnLength().GetUnits() };
    std::shared_ptr<CoordinateMapper> mapper;
    if (withTraditionalMapper)
        mapper = std::make_shared<TraditionalCoordinateMapper>(orientation.extent);
    else
        mapper = std::make_shared<NullCoordinateMapper>();
    return std::make_shared<PartGeometryTranslator>(orientation, std::move(mapper));
}

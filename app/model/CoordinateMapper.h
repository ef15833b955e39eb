#pragma once
// A second stage after the part geometry's orientation transform: a mapper
// may flip the drawing's vertical axis or leave everything as it is. The
// layouts window supplies the implementations.

#include "platform/Rect.h"

class CoordinateMapper
{
public:
    virtual ~CoordinateMapper() = default;
    // Offsets and sizes, layout to drawing.
    virtual void MapVector(platform::Point& value) const = 0;
    virtual void MapRect(platform::Rect& rect) const = 0;
    // Drawing back to layout.
    virtual void UnmapVector(platform::Point& value) const = 0;
    virtual void UnmapPoint(platform::Point& point) const = 0;
    virtual void UnmapRect(platform::Rect& rect) const = 0;
};

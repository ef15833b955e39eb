#pragma once

#include <platform/Rect.h>

// The ratio between a rectangle and a size, for drawing one picture at
// another scale (a layout on screen, in a thumbnail, on paper).
struct ScaleFactors
{
    float x = 1.0f;
    float y = 1.0f;

    ScaleFactors() = default;
    // x = rectangle width / width, y = rectangle height / height.
    ScaleFactors(const platform::Rect& rect, int width, int height);

    // Results are cut toward zero.
    platform::Rect ScaleRect(const platform::Rect& rect) const;
    platform::Point ScalePoint(const platform::Point& point) const;
    platform::Point UnscalePoint(const platform::Point& point) const;
};

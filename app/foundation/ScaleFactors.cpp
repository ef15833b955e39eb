#include "foundation/ScaleFactors.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Cut toward zero; a value beyond the integers saturates and one that is no
// number (a size of 0 gives infinite factors) reads as 0, since converting
// either would be undefined.
std::int32_t Truncated(float value)
{
    const double v = value;
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (v <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

} // namespace

ScaleFactors::ScaleFactors(const platform::Rect& rect, int width, int height)
    : x(static_cast<float>(rect.Width()) / static_cast<float>(width))
    , y(static_cast<float>(rect.Height()) / static_cast<float>(height))
{ }

platform::Rect ScaleFactors::ScaleRect(const platform::Rect& rect) const
{
    return platform::Rect(Truncated(static_cast<float>(rect.left) * x), Truncated(static_cast<float>(rect.top) * y),
        Truncated(static_cast<float>(rect.right) * x), Truncated(static_cast<float>(rect.bottom) * y));
}

platform::Point ScaleFactors::ScalePoint(const platform::Point& point) const
{
    return { Truncated(static_cast<float>(point.x) * x), Truncated(static_cast<float>(point.y) * y) };
}

platform::Point ScaleFactors::UnscalePoint(const platform::Point& point) const
{
    return { Truncated(static_cast<float>(point.x) / x), Truncated(static_cast<float>(point.y) / y) };
}

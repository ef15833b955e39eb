#include "optimization/DiagramGeometry.h"

#include "foundation/CDimension.h"

namespace {

// The stretch factor is the single-precision 0.8 the drawings always used.
constexpr double kStretchShare = static_cast<double>(0.8f);

bool IsDrawable(DrawnExtent extent)
{
    return extent.width > 0 && extent.length > 0;
}

std::int32_t Truncated(double value)
{
    return static_cast<std::int32_t>(value);
}

} // namespace

DrawnExtent DrawnExtentOf(const DisplayDiagram& display)
{
    return {display.GetDrawnWidth().GetUnits(), display.GetDrawnLength().GetUnits()};
}

bool IsHeightLimited(DrawnExtent extent, const platform::Rect& area)
{
    return std::int64_t {extent.width} * area.Height() < std::int64_t {extent.length} * area.Width();
}

double ComputeDiagramScale(DrawnExtent extent, const platform::Rect& area)
{
    if (!IsDrawable(extent))
        return 0.0;
    if (IsHeightLimited(extent, area))
        return static_cast<double>(area.Height()) / extent.length;
    return static_cast<double>(area.Width()) / extent.width;
}

platform::Rect ComputeDiagramLayoutRect(DrawnExtent extent, platform::Point origin, double scale)
{
    return {origin.x, origin.y, origin.x + Truncated(extent.width * scale),
            origin.y + Truncated(extent.length * scale)};
}

// Scale and product in single precision, as the drawings were always sized:
// a 96 x 48 in sheet fills a 400 pixel high area exactly 800 pixels wide.
platform::Rect FitDiagramRectToArea(DrawnExtent extent, const platform::Rect& area)
{
    if (!IsDrawable(extent))
        return {area.left, area.top, area.left, area.top};
    if (IsHeightLimited(extent, area)) {
        const float scale = static_cast<float>(area.Height()) / static_cast<float>(extent.length);
        return {area.left, area.top, area.left + Truncated(static_cast<float>(extent.width) * scale), area.bottom};
    }
    const float scale = static_cast<float>(area.Width()) / static_cast<float>(extent.width);
    return {area.left, area.top, area.right, area.top + Truncated(static_cast<float>(extent.length) * scale)};
}

platform::Rect ComputeDiagramRectInArea(DrawnExtent extent, const platform::Rect& area, bool stretch)
{
    platform::Rect r = FitDiagramRectToArea(extent, area);
    if (!stretch || !IsDrawable(extent))
        return r;
    if (extent.width + CDimension::Tolerance < extent.length) {
        const std::int32_t h = Truncated(area.Height() * kStretchShare);
        if (h > r.Height())
            r.bottom = area.top + h;
    } else {
        const std::int32_t w = Truncated(area.Width() * kStretchShare);
        if (w > r.Width())
            r.right = area.left + w;
    }
    return r;
}

platform::Rect CenterRectInRect(const platform::Rect& outer, platform::Rect inner, bool fromOrigin)
{
    if (fromOrigin)
        inner.Offset(-inner.left, -inner.top);
    const std::int32_t spareWidth = outer.Width() - inner.Width();
    const std::int32_t spareHeight = outer.Height() - inner.Height();
    inner.Offset(spareWidth >= 1 ? spareWidth / 2 : 0, spareHeight >= 1 ? spareHeight / 2 : 0);
    return inner;
}

namespace {

// One axis of DeflateRectSafely.
void DeflateAxis(std::int32_t& nearSide, std::int32_t& farSide, std::int32_t amount)
{
    const std::int32_t extent = farSide - nearSide;
    if (extent < 2 * amount) {
        nearSide += extent / 2;
        farSide = nearSide;
    } else {
        nearSide += amount / 2;
        farSide -= amount / 2;
    }
}

} // namespace

platform::Rect DeflateRectSafely(const platform::Rect& rect, std::int32_t dx, std::int32_t dy)
{
    platform::Rect r = rect;
    if (r.Width() >= 2 * dx && r.Height() >= 2 * dy) {
        r.Deflate(dx, dy);
        return r;
    }
    DeflateAxis(r.left, r.right, dx);
    DeflateAxis(r.top, r.bottom, dy);
    return r;
}

platform::Rect UsableSheetRect(StackRef stack)
{
    const StockSpec& stock = stack->GetStockSpec();
    platform::Rect r(0, 0, stock.GetRoughLength().GetUnits(), stock.GetRoughWidth().GetUnits());
    r.Deflate(stock.GetLeftRightTrim().GetUnits(), stock.GetTopBottomTrim().GetUnits());
    return r;
}

bool IsPlacementFree(const DrawnPart* moving, const DrawnPart& candidate, StackRef stack)
{
    platform::Rect r = candidate.GetSheetRect();
    r.Deflate(CDimension::Tolerance, CDimension::Tolerance);
    const platform::Rect usable = UsableSheetRect(stack);
    if (r.left < usable.left || r.right > usable.right || r.top < usable.top || r.bottom > usable.bottom)
        return false;
    const std::int32_t kerf = stack->GetStockSpec().GetKerf().GetUnits();
    for (const DrawnPartPtr& other : GetCurrentParts(stack)) {
        if (moving && *other == *moving)
            continue;
        platform::Rect grown = other->GetSheetRect();
        grown.Inflate(kerf, kerf);
        if (platform::Intersects(grown, r))
            return false;
    }
    return true;
}

bool FindDrawnPartAtPoint(const DrawnPartList& parts, platform::Point point, DrawnPartPtr& found)
{
    for (const DrawnPartPtr& drawn : parts) {
        if (drawn->GetScreenRect().Contains(point)) {
            found = drawn;
            return true;
        }
    }
    return false;
}

int ClassifyEditState(int first, int second)
{
    if (first == 1) {
        switch (second) {
        case 1: return 1;
        case 2: return 2;
        case 3: return 5;
        default: return 0;
        }
    }
    if (first == 2) {
        switch (second) {
        case 2: return 4;
        case 3: return 6;
        default: return 3;
        }
    }
    return 0;
}

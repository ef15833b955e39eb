#pragma once
// The questions the painters and manual editing ask of a diagram: how large
// it is drawn in an area, where its usable sheet lies, whether a part may be
// put somewhere and which part lies under the mouse. Layout lengths are
// counts of 1/16384 inch; areas and screen rectangles are device units.

#include "optimization/DisplayDiagram.h"
#include "platform/Rect.h"

#include <cstdint>

// The sheet's size as drawn: width along x, length along y.
struct DrawnExtent
{
    std::int32_t width = 0;
    std::int32_t length = 0;
};
DrawnExtent DrawnExtentOf(const DisplayDiagram& display);

// The area's height limits the fit (exact 64-bit products).
bool IsHeightLimited(DrawnExtent extent, const platform::Rect& area);
// Device units per layout count, the smaller of the two ratios; 0 for a
// sheet drawn with no width or no length.
double ComputeDiagramScale(DrawnExtent extent, const platform::Rect& area);
platform::Rect ComputeDiagramLayoutRect(DrawnExtent extent, platform::Point origin, double scale);
// The sheet fitted into the area from its top left; an empty rectangle at
// the area's origin for a sheet with no width or no length.
platform::Rect FitDiagramRectToArea(DrawnExtent extent, const platform::Rect& area);
// As fitted; with stretch the longer drawn side fills at least 80 % of the area.
platform::Rect ComputeDiagramRectInArea(DrawnExtent extent, const platform::Rect& area, bool stretch);
platform::Rect CenterRectInRect(const platform::Rect& outer, platform::Rect inner, bool fromOrigin);
// Moves the sides inward; an extent too small for its amount collapses to
// its middle instead of turning inside out.
platform::Rect DeflateRectSafely(const platform::Rect& rect, std::int32_t dx, std::int32_t dy);

// The rough sheet less its trims, in layout coordinates.
platform::Rect UsableSheetRect(StackRef stack);
// The candidate may lie in the stack's shown geometry: inside the usable
// sheet (within the length tolerance) and at least a kerf, less the
// tolerance, from every part other than the one being moved.
bool IsPlacementFree(const DrawnPart* moving, const DrawnPart& candidate, StackRef stack);
// The first drawn part whose screen rectangle holds the point.
bool FindDrawnPartAtPoint(const DrawnPartList& parts, platform::Point point, DrawnPartPtr& found);

// The manual-edit manager's state pair as one code for cursors and feedback.
int ClassifyEditState(int first, int second);

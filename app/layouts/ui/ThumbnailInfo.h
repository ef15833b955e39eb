#pragma once
// One picture of the thumbnails column.

#include "optimization/DisplayDiagram.h"
#include "platform/Rect.h"

#include <memory>
#include <vector>

struct ThumbnailInfo
{
    DisplayDiagramPtr diagram;
    // 1-based position in the column, also the number drawn on it.
    int number = 0;
    // Column coordinates (from the top of the whole column).
    platform::Rect rect;
    // Empty until the column lays the thumbnail out.
    platform::Rect checkRect;
};
using ThumbnailInfoPtr = std::shared_ptr<ThumbnailInfo>;
using ThumbnailList = std::vector<ThumbnailInfoPtr>;

// The box every thumbnail fits in for a column of the given client width.
platform::Rect ThumbnailBox(int columnWidth);
// One thumbnail per diagram, numbered from 1, sized at one common scale so
// that they compare like the sheets: the largest scale at which every
// diagram fits the box. A diagram drawn with no width or no length gets an
// empty rectangle (the column gives it the minimum size) and has no say in
// the scale.
ThumbnailList SizeThumbnails(const std::vector<DisplayDiagramPtr>& diagrams, const platform::Rect& box);

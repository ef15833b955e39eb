#include "layouts/ui/ThumbnailInfo.h"

#include "optimization/DiagramGeometry.h"

platform::Rect ThumbnailBox(int columnWidth)
{
    return platform::Rect(0, 0, columnWidth - 30, 105);
}

ThumbnailList SizeThumbnails(const std::vector<DisplayDiagramPtr>& diagrams, const platform::Rect& box)
{
    double scale = 0.0;
    bool first = true;
    for (const DisplayDiagramPtr& diagram : diagrams) {
        const DrawnExtent extent = DrawnExtentOf(*diagram);
        if (extent.width <= 0 || extent.length <= 0)
            continue;
        // A column narrower than the box's margin draws at the minimum size.
        const double own = box.IsEmpty() ? 0.0 : ComputeDiagramScale(extent, box);
        if (first || own < scale)
            scale = own;
        first = false;
    }
    ThumbnailList thumbnails;
    thumbnails.reserve(diagrams.size());
    int number = 0;
    for (const DisplayDiagramPtr& diagram : diagrams) {
        auto info = std::make_shared<ThumbnailInfo>();
        info->diagram = diagram;
        info->number = ++number;
        const DrawnExtent extent = DrawnExtentOf(*diagram);
        if (extent.width > 0 && extent.length > 0)
            info->rect = ComputeDiagramLayoutRect(extent, platform::Point { 0, 0 }, scale);
        thumbnails.push_back(std::move(info));
    }
    return thumbnails;
}

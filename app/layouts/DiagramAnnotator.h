#pragma once
// The outer dimensions of a diagram: marks along the sheet's top and left
// edges that give the distances between the through-cuts (or, with "Show
// Offsets", each cut's distance from the origin).

#include "optimization/DisplayDiagram.h"
#include "platform/Rect.h"

#include <QString>

#include <cstdint>
#include <vector>

class LayoutPainterStrategy;

// The cut positions of one edge in layout units, ascending: the usable
// sheet's two edges and the through-cuts between them.
struct OuterDimensionCuts
{
    std::vector<std::int32_t> top;
    std::vector<std::int32_t> left;
};
OuterDimensionCuts ComputeOuterDimensionCuts(const DisplayDiagram& diagram);

class DiagramAnnotator
{
public:
    DiagramAnnotator(LayoutPainterStrategy& painter, DisplayDiagramPtr diagram);

    // Origin mark, then the top edge, then the left edge.
    void Draw();

private:
    void DrawOriginMark();
    void DrawEdge(const std::vector<std::int32_t>& positions, bool topEdge);
    int ToDevice(std::int32_t position, bool topEdge) const;

    LayoutPainterStrategy& m_painter;
    DisplayDiagramPtr m_diagram;
    bool m_showOffsets = false;
    bool m_sheetTurned = false;
    platform::Rect m_inner;
    bool m_mirrored = false;
    int m_direction = 1;
};

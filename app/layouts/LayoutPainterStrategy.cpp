#include "layouts/LayoutPainterStrategy.h"

#include "layouts/CoordinateMappers.h"
#include "layouts/DiagramAnnotator.h"
#include "layouts/LayoutPrefs.h"
#include "layouts/PartAnnotators.h"
#include "optimization/DiagramGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Trims this thin draw no band.
constexpr int kTrimTolerance = 2;
// A label turns when its rectangle is this many times as tall as wide (the
// single-precision 2.1).
constexpr double kVerticalLabelRatio = static_cast<double>(2.1f);

} // namespace

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t { a } * b;
    const std::int64_t half = std::abs(std::int64_t { c }) / 2;
    const std::int64_t rounded = ((product < 0) != (c < 0)) ? (product - (c < 0 ? -half : half)) / c
                                                            : (product + (c < 0 ? -half : half)) / c;
    return static_cast<int>(rounded);
}

LayoutPainterStrategy::~LayoutPainterStrategy() = default;

void LayoutPainterStrategy::SetHighlight(const DiagramHighlight& record, bool matchTurnFlag)
{
    m_highlight = record;
    m_matchTurnFlag = matchTurnFlag;
}

void LayoutPainterStrategy::Paint(const DisplayDiagramPtr& diagram, const platform::Rect& area,
    const CaptionInfo& captionInfo, bool drawDraggedLast)
{
    if (!diagram || IsTooSmall(area))
        return;
    m_diagram = diagram;
    CreateDrawingTools();
    m_sheetTurned = !diagram->IsLengthwise();
    m_annotator = MakePartAnnotator(*this, diagram->IsFancyAnnotationStyle());
    m_diagramAnnotator = std::make_shared<DiagramAnnotator>(*this, diagram);
    m_area = area;
    m_captionInfo = captionInfo;
    DrawHeader();
    DrawDiagram(drawDraggedLast);
    OnPaintDone(area);
}

int LayoutPainterStrategy::GetHeaderLineHeight()
{
    IDeviceDriver* driver = GetDriver();
    return driver->GetTextMarginX() + driver->GetTextMarginY() + GetHeaderTextHeight();
}

void LayoutPainterStrategy::DrawDiagram(bool drawDraggedLast)
{
    BeginDiagram();
    m_bodyRect = m_area;
    const int band = GetHeaderBandHeight();
    if (m_area.Height() > band) {
        m_bodyRect.bottom -= band;
        AdjustBodyRect(m_bodyRect);
        if (m_bodyRect.bottom < m_bodyRect.top)
            m_bodyRect.top = m_bodyRect.bottom = 0;
    } else {
        m_bodyRect.bottom = m_bodyRect.top;
    }

    m_diagramRect = GetDiagramRect();
    DrawBackground(m_diagramRect);
    const int border = GetBorderWidth();
    m_innerRect = DeflateRectSafely(m_diagramRect, border, border);

    // A sheet without width or length has no scale: no trims, no parts.
    const int x = m_diagram->GetDrawnWidth().GetUnits();
    const int y = m_diagram->GetDrawnLength().GetUnits();
    const int xTrim = m_diagram->GetDrawnXTrim().GetUnits();
    const int yTrim = m_diagram->GetDrawnYTrim().GetUnits();
    const bool drawable = x > 0 && y > 0;
    const int trimY = (drawable && yTrim > kTrimTolerance) ? MulDiv(yTrim, m_innerRect.Height(), y) : 0;
    const int trimX = (drawable && xTrim > kTrimTolerance) ? MulDiv(xTrim, m_innerRect.Width(), x) : 0;
    DrawTrims(m_innerRect, trimX, trimY);

    DrawParts(drawDraggedLast);
    DrawBadges(m_innerRect);
    if (!m_innerRect.IsEmpty() && drawable && GetOuterDimensionMargin() != 0)
        m_diagramAnnotator->Draw();
}

void LayoutPainterStrategy::DrawParts(bool drawDraggedLast)
{
    m_draggedPartRect = platform::Rect();
    if (m_innerRect.IsEmpty())
        return;
    const int x = m_diagram->GetDrawnWidth().GetUnits();
    const int y = m_diagram->GetDrawnLength().GetUnits();
    if (x <= 0 || y <= 0)
        return;
    m_geometry = CreatePartGeometryTranslator(*m_diagram, false);
    m_scale = ScaleFactors(m_innerRect, x, y);

    DrawnPartPtr dragged;
    for (const DrawnPartPtr& part : GetCurrentParts(*m_diagram)) {
        if (!part)
            continue;
        platform::Rect drawn;
        m_geometry->TransformRect(drawn, part->GetSheetRect());
        drawn = m_scale.ScaleRect(drawn);
        drawn.Offset(m_innerRect.left, m_innerRect.top);
        OnPartPlaced(drawn, *part);
        const int partClass = ClassifyPart(*part);
        if (partClass == PartClass::Dragged) {
            dragged = part;
            m_draggedPartRect = drawn;
            continue;
        }
        DrawPart(drawn, *part, partClass);
    }
    if (dragged && drawDraggedLast)
        DrawPart(m_draggedPartRect, *dragged, PartClass::Dragged);
}

void LayoutPainterStrategy::DrawPart(const platform::Rect& rect, const DrawnPart& part, int partClass)
{
    FillPart(rect, partClass);
    const int inset = GetLabelMargin() / 2 + 1 + GetPartOutlineWidth() / 2;
    m_annotator->Annotate(part, DeflateRectSafely(rect, inset, inset), rect);
}

int LayoutPainterStrategy::ClassifyPart(const DrawnPart& drawnPart)
{
    const bool same = m_highlight.part && drawnPart.GetPart() == m_highlight.part;
    if (same && m_highlight.dragArmed && drawnPart.IsRotated() == m_highlight.turned
        && drawnPart.GetSheetRect() == m_highlight.rect && ShowsDragFeedback())
        return PartClass::Dragged;
    if (same && (!m_matchTurnFlag || drawnPart.IsRotated() == m_highlight.turned))
        return PartClass::Selected;
    return PartClass::Normal;
}

bool LayoutPainterStrategy::PartFillIsPatterned(const DrawnPart& drawnPart)
{
    const int id = ClassifyPart(drawnPart) == PartClass::Normal ? LayoutPref::NormalPartPattern
                                                                : LayoutPref::SelectedPartPattern;
    const int pattern = LayoutPrefInt(id, LayoutPref::SolidPattern);
    return pattern != LayoutPref::SolidPattern && pattern != LayoutPref::WhitePattern;
}

void LayoutPainterStrategy::DrawLabel(const QString& text, const platform::Rect& labelRect,
    const platform::Rect& partRect, const DrawnPart& drawnPart)
{
    DrawPartLabel(text, labelRect, PartFillIsPatterned(drawnPart), partRect);
}

void LayoutPainterStrategy::DrawPartLabelText(
    const QString& text, const platform::Rect& labelRect, const platform::Rect& partRect)
{
    IDeviceDriver* driver = GetDriver();
    const bool vertical = std::abs(labelRect.Height()) > labelRect.Width() * kVerticalLabelRatio;
    if (driver->TextFitsHeight(text, labelRect, vertical)) {
        driver->DrawLabel(text, labelRect, vertical, 0);
        return;
    }
    QString joined = text;
    joined.replace(QStringLiteral("\n"), QStringLiteral(" - "));
    if (driver->TextFitsHeight(joined, labelRect, vertical)) {
        driver->DrawLabel(joined, labelRect, vertical, 0);
        return;
    }
    DrawUnfittedLabel(joined, partRect, vertical);
}

void LayoutPainterStrategy::LayOutHeader()
{
    m_headerLineHeight = GetHeaderLineHeight();
    const int n = static_cast<int>(m_headerLines.size());
    const int g = GetHeaderGap();
    m_headerRect = platform::Rect(
        m_area.left, m_area.bottom - n * (m_headerLineHeight + g) + g, m_area.right, m_area.bottom);
    OnHeaderLaidOut(m_headerRect);
    m_headerRect.top = std::max(m_headerRect.top, m_area.top);
}

std::vector<int> LayoutPainterStrategy::LayOutHeaderItems(const HeaderLine& line, int lineWidth)
{
    const int k = static_cast<int>(line.items.size());
    std::vector<int> widths(k, 0);
    if (k == 0)
        return widths;
    const int available = lineWidth - GetHeaderGap() * (k - 1);
    if (!line.measuredWidths) {
        std::fill(widths.begin(), widths.end(), available / k);
        widths[0] += available - (available / k) * k;
        return widths;
    }
    int sum = 0;
    for (int i = 0; i < k; ++i) {
        widths[i] = MeasureHeaderItem(line.items[i]);
        sum += widths[i];
    }
    if (sum > available) {
        int left = std::max(0, available);
        for (int i = k - 1; i >= 0; --i) {
            widths[i] = std::min(widths[i], left);
            left -= widths[i];
        }
    } else if (line.spareIndex >= 0 && line.spareIndex < k) {
        widths[line.spareIndex] += available - sum;
    }
    return widths;
}

void LayoutPainterStrategy::DrawHeaderLines()
{
    const int g = GetHeaderGap();
    int top = m_headerRect.top;
    for (std::size_t i = 0; i < m_headerLines.size(); ++i, top += m_headerLineHeight + g) {
        platform::Rect line(m_headerRect.left, top, m_headerRect.right, top + m_headerLineHeight);
        if (i == 0)
            AdjustFirstHeaderLine(line);
        else if (i == 1)
            AdjustSecondHeaderLine(line);
        if (line.bottom > m_headerRect.bottom)
            continue;
        const HeaderLine& header = m_headerLines[i];
        const std::vector<int> widths = LayOutHeaderItems(header, line.Width());
        int right = line.right;
        for (int j = static_cast<int>(widths.size()) - 1; j >= 0; --j) {
            DrawHeaderItem(platform::Rect(right - widths[j], line.top, right, line.bottom), header.items[j]);
            right -= widths[j] + g;
        }
    }
}

platform::Rect LayoutPainterStrategy::ComputeCenteredDiagramRect(bool fromOrigin)
{
    const int m = GetOuterDimensionMargin();
    platform::Rect available = m_bodyRect;
    if (available.Height() < m)
        available.bottom = available.top;
    if (available.Width() < m)
        available.right = available.left;
    if (!available.IsEmpty()) {
        available.left += m;
        available.top += m;
    }
    const platform::Rect fitted
        = ComputeDiagramRectInArea(DrawnExtentOf(*m_diagram), available, LayoutPrefFlag(LayoutPref::Stretch));
    return CenterRectInRect(available, fitted, fromOrigin);
}

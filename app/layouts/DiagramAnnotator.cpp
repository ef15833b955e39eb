#include "layouts/DiagramAnnotator.h"

#include "foundation/CDimension.h"
#include "layouts/GDIScopes.h"
#include "layouts/KerfCollection.h"
#include "layouts/LayoutPainterStrategy.h"
#include "layouts/LayoutPrefs.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr double kDefaultMinSliceInches = 2.0;
// Dimension texts sit this many ticks outside their line.
constexpr double kTextShiftInTicks = 1.8;

double MinSliceUnits()
{
    return LayoutPrefReal(LayoutPref::MinSliceDisplayDim, kDefaultMinSliceInches) * CDimension::UnitsPerInch;
}

std::vector<std::int32_t> Positions(const KerfList& kerfs, std::int32_t extent)
{
    std::vector<std::int32_t> positions;
    for (const Kerf& kerf : kerfs) {
        // A trim line's usable edge is the side facing the sheet's middle.
        std::int32_t p = kerf.GetPosition();
        if (!kerf.IsPartKerf() && std::int64_t { p } * 2 < extent)
            p += kerf.IsVertical() ? kerf.GetRect().Width() : kerf.GetRect().Height();
        if (p >= 0 && p <= extent)
            positions.push_back(p);
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

} // namespace

OuterDimensionCuts ComputeOuterDimensionCuts(const DisplayDiagram& diagram)
{
    const KerfSheet sheet = KerfSheetOf(diagram);
    const KerfCollectionPtr cuts = BuildThroughCuts(sheet, GetCurrentParts(diagram));
    std::vector<std::int32_t> along = Positions(cuts->GetVertical(), sheet.length);
    std::vector<std::int32_t> across = Positions(cuts->GetHorizontal(), sheet.width);
    if (diagram.IsLengthwise())
        return { std::move(along), std::move(across) };
    return { std::move(across), std::move(along) };
}

DiagramAnnotator::DiagramAnnotator(LayoutPainterStrategy& painter, DisplayDiagramPtr diagram)
    : m_painter(painter)
    , m_diagram(std::move(diagram))
    , m_showOffsets(LayoutPrefFlag(LayoutPref::ShowOffsets))
    , m_sheetTurned(painter.IsSheetTurned())
{ }

int DiagramAnnotator::ToDevice(std::int32_t position, bool topEdge) const
{
    const ScaleFactors& scale = m_painter.GetScale();
    if (topEdge)
        return m_inner.left + scale.ScalePoint({ position, 0 }).x;
    // Mirrored positions count up from the bottom edge.
    const int offset = scale.ScalePoint({ 0, position }).y;
    return (m_mirrored ? m_inner.bottom : m_inner.top) + m_direction * offset;
}

void DiagramAnnotator::Draw()
{
    m_inner = m_painter.GetInnerRect();
    if (m_inner.IsEmpty() || !m_diagram)
        return;
    const OuterDimensionCuts cuts = ComputeOuterDimensionCuts(*m_diagram);
    IDeviceDriver* driver = m_painter.Driver();
    QPainter* dc = driver->GetDeviceContext();
    CGDIObject<QFont> font(dc, dc->font());
    CGDIObject<QPen> pen(dc, QPen(Qt::black, 1));
    DrawOriginMark();
    m_mirrored = false;
    m_direction = 1;
    DrawEdge(cuts.top, true);
    m_mirrored = m_sheetTurned || LayoutPrefFlag(LayoutPref::OriginBottomLeft);
    m_direction = m_mirrored ? -1 : 1;
    DrawEdge(cuts.left, false);
}

void DiagramAnnotator::DrawOriginMark()
{
    if (!m_showOffsets)
        return;
    IDeviceDriver* driver = m_painter.Driver();
    const QString mark = QStringLiteral("\u00D8");
    const int height = driver->GetSmallTextHeight();
    const int width = driver->GetTextWidth(mark);
    const bool below = m_sheetTurned || LayoutPrefFlag(LayoutPref::OriginBottomLeft);
    const int top = below ? m_inner.bottom : m_inner.top - height;
    driver->DrawTextInRect(
        mark, platform::Rect(m_inner.left - width, top, m_inner.left, top + height), false);
}

void DiagramAnnotator::DrawEdge(const std::vector<std::int32_t>& positions, bool topEdge)
{
    if (positions.size() < 2)
        return;
    IDeviceDriver* driver = m_painter.Driver();
    const int offset = m_painter.DimensionOffset();
    const int t = m_painter.DimensionTick();
    const int margin = m_painter.OuterDimensionMargin();
    const bool rotated = LayoutPrefFlag(LayoutPref::RotateSliceDims);
    const double minSlice = MinSliceUnits();
    const int e = (topEdge ? m_inner.top : m_inner.left) - offset;
    const int shift = static_cast<int>(t * kTextShiftInTicks);
    const int small = driver->GetSmallTextHeight();

    auto line = [&](int along1, int across1, int along2, int across2) {
        if (topEdge)
            driver->DrawLine(along1, across1, along2, across2);
        else
            driver->DrawLine(across1, along1, across2, along2);
    };
    auto box = [&](int along1, int along2, int across1, int across2) {
        return topEdge ? platform::Rect(std::min(along1, along2), across1, std::max(along1, along2), across2)
                       : platform::Rect(across1, std::min(along1, along2), across2, std::max(along1, along2));
    };

    for (std::size_t i = 1; i < positions.size(); ++i) {
        const std::int32_t from = positions[i - 1];
        const std::int32_t to = positions[i];
        const int start = ToDevice(from, topEdge);
        const int end = ToDevice(to, topEdge);
        if (m_showOffsets) {
            line(end, e - t, end, e + t);
        } else {
            line(start, e, end, e);
            // Slanted ticks: up and to the right along the top edge, down
            // and to the right along the left edge.
            for (int pos : { start, end }) {
                if (topEdge)
                    driver->DrawLine(pos - t / 2, e + t, pos + t / 2, e - t);
                else
                    driver->DrawLine(e - t, pos - t / 2, e + t, pos + t / 2);
            }
        }
        if (to - from < minSlice)
            continue;
        const QString text = CDimension::FromUnits(m_showOffsets ? to : to - from).FormatDimension();
        if (text.isEmpty())
            continue;
        // The length threshold alone does not know how wide the text is: a
        // segment over it can still be narrower than its label (millimetre
        // texts are the longest). A label that does not fit is left out,
        // never cut or run over its neighbours.
        const int room = std::abs(end - start);
        if (!rotated) {
            const int w = driver->GetTextWidth(text);
            if (!m_showOffsets && w > room)
                continue;
            int a1 = start, a2 = end;
            if (m_showOffsets) {
                a1 = end - w / 2;
                a2 = a1 + w;
            }
            driver->DrawTextInRect(text, box(a1, a2, e - t - shift, e + t - shift), !topEdge);
            continue;
        }
        if (!m_showOffsets && small > room)
            continue;
        const int centre = m_showOffsets ? end : (start + end) / 2;
        const platform::Rect r = box(centre - small / 2, centre - small / 2 + small, e - margin, e - t - 1);
        if (topEdge)
            driver->DrawVerticalText(text, r);
        else
            driver->DrawRightCentredText(text, r);
    }
}

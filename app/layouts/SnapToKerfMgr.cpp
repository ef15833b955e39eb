#include "layouts/SnapToKerfMgr.h"

#include "layouts/LayoutPrefs.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kPrefSnapToKerf = 2126;

platform::Point Minus(const platform::Point& a, const platform::Point& b)
{
    return { a.x - b.x, a.y - b.y };
}

platform::Point Plus(const platform::Point& a, const platform::Point& b)
{
    return { a.x + b.x, a.y + b.y };
}

} // namespace

bool SnapToKerfMgr::HasScale() const
{
    // An empty diagram rectangle gives zero factors: nothing can be converted.
    return m_scale && std::isnormal(m_scale->x) && std::isnormal(m_scale->y);
}

void SnapToKerfMgr::SetGeometry(
    const PartGeometryTranslatorPtr& translator, const ScaleFactors& scale, const platform::Point& origin)
{
    m_translator = translator;
    m_scale = scale;
    m_origin = origin;
    m_tolerance = std::abs(ScreenToLayoutVector({ kTolerancePixels, kTolerancePixels }).x);
}

platform::Point SnapToKerfMgr::ScreenToLayoutVector(const platform::Point& vector) const
{
    if (!HasScale())
        return {};
    platform::Point unscaled = m_scale->UnscalePoint(vector);
    platform::Point out = unscaled;
    if (m_translator)
        m_translator->InverseTransformOffset(out, unscaled);
    return out;
}

platform::Point SnapToKerfMgr::LayoutToScreenVector(const platform::Point& vector) const
{
    if (!HasScale())
        return {};
    platform::Point out = vector;
    if (m_translator)
        m_translator->TransformOffset(out, vector);
    return m_scale->ScalePoint(out);
}

platform::Rect SnapToKerfMgr::LayoutToScreenRect(const platform::Rect& rect) const
{
    if (!HasScale())
        return platform::Rect(m_origin.x, m_origin.y, m_origin.x, m_origin.y);
    platform::Rect out = rect;
    if (m_translator)
        m_translator->TransformRect(out, rect);
    out = m_scale->ScaleRect(out);
    out.Offset(m_origin.x, m_origin.y);
    return out;
}

void SnapToKerfMgr::Begin(const DisplayDiagram& diagram, const DrawnPartPtr& dragged,
    const platform::Point& start, const platform::Point& grab)
{
    m_start = m_previous = m_current = start;
    m_grab = grab;
    m_dragged = dragged;
    m_rotated = false;
    m_verticalSnap.reset();
    m_horizontalSnap.reset();
    m_kerfs = BuildSnapKerfs(diagram, dragged);
}

platform::Rect SnapToKerfMgr::QuarterTurned(const platform::Rect& r) const
{
    // The pivot is a position on the sheet, so it is unscaled as a vector
    // from the origin and then turned back as a point.
    platform::Point g;
    if (HasScale()) {
        const platform::Point unscaled = m_scale->UnscalePoint(Minus(m_grab, m_origin));
        g = unscaled;
        if (m_translator)
            m_translator->InverseTransformPoint(g, unscaled);
    }
    return platform::Rect(r.top - g.y + g.x, g.x - r.right + g.y, r.bottom - g.y + g.x, g.x - r.left + g.y);
}

platform::Rect SnapToKerfMgr::PartRectAtCurrentPoint() const
{
    if (!m_dragged)
        return {};
    platform::Rect rect = m_dragged->GetSheetRect();
    if (m_rotated)
        rect = QuarterTurned(rect);
    const platform::Point moved = ScreenToLayoutVector(Minus(m_current, m_start));
    rect.Offset(moved.x, moved.y);
    return rect;
}

void SnapToKerfMgr::Move(int flags, const platform::Point& point)
{
    m_current = point;
    const bool wanted = (flags & DragKeys::Control) != 0;
    if (wanted != m_rotated) {
        m_verticalSnap.reset();
        m_horizontalSnap.reset();
        m_rotated = wanted;
    }
    const platform::Point motion = ScreenToLayoutVector(Minus(point, m_previous));
    const MovingPart moving { motion.x, motion.y, PartRectAtCurrentPoint() };
    if (m_verticalSnap)
        m_verticalSnap = UpdateSnap(moving, m_tolerance, *m_verticalSnap);
    if (m_horizontalSnap)
        m_horizontalSnap = UpdateSnap(moving, m_tolerance, *m_horizontalSnap);
    if (m_kerfs && LayoutPrefFlag(kPrefSnapToKerf)) {
        if (!m_verticalSnap)
            m_verticalSnap = m_kerfs->QueryVertical(moving, m_tolerance);
        if (!m_horizontalSnap)
            m_horizontalSnap = m_kerfs->QueryHorizontal(moving, m_tolerance);
    }
    m_previous = point;
}

void SnapToKerfMgr::ClearActiveSnaps()
{
    m_verticalSnap.reset();
    m_horizontalSnap.reset();
}

void SnapToKerfMgr::CancelActiveKerfs()
{
    if (m_kerfs && m_verticalSnap)
        m_kerfs->RemoveVerticalKerf(m_verticalSnap->kerf);
    if (m_kerfs && m_horizontalSnap)
        m_kerfs->RemoveHorizontalKerf(m_horizontalSnap->kerf);
    ClearActiveSnaps();
}

void SnapToKerfMgr::End()
{
    m_kerfs.reset();
    ClearActiveSnaps();
}

platform::Rect SnapToKerfMgr::KerfScreenRect(const SnapState& snap) const
{
    platform::Rect rect = LayoutToScreenRect(snap.kerf.GetRect());
    rect.right += 1;
    rect.bottom += 1;
    return rect;
}

platform::Point SnapToKerfMgr::SnappedOffset() const
{
    const platform::Point moved = ScreenToLayoutVector(Minus(m_current, m_start));
    const platform::Point correction
        = SnapCorrection(PartRectAtCurrentPoint(), m_horizontalSnap.get(), m_verticalSnap.get());
    return Plus(moved, correction);
}

platform::Point SnapToKerfMgr::SnappedPoint() const
{
    return Plus(m_start, LayoutToScreenVector(SnappedOffset()));
}

platform::Point SnapToKerfMgr::ScreenOffset() const
{
    if (!m_verticalSnap && !m_horizontalSnap)
        return Minus(m_current, m_start);
    return LayoutToScreenVector(SnappedOffset());
}

DrawnPartPtr SnapToKerfMgr::Candidate() const
{
    if (!m_dragged)
        return nullptr;
    platform::Rect layout = m_dragged->GetSheetRect();
    platform::Rect screen = m_dragged->GetScreenRect();
    bool rotated = m_dragged->IsRotated();
    if (m_rotated) {
        layout = QuarterTurned(layout);
        rotated = !rotated;
        screen = LayoutToScreenRect(layout);
    }
    const platform::Point offset = SnappedOffset();
    layout.Offset(offset.x, offset.y);
    auto candidate = std::make_shared<DrawnPart>(m_dragged->GetPart(), rotated, layout);
    const platform::Point shown = ScreenOffset();
    screen.Offset(shown.x, shown.y);
    candidate->SetScreenRect(screen);
    return candidate;
}

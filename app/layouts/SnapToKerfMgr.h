#pragma once
// Makes the edges of a part dragged on the main diagram catch on the saw
// kerfs of that diagram: within 8 pixels (at the zoom of the last paint) of
// a kerf, an edge is shown, and finally placed, exactly against it,
// independently in x and in y. It also turns the part a quarter turn while
// Ctrl is held and answers the placement the drag would drop.
//
// Pointer points (start, previous, current) are screen pixels; the origin and
// the grab point are client pixels of the main diagram window. Only
// differences of screen points are converted to layout units.

#include "foundation/ScaleFactors.h"
#include "layouts/KerfCollection.h"
#include "model/PartGeometryTranslator.h"
#include "optimization/DisplayDiagram.h"
#include "optimization/DrawnPart.h"
#include "platform/Rect.h"

#include <cstdint>
#include <optional>

// The mouse-message key flags a drag move carries.
namespace DragKeys {
constexpr int LeftButton = 0x1;
constexpr int Shift = 0x4;
constexpr int Control = 0x8;
} // namespace DragKeys

class SnapToKerfMgr
{
public:
    // The pointer's reach, in pixels at the current zoom.
    static constexpr int kTolerancePixels = 8;

    // From every interactive paint: layout to screen, with the sheet's
    // layout origin drawn at origin (client pixels).
    void SetGeometry(const PartGeometryTranslatorPtr& translator, const ScaleFactors& scale,
        const platform::Point& origin);
    // dragged: the drawn part record (excluded from the kerfs); start: the
    // pointer (screen); grab: the pivot of the quarter turn (client).
    void Begin(const DisplayDiagram& diagram, const DrawnPartPtr& dragged, const platform::Point& start,
        const platform::Point& grab);
    void Move(int flags, const platform::Point& point);
    // The pointer left the main diagram.
    void ClearActiveSnaps();
    // The part may cross the kerfs that hold it now, for the rest of the drag.
    void CancelActiveKerfs();
    void End();

    bool IsActive() const { return m_kerfs != nullptr; }
    bool HasVerticalSnap() const { return m_verticalSnap != nullptr; }
    bool HasHorizontalSnap() const { return m_horizontalSnap != nullptr; }
    const SnapStatePtr& GetVerticalSnap() const { return m_verticalSnap; }
    const SnapStatePtr& GetHorizontalSnap() const { return m_horizontalSnap; }
    std::int32_t GetTolerance() const { return m_tolerance; }
    bool IsRotated() const { return m_rotated; }
    const DrawnPartPtr& GetDraggedPart() const { return m_dragged; }
    // The band to highlight: the kerf on the screen, one pixel wider and taller.
    platform::Rect KerfScreenRect(const SnapState& snap) const;
    const platform::Point& GetStartPoint() const { return m_start; }
    const platform::Point& GetCurrentPoint() const { return m_current; }
    // Layout units from the start to where the part is held.
    platform::Point SnappedOffset() const;
    // The pointer's screen position that corresponds to the snapped offset.
    platform::Point SnappedPoint() const;
    // Where the part is shown relative to its start, in pixels.
    platform::Point ScreenOffset() const;
    // A new record of the part where it would be dropped.
    DrawnPartPtr Candidate() const;

    // Conversions of the last paint; a paint without extent (zero scale)
    // converts everything to zero.
    platform::Point ScreenToLayoutVector(const platform::Point& vector) const;
    platform::Point LayoutToScreenVector(const platform::Point& vector) const;
    platform::Rect LayoutToScreenRect(const platform::Rect& rect) const;

private:
    bool HasScale() const;
    platform::Rect QuarterTurned(const platform::Rect& rect) const;
    platform::Rect PartRectAtCurrentPoint() const;

    KerfCollectionPtr m_kerfs;
    platform::Point m_origin;
    std::int32_t m_tolerance = 0;
    platform::Point m_start;
    platform::Point m_grab;
    platform::Point m_previous;
    platform::Point m_current;
    DrawnPartPtr m_dragged;
    bool m_rotated = false;
    SnapStatePtr m_verticalSnap;
    SnapStatePtr m_horizontalSnap;
    PartGeometryTranslatorPtr m_translator;
    std::optional<ScaleFactors> m_scale;
};

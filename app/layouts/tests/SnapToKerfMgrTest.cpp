#include "layouts/SnapToKerfMgr.h"

#include "DiagramFixture.h"

#include <gtest/gtest.h>

namespace {

using platform::Point;
using platform::Rect;

// 64 pixels per inch: one pixel is 256 layout units, so the 8-pixel reach is
// 2048 units (1/8 inch, the saw kerf of the fixture's material).
constexpr float kScale = 1.0f / 256.0f;
const Point kOrigin { 40, 30 };

// Part A at (0, 20) inches, 10 by 10; the dragged part B at (20, 33), 10
// along the length and 6 across. Nothing but A's right kerf lies within
// reach of B's left edge when B moves left along x.
struct SnapFixture : DiagramFixture
{
    SnapFixture()
    {
        Place(1, 0, 20, 10, 10);
        dragged = Place(2, 20, 33, 10, 6);
        diagram = Show();
    }

    void Paint(GeometryOrientation orientation, float scale = kScale)
    {
        ScaleFactors factors;
        factors.x = factors.y = scale;
        mgr.SetGeometry(std::make_shared<PartGeometryTranslator>(orientation, nullptr), factors, kOrigin);
    }

    // The screen point of a layout motion from the start.
    Point PointerFor(std::int32_t layoutDx, std::int32_t layoutDy) const
    {
        const Point v = mgr.LayoutToScreenVector({ layoutDx, layoutDy });
        return { start.x + v.x, start.y + v.y };
    }

    DrawnPartPtr dragged;
    DisplayDiagramPtr diagram;
    SnapToKerfMgr mgr;
    Point start { 500, 400 };
    // A's right kerf: from 10 inches, one kerf wide; B's left edge meets its right edge.
    const std::int32_t kerfEdge = Units(10) + Units(0.125);
};

TEST(SnapToKerfMgrTest, AnEdgeWithinEightPixelsSnapsToTheKerfInEveryOrientation)
{
    struct Case
    {
        const char* name;
        GeometryOrientation orientation;
    };
    const Case cases[] = {
        { "lengthwise", { 0, 0 } },
        { "turned", { 1, Units(96) } },
        { "origin bottom left", { 2, Units(48) } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SnapFixture f;
        f.Paint(c.orientation);
        EXPECT_EQ(f.mgr.GetTolerance(), 2048);
        f.mgr.Begin(*f.diagram, f.dragged, f.start, { 0, 0 });
        const std::int32_t gap = Units(20) - f.kerfEdge;

        // Exactly the reach away: no snap.
        f.mgr.Move(DragKeys::LeftButton, f.PointerFor(-(gap - 2048), 0));
        EXPECT_FALSE(f.mgr.HasVerticalSnap());
        // One pixel closer: the left edge lies against the kerf.
        f.mgr.Move(DragKeys::LeftButton, f.PointerFor(-(gap - 1792), 0));
        ASSERT_TRUE(f.mgr.HasVerticalSnap());
        EXPECT_FALSE(f.mgr.HasHorizontalSnap());
        EXPECT_EQ(f.mgr.GetVerticalSnap()->side, 2);
        EXPECT_EQ(f.mgr.GetVerticalSnap()->direction, 0);
        const DrawnPartPtr candidate = f.mgr.Candidate();
        EXPECT_EQ(candidate->GetSheetRect(), Rect(f.kerfEdge, Units(33), f.kerfEdge + Units(10), Units(39)));
        EXPECT_EQ(candidate->GetPart(), f.dragged->GetPart());
        EXPECT_FALSE(candidate->IsRotated());
        // Shown where the snapped offset puts it, on the screen too.
        const Point shown = f.mgr.ScreenOffset();
        const Point snapped = f.mgr.LayoutToScreenVector({ -gap, 0 });
        EXPECT_EQ(shown, snapped);
        EXPECT_EQ(f.mgr.SnappedPoint(), (Point { f.start.x + snapped.x, f.start.y + snapped.y }));
        // The band to highlight is the kerf on the screen, a pixel larger.
        Rect band = f.mgr.LayoutToScreenRect(f.mgr.GetVerticalSnap()->kerf.GetRect());
        band.right += 1;
        band.bottom += 1;
        EXPECT_EQ(f.mgr.KerfScreenRect(*f.mgr.GetVerticalSnap()), band);

        // Moving on past the reach lets go.
        f.mgr.Move(DragKeys::LeftButton, f.PointerFor(-(gap + 2304), 0));
        EXPECT_FALSE(f.mgr.HasVerticalSnap());
        f.mgr.End();
        EXPECT_FALSE(f.mgr.IsActive());
    }
}

TEST(SnapToKerfMgrTest, SnapPreferenceOffFollowsThePointerExactly)
{
    SnapFixture f;
    f.prefs.prefs->SetFlag(2126, false);
    f.Paint({ 0, 0 });
    f.mgr.Begin(*f.diagram, f.dragged, f.start, { 0, 0 });
    const std::int32_t gap = Units(20) - f.kerfEdge;
    f.mgr.Move(DragKeys::LeftButton, f.PointerFor(-(gap - 256), 0));
    EXPECT_FALSE(f.mgr.HasVerticalSnap());
    EXPECT_EQ(f.mgr.ScreenOffset(), f.mgr.LayoutToScreenVector({ -(gap - 256), 0 }));
    EXPECT_EQ(f.mgr.Candidate()->GetSheetRect().left, f.kerfEdge + 256);
}

TEST(SnapToKerfMgrTest, CancelledKerfsLetThePartCrossForTheRestOfTheDrag)
{
    SnapFixture f;
    f.Paint({ 0, 0 });
    f.mgr.Begin(*f.diagram, f.dragged, f.start, { 0, 0 });
    const std::int32_t gap = Units(20) - f.kerfEdge;
    f.mgr.Move(DragKeys::LeftButton, f.PointerFor(-(gap - 1792), 0));
    ASSERT_TRUE(f.mgr.HasVerticalSnap());
    f.mgr.CancelActiveKerfs();
    EXPECT_FALSE(f.mgr.HasVerticalSnap());
    for (std::int32_t step : { 1536, 512, 0, -512 }) {
        f.mgr.Move(DragKeys::LeftButton, f.PointerFor(-(gap - step), 0));
        EXPECT_FALSE(f.mgr.HasVerticalSnap()) << step;
        EXPECT_EQ(f.mgr.Candidate()->GetSheetRect().left, f.kerfEdge + step);
    }
    // A new drag has every kerf again.
    f.mgr.Begin(*f.diagram, f.dragged, f.start, { 0, 0 });
    f.mgr.Move(DragKeys::LeftButton, f.PointerFor(-(gap - 1792), 0));
    EXPECT_TRUE(f.mgr.HasVerticalSnap());
}

TEST(SnapToKerfMgrTest, CtrlTurnsAboutTheGrabPointAndDropsTheSnaps)
{
    SnapFixture f;
    f.Paint({ 0, 0 });
    // Grabbed at B's centre (25, 36) inches.
    const Point grab { kOrigin.x + 25 * 64, kOrigin.y + 36 * 64 };
    f.mgr.Begin(*f.diagram, f.dragged, f.start, grab);
    const std::int32_t gap = Units(20) - f.kerfEdge;
    const Point near = f.PointerFor(-(gap - 1792), 0);
    f.mgr.Move(DragKeys::LeftButton, near);
    ASSERT_TRUE(f.mgr.HasVerticalSnap());

    f.mgr.Move(DragKeys::LeftButton | DragKeys::Control, near);
    EXPECT_TRUE(f.mgr.IsRotated());
    EXPECT_FALSE(f.mgr.HasVerticalSnap());
    const DrawnPartPtr turned = f.mgr.Candidate();
    EXPECT_TRUE(turned->IsRotated());
    const std::int32_t dx = f.mgr.ScreenToLayoutVector({ near.x - f.start.x, 0 }).x;
    EXPECT_EQ(turned->GetSheetRect(), Rect(Units(22) + dx, Units(31), Units(28) + dx, Units(41)));

    // Ctrl up turns it back.
    f.mgr.Move(DragKeys::LeftButton, near);
    EXPECT_FALSE(f.mgr.IsRotated());
    EXPECT_FALSE(f.mgr.Candidate()->IsRotated());
    EXPECT_EQ(f.mgr.Candidate()->GetSheetRect().left, f.kerfEdge);

    // A drag that never moved answers the part itself.
    f.mgr.Begin(*f.diagram, f.dragged, f.start, grab);
    EXPECT_EQ(*f.mgr.Candidate(), *f.dragged);
}

TEST(SnapToKerfMgrTest, TheReachFollowsTheZoomAndAnEmptyDiagramNeverSnaps)
{
    SnapFixture f;
    f.Paint({ 0, 0 }, 1.0f / 128.0f);
    EXPECT_EQ(f.mgr.GetTolerance(), 1024);

    // A paint into an empty rectangle has zero factors: nothing converts,
    // nothing snaps.
    f.mgr.SetGeometry(std::make_shared<PartGeometryTranslator>(GeometryOrientation {}, nullptr),
        ScaleFactors(Rect(), 100, 100), kOrigin);
    EXPECT_EQ(f.mgr.GetTolerance(), 0);
    f.mgr.Begin(*f.diagram, f.dragged, f.start, { 0, 0 });
    for (int x : { -3, -300, -30000 }) {
        f.mgr.Move(DragKeys::LeftButton, { f.start.x + x, f.start.y + 7 });
        EXPECT_FALSE(f.mgr.HasVerticalSnap());
        EXPECT_FALSE(f.mgr.HasHorizontalSnap());
        EXPECT_EQ(f.mgr.SnappedOffset(), (Point {}));
    }
}

} // namespace

#include "OptimizationTestSupport.h"

#include "optimization/DiagramGeometry.h"

#include <gtest/gtest.h>

using platform::Rect;

namespace {

// A single-copy stack of one sheet with the given parts.
StackPtr SheetStack(const std::shared_ptr<CSheetGoodEx>& material, double width, double length,
                    const DrawnPartList& parts = {}, double topBottomTrim = 0, double leftRightTrim = 0)
{
    StockSpec stock {material, AddRow(*material, 0.75, width, length, topBottomTrim, leftRightTrim), 0};
    return MakeStack(stock, parts, 1);
}

} // namespace

TEST(DiagramGeometry, FitScaleAndStretch)
{
    const Rect wide(0, 0, 1000, 400);
    const DrawnExtent lengthwise {Units(96), Units(48)};
    EXPECT_TRUE(IsHeightLimited(lengthwise, wide));
    EXPECT_DOUBLE_EQ(ComputeDiagramScale(lengthwise, wide), 400.0 / Units(48));
    EXPECT_EQ(FitDiagramRectToArea(lengthwise, wide), Rect(0, 0, 800, 400));
    EXPECT_EQ(ComputeDiagramLayoutRect(lengthwise, {10, 20}, 400.0 / Units(48)), Rect(10, 20, 810, 420));

    const Rect tall(0, 0, 150, 500);
    const DrawnExtent upright {Units(48), Units(96)};
    EXPECT_FALSE(IsHeightLimited(upright, tall));
    EXPECT_EQ(ComputeDiagramRectInArea(upright, tall, false), Rect(0, 0, 150, 300));
    EXPECT_EQ(ComputeDiagramRectInArea(upright, tall, true), Rect(0, 0, 150, 400));
    // Wider than tall: the stretch widens up to 80 % of the area only when that is more.
    EXPECT_EQ(ComputeDiagramRectInArea(lengthwise, Rect(0, 0, 1000, 400), true), Rect(0, 0, 800, 400));
    EXPECT_EQ(ComputeDiagramRectInArea(lengthwise, Rect(5, 5, 1005, 205), true), Rect(5, 5, 805, 205));

    // A sheet with no drawn width or length: scale 0, an empty rectangle at the origin.
    for (const DrawnExtent empty : {DrawnExtent {0, Units(48)}, DrawnExtent {Units(96), 0}, DrawnExtent {}}) {
        EXPECT_EQ(ComputeDiagramScale(empty, Rect(3, 4, 100, 100)), 0.0);
        EXPECT_EQ(FitDiagramRectToArea(empty, Rect(3, 4, 100, 100)), Rect(3, 4, 3, 4));
        EXPECT_EQ(ComputeDiagramRectInArea(empty, Rect(3, 4, 100, 100), true), Rect(3, 4, 3, 4));
    }
}

TEST(DiagramGeometry, CenterAndDeflate)
{
    EXPECT_EQ(CenterRectInRect(Rect(0, 0, 100, 50), Rect(10, 10, 30, 20), true), Rect(40, 20, 60, 30));
    EXPECT_EQ(CenterRectInRect(Rect(0, 0, 100, 50), Rect(10, 10, 30, 20), false), Rect(50, 30, 70, 40));
    EXPECT_EQ(CenterRectInRect(Rect(0, 0, 10, 10), Rect(0, 0, 20, 5), true), Rect(0, 2, 20, 7));

    struct Case { Rect in; int dx, dy; Rect out; };
    const Case cases[] = {
        {{0, 0, 10, 3}, 2, 2, {1, 1, 9, 1}},
        {{0, 0, 10, 10}, 2, 2, {2, 2, 8, 8}},
        {{0, 0, 3, 10}, 2, 2, {1, 1, 1, 9}},
        {{0, 0, 1, 1}, 1, 1, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.in.right << " x " << c.in.bottom);
        EXPECT_EQ(DeflateRectSafely(c.in, c.dx, c.dy), c.out);
    }
}

TEST(DiagramGeometry, OrientationOfAShownCopy)
{
    ScopedFakePrefs prefs;
    auto material = MakeSheetGood(QStringLiteral("Oak"));
    material->GetGrainInfoForEdit().SetLongSideHorizontal(true);
    StackPtr longSheet = SheetStack(material, 48, 96, {}, 0.25, 0.5);
    DisplayDiagramPtr shown = longSheet->MakeDisplayDiagram(0);
    EXPECT_TRUE(shown->IsLengthwise());
    EXPECT_EQ(shown->GetOrientationCode(), 0);
    EXPECT_EQ(shown->GetDrawnWidth().GetUnits(), Units(96));
    EXPECT_EQ(shown->GetDrawnXTrim().GetUnits(), Units(0.5));
    prefs.prefs->SetFlag(2118, true);
    EXPECT_EQ(shown->GetOrientationCode(), 2);
    shown->ToggleOverrideRotation();
    EXPECT_FALSE(shown->IsLengthwise());
    EXPECT_EQ(shown->GetOrientationCode(), 1);
    EXPECT_EQ(shown->GetDrawnWidth().GetUnits(), Units(48));
    EXPECT_EQ(shown->GetDrawnYTrim().GetUnits(), Units(0.5));
    EXPECT_FALSE(longSheet->MakeDisplayDiagram(1)->IsLengthwise() == false) << "other copies unturned";

    // Wider than long by more than the tolerance: drawn turned when the
    // material wants the long side horizontal, else lengthwise.
    StackPtr wideSheet = SheetStack(material, 96, 48);
    EXPECT_FALSE(wideSheet->MakeDisplayDiagram(0)->IsLengthwise());
    material->GetGrainInfoForEdit().SetLongSideHorizontal(false);
    EXPECT_TRUE(wideSheet->MakeDisplayDiagram(0)->IsLengthwise());
}

TEST(DiagramGeometry, PlacementNeedsTheUsableSheetAndAKerfFromOtherParts)
{
    // 48 x 96 sheet with 1 in trims left and right; a 10 x 10 part lies at
    // x 1..11, y 20..30; 9 x 10 candidates come from its right or sit at the
    // top edge between the trims:
    //  |   cand ... cand|
    //  |+----+          |
    //  || P  | cand     |
    //  |+----+          |
    struct Case { double kerf; double x; double y; bool free; const char* what; };
    const double tol = 2.0 / 16384;
    const Case cases[] = {
        {0.0, 11, 20, true, "touching at kerf 0"},
        {0.125, 11, 20, false, "touching at kerf 1/8"},
        {0.125, 11.125, 20, true, "one kerf away"},
        {0.125, 11.125 - tol, 20, true, "a kerf less the tolerance"},
        {0.125, 11.125 - 2 * tol, 20, false, "closer than that"},
        {0.0, 1 - tol, 0, true, "the tolerance over the near trim"},
        {0.0, 1 - 2 * tol, 0, false, "beyond the near trim"},
        {0.0, 86 + tol, 0, true, "the tolerance over the far trim"},
        {0.0, 86 + 2 * tol, 0, false, "beyond the far trim"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto material = MakeSheetGood(QStringLiteral("Ply"), c.kerf);
        auto part = MakePart(1, 10, 10, 2, material);
        StackPtr stack = SheetStack(material, 48, 96, {Drawn(part.get(), 1, 20, 10, 10)}, 0, 1);
        EXPECT_EQ(IsPlacementFree(nullptr, *Drawn(part.get(), c.x, c.y, 9, 10), stack), c.free);
    }
}

TEST(DiagramGeometry, TheMovingPartIsNoObstacle)
{
    auto material = MakeSheetGood(QStringLiteral("Ply"));
    auto part = MakePart(1, 10, 10, 2, material);
    const DrawnPartPtr placed = Drawn(part.get(), 10, 10, 10, 10);
    StackPtr stack = SheetStack(material, 48, 96, {placed});
    const DrawnPartPtr nudged = Drawn(part.get(), 11, 10, 10, 10);
    EXPECT_FALSE(IsPlacementFree(nullptr, *nudged, stack));
    EXPECT_TRUE(IsPlacementFree(placed.get(), *nudged, stack));
    EXPECT_EQ(UsableSheetRect(stack), Rect(0, 0, Units(96), Units(48)));
}

TEST(DiagramGeometry, HitTestAndEditStates)
{
    auto part = MakePart(1, 10, 10, 2);
    DrawnPartList parts {Drawn(part.get(), 0, 0, 1, 1), Drawn(part.get(), 2, 0, 1, 1)};
    parts[0]->SetScreenRect({0, 0, 10, 10});
    parts[1]->SetScreenRect({5, 5, 20, 20});
    DrawnPartPtr found;
    EXPECT_TRUE(FindDrawnPartAtPoint(parts, {9, 9}, found));
    EXPECT_EQ(found, parts[0]);
    EXPECT_TRUE(FindDrawnPartAtPoint(parts, {10, 10}, found)) << "right and bottom edges lie outside";
    EXPECT_EQ(found, parts[1]);
    EXPECT_FALSE(FindDrawnPartAtPoint(parts, {20, 5}, found));

    const int expected[4][4] = {{0, 0, 0, 0}, {1, 2, 5, 0}, {3, 4, 6, 3}, {0, 0, 0, 0}};
    for (int first = 0; first < 4; ++first)
        for (int second = 1; second <= 4; ++second)
            EXPECT_EQ(ClassifyEditState(first, second), expected[first][second - 1]) << first << ", " << second;
}

#include "layouts/KerfCollection.h"

#include <gtest/gtest.h>

namespace {

using platform::Rect;

// Sheet 20 long (x) and 10 wide (y), kerf 1, no trims; small units keep the
// drawings readable.
const KerfSheet kSheet { 10, 20, 0, 0, 1 };

DrawnPartPtr Part(int l, int t, int r, int b)
{
    return std::make_shared<DrawnPart>(nullptr, false, Rect(l, t, r, b));
}

std::vector<int> Positions(const KerfList& kerfs)
{
    std::vector<int> out;
    for (const Kerf& k : kerfs)
        out.push_back(k.GetPosition());
    return out;
}

//   x: 0    5 6    11             20
//   y0 +-----+|+-----+              |
//      |  A  |||  B  |              |
//   y4 +-----+|+-----+              |
//      ======================== (4: A's bottom kerf runs on under B)
//   y10 ----------------------------+
TEST(KerfCollectionTest, SideBySidePartsShareOneKerfAndUnblockedKerfsRunToTheEdges)
{
    const DrawnPartList parts { Part(0, 0, 5, 4), Part(6, 0, 11, 4) };
    const KerfCollectionPtr kerfs = KerfBuilder(kSheet, parts).Compute();

    // Trim lines first, then A's right side (B's left side is covered by
    // it), then B's right side; each runs across the whole width.
    EXPECT_EQ(Positions(kerfs->GetVertical()), (std::vector<int> { -1, 20, 5, 11 }));
    EXPECT_EQ(kerfs->GetVertical()[2], Kerf(5, 0, 10, 1, true, true));
    EXPECT_FALSE(kerfs->GetVertical()[0].IsPartKerf());
    // A's bottom kerf is not blocked by B (which ends at 4) and runs to L.
    ASSERT_EQ(Positions(kerfs->GetHorizontal()), (std::vector<int> { -1, 10, 4 }));
    EXPECT_EQ(kerfs->GetHorizontal()[2], Kerf(4, 0, 20, 1, false, true));
}

//   x: 0    5  8   12
//   y0 +-----+
//      |  A  |  +---+
//   y4 +-----+==|   |   (A's bottom kerf stops at C's left edge, 8)
//               | C |
//   y8          +---+
TEST(KerfCollectionTest, KerfsStopAtTheFirstPartAcrossTheirBand)
{
    const DrawnPartList parts { Part(0, 0, 5, 4), Part(8, 2, 12, 8) };
    const KerfCollectionPtr kerfs = KerfBuilder(kSheet, parts).Compute();
    EXPECT_EQ(kerfs->GetHorizontal()[2], Kerf(4, 0, 8, 1, false, true));
    // C's top kerf (1..2) runs left until A blocks it at A's right edge.
    EXPECT_EQ(kerfs->GetHorizontal()[3], Kerf(1, 5, 20, 1, false, true));

    // The excluded (dragged) part has no kerfs and blocks nothing.
    const KerfCollectionPtr withoutC = KerfBuilder(kSheet, parts, parts[1]).Compute();
    EXPECT_EQ(withoutC->GetHorizontal()[2], Kerf(4, 0, 20, 1, false, true));
    EXPECT_EQ(withoutC->GetHorizontal().size(), 3u);
}

TEST(KerfCollectionTest, ThroughCutsKeepSheetLongKerfsSortedAndAnEmptySheetItsTrims)
{
    const DrawnPartList parts { Part(0, 0, 5, 4), Part(6, 0, 11, 4) };
    const KerfCollectionPtr cuts = BuildThroughCuts(kSheet, parts);
    EXPECT_EQ(Positions(cuts->GetVertical()), (std::vector<int> { -1, 5, 11, 20 }));
    EXPECT_EQ(Positions(cuts->GetHorizontal()), (std::vector<int> { -1, 4, 10 }));

    const KerfSheet trimmed { 10, 20, 2, 3, 1 };
    const KerfCollectionPtr empty = BuildThroughCuts(trimmed, {});
    EXPECT_EQ(Positions(empty->GetVertical()), (std::vector<int> { 2, 17 }));
    EXPECT_EQ(Positions(empty->GetHorizontal()), (std::vector<int> { 1, 8 }));
    // A sheet with no extent divides nothing and keeps only its trim lines.
    EXPECT_EQ(BuildThroughCuts(KerfSheet {}, {})->GetVertical().size(), 2u);
}

// Two vertical kerfs: K1 at x 10..11 and K2 at x 30..31, tolerance 3.
//
//        K1                 K2
//   ...|##|...[ part 13..28 ]..|##|...
KerfCollection TwoKerfs()
{
    return KerfCollection({}, { Kerf(10, 0, 100, 1, true, true), Kerf(30, 0, 100, 1, true, true) });
}

TEST(KerfCollectionTest, QueryIsStrictPrefersTheNearestThenTheApproachedKerf)
{
    const KerfCollection kerfs = TwoKerfs();
    // Exactly the tolerance away from both: no snap.
    EXPECT_FALSE(kerfs.QueryVertical({ 1, 0, Rect(14, 20, 27, 40) }, 3));
    // Not across the kerf's span: no snap.
    EXPECT_FALSE(kerfs.QueryVertical({ 1, 0, Rect(13, 120, 26, 140) }, 3));

    SnapStatePtr snap = kerfs.QueryVertical({ 1, 0, Rect(13, 20, 26, 40) }, 3);
    ASSERT_TRUE(snap);
    EXPECT_EQ(snap->kerf.GetPosition(), 10);
    EXPECT_EQ(snap->side, 2);
    EXPECT_EQ(snap->kerfEdge, 11);

    // Equal distance (2) to both: the kerf the part moves towards wins.
    snap = kerfs.QueryVertical({ 1, 0, Rect(13, 20, 28, 40) }, 3);
    ASSERT_TRUE(snap);
    EXPECT_EQ(snap->kerf.GetPosition(), 30);
    EXPECT_EQ(snap->side, 3);
    EXPECT_EQ(snap->direction, 1);
    EXPECT_EQ(snap->releaseCoordinate, 24);
    snap = kerfs.QueryVertical({ -1, 0, Rect(13, 20, 28, 40) }, 3);
    ASSERT_TRUE(snap);
    EXPECT_EQ(snap->kerf.GetPosition(), 10);
    EXPECT_EQ(snap->direction, 0);

    EXPECT_EQ(SnapCorrection(Rect(13, 20, 28, 40), nullptr, snap.get()), platform::Point(-2, 0));
}

TEST(KerfCollectionTest, HorizontalQueryPicksTheNearerSide)
{
    const KerfCollection kerfs({ Kerf(10, 0, 100, 1, false, true) }, {});
    // The part (8..9) ends 1 above the kerf (10..11): its bottom side snaps.
    SnapStatePtr snap = kerfs.QueryHorizontal({ 0, -1, Rect(0, 8, 5, 9) }, 3);
    ASSERT_TRUE(snap);
    EXPECT_EQ(snap->side, 1);
    EXPECT_EQ(snap->direction, 2);
    EXPECT_EQ(snap->kerfEdge, 10);
    EXPECT_EQ(snap->releaseCoordinate, 16);
    EXPECT_EQ(SnapCorrection(Rect(0, 8, 5, 9), snap.get(), nullptr), platform::Point(0, 1));
}

TEST(KerfCollectionTest, UpdateSnapMovesTheReleasePointAndLetsGoBehindIt)
{
    const KerfCollection kerfs = TwoKerfs();
    const SnapStatePtr snap = kerfs.QueryVertical({ 1, 0, Rect(13, 20, 28, 40) }, 3);
    ASSERT_TRUE(snap);

    // Moving on towards the kerf: kept, release point pulled in to 26.
    const SnapStatePtr kept = UpdateSnap({ 1, 0, Rect(14, 20, 29, 40) }, 3, *snap);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->releaseCoordinate, 26);
    // Moving back within the release distance keeps it unchanged.
    const SnapStatePtr back = UpdateSnap({ -1, 0, Rect(12, 20, 27, 40) }, 3, *kept);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->releaseCoordinate, 26);
    // Moving back past it lets go.
    EXPECT_FALSE(UpdateSnap({ -1, 0, Rect(10, 20, 25, 40) }, 3, *kept));
    // Moving on but farther than the tolerance lets go too.
    EXPECT_FALSE(UpdateSnap({ 1, 0, Rect(5, 20, 20, 40) }, 3, *snap));
}

TEST(KerfCollectionTest, RemoveKerfRemovesEveryEqualKerfAndKeepsTheOrder)
{
    const Kerf a(10, 0, 100, 1, true, true), b(30, 0, 100, 1, true, true);
    KerfCollection kerfs({}, { a, b, a, Kerf(10, 0, 100, 1, true, false) });
    kerfs.RemoveVerticalKerf(a);
    EXPECT_EQ(kerfs.GetVertical(), (KerfList { b, Kerf(10, 0, 100, 1, true, false) }));
}

} // namespace

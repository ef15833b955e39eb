// Fitting a part into a region, its score, and the preference between two
// regions. Sheets are 1000 wide (y) by 2000 long (x).

#include "RegionFit.h"
#include "TreeFixture.h"

#include <gtest/gtest.h>

namespace optimization {
namespace {

using namespace treetest;

CFreeRectangle Region(std::int32_t width, std::int32_t length, bool directionFlag = true,
                      RegionSide side = SideWholeNode)
{
    CFreeRectangle r;
    r.width = C(width);
    r.length = C(length);
    r.directionFlag = directionFlag;
    r.side = side;
    return r;
}

TEST(RemainderTest, GivesTheRemainderBesideTheBlock)
{
    StockSpec stockSpec;
    stockSpec.kerf = 10;
    auto stock = MakeStock(stockSpec);
    auto part = MakePart(300, 500);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *part);
    const struct {
        std::int32_t direction, orientation, side;
        bool passes;
        std::int32_t width, length, x, y;
    } cases[] = {
        {1, 0, 1, true, 300, 1490, 510, 0},
        {2, 0, 1, true, 1000, 1490, 510, 0},
        {1, 0, 2, true, 690, 2000, 0, 310},
        {2, 0, 2, true, 690, 500, 0, 310},
        {1, 1, 1, true, 500, 1690, 310, 0}, // the block turned: 500 wide, 300 long
        {2, 1, 2, true, 490, 300, 0, 510},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.direction << c.orientation << c.side);
        const RemainderResult r = RemainderTest(*sheet, c.direction, c.orientation, c.side, true);
        EXPECT_EQ(r.passes, c.passes);
        EXPECT_EQ(r.width.ToEncodedInt(), c.width);
        EXPECT_EQ(r.length.ToEncodedInt(), c.length);
        EXPECT_EQ(r.x, c.x);
        EXPECT_EQ(r.y, c.y);
    }
}

TEST(RemainderTest, StrictFormRefusesABlockLargerThanTheNode)
{
    auto stock = MakeStock(StockSpec{});
    auto part = MakePart(400, 2000);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *part);
    // Turned the block would be 2000 wide in a 1000 wide node.
    EXPECT_FALSE(RemainderTest(*sheet, 1, 1, 2, true).passes);
    EXPECT_FALSE(RemainderTest(*sheet, 1, 0, 1, true).passes);
    EXPECT_TRUE(RemainderTest(*sheet, 1, 0, 2, true).passes);
}

TEST(FitPart, FitsWithinTwoCountsInTheOrientationsTheRulesAllow)
{
    const struct {
        std::int32_t width, length, orientation;
        bool fits;
        std::int32_t chosen;
    } cases[] = {
        {1002, 500, OrientationFree, true, 0},
        {1003, 500, OrientationFree, true, 1},   // only turned
        {1003, 500, OrientationAsGiven, false, 0},
        {400, 2002, OrientationTurnedOnly, false, 0},
        {2002, 400, OrientationTurnedOnly, true, 1},
        {1003, 2003, OrientationFree, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.length << " o" << c.orientation);
        auto part = MakePart(c.width, c.length, 1, c.orientation);
        CFreeRectangle r = Region(1000, 2000);
        EXPECT_EQ(FitPart(r, *part), c.fits);
        if (c.fits) {
            EXPECT_EQ(r.chosenOrientation, c.chosen);
        }
    }
}

TEST(FitPart, AGivenOrientationIsTheOnlyOneTried)
{
    const struct {
        std::int32_t width, length, orientation, only;
        bool fits;
    } cases[] = {
        {1002, 500, OrientationFree, 1, true},
        {1003, 500, OrientationFree, 0, false}, // turned it would fit
        {1003, 500, OrientationFree, 1, true},
        {500, 1000, OrientationAsGiven, 1, false}, // the rules still apply
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.length << " only " << c.only);
        auto part = MakePart(c.width, c.length, 1, c.orientation);
        CFreeRectangle r = Region(1000, 2000);
        EXPECT_EQ(FitPart(r, *part, c.only), c.fits);
        if (c.fits) {
            EXPECT_EQ(r.chosenOrientation, c.only);
            EXPECT_FALSE(r.countDecided);
        }
    }
}

TEST(FitPart, ScoresAPartFillingTheRegionAcross)
{
    // Region 1000 x 2000 for direction 1; part 1000 x 500 fills it across.
    auto part = MakePart(1000, 500, 4);
    CFreeRectangle r = Region(1000, 2000);
    ASSERT_TRUE(FitPart(r, *part));
    EXPECT_EQ(r.chosenOrientation, 0);
    EXPECT_EQ(r.value, 1);
    // 1 (not turn-blocked) + 128 (nothing left across) + 64 (room for more
    // along) + 8 (what is left across is within a sixteenth).
    EXPECT_EQ(r.flags, 1u + 128u + 64u + 8u);
    EXPECT_FALSE(r.countDecided);
    EXPECT_EQ(GridCount(r, *part), 4u);
}

TEST(FitPart, GridCountDecidesTheOrientationWhenCopiesAreMany)
{
    // 400 x 900: unturned 2 x 2 = 4 copies fit, turned 1 x 5 = 5.
    const struct {
        std::uint32_t copies;
        bool decided;
        std::int32_t chosen;
    } cases[] = {{10, true, 1}, {4, false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.copies);
        auto part = MakePart(400, 900, c.copies);
        CFreeRectangle r = Region(1000, 2000);
        ASSERT_TRUE(FitPart(r, *part));
        EXPECT_EQ(r.countDecided, c.decided);
        EXPECT_EQ(r.chosenOrientation, c.chosen);
        EXPECT_EQ(GridCount(r, *part), 5u);
    }
}

TEST(FitPart, AlignedNeighboursRaiseTheScore)
{
    // A at the origin; the region beside it along x starts where A ends:
    // +-----+-----+
    // | A   | P?  |
    // +-----+-----+
    auto stock = MakeStock(StockSpec{});
    auto a = MakePart(300, 500, 1, OrientationAsGiven);
    auto p = MakePart(300, 400, 1, OrientationAsGiven);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *a);
    sheet->RebuildLists();
    sheet->Relay();
    const CFreeRectangle* beside = nullptr;
    for (const CFreeRectangle& r : sheet->GetRegions())
        if (r.side == SideLengthRemainder && r.directionFlag)
            beside = &r;
    ASSERT_NE(beside, nullptr);
    CFreeRectangle lineMinded = *beside; // mode 0: the large bonus
    ASSERT_TRUE(FitPart(lineMinded, *p));
    EXPECT_TRUE(lineMinded.flags & 512u);
    CFreeRectangle relaxed = *beside;
    relaxed.policy.SetMode(1);
    ASSERT_TRUE(FitPart(relaxed, *p));
    EXPECT_TRUE(relaxed.flags & 2u);
    EXPECT_FALSE(relaxed.flags & 512u);
}

TEST(FitPart, PartStandingOutOfTheStripCarriesTheAvoidMarks)
{
    // Region beside a 400 x 500 block along x, cut width-wise first: a part
    // more than 2 counts wider than the block stands out of the strip.
    auto stock = MakeStock(StockSpec{});
    auto block = MakePart(400, 500, 1, OrientationAsGiven);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *block);
    sheet->RebuildLists();
    sheet->Relay();
    const CFreeRectangle* beside = nullptr;
    for (const CFreeRectangle& r : sheet->GetRegions())
        if (r.side == SideLengthRemainder && !r.directionFlag)
            beside = &r;
    ASSERT_NE(beside, nullptr);
    for (std::int32_t extra : {2, 3}) {
        SCOPED_TRACE(extra);
        auto part = MakePart(400 + extra, 500, 1, OrientationAsGiven);
        CFreeRectangle r = *beside;
        r.stripContinuation = true;
        ASSERT_TRUE(FitPart(r, *part));
        EXPECT_EQ(r.standsOut, extra == 3);
        EXPECT_EQ(r.CarriesAvoidMarks(), extra == 3);
        EXPECT_FALSE(r.turnsBlock);
    }
}

TEST(RegionPreference, RulesInOrder)
{
    CFreeRectangle best = Region(500, 500);
    CFreeRectangle candidate = Region(500, 500);
    candidate.policy.SetMode(1);
    best.policy.SetMode(1);

    // Equal in every respect: the best stays.
    EXPECT_FALSE(IsPreferred(candidate, best));

    // 1. The lower grade wins before anything else.
    candidate.grade = 0;
    best.grade = 1;
    best.flags = 1000;
    EXPECT_TRUE(IsPreferred(candidate, best));
    best.grade = 0;

    // 4. The higher flags word.
    candidate.flags = 1001;
    EXPECT_TRUE(IsPreferred(candidate, best));
    candidate.flags = 999;
    EXPECT_FALSE(IsPreferred(candidate, best));

    // 5. Equal flags: larger area with room along or across, else smaller.
    candidate.flags = best.flags = 8;
    candidate.length = C(400);
    EXPECT_TRUE(IsPreferred(candidate, best));
    candidate.flags = best.flags = 64;
    EXPECT_FALSE(IsPreferred(candidate, best));
    candidate.length = C(600);
    EXPECT_TRUE(IsPreferred(candidate, best));
}

TEST(RegionPreference, AvoidMarksCountOnlyForALineMindedPolicy)
{
    CFreeRectangle best = Region(500, 500);
    CFreeRectangle candidate = Region(500, 500);
    candidate.flags = 2000;
    candidate.blockLocked = true;
    // Mode 0 minds cut lines: the locked region loses despite its score.
    EXPECT_FALSE(IsPreferred(candidate, best));
    candidate.policy.SetMode(1);
    EXPECT_TRUE(IsPreferred(candidate, best));
    candidate.policy.SetStyleWord(PreferRipCuts);
    EXPECT_FALSE(IsPreferred(candidate, best));
}

TEST(RegionPreference, StripWithAGroupBeatsOneWithout)
{
    auto part = MakePart(100, 300);
    auto other = MakePart(100, 200);
    CFreeRectangle best = Region(500, 500);
    CFreeRectangle candidate = Region(500, 500);
    candidate.policy.SetMode(1);
    candidate.stripEvaluated = true;
    best.stripEvaluated = true;
    best.flags = 100;
    // Both without a group: the candidate wins.
    EXPECT_TRUE(IsPreferred(candidate, best));
    best.group = IsoDimGroup(C(100), false);
    best.group.AddCopy(part.get(), C(300), 0);
    EXPECT_FALSE(IsPreferred(candidate, best));
    candidate.group = best.group;
    candidate.groupEvaluationType = 1;
    candidate.group.AddCopy(other.get(), C(200), 0);
    EXPECT_TRUE(IsPreferred(candidate, best)); // more members
}

} // namespace
} // namespace optimization

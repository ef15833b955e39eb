// The free regions a node offers. Sheets are 1000 wide (y) by 2000 long (x).

#include "TreeFixture.h"

#include <gtest/gtest.h>

namespace optimization {
namespace {

using namespace treetest;

struct Expected {
    bool directionFlag;
    std::int32_t blockOrientation;
    RegionSide side;
    std::int32_t width, length, x, y;
};

void ExpectRegions(const RegionList& regions, const std::vector<Expected>& expected)
{
    ASSERT_EQ(regions.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const CFreeRectangle& r = regions[i];
        const Expected& e = expected[i];
        EXPECT_EQ(r.directionFlag, e.directionFlag);
        EXPECT_EQ(r.blockOrientation, e.blockOrientation);
        EXPECT_EQ(r.side, e.side);
        EXPECT_EQ(r.width.ToEncodedInt(), e.width);
        EXPECT_EQ(r.length.ToEncodedInt(), e.length);
        EXPECT_EQ(r.x, e.x);
        EXPECT_EQ(r.y, e.y);
    }
}

TEST(FreeRegions, EmptySheetIsOneRegion)
{
    auto stock = MakeStock(StockSpec{});
    auto sheet = MakeSheet(*stock);
    ExpectRegions(sheet->GetRegions(), {{false, 0, SideWholeNode, 1000, 2000, 0, 0}});
    EXPECT_EQ(sheet->GetRegions()[0].grade, 0);
    EXPECT_EQ(sheet->GetRegions()[0].owner, sheet.get());
    sheet->SetCutOrientation(true, false, false);
    sheet->Relay();
    EXPECT_TRUE(sheet->GetRegions()[0].directionFlag);
    EXPECT_EQ(sheet->GetRegions()[0].grade, 1);
}

TEST(FreeRegions, BlockAcrossTheLengthLeavesOnlyTheWidthRemainder)
{
    // +----------------+
    // | block 400x2000 |
    // +----------------+
    // | 600 x 2000     |
    // +----------------+
    auto stock = MakeStock(StockSpec{});
    auto part = MakePart(400, 2000);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *part);
    sheet->RebuildLists();
    sheet->Relay();
    // Turned, the block would be 2000 wide: the strict test drops those.
    ExpectRegions(sheet->GetRegions(), {{true, 0, SideWidthRemainder, 600, 2000, 0, 400},
                                        {false, 0, SideWidthRemainder, 600, 2000, 0, 400}});
}

TEST(FreeRegions, RemainderOfTwoCountsIsNotMadeThreeIs)
{
    auto stock = MakeStock(StockSpec{});
    for (std::int32_t slack : {2, 3}) {
        SCOPED_TRACE(slack);
        auto part = MakePart(1000, 2000 - slack, 1, OrientationAsGiven);
        auto sheet = MakeSheet(*stock);
        PutBlock(*sheet, *part);
        sheet->RebuildLists();
        sheet->Relay();
        if (slack == 2) {
            EXPECT_TRUE(sheet->GetRegions().empty());
        } else {
            ExpectRegions(sheet->GetRegions(),
                          {{true, 0, SideLengthRemainder, 1000, 3, 1997, 0},
                           {false, 0, SideLengthRemainder, 1000, 3, 1997, 0}});
        }
    }
}

TEST(FreeRegions, KerfAndPaddingShrinkAndGateTheRemainders)
{
    StockSpec stockSpec;
    stockSpec.kerf = 10;
    stockSpec.padding = 20;
    auto stock = MakeStock(stockSpec);
    // Free width after the kerf: 1000 - 400 - 10 = 590. Free length after the
    // kerf: 2000 - 1947 - 10 = 43, one count more than twice the padding plus
    // 2: made; at 1948 it is 42: too thin to keep.
    for (std::int32_t length : {1947, 1948}) {
        SCOPED_TRACE(length);
        auto part = MakePart(400, length, 1, OrientationAsGiven);
        auto sheet = MakeSheet(*stock);
        PutBlock(*sheet, *part);
        sheet->RebuildLists();
        sheet->Relay();
        std::vector<Expected> expected;
        if (length == 1947) {
            expected.push_back({true, 0, SideLengthRemainder, 400, 43, 1957, 0});
            expected.push_back({false, 0, SideLengthRemainder, 1000, 43, 1957, 0});
        }
        expected.push_back({true, 0, SideWidthRemainder, 590, 2000, 0, 410});
        expected.push_back({false, 0, SideWidthRemainder, 590, length, 0, 410});
        ExpectRegions(sheet->GetRegions(), expected);
    }
}

TEST(FreeRegions, TurnedCandidatesComeFirstForAPartThatMayTurn)
{
    auto stock = MakeStock(StockSpec{});
    auto part = MakePart(300, 500);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *part);
    sheet->RebuildLists();
    sheet->Relay();
    // Turned the block is 500 x 300.
    ExpectRegions(sheet->GetRegions(), {
                                           {true, 1, SideLengthRemainder, 500, 1700, 300, 0},
                                           {false, 1, SideLengthRemainder, 1000, 1700, 300, 0},
                                           {true, 0, SideLengthRemainder, 300, 1500, 500, 0},
                                           {false, 0, SideLengthRemainder, 1000, 1500, 500, 0},
                                           {true, 1, SideWidthRemainder, 500, 2000, 0, 500},
                                           {false, 1, SideWidthRemainder, 500, 300, 0, 500},
                                           {true, 0, SideWidthRemainder, 700, 2000, 0, 300},
                                           {false, 0, SideWidthRemainder, 700, 500, 0, 300},
                                       });
}

TEST(FreeRegions, FirstCutRuleAdmitsOneDirectionOnly)
{
    StockSpec stockSpec;
    stockSpec.firstCut = FirstCutAcrossGrain;
    auto stock = MakeStock(stockSpec);
    auto part = MakePart(300, 500, 1, OrientationAsGiven);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *part);
    sheet->RebuildLists();
    sheet->Relay();
    ExpectRegions(sheet->GetRegions(), {{false, 0, SideLengthRemainder, 1000, 1500, 500, 0},
                                        {false, 0, SideWidthRemainder, 700, 500, 0, 300}});
}

TEST(FreeRegions, SplitNodeOffersAStripExtension)
{
    // Width-wise first: block 400 x 500 with a width remainder holding
    // 300 x 500; 300 counts of the width stay free across the whole length.
    // +------+--------+
    // | A    |        |
    // +------+        |
    // | B    |        |
    // +------+        |
    // |  (free strip) |
    // +---------------+
    auto stock = MakeStock(StockSpec{});
    auto a = MakePart(400, 500, 1, OrientationAsGiven);
    auto b = MakePart(300, 500, 1, OrientationAsGiven);
    auto sheet = MakeSheet(*stock);
    sheet->Record().cutDirection = CutWidthFirst;
    PutBlock(*sheet, *a);
    OptLayout* below = AddWidthRemainder(*sheet);
    PutBlock(*below, *b);
    sheet->RebuildLists();
    sheet->Relay();
    const CFreeRectangle& strip = sheet->GetOwnRegions().at(0);
    EXPECT_EQ(sheet->GetOwnRegions().size(), 1u);
    EXPECT_EQ(strip.side, SideNewStripAlongY);
    EXPECT_TRUE(strip.directionFlag);
    EXPECT_EQ(strip.width.ToEncodedInt(), 300);
    EXPECT_EQ(strip.length.ToEncodedInt(), 2000);
    EXPECT_EQ(strip.y, 700);
    EXPECT_TRUE(strip.besideBlock);
    // The sheet's list holds its own regions first, then its children's.
    EXPECT_EQ(sheet->GetRegions().front().side, SideNewStripAlongY);
    EXPECT_GT(sheet->GetRegions().size(), 1u);
}

} // namespace
} // namespace optimization

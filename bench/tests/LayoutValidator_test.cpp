#include "LayoutValidator.h"

#include <gtest/gtest.h>

using namespace nestcheck;

namespace {

constexpr std::int64_t in = 16384; // counts per inch

// One 48 x 96 sheet (y along the width, x along the length), kerf 1/8, and
// two parts: A 10 x 20 (either way) and B 10 x 30 (never turned).
class LayoutValidatorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        run.kerf = in / 8;
        run.stocks.push_back({48 * in, 96 * in, false, 1, false});
        run.parts.push_back({1, 10 * in, 20 * in, 2, 0, 0, 0});
        run.parts.push_back({2, 10 * in, 30 * in, 1, 1, 0, 0});
        run.sheets.push_back({0, {}});
    }

    void Place(std::size_t part, std::int64_t x, std::int64_t y, bool rotated)
    {
        CheckPart& p = run.parts[part];
        const std::int64_t dx = rotated ? p.width : p.length;
        const std::int64_t dy = rotated ? p.length : p.width;
        run.sheets[0].copies.push_back({part, {x, y, x + dx, y + dy}, rotated});
        ++p.reportedPlaced;
    }

    std::vector<ViolationKind> Kinds()
    {
        std::vector<ViolationKind> kinds;
        for (const Violation& v : ValidateLayouts(run))
            kinds.push_back(v.kind);
        return kinds;
    }

    CheckRun run;
};

} // namespace

// +------+-+------+-+-------+
// | A    |k| A    |k| B     |
// +------+ +------+ +-------+
TEST_F(LayoutValidatorTest, AcceptsSoundLayout)
{
    Place(0, 0, 0, false);
    Place(0, 20 * in + in / 8, 0, false);
    Place(1, 40 * in + in / 4, 0, false);
    EXPECT_TRUE(Kinds().empty());
}

TEST_F(LayoutValidatorTest, AcceptsKerfShortByTolerance)
{
    Place(0, 0, 0, false);
    Place(0, 20 * in + in / 8 - 2, 0, false);
    run.parts[1].skipReason = 5;
    EXPECT_TRUE(Kinds().empty());
}

struct BadLayout
{
    const char* name;
    // Second copy of A (first is at the origin): x, y, turned.
    std::int64_t x, y;
    bool rotated;
    ViolationKind kind;
};

class LayoutValidatorCatches : public LayoutValidatorTest, public ::testing::WithParamInterface<BadLayout>
{
};

TEST_P(LayoutValidatorCatches, HandMadeFault)
{
    const BadLayout& c = GetParam();
    run.parts[1].skipReason = 5;
    Place(0, 0, 0, false);
    Place(0, c.x, c.y, c.rotated);
    auto kinds = Kinds();
    ASSERT_EQ(kinds.size(), 1u) << (kinds.empty() ? "none" : ToString(kinds[0]));
    EXPECT_EQ(kinds[0], c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutValidatorCatches,
    ::testing::Values(
        // Overlap: both gaps negative beyond the tolerance.
        BadLayout{"Overlap", 10 * in, 5 * in, false, ViolationKind::Overlap},
        // Touching end to end without a kerf between.
        BadLayout{"TooCloseAlongLength", 20 * in, 0, false, ViolationKind::TooClose},
        BadLayout{"TooCloseByThreeCounts", 20 * in + in / 8 - 3, 0, false, ViolationKind::TooClose},
        BadLayout{"TooCloseAcrossWidth", 0, 10 * in + 1, false, ViolationKind::TooClose},
        // Beyond the far edge of the 96 inch length by 3 counts.
        BadLayout{"OutsideLength", 76 * in + 3, 20 * in, false, ViolationKind::OutsideSheet},
        BadLayout{"OutsideBeforeOrigin", 30 * in, -3, false, ViolationKind::OutsideSheet},
        BadLayout{"OutsideWidth", 30 * in, 38 * in + 3, false, ViolationKind::OutsideSheet}),
    [](const ::testing::TestParamInfo<BadLayout>& tp) { return std::string(tp.param.name); });

TEST_F(LayoutValidatorTest, EdgeOfSheetWithinToleranceIsInside)
{
    Place(0, 76 * in + 2, 38 * in + 2, false);
    run.parts[0].skipReason = 5;
    run.parts[1].skipReason = 5;
    EXPECT_TRUE(Kinds().empty());
}

TEST_F(LayoutValidatorTest, CatchesTurnedCopyOfFixedPart)
{
    Place(1, 0, 0, true);
    run.parts[0].skipReason = 5;
    EXPECT_EQ(Kinds(), std::vector<ViolationKind>{ViolationKind::WrongOrientation});
}

TEST_F(LayoutValidatorTest, CatchesUnturnedCopyOfTurnedOnlyPart)
{
    run.parts[1].orientation = 2;
    Place(1, 0, 0, false);
    run.parts[0].skipReason = 5;
    EXPECT_EQ(Kinds(), std::vector<ViolationKind>{ViolationKind::WrongOrientation});
}

TEST_F(LayoutValidatorTest, CatchesRectangleOfWrongSize)
{
    Place(1, 0, 0, false);
    run.sheets[0].copies[0].rect.right += 3;
    run.parts[0].skipReason = 5;
    EXPECT_EQ(Kinds(), std::vector<ViolationKind>{ViolationKind::WrongSize});
}

// A pinwheel of four copies around a hole: no straight cut crosses the sheet
// without cutting a copy, although none overlap.
//   +----+--+
//   |  1 |  |
//   +-+--+ 2|
//   | |  |  |
//   |4+--+--+
//   | |  3  |
//   +-+-----+
TEST_F(LayoutValidatorTest, CatchesPinwheel)
{
    run.kerf = 0;
    run.parts = {{1, 10 * in, 20 * in, 4, 0, 0, 0}};
    Place(0, 0, 0, false);             // x 0..20, y 0..10
    Place(0, 20 * in, 0, true);        // x 20..30, y 0..20
    Place(0, 10 * in, 20 * in, false); // x 10..30, y 20..30
    Place(0, 0, 10 * in, true);        // x 0..10, y 10..30
    EXPECT_EQ(Kinds(), std::vector<ViolationKind>{ViolationKind::NotGuillotine});
}

// Every pair of copies is a kerf apart, and a cut of no width at x = 10
// would part the sheet, but a saw cut is a kerf wide: no line with that much
// room crosses the sheet, along either axis.
//   +--------+--+--------+
//   | A      |  |   H    |
//   |        |  |        |
//   +------+-+  |        |
//   | G    | +--+--------+
//   |      | | B         |
//   +------+ +-----------+
TEST_F(LayoutValidatorTest, CatchesCutLineNarrowerThanTheKerf)
{
    run.kerf = in;
    run.parts = {{1, 10 * in, 10 * in, 1, 0, 0, 0},
                 {2, 9 * in, 8 * in, 1, 0, 0, 0},
                 {3, 7 * in, 10 * in, 1, 0, 0, 0},
                 {4, 12 * in, 9 * in, 1, 0, 0, 0}};
    Place(0, 0, 0, false);            // A: x 0..10, y 0..10
    Place(1, 0, 11 * in, false);      // G: x 0..8, y 11..20
    Place(2, 10 * in, 13 * in, false); // B: x 10..20, y 13..20
    Place(3, 11 * in, 0, false);      // H: x 11..20, y 0..12
    EXPECT_EQ(Kinds(), std::vector<ViolationKind>{ViolationKind::NotGuillotine});
    // With room for the saw between A and B the sheet can be cut.
    run.sheets[0].copies[2].rect.left += in;
    run.sheets[0].copies[2].rect.right += in;
    run.sheets[0].copies[3].rect.left += in;
    run.sheets[0].copies[3].rect.right += in;
    EXPECT_TRUE(Kinds().empty());
}

TEST_F(LayoutValidatorTest, AcceptsNestedGuillotineLayout)
{
    run.kerf = 0;
    run.parts = {{1, 10 * in, 20 * in, 5, 0, 0, 0}};
    Place(0, 0, 0, false);
    Place(0, 0, 10 * in, false);
    Place(0, 20 * in, 0, true);
    Place(0, 30 * in, 0, true);
    Place(0, 20 * in, 20 * in, false);
    EXPECT_TRUE(Kinds().empty());
}

TEST_F(LayoutValidatorTest, CatchesUnplacedCopiesWithoutReason)
{
    Place(0, 0, 0, false);
    run.parts[1].skipReason = 5;
    EXPECT_EQ(Kinds(), std::vector<ViolationKind>{ViolationKind::MissingSkipReason});
}

TEST_F(LayoutValidatorTest, CatchesCopyPlacedTwiceAndMisreported)
{
    run.parts[0].skipReason = 5;
    Place(1, 0, 0, false);
    Place(1, 0, 20 * in, false);
    run.parts[1].reportedPlaced = 1;
    auto kinds = Kinds();
    EXPECT_EQ(kinds, (std::vector<ViolationKind>{ViolationKind::OverPlaced, ViolationKind::PlacedCountMismatch}));
}

TEST_F(LayoutValidatorTest, InventoryLimitsOnlyStockThatCannotBeBought)
{
    // No copy is wanted, so only the inventory is judged.
    run.parts[0].copies = 0;
    run.parts[1].copies = 0;
    run.sheets.push_back({0, {}}); // 2 sheets of a stock with 1 available
    EXPECT_EQ(Kinds(), std::vector<ViolationKind>{ViolationKind::OverInventory});
    run.stocks[0].buyMore = true;
    EXPECT_TRUE(Kinds().empty());
    run.stocks[0].buyMore = false;
    run.stocks[0].unlimited = true;
    EXPECT_TRUE(Kinds().empty());
}

TEST_F(LayoutValidatorTest, RefusesUnknownStockReference)
{
    run.parts[0].skipReason = 5;
    run.parts[1].skipReason = 5;
    run.sheets[0].stock = 4;
    EXPECT_EQ(Kinds(), std::vector<ViolationKind>{ViolationKind::BadReference});
}

// Copies may only be left over when no stock that holds the part has a sheet
// to spare: part B (10 x 30, never turned) stays unplaced beside a second stock.
struct SpareStock
{
    const char* name;
    CheckStock stock;
    std::int32_t orientation; // of part B
    bool flagged;
};

class LayoutValidatorSkips : public LayoutValidatorTest, public ::testing::WithParamInterface<SpareStock>
{
};

TEST_P(LayoutValidatorSkips, SkippedPartAgainstFreeRoom)
{
    const SpareStock& c = GetParam();
    run.stocks.push_back(c.stock);
    run.parts[1].orientation = c.orientation;
    run.parts[1].skipReason = 7;
    Place(0, 0, 0, false);
    Place(0, 0, 20 * in, false);
    const auto kinds = Kinds();
    EXPECT_EQ(kinds, c.flagged ? std::vector<ViolationKind>{ViolationKind::SkippedWithRoom}
                               : std::vector<ViolationKind>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutValidatorSkips,
    ::testing::Values(SpareStock{"UnusedSheetLeft", {12 * in, 40 * in, false, 1, false}, 1, true},
                      SpareStock{"Unlimited", {12 * in, 40 * in, true, 0, false}, 1, true},
                      SpareStock{"NoSheetAtAll", {12 * in, 40 * in, false, 0, false}, 1, false},
                      SpareStock{"BuyMore", {12 * in, 40 * in, false, 0, true}, 1, true},
                      SpareStock{"TooShort", {12 * in, 29 * in, true, 0, false}, 1, false},
                      SpareStock{"FitsOnlyTurnedButFixed", {40 * in, 12 * in, true, 0, false}, 1, false},
                      SpareStock{"FitsTurnedAndMayTurn", {40 * in, 12 * in, true, 0, false}, 0, true},
                      SpareStock{"WithinTolerance", {10 * in - 2, 30 * in - 2, true, 0, false}, 1, true}),
    [](const ::testing::TestParamInfo<SpareStock>& tp) { return std::string(tp.param.name); });

// The combine attempt and the join of two sheets end to end.

#include "CombineSheetPair.h"
#include "PassCheck.h"
#include "Placement.h"
#include "RunFixture.h"
#include "StockUsageTracker.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace optimization;
using namespace optimization::testing;

namespace {

constexpr double kKerf = 0.125;

// A sheet of `stock` holding one copy of `part`.
std::unique_ptr<OptTopLevelLayout> SheetWith(
    ParallelOptimizer& optimizer, const StockProxy* stock, const PartProxy* part)
{
    auto sheet = NewSheet(optimizer, stock);
    PlacementRequest request;
    request.part = part;
    request.sheets = { sheet.get() };
    request.optimizer = &optimizer;
    EXPECT_TRUE(PlacePart(request));
    return sheet;
}

struct Pair
{
    std::unique_ptr<ParallelOptimizer> optimizer;
    std::unique_ptr<OptTopLevelLayout> sheet = nullptr; // S, not in the set
    OptTopLevelLayout* partner = nullptr; // R, in the set
};

// Two 24 x 48 sheets, each with one 20 x 40 copy; R is committed and
// counted, S is about to be.
Pair MakePair(std::vector<std::shared_ptr<StockProxy>> stocks, const CuttingRules& rules = Rules(kKerf))
{
    auto part = Part(1, 20, 40, 2, OrientationFree, kKerf);
    Pair pair { Make(Args(stocks, { part }, rules)) };
    OptRunState& state = pair.optimizer->Job().RunState();
    for (const auto& [proxy, tracker] : state.PartTrackers())
        for (int copy = 0; copy < 2; ++copy)
            tracker->IncrementPlacedCount();
    auto partner = SheetWith(*pair.optimizer, stocks[0].get(), part.get());
    pair.partner = partner.get();
    state.Layouts().Add(partner.release());
    state.StockTrackers().at(stocks[0].get())->UseOneSheet();
    pair.sheet = SheetWith(*pair.optimizer, stocks[0].get(), part.get());
    return pair;
}

} // namespace

TEST(CombineSheetPair, NotTriedWithOneStock)
{
    Pair pair = MakePair({ Stock(24, 48, 10, Unlimited(), Rules(kKerf)) });
    OptTopLevelLayout* before = pair.sheet.get();
    EXPECT_FALSE(CombineSheetPair(*pair.optimizer, pair.sheet, false));
    EXPECT_EQ(pair.sheet.get(), before);
    EXPECT_EQ(pair.optimizer->Job().RunState().Layouts().Size(), 1u);
}

struct DoubleCase
{
    const char* name;
    double width;
    double length;
    bool combines;
};

class CombineSheetPairDouble : public ::testing::TestWithParam<DoubleCase>
{
};

TEST_P(CombineSheetPairDouble, TakesOnlyAStockTwiceTheSheet)
{
    const DoubleCase& c = GetParam();
    auto single = Stock(24, 48, 10, Unlimited(), Rules(kKerf));
    auto larger = Stock(c.width, c.length, 15, Unlimited(), Rules(kKerf));
    Pair pair = MakePair({ single, larger });
    OptRunState& state = pair.optimizer->Job().RunState();
    ASSERT_EQ(CombineSheetPair(*pair.optimizer, pair.sheet, false), c.combines);
    if (!c.combines) {
        EXPECT_EQ(state.Layouts().Size(), 1u);
        return;
    }
    // The partner is gone and uncounted; the caller counts the new sheet.
    EXPECT_EQ(pair.sheet->GetStockProxy(), larger.get());
    EXPECT_EQ(pair.sheet->GetPlacedCopies().size(), 2u);
    EXPECT_TRUE(state.Layouts().Layouts().empty());
    EXPECT_EQ(state.StockTrackers().at(single.get())->GetSheetsUsed(), 0u);
    state.Layouts().Add(pair.sheet.release());
    state.StockTrackers().at(larger.get())->UseOneSheet();
    EXPECT_EQ(SetProblems(*pair.optimizer), "");
}

INSTANTIATE_TEST_SUITE_P(Stocks, CombineSheetPairDouble,
    ::testing::Values(DoubleCase { "TwiceLengthPlusKerf", 24, 96 + kKerf, true },
        DoubleCase { "TwiceLength", 24, 96, true }, DoubleCase { "TwiceWidth", 48, 48, true },
        DoubleCase { "ThriceLength", 24, 144, false }, DoubleCase { "TwiceLengthWrongWidth", 30, 96, false }),
    [](const ::testing::TestParamInfo<DoubleCase>& p) { return std::string(p.param.name); });

// 24 x 96.125 sheet, the two 24 x 48 trees end to end:
// +--------+-+--------+
// | P1     |k| P1     |
// +--------+-+--------+
TEST(JoinSideBySide, LaysTheTwoTreesOneKerfApart)
{
    auto single = Stock(24, 48, 10, Unlimited(), Rules(kKerf));
    auto twice = Stock(24, 96 + kKerf, 15, Unlimited(), Rules(kKerf));
    Pair pair = MakePair({ single, twice });
    auto combined = NewSheet(*pair.optimizer, twice.get());
    ASSERT_TRUE(JoinSideBySide(true, *combined, *pair.sheet, *pair.partner));
    ASSERT_EQ(combined->GetPlacedParts().size(), 2u);
    EXPECT_TRUE(pair.sheet->GetPlacedParts().empty());
    EXPECT_TRUE(pair.partner->GetPlacedParts().empty());
    std::vector<std::int32_t> lefts;
    for (const PlacedPart* placed : combined->GetPlacedParts())
        lefts.push_back(placed->GetRect().left);
    std::sort(lefts.begin(), lefts.end());
    EXPECT_EQ(lefts[0], 0);
    EXPECT_EQ(lefts[1], OptDim::FromInches(40 + kKerf).ToEncodedInt());
    // The free space after the second copy is still offered, and only there.
    for (const CFreeRectangle& region : combined->GetRegions())
        EXPECT_TRUE(region.x >= OptDim::FromInches(40).ToEncodedInt()
            || region.y >= OptDim::FromInches(20).ToEncodedInt())
            << region.x << "," << region.y;
}

TEST(JoinSideBySide, RefusesAgainstTheFixedFirstCut)
{
    // First cuts length-wise: the two trees may not lie end to end along x.
    const CuttingRules rules = Rules(kKerf, 0.0, FirstCutWithGrain);
    auto single = Stock(24, 48, 10, Unlimited(), rules);
    auto twice = Stock(24, 96 + kKerf, 15, Unlimited(), rules);
    Pair pair = MakePair({ single, twice }, rules);
    auto combined = NewSheet(*pair.optimizer, twice.get());
    EXPECT_FALSE(JoinSideBySide(true, *combined, *pair.sheet, *pair.partner));
    EXPECT_EQ(pair.sheet->GetPlacedParts().size(), 1u);
    EXPECT_EQ(pair.partner->GetPlacedParts().size(), 1u);
}

TEST(JoinSideBySide, RefusesWhenTheTreesDoNotFit)
{
    auto single = Stock(24, 48, 10, Unlimited(), Rules(kKerf));
    auto tooShort = Stock(24, 80, 15, Unlimited(), Rules(kKerf));
    Pair pair = MakePair({ single, tooShort });
    auto combined = NewSheet(*pair.optimizer, tooShort.get());
    EXPECT_FALSE(JoinSideBySide(true, *combined, *pair.sheet, *pair.partner));
    EXPECT_EQ(pair.sheet->GetPlacedParts().size(), 1u);
}

// The combine attempt and the join of two sheets end to end.

#include "CombineSheetPair.h"
#include "LayoutOrders.h"
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

// Widths 5+3+2 and 4+3+3 fill two 10 x 48 sheets exactly; placed one by one
// into a 10 x 96 sheet the copies leave the last one no room, but the two
// trees laid end to end hold them all. The cost comparer takes the joined
// sheet only when it is cheaper than the two; refused, the two sheets get
// their trees back.
class CombineByJoin : public ::testing::TestWithParam<double>
{
};

TEST_P(CombineByJoin, JoinsTheTreesWhenPlacingOneByOneFails)
{
    const double cost = GetParam();
    const bool cheaper = cost < 20;
    auto single = Stock(10, 48, 10);
    auto twice = Stock(10, 96, cost);
    auto p5 = Part(1, 5, 48, 1);
    auto p4 = Part(2, 4, 48, 1);
    auto p3 = Part(3, 3, 48, 3);
    auto p2 = Part(4, 2, 48, 1);
    OptFactoryArgs args = Args({ single, twice }, { p5, p4, p3, p2 }, Rules());
    args.stockComparerKind = 1;
    auto optimizer = Make(args);
    ASSERT_TRUE(optimizer);
    OptRunState& state = optimizer->Job().RunState();
    for (const auto& [proxy, tracker] : state.PartTrackers())
        for (std::uint32_t copy = 0; copy < proxy->GetDescriptor().copies; ++copy)
            tracker->IncrementPlacedCount();
    auto fill = [&](const std::vector<const PartProxy*>& copies) {
        auto sheet = NewSheet(*optimizer, single.get());
        PlacementRequest request;
        request.sheets = { sheet.get() };
        request.optimizer = optimizer.get();
        EXPECT_TRUE(PlaceEach(request, copies));
        return sheet;
    };
    auto partner = fill({ p5.get(), p3.get(), p2.get() });
    OptTopLevelLayout* partnerRaw = partner.get();
    state.Layouts().Add(partner.release());
    state.StockTrackers().at(single.get())->UseOneSheet();
    std::unique_ptr<OptTopLevelLayout> sheet = fill({ p4.get(), p3.get(), p3.get() });
    OptTopLevelLayout* sheetRaw = sheet.get();

    {
        // The premise: one by one, in the run's order, they do not all go in.
        std::vector<const PartProxy*> copies { p5.get(), p4.get(), p3.get(), p3.get(), p3.get(), p2.get() };
        SortPartSequence(copies, state.GetPartOrderKind());
        auto trial = NewSheet(*optimizer, twice.get());
        PlacementRequest request;
        request.searchExistingSheets = false;
        request.sheets = { trial.get() };
        request.optimizer = optimizer.get();
        ASSERT_FALSE(PlaceEach(request, copies));
    }

    ASSERT_EQ(CombineSheetPair(*optimizer, sheet, false), cheaper);
    if (!cheaper) {
        EXPECT_EQ(sheet.get(), sheetRaw);
        ASSERT_EQ(state.Layouts().Size(), 1u);
        EXPECT_EQ(state.Layouts().Layouts()[0], partnerRaw);
        EXPECT_EQ(partnerRaw->GetPlacedCopies().size(), 3u);
        EXPECT_EQ(sheet->GetPlacedCopies().size(), 3u);
        EXPECT_EQ(state.StockTrackers().at(single.get())->GetSheetsUsed(), 1u);
        state.Layouts().Add(sheet.release());
        state.StockTrackers().at(single.get())->UseOneSheet();
        EXPECT_EQ(SetProblems(*optimizer), "");
        return;
    }
    EXPECT_EQ(sheet->GetStockProxy(), twice.get());
    EXPECT_EQ(sheet->GetPlacedCopies().size(), 6u);
    EXPECT_TRUE(state.Layouts().Layouts().empty());
    EXPECT_EQ(state.StockTrackers().at(single.get())->GetSheetsUsed(), 0u);
    // Each old tree keeps its own half: with equal extents the partner's
    // comes first.
    const std::int32_t half = OptDim::FromInches(48).ToEncodedInt();
    for (const PlacedPart* placed : sheet->GetPlacedParts()) {
        const OptRect& r = placed->GetRect();
        const std::int32_t number = placed->GetPart()->GetDescriptor().partNumber;
        SCOPED_TRACE(number);
        if (number == 1 || number == 4) {
            EXPECT_LE(r.right, half);
        } else if (number == 2) {
            EXPECT_GE(r.left, half);
        }
    }
    state.Layouts().Add(sheet.release());
    state.StockTrackers().at(twice.get())->UseOneSheet();
    EXPECT_EQ(SetProblems(*optimizer), "");
}

INSTANTIATE_TEST_SUITE_P(Cost, CombineByJoin, ::testing::Values(15.0, 30.0),
    [](const ::testing::TestParamInfo<double>& p) { return p.param < 20 ? std::string("Cheaper") : std::string("Dearer"); });

// Groups of identical sheets around a combine. Sheets of 24 x 48, each with
// one 20 x 40 copy, and a 24 x 96 stock that takes two of them: the partner
// R (a master) and its duplicate D are in the set; S, the sheet being
// committed, duplicates a master M.
class CombineSheetPairGroups : public ::testing::Test
{
protected:
    void SetUp() override
    {
        optimizer = Make(Args({ single, twice }, { part }, Rules(kKerf)));
        OptRunState& state = optimizer->Job().RunState();
        for (int copy = 0; copy < 4; ++copy)
            state.PartTrackers().at(part.get())->IncrementPlacedCount();
        auto m = SheetWith(*optimizer, single.get(), part.get());
        auto r = SheetWith(*optimizer, single.get(), part.get());
        master = m.get();
        partner = r.get();
        auto d = partner->Copy();
        d->SetMaster(partner);
        d->ShareStyleMap(partner->GetStyleMap());
        partner->SetDuplicateCount(1);
        duplicate = d.get();
        // R stands first in the set, so it is S's partner.
        state.Layouts().Add(r.release());
        state.Layouts().Add(d.release());
        state.Layouts().Add(m.release());
        state.StockTrackers().at(single.get())->SetSheetsUsed(3);
        sheet = SheetWith(*optimizer, single.get(), part.get());
    }

    // The caller of the combine commits and counts the combined sheet.
    void AddCombined()
    {
        optimizer->Job().RunState().StockTrackers().at(twice.get())->UseOneSheet();
        optimizer->Job().RunState().Layouts().Add(sheet.release());
    }

    std::shared_ptr<StockProxy> single = Stock(24, 48, 10, Unlimited(), Rules(kKerf));
    std::shared_ptr<StockProxy> twice = Stock(24, 96, 15, Unlimited(), Rules(kKerf));
    std::shared_ptr<PartProxy> part = Part(1, 20, 40, 4, OrientationFree, kKerf);
    std::unique_ptr<ParallelOptimizer> optimizer;
    OptTopLevelLayout* master = nullptr;
    OptTopLevelLayout* partner = nullptr;
    OptTopLevelLayout* duplicate = nullptr;
    std::unique_ptr<OptTopLevelLayout> sheet;
};

// R goes away with the combine: its duplicate must not keep pointing at it,
// but becomes a sheet of its own.
TEST_F(CombineSheetPairGroups, PartnersDuplicatesGetANewMasterFirst)
{
    ASSERT_TRUE(CombineSheetPair(*optimizer, sheet, false));
    EXPECT_EQ(sheet->GetStockProxy(), twice.get());
    const auto& layouts = optimizer->Job().RunState().Layouts().Layouts();
    ASSERT_NE(std::find(layouts.begin(), layouts.end(), duplicate), layouts.end());
    EXPECT_EQ(duplicate->GetMaster(), nullptr);
    EXPECT_EQ(duplicate->GetDuplicateCount(), 0);
    AddCombined();
    EXPECT_EQ(SetProblems(*optimizer), "");
}

// A duplicate is counted in its master's group before the combine attempt;
// when the combine replaces it, the master counts it no longer.
TEST_F(CombineSheetPairGroups, CombinedDuplicateLeavesItsMastersCount)
{
    sheet->SetMaster(master);
    sheet->ShareStyleMap(master->GetStyleMap());
    master->SetDuplicateCount(1);
    ASSERT_TRUE(CombineSheetPair(*optimizer, sheet, false));
    EXPECT_EQ(master->GetDuplicateCount(), 0);
    AddCombined();
    EXPECT_EQ(SetProblems(*optimizer), "");
}

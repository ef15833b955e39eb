// "Move sheets to cheaper stock" and "Empty sheets" on hand-made sets.

#include "LayoutGrouping.h"
#include "PassCheck.h"
#include "Placement.h"
#include "ResizeSheets.h"
#include "RunFixture.h"
#include "StockUsageTracker.h"

#include <gtest/gtest.h>

using namespace optimization;
using namespace optimization::testing;

namespace {

constexpr double kKerf = 0.125;

// `count` sheets of `stock`, each holding one copy of the 20 x 40 part, in
// the running set, grouped, counted and marked as a pass leaves them.
std::unique_ptr<ParallelOptimizer> SetOfSheets(
    std::vector<std::shared_ptr<StockProxy>> stocks, const StockProxy* stock, int count)
{
    auto part = Part(1, 20, 40, std::uint32_t(count), OrientationFree, kKerf);
    auto optimizer = Make(Args(stocks, { part }, Rules(kKerf)));
    OptRunState& state = optimizer->Job().RunState();
    for (int i = 0; i < count; ++i) {
        auto sheet = NewSheet(*optimizer, stock);
        PlacementRequest request;
        request.part = part.get();
        request.sheets = { sheet.get() };
        request.optimizer = optimizer.get();
        EXPECT_TRUE(PlacePart(request));
        state.Layouts().Add(sheet.release());
        state.PartTrackers().at(part.get())->IncrementPlacedCount();
    }
    GroupIdenticalSheets(state.Layouts());
    state.MarkInventory();
    return optimizer;
}

std::uint32_t Used(ParallelOptimizer& optimizer, const std::shared_ptr<StockProxy>& stock)
{
    return optimizer.Job().RunState().StockTrackers().at(stock.get())->GetSheetsUsed();
}

} // namespace

TEST(ResizeSheets, DuplicatesFollowWhileTheNewStockLasts)
{
    // A master with two duplicates on large stock; a smaller stock with two
    // sheets available takes the master and its first duplicate only.
    auto large = Stock(48, 96, 40, Unlimited(), Rules(kKerf));
    auto small = Stock(24, 48, 10, Limited(2), Rules(kKerf));
    auto optimizer = SetOfSheets({ large, small }, large.get(), 3);
    ResizeSheets(*optimizer);

    const auto& sheets = optimizer->Job().RunState().Layouts().Layouts();
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[0]->GetStockProxy(), small.get());
    EXPECT_EQ(sheets[0]->GetDuplicateCount(), 1);
    EXPECT_EQ(sheets[1]->GetStockProxy(), small.get());
    EXPECT_EQ(sheets[1]->GetMaster(), sheets[0]);
    EXPECT_EQ(sheets[2]->GetStockProxy(), large.get());
    EXPECT_FALSE(sheets[2]->IsDuplicate());
    EXPECT_EQ(Used(*optimizer, small), 2u);
    EXPECT_EQ(Used(*optimizer, large), 1u);
    EXPECT_EQ(SetProblems(*optimizer), "");
}

TEST(ResizeSheets, StaysWhenNoEarlierStockTakesTheParts)
{
    auto large = Stock(48, 96, 40, Unlimited(), Rules(kKerf));
    auto tooSmall = Stock(15, 30, 5, Unlimited(), Rules(kKerf));
    auto optimizer = SetOfSheets({ large, tooSmall }, large.get(), 1);
    const OptTopLevelLayout* before = optimizer->Job().RunState().Layouts().Layouts()[0];
    ResizeSheets(*optimizer);
    EXPECT_EQ(optimizer->Job().RunState().Layouts().Layouts()[0], before);
    EXPECT_EQ(Used(*optimizer, large), 1u);
}

// A sheet that fills its tight stock well, under the full-cost comparer that
// ranks a large cheap stock first. When the tight stock has no sheet left,
// the move must win the same-parts comparison, and the nearly full sheet
// beats the mostly empty large one: it stays. With a sheet to spare on the
// tight stock it moves without being compared.
TEST(ResizeSheets, SheetOnUsedUpStockMovesOnlyWhenTheComparisonAllows)
{
    for (std::uint32_t available : { 1u, 2u }) {
        SCOPED_TRACE(available);
        auto cheap = Stock(48, 96, 10, Unlimited(), Rules(kKerf));
        auto tight = Stock(24, 48, 40, Limited(available), Rules(kKerf));
        auto part = Part(1, 24, 46, 1, OrientationFree, kKerf);
        OptFactoryArgs args = Args({ cheap, tight }, { part }, Rules(kKerf));
        args.stockComparerKind = 1;
        auto optimizer = Make(args);
        OptRunState& state = optimizer->Job().RunState();
        auto sheet = NewSheet(*optimizer, tight.get());
        PlacementRequest request;
        request.part = part.get();
        request.sheets = { sheet.get() };
        request.optimizer = optimizer.get();
        ASSERT_TRUE(PlacePart(request));
        state.Layouts().Add(sheet.release());
        state.PartTrackers().at(part.get())->IncrementPlacedCount();
        state.MarkInventory();
        ASSERT_EQ(state.Layouts().Layouts()[0]->GetWithinInventory(), 1);

        ResizeSheets(*optimizer);
        const bool moves = available == 2;
        ASSERT_EQ(state.Layouts().Size(), 1u);
        EXPECT_EQ(state.Layouts().Layouts()[0]->GetStockProxy(), moves ? cheap.get() : tight.get());
        EXPECT_EQ(Used(*optimizer, tight), moves ? 0u : 1u);
        EXPECT_EQ(Used(*optimizer, cheap), moves ? 1u : 0u);
        EXPECT_EQ(SetProblems(*optimizer), "");
    }
}

TEST(EmptySheets, CombinesTwoSheetsOntoTheDoubleStock)
{
    auto single = Stock(24, 48, 10, Unlimited(), Rules(kKerf));
    auto twice = Stock(24, 96 + kKerf, 15, Unlimited(), Rules(kKerf));
    auto optimizer = SetOfSheets({ single, twice }, single.get(), 2);
    // The two sheets are grouped: the duplicate is combined with its master.
    EmptySheets(*optimizer);
    const auto& sheets = optimizer->Job().RunState().Layouts().Layouts();
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0]->GetStockProxy(), twice.get());
    EXPECT_EQ(Used(*optimizer, single), 0u);
    EXPECT_EQ(Used(*optimizer, twice), 1u);
    EXPECT_EQ(SetProblems(*optimizer), "");
}

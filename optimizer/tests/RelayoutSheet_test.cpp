// The local re-layout loop and Rebuild a sheet.

#include "LayoutOrders.h"
#include "PassFixture.h"
#include "Placement.h"

#include <gtest/gtest.h>

#include <random>

namespace optimization::testing {
namespace {

class RelayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto args = Args({stock}, {half, small}, Rules());
        args.progressDlg = &dialog;
        optimizer = Make(args);
        ASSERT_TRUE(optimizer);
    }

    CancelAfter dialog;
    std::shared_ptr<StockProxy> stock = Stock(48, 96, 50);
    std::shared_ptr<PartProxy> half = Part(1, 24, 48, 6);
    std::shared_ptr<PartProxy> small = Part(2, 12, 12, 8);
    std::unique_ptr<ParallelOptimizer> optimizer;
};

TEST_F(RelayoutTest, LaysTheSameCopiesAnew)
{
    OptTopLevelLayout* sheet = AddSheet(*optimizer, stock.get(), {half.get(), small.get(), small.get(), half.get()});
    ASSERT_TRUE(sheet);
    for (bool compare : {false, true}) {
        SCOPED_TRACE(compare);
        RelayoutFlags flags;
        flags.compare = compare;
        auto relaid = RelayoutSheet(sheet->Policy(), 0, *sheet, *optimizer, flags);
        // An equal layout is a result too; only a worse one is refused.
        ASSERT_TRUE(relaid);
        EXPECT_TRUE(relaid->SamePartsAs(*sheet));
        EXPECT_FALSE(relaid->IsDuplicate());
    }
}

TEST_F(RelayoutTest, CancelGivesNoResult)
{
    OptTopLevelLayout* sheet = AddSheet(*optimizer, stock.get(), {half.get(), small.get()});
    ASSERT_TRUE(sheet);
    dialog.Arm(0);
    EXPECT_FALSE(RelayoutSheet(sheet->Policy(), 0, *sheet, *optimizer, RelayoutFlags()));
}

TEST_F(RelayoutTest, RebuildThatCannotPlaceEveryCopyLeavesTheSheetAlone)
{
    OptTopLevelLayout* sheet = AddSheet(*optimizer, stock.get(), {half.get(), half.get()});
    ASSERT_TRUE(sheet);
    const std::string before = Snapshot(*optimizer);
    // Five halves never fit a sheet that holds four.
    EXPECT_FALSE(RebuildSheet(*sheet, Copies(half, 5), *optimizer));
    EXPECT_EQ(Snapshot(*optimizer), before);
}

TEST_F(RelayoutTest, RebuildLaysTheGivenCopies)
{
    OptTopLevelLayout* sheet = AddSheet(*optimizer, stock.get(), {half.get(), half.get(), small.get()});
    ASSERT_TRUE(sheet);
    const std::int32_t runKind = optimizer->Job().RunState().GetPartOrderKind();
    ASSERT_TRUE(RebuildSheet(*sheet, {half.get(), small.get()}, *optimizer));
    EXPECT_EQ(sheet->GetPlacedCopies().size(), 2u);
    // The run's own part order is kept.
    EXPECT_EQ(optimizer->Job().RunState().GetPartOrderKind(), runKind);
}

// A sheet of many small parts that the loop lays strip by strip: each try
// pushes one more part to the priority list, and the 51st try would have
// laid them all. The loop stops after its 50th try, with no result, and
// every try opened with one cancel query (no copy needed TryOCD here).
TEST(RelayoutCap, NoFiftyFirstIteration)
{
    std::mt19937 rng(3);
    const int count = 55 + int(rng() % 40);
    auto stock = Stock(48, 96, 50);
    std::vector<std::shared_ptr<PartProxy>> parts;
    for (int i = 0; i < count; ++i) {
        const double width = 2 + double(rng() % 1000) / 100.0;
        const double length = 2 + double(rng() % 1400) / 100.0;
        parts.push_back(Part(i + 1, width, length, 1, OrientationAsGiven));
    }
    CancelAfter dialog;
    auto args = Args({stock}, parts, Rules());
    args.progressDlg = &dialog;
    auto optimizer = Make(args);
    ASSERT_TRUE(optimizer);

    // The sheet holds the copies that go in one by one, largest first.
    std::vector<const PartProxy*> copies;
    for (const auto& part : parts)
        copies.push_back(part.get());
    SortPartSequence(copies, optimizer->Job().RunState().GetPartOrderKind());
    auto probe = NewSheet(*optimizer, stock.get());
    PlacementRequest request;
    request.sheets = {probe.get()};
    request.optimizer = optimizer.get();
    request.noTryOCD = true;
    std::vector<const PartProxy*> kept;
    for (const PartProxy* copy : copies) {
        request.part = copy;
        if (PlacePart(request))
            kept.push_back(copy);
    }
    ASSERT_GT(kept.size(), std::size_t(kRelayoutMaxIterations));
    OptTopLevelLayout* sheet = AddSheet(*optimizer, stock.get(), kept);
    ASSERT_TRUE(sheet);

    const long before = dialog.Queries();
    EXPECT_FALSE(RelayoutSheet(sheet->Policy(), 0, *sheet, *optimizer, RelayoutFlags()));
    EXPECT_EQ(dialog.Queries() - before, kRelayoutMaxIterations);
}

} // namespace
} // namespace optimization::testing

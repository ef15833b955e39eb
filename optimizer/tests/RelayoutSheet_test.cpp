// The local re-layout loop and Rebuild a sheet.

#include "PassFixture.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace optimization::testing

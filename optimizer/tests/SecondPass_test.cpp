// The Second Pass: all copies placed again into emptied copies of the sheets.

#include "PassFixture.h"
#include "RunPasses.h"
#include "SecondPass.h"

#include <gtest/gtest.h>

namespace optimization::testing {
namespace {

class SecondPassTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto args = Args({stock}, {half, small}, Rules());
        args.localOptMode = 1;
        args.progressDlg = &dialog;
        optimizer = Make(args);
        ASSERT_TRUE(optimizer);
        // Two sheets, each a quarter full: one sheet holds them all.
        ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), small.get()}));
        ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), small.get()}));
    }

    CancelAfter dialog;
    std::shared_ptr<StockProxy> stock = Stock(48, 96, 50, Limited(5));
    std::shared_ptr<PartProxy> half = Part(1, 24, 48, 2);
    std::shared_ptr<PartProxy> small = Part(2, 12, 12, 2);
    std::unique_ptr<ParallelOptimizer> optimizer;
};

TEST_F(SecondPassTest, AdoptsTheRefilledSetWhenItIsBetter)
{
    RunSecondPass(*optimizer);
    EXPECT_EQ(SetProblems(*optimizer), "");
    const OptRunState& state = optimizer->Job().RunState();
    ASSERT_EQ(state.Layouts().Size(), 1u) << Snapshot(*optimizer);
    EXPECT_EQ(state.Layouts().Layouts()[0]->GetWithinInventory(), 1);
    EXPECT_EQ(state.StockTrackers().begin()->second->GetSheetsUsed(), 1u);
}

TEST_F(SecondPassTest, ReplaceAllPartsPlacesTheCountedCopies)
{
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        auto trial = optimizer->MakeDetachedCopy();
        ASSERT_TRUE(ReplaceAllParts(*trial, mode));
        // The stock counts follow the set when the pass adopts the trial.
        trial->Job().RunState().MarkInventory();
        EXPECT_EQ(SetProblems(*trial), "");
        // Sheet by sheet the fullest sheet takes everything; the pooled search
        // may spread the copies over both sheets.
        EXPECT_LE(trial->Job().RunState().Layouts().Size(), mode == 1 ? 1u : 2u);
    }
}

TEST_F(SecondPassTest, CancelLeavesTheRunningSetUnchanged)
{
    for (long queries : {0L, 1L, 2L, 3L}) {
        SCOPED_TRACE(queries);
        SetUp();
        const std::string before = Snapshot(*optimizer);
        const long asked = dialog.Queries();
        dialog.Arm(queries);
        RunSecondPass(*optimizer);
        if (dialog.Queries() - asked > queries) {
            EXPECT_EQ(Snapshot(*optimizer), before);
        }
        EXPECT_EQ(SetProblems(*optimizer), "");
        dialog.Arm(std::numeric_limits<long>::max());
    }
}

// Widths 5+3+2 and 4+3+3 fill two 10-wide sheets exactly, but laid again in
// the run's order (5, 4, 3, 3, 3, 2) the 2 finds no room in either sheet,
// whether the sheets are searched one by one or pooled.
TEST(SecondPassNoTrial, BothTrialsFailingLeaveTheSetAsItWas)
{
    auto stock = Stock(10, 48, 50, Limited(2));
    auto p5 = Part(1, 5, 48, 1);
    auto p4 = Part(2, 4, 48, 1);
    auto p3 = Part(3, 3, 48, 3);
    auto p2 = Part(4, 2, 48, 1);
    CancelAfter dialog;
    auto args = Args({stock}, {p5, p4, p3, p2}, Rules());
    args.localOptMode = 1;
    args.progressDlg = &dialog;
    auto optimizer = Make(args);
    ASSERT_TRUE(optimizer);
    ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {p5.get(), p3.get(), p2.get()}));
    ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {p4.get(), p3.get(), p3.get()}));
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        EXPECT_FALSE(ReplaceAllParts(*optimizer->MakeDetachedCopy(), mode));
    }
    const std::string before = Snapshot(*optimizer);
    RunSecondPass(*optimizer);
    EXPECT_EQ(Snapshot(*optimizer), before);
    EXPECT_EQ(SetProblems(*optimizer), "");
    EXPECT_EQ(optimizer->Job().RunState().StockTrackers().begin()->second->GetSheetsUsed(), 2u);
}
} // namespace
} // namespace optimization::testing

// Local Optimization, the Special Local Pass and RetrySkipped Parts on
// hand-made sets.

#include "PassFixture.h"
#include "RunPasses.h"

#include <gtest/gtest.h>

namespace optimization::testing {
namespace {

class LocalPassesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto args = Args({stock}, {half, small, huge}, Rules());
        args.localOptMode = 1;
        args.progressDlg = &dialog;
        optimizer = Make(args);
        ASSERT_TRUE(optimizer);
    }

    CancelAfter dialog;
    std::shared_ptr<StockProxy> stock = Stock(48, 96, 50);
    std::shared_ptr<PartProxy> half = Part(1, 24, 48, 4);
    std::shared_ptr<PartProxy> small = Part(2, 12, 12, 6);
    std::shared_ptr<PartProxy> huge = Part(3, 50, 100, 1);
    std::unique_ptr<ParallelOptimizer> optimizer;
};

TEST_F(LocalPassesTest, LocalOptimizationMarksEverySheetDoneOnce)
{
    ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), small.get()}));
    ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), small.get(), small.get()}));
    RunLocalOptimization(*optimizer);
    EXPECT_EQ(SetProblems(*optimizer), "");
    for (const OptTopLevelLayout* sheet : optimizer->Job().RunState().Layouts().Layouts())
        EXPECT_EQ(sheet->GetDoneMark(), 1);
    // A second call rebuilds nothing: it does not even ask for a cancel
    // inside a re-layout.
    const std::string before = Snapshot(*optimizer);
    const long asked = dialog.Queries();
    RunLocalOptimization(*optimizer);
    EXPECT_EQ(Snapshot(*optimizer), before);
    EXPECT_EQ(dialog.Queries() - asked, 2);
}

TEST_F(LocalPassesTest, DuplicatesFollowTheirMasterAndKeepTheirMarks)
{
    OptTopLevelLayout* a = AddSheet(*optimizer, stock.get(), {half.get(), small.get()});
    OptTopLevelLayout* b = AddSheet(*optimizer, stock.get(), {half.get(), small.get()});
    ASSERT_TRUE(a && b);
    RunSpecialLocalPass(*optimizer); // groups b under a
    ASSERT_EQ(b->GetMaster(), a);
    b->SetWithinInventory(0);
    a->SetDoneMark(0);
    RunLocalOptimization(*optimizer);
    EXPECT_EQ(SetProblems(*optimizer), "");
    EXPECT_EQ(b->GetWithinInventory(), 0);
    EXPECT_EQ(a->GetDuplicateCount(), 1);
}

TEST_F(LocalPassesTest, RetryPlacesUnplacedCopiesWithoutOpeningSheets)
{
    ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), small.get()}));
    // Three halves and five smalls are still unplaced; the huge part fits no
    // sheet and stays unplaced.
    RunRetrySkippedParts(*optimizer);
    EXPECT_EQ(SetProblems(*optimizer), "");
    const OptRunState& state = optimizer->Job().RunState();
    EXPECT_EQ(state.Layouts().Size(), 1u);
    EXPECT_GT(TrackerOf(state.PartTrackers(), half.get())->GetPlacedCopiesCount(), 1u);
    EXPECT_EQ(TrackerOf(state.PartTrackers(), huge.get())->GetPlacedCopiesCount(), 0u);
}

TEST_F(LocalPassesTest, CancelInAnyLocalPassLeavesTheSetConsistent)
{
    const std::vector<std::pair<const char*, void (*)(ParallelOptimizer&)>> passes = {
        {"local", RunLocalOptimization}, {"special", RunSpecialLocalPass}, {"retry", RunRetrySkippedParts}};
    for (const auto& [name, pass] : passes) {
        for (long queries : {0L, 1L, 3L, 7L, 15L}) {
            SCOPED_TRACE(std::string(name) + " after " + std::to_string(queries));
            SetUp();
            ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), small.get()}));
            ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), half.get(), small.get()}));
            dialog.Arm(queries);
            pass(*optimizer);
            EXPECT_EQ(SetProblems(*optimizer), "");
            dialog.Arm(std::numeric_limits<long>::max());
        }
    }
}

} // namespace
} // namespace optimization::testing

// The improvement dispatcher: the Third Pass, CLEANUP and ELIMINATE LAYOUTS.

#include "ImprovementPass.h"
#include "PassFixture.h"
#include "StyleVariants.h"

#include <gtest/gtest.h>

namespace optimization::testing {
namespace {

class ImprovementPassTest : public ::testing::Test
{
protected:
    void SetUpRun(std::int32_t localMode, std::int32_t comparer = 0)
    {
        auto args = Args({stock}, {big, half, small}, Rules());
        args.localOptMode = localMode;
        args.stockComparerKind = comparer;
        args.progressDlg = &dialog;
        optimizer = Make(args);
        ASSERT_TRUE(optimizer);
    }

    CancelAfter dialog;
    std::shared_ptr<StockProxy> stock = Stock(48, 96, 50);
    std::shared_ptr<PartProxy> big = Part(1, 40, 90, 2);
    std::shared_ptr<PartProxy> half = Part(2, 24, 48, 4);
    std::shared_ptr<PartProxy> small = Part(3, 12, 12, 6);
    std::unique_ptr<ParallelOptimizer> optimizer;
};

// When the copies that stayed cannot be laid anew on an empty sheet (the
// greedy re-lay may fail where the old tree held them; here the list of
// stayed copies is more than a sheet holds), the sheet keeps its tree without
// the moved copy, rather than the whole old tree with the moved copy on two
// sheets.
TEST_F(ImprovementPassTest, StayedCopiesThatDoNotFitAnEmptySheetLoseOnlyTheMovedCopies)
{
    SetUpRun(1);
    OptTopLevelLayout* sheet = AddSheet(*optimizer, stock.get(), {half.get(), half.get(), small.get()});
    ASSERT_NE(sheet, nullptr);
    const std::vector<const PartProxy*> stayed = Copies(half, 5);
    KeepStayedCopies(*sheet, stayed, {small.get()}, *optimizer);
    std::vector<const PartProxy*> left;
    for (const PlacedPart* placed : sheet->GetPlacedParts())
        left.push_back(placed->GetPartProxy());
    EXPECT_EQ(left, Copies(half, 2));
    EXPECT_EQ(sheet->GetPlacedCopies().size(), 2u);
}

TEST_F(ImprovementPassTest, SingleSheetIsLeftAloneByEveryMode)
{
    for (ImprovementMode mode : {ImprovementMode::Third, ImprovementMode::Cleanup, ImprovementMode::EliminateLayouts}) {
        SCOPED_TRACE(int(mode));
        SetUpRun(1);
        ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), small.get()}));
        const std::string before = Snapshot(*optimizer);
        RunImprovementDispatcher(*optimizer, mode);
        EXPECT_EQ(Snapshot(*optimizer), before);
    }
}

// Two half-empty sheets: the targeted improvement and the elimination end
// with one sheet holding every copy.
// +------+------+      +------+------+
// | half |      |  +   | half |      |   ->  one sheet with both halves
// +------+------+      +------+------+
TEST_F(ImprovementPassTest, EmptiesASheetIntoAnother)
{
    struct Case {
        const char* name;
        std::int32_t localMode;
        ImprovementMode mode;
    } cases[] = {{"third targeted", 1, ImprovementMode::Third},
                 {"cleanup targeted", 1, ImprovementMode::Cleanup},
                 {"eliminate", 0, ImprovementMode::EliminateLayouts}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpRun(c.localMode);
        ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), small.get()}));
        ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), small.get()}));
        RunImprovementDispatcher(*optimizer, c.mode);
        EXPECT_EQ(SetProblems(*optimizer), "");
        EXPECT_EQ(optimizer->Job().RunState().Layouts().Size(), 1u) << Snapshot(*optimizer);
    }
}

// A sheet that gave some copies away and kept others is laid anew, and the
// Local Optimization that ends the Third Pass takes it up again even though
// it had been dealt with before (its own part order becomes the run's when
// it is re-laid). Three halves leave room for a fourth:
// +----+----+      +----+----+
// |half|half|      |half|    |
// +----+----+  +   +----+----+  ->  the half moves, the small copy stays
// |half|    |      |smal|    |
// +----+----+      +----+----+
TEST_F(ImprovementPassTest, ThirdPassReopensASheetThatGaveCopiesAway)
{
    SetUpRun(1);
    OptTopLevelLayout* full = AddSheet(*optimizer, stock.get(), {half.get(), half.get(), half.get()});
    OptTopLevelLayout* giver = AddSheet(*optimizer, stock.get(), {half.get(), small.get()});
    ASSERT_TRUE(full && giver);
    full->SetDoneMark(1);
    giver->SetDoneMark(1);
    giver->SetPartOrderKind(3);
    ASSERT_EQ(optimizer->Job().RunState().GetPartOrderKind(), 0);
    RunImprovementDispatcher(*optimizer, ImprovementMode::Third);
    EXPECT_EQ(SetProblems(*optimizer), "");
    ASSERT_EQ(optimizer->Job().RunState().Layouts().Size(), 2u) << Snapshot(*optimizer);
    EXPECT_EQ(std::count(full->GetPlacedCopies().begin(), full->GetPlacedCopies().end(), half.get()), 4);
    EXPECT_EQ(giver->GetPlacedCopies(), std::vector<const PartProxy*>{small.get()});
    EXPECT_EQ(optimizer->Job().RunState().GetPartOrderKind(), 3);
}

TEST_F(ImprovementPassTest, EliminateSkipsASheetThatCannotFitInTheOthersFreeArea)
{
    SetUpRun(0);
    OptTopLevelLayout* a = AddSheet(*optimizer, stock.get(), {big.get()});
    OptTopLevelLayout* b = AddSheet(*optimizer, stock.get(), {big.get()});
    ASSERT_TRUE(a && b);
    const std::string before = Snapshot(*optimizer);
    RunImprovementDispatcher(*optimizer, ImprovementMode::EliminateLayouts);
    EXPECT_EQ(Snapshot(*optimizer), before);
    // No placement was even tried: a failed try would mark the sheets.
    EXPECT_EQ(a->GetTriedMark(), nullptr);
    EXPECT_EQ(b->GetTriedMark(), nullptr);
}

// The finishing refresh after CLEANUP and ELIMINATE LAYOUTS: a sheet that
// changed keeps no layout style that still shows its old parts (the program
// would offer it as the same sheet in another style).
TEST_F(ImprovementPassTest, FinishingRefreshDropsStylesOfOldParts)
{
    SetUpRun(1);
    OptTopLevelLayout* sheet = AddSheet(*optimizer, stock.get(), {half.get(), small.get(), small.get()});
    ASSERT_TRUE(sheet);
    RunSpecialLocalSteps(*sheet, *optimizer);
    ASSERT_TRUE(sheet->TakeCopyOut(small.get()));
    sheet->RebuildLists();
    sheet->Relay();
    auto stale = [&] {
        int n = 0;
        for (const auto& [style, variant] : *sheet->GetStyleMap())
            n += variant && !variant->SamePartsAs(*sheet);
        return n;
    };
    ASSERT_GT(stale(), 0);
    RefreshSheets(optimizer->Job().RunState().Layouts());
    EXPECT_EQ(stale(), 0);
    EXPECT_EQ(sheet->GetPlacedParts().size(), 2u);
}

TEST_F(ImprovementPassTest, CancelLeavesEveryModeConsistent)
{
    for (ImprovementMode mode : {ImprovementMode::Third, ImprovementMode::Cleanup, ImprovementMode::EliminateLayouts}) {
        for (long queries : {0L, 1L, 2L, 3L, 5L, 8L, 13L}) {
            SCOPED_TRACE(std::to_string(int(mode)) + " after " + std::to_string(queries));
            SetUpRun(1);
            ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), small.get(), small.get()}));
            ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), small.get()}));
            ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {half.get(), small.get()}));
            dialog.Arm(queries);
            RunImprovementDispatcher(*optimizer, mode);
            EXPECT_EQ(SetProblems(*optimizer), "");
            dialog.Arm(std::numeric_limits<long>::max());
        }
    }
}

} // namespace
} // namespace optimization::testing

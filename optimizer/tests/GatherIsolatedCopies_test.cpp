// Gather isolated copies: counting copies that stand alone, the room for a
// part, and the gathering itself on small hand-made sets.

#include "GatherIsolatedCopies.h"
#include "PassFixture.h"

#include <gtest/gtest.h>

namespace optimization::testing {
namespace {

class GatherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto args = Args({stock}, {part, filler}, Rules());
        args.progressDlg = &dialog;
        optimizer = Make(args);
        ASSERT_TRUE(optimizer);
    }

    CancelAfter dialog;
    std::shared_ptr<StockProxy> stock = Stock(48, 96, 50);
    std::shared_ptr<PartProxy> part = Part(1, 12, 12, 8);
    std::shared_ptr<PartProxy> filler = Part(2, 40, 40, 4);
    std::unique_ptr<ParallelOptimizer> optimizer;
};

// Copies of a 12 x 12 part laid side by side along the sheet's length:
// +--+--+--+
// |P |P |P | ...
// +--+--+--+
// one copy stands alone; two form an isolated pair; three form a run that
// is neither.
TEST_F(GatherTest, CountsSinglesAndPairs)
{
    struct Case {
        int copies;
        std::int32_t singles;
        std::int32_t pairs;
    } cases[] = {{1, 1, 0}, {2, 0, 1}, {3, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.copies);
        OptTopLevelLayout* sheet = AddSheet(*optimizer, stock.get(), Copies(part, c.copies));
        ASSERT_TRUE(sheet);
        const IsolatedCopies counts = CountIsolatedCopies(*sheet, part.get());
        EXPECT_EQ(counts.singles, c.singles);
        EXPECT_EQ(counts.pairs, c.pairs);
        EXPECT_EQ(counts.singleCopies.size(), std::size_t(c.singles));
        EXPECT_EQ(counts.pairMembers.size(), std::size_t(2 * c.pairs));
        EXPECT_EQ(CountIsolatedCopies(*sheet, filler.get()).singles, 0);
    }
}

TEST_F(GatherTest, RoomCountsCopiesOnTheSheetAndTheLargestFreeRegion)
{
    auto empty = NewSheet(*optimizer, stock.get());
    // 4 across the width by 8 along the length.
    EXPECT_EQ(PartRoom(*empty, part.get()), 32);
    OptTopLevelLayout* sheet = AddSheet(*optimizer, stock.get(), Copies(part, 1));
    ASSERT_TRUE(sheet);
    EXPECT_GE(PartRoom(*sheet, part.get()), 2);
}

// Two sheets each holding a filler and one lone copy of the part: the copy
// moves onto the other sheet, which already holds the part.
// A filler with a row of four copies beside it and one copy under the
// first; without that first copy the one underneath stands alone:
// +------+--+--+--+--+
// |      |  |P |P |P |
// |  F   +--+--+--+--+
// |      |P |
// +------+--+
// Removing copies takes that lone copy before any copy of the row.
TEST_F(GatherTest, RemoveCopiesTakesTheLoneCopyFirst)
{
    struct Case {
        int remove;
        std::vector<std::int32_t> leftStartingAt; // left edges of the copies that stay, in counts
    } cases[] = {{1, {851968, 1048576, 1245184}}, {2, {1048576, 1245184}}, {4, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.remove);
        SetUp();
        std::vector<const PartProxy*> copies = Copies(part, 5);
        copies.insert(copies.begin(), filler.get());
        OptTopLevelLayout* built = AddSheet(*optimizer, stock.get(), copies);
        ASSERT_TRUE(built);
        std::unique_ptr<OptTopLevelLayout> sheet = built->Copy();
        const PlacedPart* first = nullptr;
        for (const PlacedPart* placed : sheet->GetPlacedParts())
            if (placed->GetPart() == part.get() && placed->GetRect().left == 655360 && placed->GetRect().top == 0)
                first = placed;
        ASSERT_TRUE(first) << Snapshot(*optimizer);
        ASSERT_TRUE(sheet->TakeCopyOut(first));
        sheet->RebuildLists();
        ASSERT_EQ(CountIsolatedCopies(*sheet, part.get()).singles, 1);

        RemoveCopies(*sheet, Copies(part, c.remove));
        std::vector<std::int32_t> left;
        for (const PlacedPart* placed : sheet->GetPlacedParts())
            if (placed->GetPart() == part.get()) {
                EXPECT_EQ(placed->GetRect().top, 0);
                left.push_back(placed->GetRect().left);
            }
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, c.leftStartingAt);
        EXPECT_EQ(std::count(sheet->GetPlacedCopies().begin(), sheet->GetPlacedCopies().end(), filler.get()), 1);
    }
}

TEST_F(GatherTest, MovesALoneCopyToTheSheetThatHoldsThePart)
{
    ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {filler.get(), part.get()}));
    ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {filler.get(), part.get()}));
    GatherIsolatedCopies(*optimizer);
    EXPECT_EQ(SetProblems(*optimizer), "");
    const auto& sheets = optimizer->Job().RunState().Layouts().Layouts();
    ASSERT_EQ(sheets.size(), 2u);
    std::vector<std::int64_t> held;
    for (const OptTopLevelLayout* sheet : sheets)
        held.push_back(std::count(sheet->GetPlacedCopies().begin(), sheet->GetPlacedCopies().end(), part.get()));
    std::sort(held.begin(), held.end());
    EXPECT_EQ(held, (std::vector<std::int64_t>{0, 2})) << Snapshot(*optimizer);
}

TEST_F(GatherTest, PartWithExactlyOneUnplacedCopyStays)
{
    // 8 copies wanted, 7 on the sheets: the tracker counts one unplaced copy.
    ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {filler.get(), part.get()}));
    ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {filler.get(), filler.get()}));
    ASSERT_TRUE(AddSheet(*optimizer, stock.get(), Copies(part, 6)));
    const std::string before = Snapshot(*optimizer);
    GatherIsolatedCopies(*optimizer);
    EXPECT_EQ(Snapshot(*optimizer), before);
}

TEST_F(GatherTest, CancelLeavesTheRunningSetExactlyAsItWas)
{
    for (long queries : {0L, 1L, 2L, 4L, 8L, 16L}) {
        SCOPED_TRACE(queries);
        SetUp();
        ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {filler.get(), part.get()}));
        ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {filler.get(), part.get()}));
        ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {filler.get(), part.get(), part.get()}));
        const std::vector<OptTopLevelLayout*> sheets = optimizer->Job().RunState().Layouts().Layouts();
        const std::string before = Snapshot(*optimizer);
        const long asked = dialog.Queries();
        dialog.Arm(queries);
        GatherIsolatedCopies(*optimizer);
        if (dialog.Queries() - asked > queries) {
            EXPECT_EQ(Snapshot(*optimizer), before);
            EXPECT_EQ(optimizer->Job().RunState().Layouts().Layouts(), sheets);
        }
        EXPECT_EQ(SetProblems(*optimizer), "");
        dialog.Arm(std::numeric_limits<long>::max());
    }
}

// Three equal sheets, each with a lone copy: every room ties, so the sheets
// are taken in their order in the set. The first sheet gives its copy to the
// second (the first other target), and the third gives its copy there too.
TEST_F(GatherTest, RoomTiesGoByPositionInTheSet)
{
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {filler.get(), part.get()}));
    GatherIsolatedCopies(*optimizer);
    EXPECT_EQ(SetProblems(*optimizer), "");
    std::vector<std::int64_t> held;
    for (const OptTopLevelLayout* sheet : optimizer->Job().RunState().Layouts().Layouts())
        held.push_back(std::count(sheet->GetPlacedCopies().begin(), sheet->GetPlacedCopies().end(), part.get()));
    EXPECT_EQ(held, (std::vector<std::int64_t>{0, 3, 0})) << Snapshot(*optimizer);
}

// Ties in room are settled by the sheets' place in the set, so two runs on
// equal sets give the same result.
TEST_F(GatherTest, SameResultOnEveryRun)
{
    std::string first;
    for (int run = 0; run < 3; ++run) {
        SetUp();
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(AddSheet(*optimizer, stock.get(), {filler.get(), part.get()}));
        GatherIsolatedCopies(*optimizer);
        if (run == 0)
            first = Snapshot(*optimizer);
        else
            EXPECT_EQ(Snapshot(*optimizer), first);
    }
}

} // namespace
} // namespace optimization::testing

// The initial layout creators, run directly on an optimizer built by the
// factory: stock order, empty sheets, limited inventory, moving a sheet to a
// later stock, duplicates, and the iterative creator's choice.

#include "CIterativeLOCreator.h"
#include "CSequenceLOCreator.h"
#include "PassCheck.h"
#include "RunFixture.h"
#include "StockUsageTracker.h"

#include <gtest/gtest.h>

using namespace optimization;
using namespace optimization::testing;

namespace {

struct Seed
{
    std::unique_ptr<ParallelOptimizer> optimizer;
    const std::vector<OptTopLevelLayout*>& Sheets() const
    {
        return optimizer->Job().RunState().Layouts().Layouts();
    }
    std::uint32_t Placed(const std::shared_ptr<PartProxy>& part) const
    {
        return optimizer->GetPartUsage().at(part.get())->GetPlacedCopiesCount();
    }
    std::uint32_t Used(const std::shared_ptr<StockProxy>& stock) const
    {
        return optimizer->Job().RunState().StockTrackers().at(stock.get())->GetSheetsUsed();
    }
};

template <typename Creator> Seed RunCreator(OptFactoryArgs args)
{
    Seed seed { Make(args) };
    Creator creator(*seed.optimizer);
    creator.Create();
    EXPECT_EQ(SetProblems(*seed.optimizer), "");
    return seed;
}

OptFactoryArgs ArgsWith(std::vector<std::shared_ptr<StockProxy>> stocks,
    std::vector<std::shared_ptr<PartProxy>> parts, std::int32_t comparerKind = 0, bool inventoryFirst = false)
{
    OptFactoryArgs args = Args(std::move(stocks), std::move(parts));
    args.stockComparerKind = comparerKind;
    args.inventoryFirst = inventoryFirst;
    return args;
}

} // namespace

TEST(SequenceCreator, LargestFirstOpensTheLargerStockFirst)
{
    // One part fits only the large stock, the other fits both: opened first,
    // the large sheet takes both; the small one would have taken the small
    // part alone. Cost comparer: the sheet is never moved to a later stock.
    auto small = Stock(48, 96, 10);
    auto large = Stock(60, 120, 50);
    auto onlyLarge = Part(1, 40, 100, 1, OrientationAsGiven);
    auto either = Part(2, 20, 30, 1);
    Seed seed
        = RunCreator<CLargestFirstSequenceCreator>(ArgsWith({ small, large }, { onlyLarge, either }, 1));
    ASSERT_EQ(seed.Sheets().size(), 1u);
    EXPECT_EQ(seed.Sheets()[0]->GetStockProxy(), large.get());
    EXPECT_EQ(seed.Used(large), 1u);
    EXPECT_EQ(seed.Used(small), 0u);
}

TEST(SequenceCreator, WidestFirstGoesByWidthWhateverTheLength)
{
    auto narrowLong = Stock(48, 200, 10);
    auto wideShort = Stock(60, 50, 50);
    auto onlyWide = Part(1, 55, 45, 1, OrientationAsGiven);
    auto either = Part(2, 4, 10, 1);
    Seed seed = RunCreator<CWidestFirstSequenceCreator>(
        ArgsWith({ narrowLong, wideShort }, { onlyWide, either }, 1));
    ASSERT_EQ(seed.Sheets().size(), 1u);
    EXPECT_EQ(seed.Sheets()[0]->GetStockProxy(), wideShort.get());
}

TEST(SequenceCreator, SizeComparerMovesTheSheetToTheSmallerLaterStock)
{
    auto small = Stock(48, 96, 10);
    auto large = Stock(60, 120, 50);
    auto part = Part(1, 20, 30, 1);
    Seed seed = RunCreator<CLargestFirstSequenceCreator>(ArgsWith({ small, large }, { part }, 0));
    ASSERT_EQ(seed.Sheets().size(), 1u);
    EXPECT_EQ(seed.Sheets()[0]->GetStockProxy(), small.get());
    EXPECT_EQ(seed.Used(small), 1u);
    EXPECT_EQ(seed.Used(large), 0u);
    EXPECT_EQ(seed.Placed(part), 1u);
}

// Only the size comparer lets the largest-, widest- and longest-first
// creators move a filled sheet to a later stock; the cost comparers and the
// plain creator never do.
TEST(SequenceCreator, OnlyTheSizeComparerMovesSheetsToLaterStocks)
{
    for (std::int32_t kind : { 0, 1, 2 }) {
        SCOPED_TRACE(kind);
        auto optimizer = Make(ArgsWith({ Stock(48, 96, 10), Stock(60, 120, 50) }, { Part(1, 20, 30, 1) }, kind));
        const bool bySize = kind == 0;
        EXPECT_EQ(CLargestFirstSequenceCreator(*optimizer).MovesSheetsToLaterStocks(), bySize);
        EXPECT_EQ(CWidestFirstSequenceCreator(*optimizer).MovesSheetsToLaterStocks(), bySize);
        EXPECT_EQ(CLongestFirstSequenceCreator(*optimizer).MovesSheetsToLaterStocks(), bySize);
        EXPECT_FALSE(CSequenceLOCreator(*optimizer).MovesSheetsToLaterStocks());
    }
}

TEST(SequenceCreator, StockThatTakesNothingIsLeftForTheNext)
{
    // The widest stock is too short for the parts, which may not turn: its
    // sheet stays empty, is dropped, and the walk moves on.
    auto wideShort = Stock(60, 20, 5);
    auto normal = Stock(48, 96, 50);
    auto part = Part(1, 10, 30, 3, OrientationAsGiven);
    Seed seed = RunCreator<CWidestFirstSequenceCreator>(ArgsWith({ wideShort, normal }, { part }, 1));
    ASSERT_FALSE(seed.Sheets().empty());
    for (const OptTopLevelLayout* sheet : seed.Sheets())
        EXPECT_EQ(sheet->GetStockProxy(), normal.get());
    EXPECT_EQ(seed.Used(wideShort), 0u);
    EXPECT_EQ(seed.Placed(part), 3u);
}

TEST(SequenceCreator, LimitedStockOfTwoLeavesTheRestUnplaced)
{
    // Each part fills a whole sheet; three are wanted, two sheets exist.
    auto stock = Stock(48, 96, 40, Limited(2));
    auto part = Part(1, 48, 96, 3, OrientationAsGiven);
    Seed seed = RunCreator<CLargestFirstSequenceCreator>(ArgsWith({ stock }, { part }));
    EXPECT_EQ(seed.Sheets().size(), 2u);
    EXPECT_EQ(seed.Used(stock), 2u);
    EXPECT_EQ(seed.Placed(part), 2u);
}

// Inventory first: a limited stock that gives its last sheet drops behind
// the stocks with sheets left, and the walk goes on right after the stock
// that preceded it (or from the top when it was first), so the stock that
// moved up is not skipped. The 4 x 30 copies fill every sheet exactly: 12 on
// the limited stock, 10 on the next, 9 on the smallest.
struct RepositionCase
{
    const char* name;
    bool tooShortFirst; // a stock that takes nothing leads the list
    InitialInventory limited;
};

class SequenceCreatorReposition : public ::testing::TestWithParam<RepositionCase>
{
};

TEST_P(SequenceCreatorReposition, ResumesAfterTheUsedUpStock)
{
    const RepositionCase& c = GetParam();
    auto tooShort = Stock(100, 20, 5);
    auto limited = Stock(48, 30, 10, c.limited);
    auto next = Stock(40, 30, 10);
    auto smallest = Stock(36, 30, 10);
    auto part = Part(1, 4, 30, 22, OrientationAsGiven);
    std::vector<std::shared_ptr<StockProxy>> stocks { limited, next, smallest };
    if (c.tooShortFirst)
        stocks.insert(stocks.begin(), tooShort);
    Seed seed = RunCreator<CLargestFirstSequenceCreator>(ArgsWith(stocks, { part }, 1, true));
    std::vector<const StockProxy*> opened;
    for (const OptTopLevelLayout* sheet : seed.Sheets())
        opened.push_back(sheet->GetStockProxy());
    EXPECT_EQ(opened, (std::vector<const StockProxy*> { limited.get(), next.get() }));
    EXPECT_EQ(seed.Used(smallest), 0u);
    EXPECT_EQ(seed.Placed(part), 22u);
}

INSTANTIATE_TEST_SUITE_P(Inventory, SequenceCreatorReposition,
    ::testing::Values(RepositionCase { "AfterTheAnchor", true, Limited(1) },
        RepositionCase { "RestartWhenFirst", false, Limited(1, true) }),
    [](const ::testing::TestParamInfo<RepositionCase>& p) { return std::string(p.param.name); });

// A sheet holding 2 copies of a part that has 6: it is committed once and
// repeated while the stock and the copies allow.
struct DuplicateCase
{
    const char* name;
    InitialInventory inventory;
    bool inventoryFirst;
    std::int32_t duplicates;
};

class SequenceCreatorDuplicates : public ::testing::TestWithParam<DuplicateCase>
{
};

TEST_P(SequenceCreatorDuplicates, RepeatsTheSheet)
{
    const DuplicateCase& c = GetParam();
    auto stock = Stock(48, 96, 40, c.inventory);
    auto part = Part(1, 40, 45, 6, OrientationAsGiven); // two fit along the length
    Seed seed = RunCreator<CLargestFirstSequenceCreator>(ArgsWith({ stock }, { part }, 0, c.inventoryFirst));
    ASSERT_FALSE(seed.Sheets().empty());
    const OptTopLevelLayout& master = *seed.Sheets()[0];
    EXPECT_FALSE(master.IsDuplicate());
    EXPECT_EQ(master.GetPlacedCopies().size(), 2u);
    EXPECT_EQ(master.GetDuplicateCount(), c.duplicates);
    for (std::int32_t i = 1; i <= c.duplicates; ++i) {
        ASSERT_LT(std::size_t(i), seed.Sheets().size());
        EXPECT_EQ(seed.Sheets()[i]->GetMaster(), &master);
        EXPECT_EQ(seed.Sheets()[i]->GetDuplicateCount(), 0);
    }
    // Counted as placed exactly once per copy on a committed sheet.
    std::uint32_t onSheets = 0;
    for (const OptTopLevelLayout* sheet : seed.Sheets())
        onSheets += std::uint32_t(sheet->GetPlacedCopies().size());
    EXPECT_EQ(seed.Placed(part), onSheets);
}

INSTANTIATE_TEST_SUITE_P(Inventory, SequenceCreatorDuplicates,
    ::testing::Values(DuplicateCase { "Unlimited", Unlimited(), false, 2 },
        DuplicateCase { "LimitedTwo", Limited(2), false, 1 },
        DuplicateCase { "BeyondCountInventoryFirst", Limited(2, true), true, 1 },
        DuplicateCase { "BeyondCount", Limited(2, true), false, 2 }),
    [](const ::testing::TestParamInfo<DuplicateCase>& p) { return std::string(p.param.name); });

// The non-strict later-stock search for a wasteful sheet: a later stock that
// cannot take the sheet's first copy ends the search, even when a stock
// after it could take the sheet. (A part that fits no stock keeps the
// search non-strict.)
struct LaterStockCase
{
    const char* name;
    bool blockerInBetween;
    bool endsOnSmall;
};

class SequenceCreatorLaterStocks : public ::testing::TestWithParam<LaterStockCase>
{
};

TEST_P(SequenceCreatorLaterStocks, WastefulSheetLooksFurtherUntilAStockRefusesIt)
{
    auto wide = Stock(60, 120, 50);
    auto blocker = Stock(50, 20, 30);
    auto small = Stock(48, 96, 10);
    auto part = Part(1, 40, 50, 1, OrientationAsGiven);
    auto neverFits = Part(2, 100, 200, 1);
    std::vector<std::shared_ptr<StockProxy>> stocks = { wide, small };
    if (GetParam().blockerInBetween)
        stocks.push_back(blocker);
    OptFactoryArgs args = ArgsWith(stocks, { part, neverFits }, 1);
    args.primaryObjective = PartDistributionPrimary; // no split into cheaper sheets
    Seed seed = RunCreator<CWidestFirstSequenceCreator>(args);
    ASSERT_EQ(seed.Sheets().size(), 1u);
    EXPECT_EQ(seed.Sheets()[0]->GetStockProxy(), GetParam().endsOnSmall ? small.get() : wide.get());
    EXPECT_EQ(seed.Placed(part), 1u);
}

INSTANTIATE_TEST_SUITE_P(Search, SequenceCreatorLaterStocks,
    ::testing::Values(
        LaterStockCase { "Open", false, true }, LaterStockCase { "BlockedFirstCopy", true, false }),
    [](const ::testing::TestParamInfo<LaterStockCase>& p) { return std::string(p.param.name); });

// A sheet whose waste is exactly the waste constraint is not wasteful: it
// stays on its stock, while a slightly shorter part leaves the sheet
// wasteful and it goes to the later stock that it fills. A 3 x 4 part on a
// 4 x 4 sheet wastes exactly a quarter.
TEST(SequenceCreator, WasteAtTheConstraintIsNotWasteful)
{
    struct Case
    {
        double partLength;
        bool movesToNarrow;
    } cases[] = { { 4.0, false }, { 3.9, true } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.partLength);
        auto square = Stock(4, 4, 10);
        auto narrow = Stock(3, 4, 10);
        auto part = Part(1, 3, c.partLength, 1, OrientationAsGiven);
        // The cost comparer moves no sheet before the waste check, and part
        // distribution splits none into cheaper sheets.
        OptFactoryArgs args = ArgsWith({ square, narrow }, { part }, 1);
        args.primaryObjective = PartDistributionPrimary;
        Seed seed { Make(args) };
        seed.optimizer->Job().Policy().layoutsComparer.SetWasteConstraint(0.25);
        CWidestFirstSequenceCreator creator(*seed.optimizer);
        creator.Create();
        EXPECT_EQ(SetProblems(*seed.optimizer), "");
        ASSERT_EQ(seed.Sheets().size(), 1u);
        EXPECT_EQ(seed.Sheets()[0]->GetStockProxy(), c.movesToNarrow ? narrow.get() : square.get());
        EXPECT_EQ(seed.Placed(part), 1u);
    }
}

// Stock selection by full cost: a dear sheet whose copies fit on cheaper
// sheets costing less in total is split onto them; the size comparer keeps it.
struct SplitCase
{
    const char* name;
    std::int32_t comparerKind;
    std::size_t sheets;
    bool onSmall;
};

class SequenceCreatorSplit : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(SequenceCreatorSplit, DearSheetGoesOntoCheaperSheets)
{
    const SplitCase& c = GetParam();
    auto large = Stock(48, 96, 100);
    auto small = Stock(24, 48, 10);
    auto part = Part(1, 20, 40, 2, OrientationAsGiven);
    Seed seed
        = RunCreator<CLargestFirstSequenceCreator>(ArgsWith({ large, small }, { part }, c.comparerKind));
    ASSERT_EQ(seed.Sheets().size(), c.sheets);
    for (const OptTopLevelLayout* sheet : seed.Sheets())
        EXPECT_EQ(sheet->GetStockProxy(), c.onSmall ? small.get() : large.get());
    EXPECT_EQ(seed.Used(small), c.onSmall ? c.sheets : 0u);
    EXPECT_EQ(seed.Used(large), c.onSmall ? 0u : c.sheets);
    EXPECT_EQ(seed.Placed(part), 2u);
}

INSTANTIATE_TEST_SUITE_P(Comparer, SequenceCreatorSplit,
    ::testing::Values(SplitCase { "FullCost", 1, 2, true }, SplitCase { "Size", 0, 1, false }),
    [](const ::testing::TestParamInfo<SplitCase>& p) { return std::string(p.param.name); });

TEST(IterativeCreator, TakesTheStockThatServesBest)
{
    auto large = Stock(48, 96, 40);
    auto small = Stock(24, 48, 10);
    auto part = Part(1, 20, 40, 1);
    Seed seed = RunCreator<CIterativeLOCreator>(ArgsWith({ large, small }, { part }));
    ASSERT_EQ(seed.Sheets().size(), 1u);
    EXPECT_EQ(seed.Sheets()[0]->GetStockProxy(), small.get());
    EXPECT_EQ(seed.Placed(part), 1u);
}

TEST(IterativeCreator, EqualTrialsKeepTheEarlierStock)
{
    auto first = Stock(48, 96, 40);
    auto second = Stock(48, 96, 40);
    auto part = Part(1, 20, 40, 1);
    Seed seed = RunCreator<CIterativeLOCreator>(ArgsWith({ first, second }, { part }));
    ASSERT_EQ(seed.Sheets().size(), 1u);
    EXPECT_EQ(seed.Sheets()[0]->GetStockProxy(), first.get());
}

TEST(IterativeCreator, PlacesEveryCopyThatFitsAndNothingTwice)
{
    auto stock = Stock(48, 96, 40);
    auto a = Part(1, 23, 30, 5);
    auto b = Part(2, 11, 17, 9);
    auto tooBig = Part(3, 50, 100, 1);
    Seed seed = RunCreator<CIterativeLOCreator>(ArgsWith({ stock }, { a, b, tooBig }));
    EXPECT_EQ(seed.Placed(a), 5u);
    EXPECT_EQ(seed.Placed(b), 9u);
    EXPECT_EQ(seed.Placed(tooBig), 0u);
    EXPECT_EQ(seed.Used(stock), seed.Sheets().size());
}

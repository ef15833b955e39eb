// Replacing a sheet by a combination of cheaper sheets, with the enumeration
// of combinations kept within its bound.

#include "RunFixture.h"

#include "Placement.h"
#include "SplitIntoCheaperSheets.h"
#include "StockUsageTracker.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace optimization;
using namespace optimization::testing;

namespace {

class SplitTest : public ::testing::Test
{
protected:
    // A sheet of the first stock holding the given copies.
    void Build(std::vector<std::shared_ptr<StockProxy>> stocks, std::vector<std::shared_ptr<PartProxy>> parts,
               bool offCutsFirst = false, bool inventoryFirst = false)
    {
        OptFactoryArgs args = Args(stocks, parts);
        args.stockComparerKind = 1;
        args.offcutsFirst = offCutsFirst;
        args.inventoryFirst = inventoryFirst;
        optimizer = Make(args);
        sheet = NewSheet(*optimizer, stocks.front().get());
        PlacementRequest request;
        request.sheets = {sheet.get()};
        request.optimizer = optimizer.get();
        for (const auto& part : parts) {
            request.part = part.get();
            for (std::uint32_t i = 0; i < part->GetDescriptor().copies; ++i)
                ASSERT_TRUE(PlacePart(request));
        }
        for (const auto& [stock, tracker] : optimizer->Job().RunState().StockTrackers())
            trackers.push_back(tracker);
    }

    SplitPlan Plan(const SplitLimits& limits = SplitLimits())
    {
        return PlanCheaperSheets(*sheet, trackers, *optimizer->Job().Policy().stockComparer, limits);
    }

    std::unique_ptr<ParallelOptimizer> optimizer;
    std::unique_ptr<OptTopLevelLayout> sheet;
    StockTrackerList trackers;
};

} // namespace

TEST_F(SplitTest, NoCheaperStockLeavesTheOutputUntouched)
{
    Build({Stock(48, 96, 100), Stock(60, 120, 150)}, {Part(1, 20, 20, 2)});
    CLayoutSet out(true);
    auto kept = NewSheet(*optimizer, sheet->GetStockProxy());
    OptTopLevelLayout* keptPointer = kept.get();
    out.Add(kept.release());
    EXPECT_FALSE(SplitIntoCheaperSheets(*sheet, trackers, out, *optimizer));
    ASSERT_EQ(out.Size(), 1u);
    EXPECT_EQ(out.Layouts()[0], keptPointer);
}

TEST_F(SplitTest, FreeStockMakesTheSplitGiveUp)
{
    Build({Stock(48, 96, 100), Stock(24, 24, 10), Stock(30, 30, 0)}, {Part(1, 20, 20, 2)});
    EXPECT_TRUE(Plan().giveUp);
    CLayoutSet out(true);
    EXPECT_FALSE(SplitIntoCheaperSheets(*sheet, trackers, out, *optimizer));
    EXPECT_EQ(out.Size(), 0u);
}

// 48 x 96 at 100 holding two 20 x 20 copies; 24 x 24 at 10 takes one copy
// each, so two of them (20) replace the sheet. The sheet itself stays.
TEST_F(SplitTest, SplitsOntoCheaperSheets)
{
    Build({Stock(48, 96, 100), Stock(24, 24, 10)}, {Part(1, 20, 20, 2)});
    const SplitPlan plan = Plan();
    ASSERT_FALSE(plan.vectors.empty());
    EXPECT_EQ(plan.vectors.front().counts, std::vector<std::uint32_t>{2});
    CLayoutSet out(true);
    ASSERT_TRUE(SplitIntoCheaperSheets(*sheet, trackers, out, *optimizer));
    ASSERT_EQ(out.Size(), 2u);
    for (OptTopLevelLayout* fresh : out.Layouts()) {
        EXPECT_EQ(fresh->GetStockProxy()->GetCanvas().GetFullStockCost(), 10.0);
        EXPECT_EQ(fresh->GetPlacedParts().size(), 1u);
        EXPECT_EQ(fresh->GetWithinInventory(), 1);
    }
    EXPECT_EQ(sheet->GetPlacedParts().size(), 2u);
    for (const auto& tracker : trackers)
        EXPECT_EQ(tracker->GetSheetsUsed(), 0u);
}

TEST_F(SplitTest, PartsThatFitNoCheaperSheetFail)
{
    Build({Stock(48, 96, 100), Stock(10, 10, 1)}, {Part(1, 20, 20, 2)});
    CLayoutSet out(true);
    EXPECT_FALSE(SplitIntoCheaperSheets(*sheet, trackers, out, *optimizer));
    EXPECT_EQ(out.Size(), 0u);
}

// Very cheap stocks allow astronomically many count vectors; the plan stays
// within its bound, keeps only combinations within cost and area, and lists
// them cheapest first.
TEST_F(SplitTest, EnumerationStaysWithinItsBound)
{
    // 10 x 10 at 0.01 takes four 5 x 5 copies exactly; the others cost more
    // per square inch.
    std::vector<std::shared_ptr<StockProxy>> stocks = {Stock(48, 96, 1000), Stock(10, 10, 0.01)};
    for (int i = 0; i < 7; ++i)
        stocks.push_back(Stock(11 + i, 13 + i, 0.05 + 0.001 * i));
    Build(stocks, {Part(1, 5, 5, 40)});
    SplitLimits limits;
    limits.maxSteps = 5000;
    limits.maxKept = 16;
    const SplitPlan plan = Plan(limits);
    EXPECT_LE(plan.steps, limits.maxSteps);
    ASSERT_FALSE(plan.vectors.empty());
    EXPECT_LE(plan.vectors.size(), limits.maxKept);
    const double partArea = sheet->PlacedArea();
    for (std::size_t v = 0; v < plan.vectors.size(); ++v) {
        double cost = 0.0, area = 0.0;
        std::uint32_t sheets = 0;
        for (std::size_t i = 0; i < plan.stocks.size(); ++i) {
            const CanvasDescriptor& canvas = plan.stocks[i]->GetStock()->GetCanvas();
            cost += plan.vectors[v].counts[i] * canvas.GetFullStockCost();
            area += plan.vectors[v].counts[i] * canvas.GetTrimmedArea();
            sheets += plan.vectors[v].counts[i];
        }
        EXPECT_LE(cost, 1000.0);
        EXPECT_GE(area, partArea);
        EXPECT_LE(sheets, 40u);
        if (v > 0) {
            EXPECT_LE(plan.vectors[v - 1].cost, plan.vectors[v].cost);
        }
    }
    // With the default limits the split finishes: ten 10 x 10 sheets.
    CLayoutSet out(true);
    ASSERT_TRUE(SplitIntoCheaperSheets(*sheet, trackers, out, *optimizer));
    std::size_t placed = 0;
    for (const OptTopLevelLayout* fresh : out.Layouts())
        placed += fresh->GetPlacedParts().size();
    EXPECT_EQ(placed, 40u);
    EXPECT_EQ(out.Size(), 10u);
}

TEST_F(SplitTest, LimitedStockIsNotCountedBeyondItsSheetsLeft)
{
    Build({Stock(48, 96, 100), Stock(24, 24, 10, Limited(1)), Stock(24, 30, 12, Limited(1, true))},
          {Part(1, 20, 20, 3)});
    const SplitPlan plan = Plan();
    ASSERT_FALSE(plan.vectors.empty());
    for (const SplitCandidate& v : plan.vectors)
        EXPECT_LE(v.counts[0], 1u); // the limited stock that may not be bought
}

TEST_F(SplitTest, OffCutsFirstKeepsASheetOnOffCutsOnOffCuts)
{
    Build({Stock(48, 96, 100, Limited(1, false, true)), Stock(24, 24, 10), Stock(24, 30, 12, Limited(5, false, true))},
          {Part(1, 20, 20, 2)}, true);
    const SplitPlan plan = Plan();
    ASSERT_FALSE(plan.vectors.empty());
    for (const SplitCandidate& v : plan.vectors)
        EXPECT_EQ(v.counts[0], 0u); // new stock is not an off-cut
}

// 45.90 / 15.30 comes out just below 3 in binary, and three sheets at 15.30
// just above 45.90: the cheaper sheets that cost exactly as much were lost.
TEST_F(SplitTest, SheetsCostingExactlyTheSheetCostAreKept)
{
    Build({Stock(48, 96, 45.9), Stock(24, 24, 15.3)}, {Part(1, 20, 20, 3)});
    const SplitPlan plan = Plan();
    ASSERT_FALSE(plan.vectors.empty());
    EXPECT_EQ(plan.vectors.front().counts, std::vector<std::uint32_t>{3});
    CLayoutSet out(true);
    EXPECT_TRUE(SplitIntoCheaperSheets(*sheet, trackers, out, *optimizer));
    EXPECT_EQ(out.Size(), 3u);
}

// Both preferences set and the sheet on stock with sheets left (not an
// off-cut): the inventory preference applies, and with it the off-cut one, so
// only off-cuts within their sheets left may take the parts.
TEST_F(SplitTest, PreferenceCheckLimitsByBothFlagsOnceEitherApplies)
{
    struct Case {
        const char* name;
        bool offCutsFirst;
        bool inventoryFirst;
        // Largest count seen per candidate: new stock, stock with one sheet
        // left that may be bought beyond it, off-cut with one sheet left.
        std::vector<std::uint32_t> wantMax;
    };
    const Case cases[] = {
        {"NoPreference", false, false, {2, 2, 1}},
        {"InventoryFirst", false, true, {2, 1, 1}},
        {"BothFlags", true, true, {0, 0, 1}},
        // Off-cuts first alone does not apply: the sheet is not an off-cut.
        {"OffCutsFirstOnly", true, false, {2, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        trackers.clear();
        Build({Stock(48, 96, 100, Limited(3)), Stock(24, 24, 10), Stock(24, 24, 11, Limited(1, true)),
               Stock(24, 48, 12, Limited(1, false, true))},
              {Part(1, 20, 20, 2)}, c.offCutsFirst, c.inventoryFirst);
        const SplitPlan plan = Plan();
        std::vector<std::uint32_t> seenMax(plan.stocks.size(), 0);
        for (const SplitCandidate& v : plan.vectors)
            for (std::size_t i = 0; i < v.counts.size(); ++i)
                seenMax[i] = std::max(seenMax[i], v.counts[i]);
        EXPECT_EQ(seenMax, c.wantMax);
    }
}

// The cheapest combinations are mostly 12 x 12 and 6 x 6 sheets, which take
// the 10 x 3 copies at most; they used up the tried combinations before one
// with enough 24 x 48 sheets came up, so the sheet at 1000 stayed where five
// sheets at 0.20 hold its parts. Combinations that cannot hold the larger
// copies, and stocks that fit no copy, are left out of the plan.
TEST_F(SplitTest, CheapSheetsTooSmallForTheLargerPartsDoNotCrowdOutTheSplit)
{
    Build({Stock(48, 96, 1000), Stock(12, 12, 0.01), Stock(24, 48, 0.2), Stock(6, 6, 0.001)},
          {Part(6, 21, 20, 6), Part(7, 8, 23, 3), Part(4, 7, 19, 5), Part(5, 18, 5, 6), Part(1, 10, 3, 2)});
    const double onlyOnMidSize = sheet->PlacedArea() - 2 * 10 * 3;
    const SplitPlan plan = Plan();
    ASSERT_FALSE(plan.vectors.empty());
    for (const SplitCandidate& v : plan.vectors) {
        for (std::size_t i = 0; i < plan.stocks.size(); ++i) {
            const CanvasDescriptor& canvas = plan.stocks[i]->GetStock()->GetCanvas();
            if (canvas.GetTrimmedArea() < 40.0) {
                EXPECT_EQ(v.counts[i], 0u); // 6 x 6 fits no copy
            }
            if (canvas.GetTrimmedArea() > 1000.0) {
                EXPECT_GE(v.counts[i] * canvas.GetTrimmedArea(), onlyOnMidSize);
            }
        }
    }
    CLayoutSet out(true);
    ASSERT_TRUE(SplitIntoCheaperSheets(*sheet, trackers, out, *optimizer));
    double cost = 0.0;
    std::size_t placed = 0;
    for (const OptTopLevelLayout* fresh : out.Layouts()) {
        cost += fresh->GetStockProxy()->GetCanvas().GetFullStockCost();
        placed += fresh->GetPlacedParts().size();
    }
    EXPECT_EQ(placed, 22u);
    EXPECT_LT(cost, 2.0);
}

// 14 x 15 copies go one to a 24 x 24 sheet though their area would allow
// two, and not at all on 12 x 12: the cheap combinations with two to seven
// 24 x 24 sheets and many 12 x 12 ones must not use up the trials.
TEST_F(SplitTest, CopiesThatGoOneToASheetAreCountedBeforeTrying)
{
    Build({Stock(48, 96, 1000), Stock(12, 12, 0.01), Stock(24, 24, 0.05)}, {Part(1, 14, 15, 8), Part(2, 5, 5, 10)});
    const SplitPlan plan = Plan();
    ASSERT_FALSE(plan.vectors.empty());
    for (const SplitCandidate& v : plan.vectors)
        for (std::size_t i = 0; i < plan.stocks.size(); ++i)
            if (plan.stocks[i]->GetStock()->GetCanvas().GetTrimmedArea() > 500.0) {
                EXPECT_GE(v.counts[i], 8u);
            }
    CLayoutSet out(true);
    ASSERT_TRUE(SplitIntoCheaperSheets(*sheet, trackers, out, *optimizer));
    double cost = 0.0;
    for (const OptTopLevelLayout* fresh : out.Layouts())
        cost += fresh->GetStockProxy()->GetCanvas().GetFullStockCost();
    EXPECT_LT(cost, 0.5);
}

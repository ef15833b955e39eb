// The First Pass: which creators run for each setting, that the adopted
// seed is sound, and that a cancel leaves the running job untouched.

#include "FirstPass.h"
#include "PassCheck.h"
#include "SeedFixture.h"

#include <gtest/gtest.h>

using namespace optimization;
using namespace optimization::testing;

namespace {

using Step = FirstPassStep;

Step Largest()
{
    return { Step::LargestFirst, 0, false };
}
Step Widest()
{
    return { Step::WidestFirst, 2, false };
}
Step Longest()
{
    return { Step::LongestFirst, 3, false };
}
Step Plain()
{
    return { Step::Plain, 0, false };
}
Step Iterative(std::int32_t kind, bool sizeComparer = false)
{
    return { Step::Iterative, kind, sizeComparer };
}

struct PlanCase
{
    const char* name;
    OptObjective_t objective;
    std::int32_t comparerKind;
    int stocks; // 1 or 2
    bool leaveUnplaced; // a part that fits no stock
    std::vector<Step> expected;
};

std::vector<Step> RunAndTrace(const PlanCase& c)
{
    std::vector<std::shared_ptr<StockProxy>> stocks = { Stock(48, 96, 40) };
    if (c.stocks > 1)
        stocks.push_back(Stock(24, 48, 12));
    std::vector<std::shared_ptr<PartProxy>> parts = { Part(1, 20, 30, 3), Part(2, 10, 12, 4) };
    if (c.leaveUnplaced)
        parts.push_back(Part(3, 50, 100, 1));
    OptFactoryArgs args = Args(stocks, parts);
    args.primaryObjective = c.objective;
    args.stockComparerKind = c.comparerKind;
    auto optimizer = Make(args);
    std::vector<Step> trace;
    RunFirstPass(*optimizer, &trace);
    // The size-comparer run takes the part order of the best seed so far,
    // which the seeds decide; the table does not fix it.
    for (Step& step : trace)
        if (step.sizeComparer)
            step.partOrderKind = -1;
    EXPECT_EQ(SetProblems(*optimizer), "");
    EXPECT_FALSE(optimizer->Job().RunState().Layouts().Layouts().empty());
    return trace;
}

class FirstPassPlan : public ::testing::TestWithParam<PlanCase>
{
};

} // namespace

TEST_P(FirstPassPlan, RunsExactlyTheListedCreators)
{
    EXPECT_EQ(RunAndTrace(GetParam()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Settings, FirstPassPlan,
    ::testing::Values(
        // Everything fits the largest-first seed: the iterative creator tries
        // its own order and then longest and widest first.
        PlanCase { "AllFitSizeComparer", StockSelectionPrimary, 0, 2, false,
            { Largest(), Iterative(1), Iterative(3), Iterative(2) } },
        PlanCase { "LeftUnplacedSizeComparer", StockSelectionPrimary, 0, 2, true,
            { Largest(), Widest(), Longest(), Iterative(1) } },
        // Full-cost comparer with several stocks: the plain sequence creator,
        // and the iterative creator once more under a size comparer.
        PlanCase { "FullCostTwoStocks", StockSelectionPrimary, 1, 2, false,
            { Largest(), Plain(), Iterative(1), Iterative(-1, true), Iterative(3), Iterative(2) } },
        PlanCase { "FullCostOneStock", StockSelectionPrimary, 1, 1, false,
            { Largest(), Iterative(1), Iterative(-1, true), Iterative(3), Iterative(2) } },
        PlanCase { "UnitAreaCost", StockSelectionPrimary, 2, 2, false,
            { Largest(), Plain(), Iterative(1), Iterative(3), Iterative(2) } },
        PlanCase { "PartDistributionFullCost", PartDistributionPrimary, 1, 2, true,
            { Largest(), Widest(), Longest(), Plain(), Iterative(1) } }),
    [](const ::testing::TestParamInfo<PlanCase>& p) { return std::string(p.param.name); });

TEST(FirstPass, AdoptsASoundSeedOfEveryCopy)
{
    auto optimizer = Make(CarcassArgs());
    RunFirstPass(*optimizer, nullptr);
    EXPECT_EQ(SetProblems(*optimizer), "");
    std::uint32_t placed = 0;
    for (const auto& [part, tracker] : optimizer->GetPartUsage())
        placed += tracker->GetPlacedCopiesCount();
    EXPECT_EQ(placed, 50u);
    std::size_t onSheets = 0;
    for (const OptTopLevelLayout* sheet : optimizer->Job().RunState().Layouts().Layouts())
        onSheets += sheet->GetPlacedCopies().size();
    EXPECT_EQ(onSheets, 50u);
}

TEST(FirstPass, CancelLeavesTheRunningJob)
{
    OptFactoryArgs args = CarcassArgs();
    RecordingDialog dialog;
    args.progressDlg = &dialog;
    auto optimizer = Make(args);
    const OptimizationJob* before = &optimizer->Job();
    dialog.RequestCancel();
    std::vector<FirstPassStep> trace;
    RunFirstPass(*optimizer, &trace);
    EXPECT_EQ(trace.size(), 1u); // seed A, then the cancel point
    EXPECT_EQ(&optimizer->Job(), before);
    EXPECT_TRUE(optimizer->Job().RunState().Layouts().Layouts().empty());
}

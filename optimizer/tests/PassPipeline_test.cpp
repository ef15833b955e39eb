// Runs the passes of a run one after the other on small mixed targets and
// checks after every pass that the layout set is still consistent.

#include "LayoutGrouping.h"
#include "PassFixture.h"
#include "RunPasses.h"

#include <gtest/gtest.h>

#include <tbb/global_control.h>

#include <functional>

namespace optimization::testing {
namespace {

std::vector<std::shared_ptr<PartProxy>> CarcassParts()
{
    return {Part(1, 23.25, 30, 6),  Part(2, 23.25, 34.5, 4), Part(3, 11.75, 22.5, 8), Part(4, 15.5, 22.5, 6),
            Part(5, 4, 30, 5),      Part(6, 3.5, 22.5, 7),   Part(7, 17.25, 29.25, 4), Part(8, 8, 40, 3),
            Part(9, 12, 12, 5),     Part(10, 20, 45, 2)};
}

struct PipelineCase {
    const char* name;
    std::int32_t objective;
    std::int32_t comparer;
    std::int32_t localMode;
    bool option;
};

class PassPipeline : public ::testing::TestWithParam<PipelineCase>
{
};

TEST_P(PassPipeline, EveryPassLeavesAConsistentSet)
{
    const PipelineCase& c = GetParam();
    auto args = Args({Stock(48, 96, 62.5)}, CarcassParts(), Rules(0.125));
    args.primaryObjective = c.objective == 0 ? StockSelectionPrimary : PartDistributionPrimary;
    args.stockComparerKind = c.comparer;
    args.localOptMode = c.localMode;
    args.modeOption = c.option;
    auto optimizer = Make(args);
    ASSERT_TRUE(optimizer);
    ASSERT_FALSE(optimizer->PreCheck());

    const std::vector<std::pair<const char*, std::function<void(ParallelOptimizer&)>>> passes = {
        {"first", [](ParallelOptimizer& o) { RunFirstPass(o); }},
        {"isodim", [](ParallelOptimizer& o) { RunGlobalIsoDimPass(o); }},
        {"second", [](ParallelOptimizer& o) { RunSecondPass(o); }},
        {"group", [](ParallelOptimizer& o) { GroupIdenticalSheets(o.Job().RunState().Layouts()); }},
        {"local", [](ParallelOptimizer& o) { RunLocalOptimization(o); }},
        {"third", [](ParallelOptimizer& o) { RunImprovementDispatcher(o, ImprovementMode::Third); }},
        {"special", [](ParallelOptimizer& o) { RunSpecialLocalPass(o); }},
        {"retry", [](ParallelOptimizer& o) { RunRetrySkippedParts(o); }},
        {"cleanup", [](ParallelOptimizer& o) { RunImprovementDispatcher(o, ImprovementMode::Cleanup); }},
        {"eliminate", [](ParallelOptimizer& o) { RunImprovementDispatcher(o, ImprovementMode::EliminateLayouts); }},
    };
    for (const auto& [name, pass] : passes) {
        pass(*optimizer);
        EXPECT_EQ(SetProblems(*optimizer), "") << "after " << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, PassPipeline,
                         ::testing::Values(PipelineCase{"WasteLocal1", 0, 0, 1, false},
                                           PipelineCase{"WasteLocal0", 0, 0, 0, false},
                                           PipelineCase{"CostOption", 0, 1, 1, true},
                                           PipelineCase{"UnitAreaCost", 0, 2, 1, false},
                                           PipelineCase{"PartDistribution", 1, 0, 1, false}),
                         [](const ::testing::TestParamInfo<PipelineCase>& param) { return param.param.name; });

// A cancel at any moment of a run leaves a consistent set behind, whichever
// passes the settings bring in (gathering with local mode 0, the cost
// comparer's extra creators with several stocks, the IsoDim pass).
TEST(RunCancel, AnyCancelLeavesAConsistentSet)
{
    struct Case {
        const char* name;
        bool severalStocks;
        std::int32_t objective;
        std::int32_t comparer;
        std::int32_t localMode;
    } cases[] = {{"OneStock", false, 0, 0, 1},
                 {"GatherCost", true, 0, 1, 0},
                 {"PartDistribution", true, 1, 0, 1}};
    for (const Case& c : cases) {
        auto makeArgs = [&c](IOptProgressDlg* dialog) {
            std::vector<std::shared_ptr<StockProxy>> stocks = {Stock(48, 96, 62.5)};
            if (c.severalStocks) {
                stocks.push_back(Stock(30, 60, 20));
                stocks.push_back(Stock(60, 120, 90, Limited(2)));
            }
            auto args = Args(stocks, CarcassParts(), Rules(0.125));
            args.primaryObjective = c.objective == 0 ? StockSelectionPrimary : PartDistributionPrimary;
            args.stockComparerKind = c.comparer;
            args.localOptMode = c.localMode;
            args.progressDlg = dialog;
            return args;
        };
        long total = 0;
        {
            CancelAfter counter;
            auto optimizer = Make(makeArgs(&counter));
            ASSERT_TRUE(optimizer->Run());
            total = counter.Queries();
        }
        ASSERT_GT(total, 10);
        for (long queries = 1; queries < total; queries = queries * 3 / 2 + 1) {
            SCOPED_TRACE(std::string(c.name) + " after " + std::to_string(queries));
            CancelAfter dialog;
            dialog.Arm(queries);
            auto optimizer = Make(makeArgs(&dialog));
            EXPECT_FALSE(optimizer->Run());
            EXPECT_EQ(SetProblems(*optimizer), "");
        }
    }
}

// The same target gives the same layouts on every run and thread count.
TEST(RunDeterminism, SameResultOnEveryRunAndThreadCount)
{
    auto runOnce = [](std::size_t threads) {
        tbb::global_control limit(tbb::global_control::max_allowed_parallelism, threads);
        auto args = Args({Stock(48, 96, 62.5), Stock(30, 60, 20), Stock(60, 120, 90)}, CarcassParts(), Rules(0.125));
        args.localOptMode = 1;
        args.stockComparerKind = 1;
        auto optimizer = Make(args);
        EXPECT_TRUE(optimizer->Run());
        return Snapshot(*optimizer);
    };
    const std::string first = runOnce(1);
    EXPECT_EQ(runOnce(1), first);
    EXPECT_EQ(runOnce(4), first);
}

} // namespace
} // namespace optimization::testing

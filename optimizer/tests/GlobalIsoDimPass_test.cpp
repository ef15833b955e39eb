// The Global IsoDim Pass: when it runs at all, which directions it tries,
// and that an adopted set is sound.

#include "FirstPass.h"
#include "GlobalIsoDimPass.h"
#include "PassCheck.h"
#include "RunFixture.h"

#include <gtest/gtest.h>

using namespace optimization;
using namespace optimization::testing;

namespace {

// Seeds the optimizer with the First Pass, then runs the IsoDim pass.
IsoDimTrace SeedAndRun(ParallelOptimizer& optimizer)
{
    RunFirstPass(optimizer, nullptr);
    IsoDimTrace trace;
    const OptimizationJob* before = &optimizer.Job();
    RunGlobalIsoDimPass(optimizer, &trace);
    if (trace.outcome != IsoDimTrace::Adopted) {
        EXPECT_EQ(&optimizer.Job(), before);
    }
    EXPECT_EQ(SetProblems(optimizer), "");
    return trace;
}

OptFactoryArgs StripArgs(OptObjective_t objective, FirstCutSpecification firstCut = FirstCutNone)
{
    const CuttingRules rules = Rules(0.125, 0.0, firstCut);
    OptFactoryArgs args = Args({ Stock(48, 96, 60, Unlimited(), rules) },
        { Part(1, 12, 30, 4), Part(2, 12, 22, 3), Part(3, 16, 40, 2), Part(4, 16, 25, 2) }, rules);
    args.primaryObjective = objective;
    args.localOptMode = 1;
    return args;
}

} // namespace

TEST(GlobalIsoDimPass, NothingForStockSelection)
{
    auto optimizer = Make(StripArgs(StockSelectionPrimary));
    const IsoDimTrace trace = SeedAndRun(*optimizer);
    EXPECT_EQ(trace.outcome, IsoDimTrace::NotPartDistribution);
    EXPECT_FALSE(trace.triedRipFirst || trace.triedCrossFirst);
}

struct CopiesCase
{
    std::uint32_t copies;
    bool runs;
};

class GlobalIsoDimPassCopies : public ::testing::TestWithParam<CopiesCase>
{
};

TEST_P(GlobalIsoDimPassCopies, RunsUpToOneHundredPlacedCopies)
{
    OptFactoryArgs args = Args({ Stock(48, 96, 60) }, { Part(1, 4, 6, GetParam().copies) });
    args.primaryObjective = PartDistributionPrimary;
    auto optimizer = Make(args);
    const IsoDimTrace trace = SeedAndRun(*optimizer);
    EXPECT_EQ(trace.placedCopies, GetParam().copies);
    EXPECT_EQ(trace.outcome != IsoDimTrace::TooManyCopies, GetParam().runs);
    EXPECT_EQ(trace.triedRipFirst, GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(Limit, GlobalIsoDimPassCopies,
    ::testing::Values(CopiesCase { 100, true }, CopiesCase { 101, false }),
    [](const ::testing::TestParamInfo<CopiesCase>& p) { return std::to_string(p.param.copies); });

struct DirectionCase
{
    const char* name;
    FirstCutSpecification firstCut;
    bool ripFirst;
    bool crossFirst;
};

class GlobalIsoDimPassDirections : public ::testing::TestWithParam<DirectionCase>
{
};

TEST_P(GlobalIsoDimPassDirections, TriesWhatTheFirstCutAllows)
{
    const DirectionCase& c = GetParam();
    auto optimizer = Make(StripArgs(PartDistributionPrimary, c.firstCut));
    const IsoDimTrace trace = SeedAndRun(*optimizer);
    EXPECT_EQ(trace.triedRipFirst, c.ripFirst);
    EXPECT_EQ(trace.triedCrossFirst, c.crossFirst);
    std::uint32_t placed = 0;
    for (const auto& [part, tracker] : optimizer->GetPartUsage())
        placed += tracker->GetPlacedCopiesCount();
    EXPECT_EQ(placed, 11u);
}

INSTANTIATE_TEST_SUITE_P(FirstCut, GlobalIsoDimPassDirections,
    // A first cut fixed to one direction leaves only the attempt in that
    // direction: with the grain (length-wise) the rip-first attempt, across
    // it the cross-first one.
    ::testing::Values(DirectionCase { "Free", FirstCutNone, true, true },
        DirectionCase { "WithGrain", FirstCutWithGrain, true, false },
        DirectionCase { "AcrossGrain", FirstCutAcrossGrain, false, true }),
    [](const ::testing::TestParamInfo<DirectionCase>& p) { return std::string(p.param.name); });

TEST(GlobalIsoDimPass, CancelLeavesTheRunningJob)
{
    OptFactoryArgs args = StripArgs(PartDistributionPrimary);
    RecordingDialog dialog;
    args.progressDlg = &dialog;
    auto optimizer = Make(args);
    RunFirstPass(*optimizer, nullptr);
    const OptimizationJob* before = &optimizer->Job();
    const std::size_t sheets = optimizer->Job().RunState().Layouts().Size();
    dialog.RequestCancel();
    IsoDimTrace trace;
    RunGlobalIsoDimPass(*optimizer, &trace);
    EXPECT_EQ(trace.outcome, IsoDimTrace::Cancelled);
    EXPECT_EQ(&optimizer->Job(), before);
    EXPECT_EQ(optimizer->Job().RunState().Layouts().Size(), sheets);
}

// The library boundary and the run sequence: factory, pre-check with its skip
// reasons, start/end notifications, cancellation and failure.

#include "RunFixture.h"

#include "Placement.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace optimization;
using namespace optimization::testing;

namespace {

constexpr std::uint32_t kLowUid = 0x55667788u;

std::vector<SkipReason> Reasons(const IParallelOptimizer& optimizer)
{
    std::vector<SkipReason> reasons;
    for (const auto& [part, tracker] : optimizer.GetPartUsage())
        reasons.push_back(tracker->GetSkipReason());
    return reasons;
}

std::vector<bool> SkippedPreOpt(const IParallelOptimizer& optimizer)
{
    std::vector<bool> skipped;
    for (const auto& [part, tracker] : optimizer.GetPartUsage())
        skipped.push_back(tracker->IsSkippedPreOpt());
    return skipped;
}

// Cancels as soon as the passes have begun.
class CancelOnStart : public RecordingDialog
{
public:
    void OnRunStarted(std::uint32_t id) override
    {
        RecordingDialog::OnRunStarted(id);
        RequestCancel();
    }
};

// A cancel query of the program that fails.
class ThrowingQuery : public IOptProgressDlg
{
public:
    bool IsCancelRequested() const override { throw std::runtime_error("broken dialog"); }
};

} // namespace

TEST(OptimizerFactory, RefusesMissingArguments)
{
    EXPECT_EQ(IParallelOptFactory::CreateOptimizer(nullptr), nullptr);
}

// Lengths beyond the largest the optimizer represents would overflow the
// sheet's coordinates inside the run: such arguments get no optimizer.
TEST(OptimizerFactory, RefusesLengthsOutOfRange)
{
    const double largest = OptDim::MAX_INCHES;
    struct Case {
        const char* name;
        std::shared_ptr<StockProxy> stock;
        std::shared_ptr<PartProxy> part;
        CuttingRules rules;
        bool accepted;
    };
    const Case cases[] = {
        {"LargestStockAndPart", Stock(largest, largest, 10), Part(1, largest, largest, 1), Rules(), true},
        {"PartTooLong", Stock(48, 96, 10), Part(1, 10, largest + 1, 1), Rules(), false},
        {"StockTooWide", Stock(largest + 1, 96, 10), Part(1, 10, 20, 1), Rules(), false},
        {"NegativeTrim", Stock(48, 96, 10, Unlimited(), Rules(), -0.5, 0.0), Part(1, 10, 20, 1), Rules(), false},
        {"KerfTooWide", Stock(48, 96, 10), Part(1, 10, 20, 1), Rules(largest + 1), false},
        {"NegativePadding", Stock(48, 96, 10), Part(1, 10, 20, 1), Rules(0.125, -0.25), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OptFactoryArgs args = Args({c.stock}, {c.part}, c.rules);
        std::unique_ptr<IParallelOptimizer> optimizer(IParallelOptFactory::CreateOptimizer(&args));
        EXPECT_EQ(optimizer != nullptr, c.accepted);
    }
}

// Copies cost time and memory in a run: a target asking for more than the
// cap in all gets no optimizer, however the copies are spread.
TEST(OptimizerFactory, RefusesTooManyCopies)
{
    const std::uint32_t half = IParallelOptFactory::MAX_COPIES / 2;
    const OptFactoryArgs atCap = Args({Stock(48, 96, 10)}, {Part(1, 10, 20, half), Part(2, 10, 20, half)});
    std::unique_ptr<IParallelOptimizer> accepted(IParallelOptFactory::CreateOptimizer(&atCap));
    EXPECT_NE(accepted, nullptr);
    const OptFactoryArgs beyond = Args({Stock(48, 96, 10)}, {Part(1, 10, 20, half), Part(2, 10, 20, half + 1)});
    std::unique_ptr<IParallelOptimizer> refused(IParallelOptFactory::CreateOptimizer(&beyond));
    EXPECT_EQ(refused, nullptr);
}

TEST(OptimizerFactory, BuildsPolicyFromArguments)
{
    struct Case {
        std::int32_t comparerKind;
        std::int32_t mode;
        bool option;
        std::int32_t wantKind;
        bool wantUnitArea;
        bool wantOption;
    };
    const Case cases[] = {
        {0, 1, true, 1, false, true},
        {1, 0, true, 2, false, false}, // the option only lives in mode 1
        {2, 1, false, 2, true, false},
        {7, 2, true, 2, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.comparerKind);
        OptFactoryArgs args = Args({Stock(48, 96, 10)}, {Part(1, 10, 20, 1)});
        args.primaryObjective = PartDistributionPrimary;
        args.stockComparerKind = c.comparerKind;
        args.offcutsFirst = true;
        args.localOptMode = c.mode;
        args.modeOption = c.option;
        auto optimizer = Make(args);
        ASSERT_TRUE(optimizer);
        const JobPolicy& policy = optimizer->Job().Policy();
        EXPECT_EQ(policy.stockComparer->GetKind(), c.wantKind);
        EXPECT_EQ(policy.stockComparer->GetUnitAreaFlag(), c.wantUnitArea);
        EXPECT_TRUE(policy.stockComparer->IsOffCutsFirst());
        EXPECT_FALSE(policy.stockComparer->IsInventoryFirst());
        EXPECT_EQ(policy.localOpt.GetMode(), c.mode);
        EXPECT_EQ(policy.localOpt.GetOption(), c.wantOption);
        EXPECT_EQ(policy.localOpt.GetBaseMode(), 1);
        EXPECT_DOUBLE_EQ(policy.layoutsComparer.GetWasteConstraint(), 0.1);
        EXPECT_TRUE(policy.layoutsComparer.IsPartDistributionPrimary());
    }
}

// The trackers follow the program's order of the parts, not the order in
// which the proxies were made or where they lie in memory.
TEST(OptimizerFactory, TrackersFollowTheOrderOfTheArguments)
{
    auto late = Part(2, 5, 5, 1);
    auto early = Part(1, 5, 5, 1);
    auto optimizer = Make(Args({Stock(48, 96, 10)}, {late, early}));
    ASSERT_TRUE(optimizer);
    std::vector<const PartProxy*> order;
    for (const auto& [part, tracker] : optimizer->GetPartUsage())
        order.push_back(part);
    EXPECT_EQ(order, (std::vector<const PartProxy*>{late.get(), early.get()}));
}

TEST(OptimizerRun, CancelledBeforeThePreCheck)
{
    RecordingDialog dialog;
    dialog.RequestCancel();
    OptFactoryArgs args = Args({}, {Part(1, 10, 20, 2)}); // would be settled with reason 4
    args.progressDlg = &dialog;
    auto optimizer = Make(args);
    EXPECT_FALSE(optimizer->Run());
    EXPECT_TRUE(dialog.started.empty());
    EXPECT_TRUE(dialog.ended.empty());
    EXPECT_EQ(Reasons(*optimizer), std::vector<SkipReason>{SkipNone});
}

struct PreCheckCase {
    const char* name;
    bool materialUnusable;
    bool withStock;
    std::uint32_t copies;
    SkipReason want;
    bool skipped;
};

class OptimizerPreCheck : public ::testing::TestWithParam<PreCheckCase>
{
};

// A settled target: Run answers true, reports nothing and has no layouts.
TEST_P(OptimizerPreCheck, SettlesTarget)
{
    const PreCheckCase& c = GetParam();
    RecordingDialog dialog;
    std::vector<std::shared_ptr<StockProxy>> stocks;
    if (c.withStock)
        stocks.push_back(Stock(48, 96, 10));
    OptFactoryArgs args = Args(stocks, {Part(1, 10, 20, c.copies), Part(2, 4, 4, c.copies)});
    args.target = OptTargetProxy(nullptr, 42, c.materialUnusable);
    args.progressDlg = &dialog;
    auto optimizer = Make(args);
    EXPECT_TRUE(optimizer->Run());
    EXPECT_TRUE(dialog.started.empty());
    EXPECT_TRUE(dialog.ended.empty());
    std::vector<ITopLevelLayout*> layouts;
    optimizer->GetLayouts(layouts);
    EXPECT_TRUE(layouts.empty());
    EXPECT_EQ(Reasons(*optimizer), (std::vector<SkipReason>{c.want, c.want}));
    EXPECT_EQ(SkippedPreOpt(*optimizer), (std::vector<bool>{c.skipped, c.skipped}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OptimizerPreCheck,
    ::testing::Values(PreCheckCase{"NoCopies", false, true, 0, SkipNone, false},
                      PreCheckCase{"NoCopiesBeatsUnusableMaterial", true, false, 0, SkipNone, false},
                      PreCheckCase{"UnusableMaterialEvenWithStock", true, true, 3, SkipNoMaterial, true},
                      PreCheckCase{"NoStock", false, false, 3, SkipNoStockThickness, true}),
    [](const ::testing::TestParamInfo<PreCheckCase>& tp) { return std::string(tp.param.name); });

TEST(OptimizerRun, ExcludedPartIsSkippedAndTheRunGoesOn)
{
    RecordingDialog dialog;
    auto excluded = Part(7, 10, 20, 2);
    PartDescriptor d = excluded->GetDescriptor();
    d.excluded = 1;
    excluded = std::make_shared<PartProxy>(nullptr, d);
    OptFactoryArgs args = Args({Stock(48, 96, 10)}, {Part(1, 10, 20, 2), excluded});
    args.progressDlg = &dialog;
    auto optimizer = Make(args);
    EXPECT_TRUE(optimizer->Run());
    EXPECT_EQ(dialog.started, std::vector<std::uint32_t>{kLowUid});
    EXPECT_EQ(dialog.ended, std::vector<std::uint32_t>{kLowUid});
    const auto& usage = optimizer->GetPartUsage();
    EXPECT_EQ(usage.at(excluded.get())->GetSkipReason(), SkipExcluded);
    EXPECT_TRUE(usage.at(excluded.get())->IsSkippedPreOpt());
    // The other part is optimized: placed, or left with the reason of a stock
    // that could not take it.
    for (const auto& [part, tracker] : usage) {
        if (part == excluded.get())
            continue;
        EXPECT_FALSE(tracker->IsSkippedPreOpt());
        if (tracker->IsAnyCopyUnplaced()) {
            EXPECT_EQ(tracker->GetSkipReason(), SkipNoStockWideLongEnough);
        }
    }
}

// Copies left over because the stocks that hold them ran out of sheets lack
// inventory; only a part that no stock holds lacks a stock wide and long
// enough. One sheet of 48 x 96 takes two 40 x 40 copies of the three; the
// 50 x 100 part fits no stock either way.
TEST(OptimizerRun, UnplacedCopiesTellInventoryFromSize)
{
    auto fits = Part(1, 40, 40, 3);
    auto tooLarge = Part(2, 50, 100, 1);
    InitialInventory one;
    one.available = 1;
    OptFactoryArgs args = Args({Stock(48, 96, 10, one)}, {fits, tooLarge});
    auto optimizer = Make(args);
    ASSERT_TRUE(optimizer->Run());
    const auto& usage = optimizer->GetPartUsage();
    EXPECT_EQ(usage.at(fits.get())->GetPlacedCopiesCount(), 2u);
    EXPECT_EQ(usage.at(fits.get())->GetSkipReason(), SkipNotEnoughInventory);
    EXPECT_EQ(usage.at(tooLarge.get())->GetPlacedCopiesCount(), 0u);
    EXPECT_EQ(usage.at(tooLarge.get())->GetSkipReason(), SkipNoStockWideLongEnough);
}

TEST(OptimizerRun, CancelledMidRunReportsStartButNotEnd)
{
    CancelOnStart dialog;
    OptFactoryArgs args = Args({Stock(48, 96, 10)}, {Part(1, 10, 20, 2)});
    args.progressDlg = &dialog;
    auto optimizer = Make(args);
    EXPECT_FALSE(optimizer->Run());
    EXPECT_EQ(dialog.started, std::vector<std::uint32_t>{kLowUid});
    EXPECT_TRUE(dialog.ended.empty());
}

TEST(OptimizerRun, WithoutDialogRunsToTheEnd)
{
    auto optimizer = Make(Args({Stock(48, 96, 10)}, {Part(1, 10, 20, 2)}));
    EXPECT_TRUE(optimizer->Run());
    // One optimizer serves one run; asking again gives the same answer.
    EXPECT_TRUE(optimizer->Run());
}

// A failure inside the run (here the program's own cancel query) never
// reaches the caller as an exception: the run ends as failed.
TEST(OptimizerRun, FailureInsideEndsTheRunAsFailed)
{
    ThrowingQuery dialog;
    OptFactoryArgs args = Args({Stock(48, 96, 10)}, {Part(1, 10, 20, 2)});
    args.progressDlg = &dialog;
    auto optimizer = Make(args);
    bool answer = true;
    EXPECT_NO_THROW(answer = optimizer->Run());
    EXPECT_FALSE(answer);
    std::vector<ITopLevelLayout*> layouts;
    optimizer->GetLayouts(layouts);
    EXPECT_TRUE(layouts.empty());
}

TEST(OptimizerRun, TrialCopiesAreIndependent)
{
    auto part = Part(1, 10, 20, 3);
    auto optimizer = Make(Args({Stock(48, 96, 10)}, {part}));
    OptRunState& state = optimizer->Job().RunState();
    state.PartTrackers().at(part.get())->IncrementPlacedCount();
    auto trial = optimizer->MakeFullCopy();
    trial->Job().RunState().PartTrackers().at(part.get())->IncrementPlacedCount();
    EXPECT_EQ(state.PartTrackers().at(part.get())->GetPlacedCopiesCount(), 1u);
    EXPECT_EQ(trial->Job().RunState().PartTrackers().at(part.get())->GetPlacedCopiesCount(), 2u);
    EXPECT_NE(trial->Job().Policy().stockComparer.get(), optimizer->Job().Policy().stockComparer.get());
    optimizer->AdoptJobOf(*trial);
    EXPECT_EQ(optimizer->Job().RunState().PartTrackers().at(part.get())->GetPlacedCopiesCount(), 2u);
}

TEST(OptimizerRun, InventoryMarkingCountsSheetsInSetOrder)
{
    auto limited = Stock(48, 96, 10, Limited(1));
    auto unlimited = Stock(24, 48, 5);
    auto optimizer = Make(Args({limited, unlimited}, {Part(1, 10, 20, 2)}));
    OptRunState& state = optimizer->Job().RunState();
    for (const StockProxy* stock : {limited.get(), unlimited.get(), limited.get()})
        state.Layouts().Add(NewSheet(*optimizer, stock).release());
    state.MarkInventory();
    const auto& sheets = state.Layouts().Layouts();
    EXPECT_EQ(sheets[0]->GetWithinInventory(), 1);
    EXPECT_EQ(sheets[1]->GetWithinInventory(), 1);
    EXPECT_EQ(sheets[2]->GetWithinInventory(), 0);
    EXPECT_EQ(state.StockTrackers().at(limited.get())->GetSheetsUsed(), 2u);
}

TEST(OptimizerRun, DetachedCopyKeepsSheetsEmptyAndCounts)
{
    auto part = Part(1, 10, 20, 3);
    auto stock = Stock(48, 96, 10);
    auto optimizer = Make(Args({stock}, {part}));
    OptRunState& state = optimizer->Job().RunState();
    state.Layouts().Add(NewSheet(*optimizer, stock.get()).release());
    state.Layouts().Layouts()[0]->SetWithinInventory(1);
    state.PartTrackers().at(part.get())->IncrementPlacedCount();
    auto trial = optimizer->MakeDetachedCopy();
    const auto& sheets = trial->Job().RunState().Layouts().Layouts();
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_NE(sheets[0], state.Layouts().Layouts()[0]);
    EXPECT_TRUE(sheets[0]->HasNoBlock());
    EXPECT_EQ(sheets[0]->GetWithinInventory(), 1);
    EXPECT_EQ(trial->Job().RunState().PartTrackers().at(part.get())->GetPlacedCopiesCount(), 1u);
}

TEST(ResultLayout, StyleNeverEnteredIsNull)
{
    auto stock = Stock(48, 96, 10);
    auto optimizer = Make(Args({stock}, {Part(1, 10, 20, 1)}));
    auto sheet = NewSheet(*optimizer, stock.get());
    const ITopLevelLayout& result = *sheet;
    EXPECT_FALSE(result.HasStyleLayout(MaxSideOffCut));
    ITopLevelLayout* copy = reinterpret_cast<ITopLevelLayout*>(1);
    EXPECT_NO_THROW(copy = result.GetStyleLayout(MaxSideOffCut));
    EXPECT_EQ(copy, nullptr);
}

namespace {

// A sheet of the stock with the given copies placed by the placement.
std::unique_ptr<OptTopLevelLayout> Filled(ParallelOptimizer& optimizer, const StockProxy* stock,
                                          const std::shared_ptr<PartProxy>& part, std::uint32_t copies)
{
    auto sheet = NewSheet(optimizer, stock);
    PlacementRequest request;
    request.part = part.get();
    request.sheets = {sheet.get()};
    request.noTryOCD = true;
    request.optimizer = &optimizer;
    for (std::uint32_t i = 0; i < copies; ++i)
        EXPECT_TRUE(PlacePart(request));
    return sheet;
}

} // namespace

// 48 x 96 sheet filled exactly by one 48 x 96 part: no tree cuts; trims on
// both axes add two cuts each.
TEST(ResultLayout, TrimsAddTheirCuts)
{
    struct Case {
        double tbTrim, lrTrim;
        std::int32_t cuts;
    };
    const Case cases[] = {{0.0, 0.0, 0}, {0.5, 0.0, 2}, {0.0, 0.5, 2}, {0.5, 0.5, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tbTrim + 10 * c.lrTrim);
        auto stock = Stock(48 + 2 * c.tbTrim, 96 + 2 * c.lrTrim, 10, Unlimited(), Rules(), c.tbTrim, c.lrTrim);
        auto part = Part(1, 48, 96, 1);
        auto optimizer = Make(Args({stock}, {part}));
        auto sheet = Filled(*optimizer, stock.get(), part, 1);
        EXPECT_EQ(sheet->GetNumberOfCuts(false), c.cuts);
        EXPECT_DOUBLE_EQ(sheet->GetCutLengthInches(false),
                         (c.tbTrim > 0 ? 2 * (96 + 2 * c.lrTrim) : 0.0) + (c.lrTrim > 0 ? 2 * 48.0 : 0.0));
    }
}

TEST(ResultLayout, TrimOfTwoCountsIsNoTrim)
{
    const double twoCounts = 2.0 / 16384.0;
    auto stock = Stock(48, 96, 10, Unlimited(), Rules(), twoCounts, twoCounts);
    auto part = Part(1, 10, 20, 1);
    auto optimizer = Make(Args({stock}, {part}));
    auto sheet = NewSheet(*optimizer, stock.get());
    EXPECT_EQ(sheet->GetNumberOfCuts(true), 0);
    EXPECT_DOUBLE_EQ(sheet->GetCutLengthInches(true), 0.0);
}

// Padding of 3 counts and 5 copies: 4 more cuts and twice length plus twice
// width more cut length per copy.
TEST(ResultLayout, PaddingAddsFourCutsPerCopy)
{
    const double threeCounts = 3.0 / 16384.0;
    auto stock = Stock(48, 96, 10, Unlimited(), Rules(0.0, threeCounts));
    auto part = Part(1, 10, 20, 5);
    OptFactoryArgs args = Args({stock}, {part}, Rules(0.0, threeCounts));
    auto optimizer = Make(args);
    auto sheet = Filled(*optimizer, stock.get(), part, 5);
    ASSERT_EQ(sheet->GetPlacedParts().size(), 5u);
    EXPECT_EQ(sheet->GetNumberOfCuts(true), sheet->GetNumberOfCuts(false) + 20);
    EXPECT_NEAR(sheet->GetCutLengthInches(true), sheet->GetCutLengthInches(false) + 5 * (2 * 20.0 + 2 * 10.0), 1e-9);
}

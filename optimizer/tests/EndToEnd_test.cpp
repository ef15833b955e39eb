// Whole targets through the library's boundary: factory, Run, layouts and
// part usage, and the same layouts on every run and for any thread count.

#include "PassCheck.h"
#include "SeedFixture.h"

#include <tbb/global_control.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace optimization;
using namespace optimization::testing;

namespace {

struct Outcome
{
    bool ran = false;
    std::string layouts; // every sheet: stock, duplicate count, copies and places
    std::uint32_t placed = 0;
    std::string problems;
};

Outcome RunTarget(const OptFactoryArgs& args)
{
    Outcome outcome;
    std::unique_ptr<IParallelOptimizer> optimizer(IParallelOptFactory::CreateOptimizer(&args));
    outcome.ran = optimizer->Run();
    std::vector<ITopLevelLayout*> layouts;
    optimizer->GetLayouts(layouts);
    std::ostringstream text;
    for (const ITopLevelLayout* layout : layouts) {
        text << "stock " << layout->GetStockProxy()->GetPosition() << " x" << layout->GetDuplicateCount()
             << ":";
        for (const PlacedPart* placed : layout->GetPlacedParts()) {
            const OptRect& r = placed->GetRect();
            text << ' ' << placed->GetPartProxy()->GetDescriptor().partNumber << '@' << r.left << ',' << r.top
                 << ',' << r.right << ',' << r.bottom << (placed->IsRotated() ? "r" : "");
        }
        text << '\n';
    }
    outcome.layouts = text.str();
    for (const auto& [part, tracker] : optimizer->GetPartUsage())
        outcome.placed += tracker->GetPlacedCopiesCount();
    outcome.problems = SetProblems(dynamic_cast<const ParallelOptimizer&>(*optimizer));
    return outcome;
}

struct TargetCase
{
    const char* name;
    OptObjective_t objective;
    std::int32_t comparerKind;
};

class EndToEnd : public ::testing::TestWithParam<TargetCase>
{
protected:
    OptFactoryArgs MakeArgs() const
    {
        OptFactoryArgs args = CarcassArgs();
        args.primaryObjective = GetParam().objective;
        args.stockComparerKind = GetParam().comparerKind;
        args.localOptMode = 1;
        // A second, dearer stock so that stock choice matters.
        args.stocks.push_back(Stock(60, 120, 110, Unlimited(), args.rules));
        return args;
    }
};

} // namespace

TEST_P(EndToEnd, PlacesEveryCopySoundly)
{
    const Outcome outcome = RunTarget(MakeArgs());
    EXPECT_TRUE(outcome.ran);
    EXPECT_EQ(outcome.placed, 50u);
    EXPECT_EQ(outcome.problems, "");
    EXPECT_FALSE(outcome.layouts.empty());
}

TEST_P(EndToEnd, SameLayoutsOnEveryRunAndThreadCount)
{
    const OptFactoryArgs args = MakeArgs();
    std::string first;
    for (std::size_t threads : { 1u, 8u, 1u }) {
        SCOPED_TRACE(threads);
        tbb::global_control limit(tbb::global_control::max_allowed_parallelism, threads);
        const Outcome outcome = RunTarget(args);
        if (first.empty())
            first = outcome.layouts;
        EXPECT_EQ(outcome.layouts, first);
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, EndToEnd,
    ::testing::Values(TargetCase { "LeastWaste", StockSelectionPrimary, 0 },
        TargetCase { "FullCost", StockSelectionPrimary, 1 },
        TargetCase { "UnitAreaCost", StockSelectionPrimary, 2 },
        TargetCase { "PartDistribution", PartDistributionPrimary, 0 }),
    [](const ::testing::TestParamInfo<TargetCase>& p) { return std::string(p.param.name); });

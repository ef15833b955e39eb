#include "BenchRun.h"

#include <gtest/gtest.h>

#include <tbb/task_arena.h>

#include <sstream>

using namespace nestbench;
using optimization::OptDim;

namespace {

TargetFile Parse(const std::string& text)
{
    std::istringstream in(text);
    TargetFile target;
    ParseError error;
    EXPECT_TRUE(ParseTargetFile(in, target, error)) << error.ToString("t");
    return target;
}

} // namespace

TEST(BenchRun, TrimmedSizeFollowsTheSheetSizeRecord)
{
    const OptDim ten = OptDim::FromInches(10.0);
    EXPECT_EQ(TrimmedSize(ten, OptDim::FromInches(1.0)).ToEncodedInt(), 8 * 16384);
    EXPECT_EQ(TrimmedSize(ten, OptDim::FromInches(5.0)).ToEncodedInt(), 0);
    EXPECT_EQ(TrimmedSize(ten, OptDim::FromInternalRep(5 * 16384 + 2)).ToEncodedInt(), 0);
    EXPECT_EQ(TrimmedSize(ten, OptDim::FromInches(6.0)).ToEncodedInt(), 0);
    // Twice a trim above 6000 inches saturates at 12000 inches.
    EXPECT_EQ(TrimmedSize(OptDim::FromInches(12000.0), OptDim::FromInches(7000.0)).ToEncodedInt(), 0);
}

TEST(BenchRun, BuildsFactoryArgumentsAsTheProgram)
{
    const TargetFile target = Parse("objective 1\ncomparer 2\noffcuts_first 1\ninventory_first 1\n"
                                    "local_mode 1\nmode_option 1\n"
                                    "rules kerf=0.125 first_cut=2 grain=1 padding=0.5 style=4\n"
                                    "stock 49 97 60 3 offcut tb_trim=0.5 lr_trim=0.5\n"
                                    "stock 48 96 40 * buy_more\n"
                                    "part 12 10 20 3 orientation=1\n"
                                    "part 13 15 15 2 orientation=2\n");
    const optimization::OptFactoryArgs args = BuildFactoryArgs(target, nullptr);
    EXPECT_EQ(args.primaryObjective, optimization::PartDistributionPrimary);
    EXPECT_EQ(args.stockComparerKind, 2);
    EXPECT_TRUE(args.offcutsFirst);
    EXPECT_TRUE(args.inventoryFirst);
    EXPECT_EQ(args.localOptMode, 1);
    EXPECT_TRUE(args.modeOption);
    EXPECT_EQ(args.rules.GetKerf().ToEncodedInt(), 2048);
    EXPECT_EQ(args.rules.GetFirstCutSpecification(), optimization::FirstCutAcrossGrain);
    EXPECT_TRUE(args.rules.HasGrain());
    EXPECT_EQ(args.rules.GetPartPadding().ToEncodedInt(), 8192);
    EXPECT_EQ(args.rules.GetPreferredGeometryStyle(), optimization::MaxBottomOffCut);

    ASSERT_EQ(args.stocks.size(), 2u);
    const auto& offcut = *args.stocks[0];
    EXPECT_EQ(offcut.GetCanvas().GetTrimmedWidth().ToEncodedInt(), 48 * 16384);
    EXPECT_EQ(offcut.GetCanvas().GetTrimmedLength().ToEncodedInt(), 96 * 16384);
    EXPECT_EQ(offcut.GetCanvas().GetRoughWidth().ToEncodedInt(), 49 * 16384);
    EXPECT_DOUBLE_EQ(offcut.GetCanvas().GetFullStockCost(), 60.0);
    EXPECT_TRUE(offcut.GetCanvas().HasTBTrim());
    EXPECT_FALSE(offcut.GetInventory().unlimited);
    EXPECT_EQ(offcut.GetInventory().available, 3u);
    EXPECT_TRUE(offcut.GetInventory().offCut);
    EXPECT_FALSE(offcut.GetInventory().usableBeyondCount);
    const auto& bought = *args.stocks[1];
    EXPECT_TRUE(bought.GetInventory().unlimited);
    EXPECT_EQ(bought.GetInventory().available, 0u);
    EXPECT_TRUE(bought.GetInventory().usableBeyondCount);

    ASSERT_EQ(args.parts.size(), 2u);
    // As in the program, a square part never turns.
    EXPECT_EQ(args.parts[1]->GetDescriptor().orientation, 1);
    const auto& d = args.parts[0]->GetDescriptor();
    EXPECT_EQ(d.partNumber, 12);
    EXPECT_EQ(d.copies, 3u);
    EXPECT_EQ(d.excluded, 0);
    EXPECT_EQ(d.orientation, 1);
    EXPECT_EQ(d.areaCounts, std::int64_t(10 * 16384) * (20 * 16384));
    EXPECT_DOUBLE_EQ(d.area, 200.0);
    EXPECT_DOUBLE_EQ(d.paddedArea, 10.125 * 20.125);
    EXPECT_EQ(d.furtherLength.ToEncodedInt(), d.width.ToEncodedInt());
}

TEST(BenchRun, TargetWithoutCopiesIsSettledWithoutNotifications)
{
    const BenchResult r = RunTarget(Parse("stock 48 96 40 *\npart 1 10 20 0\n"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.sheets, 0u);
    EXPECT_EQ(r.runStarted, 0u);
    EXPECT_EQ(r.runEnded, 0u);
    EXPECT_EQ(ToJson(r).rfind("{\"sheets\":0,\"sheets_by_stock\":[0],\"placed\":0,\"skipped\":0,", 0), 0u) << ToJson(r);
}

TEST(BenchRun, RunReportsStartAndEndAndEveryCopy)
{
    const BenchResult r = RunTarget(Parse("stock 48 96 40 *\nstock 24 48 15 2\npart 1 10 20 3\npart 2 5 5 2\n"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.runStarted, 1u);
    EXPECT_EQ(r.runEnded, 1u);
    EXPECT_EQ(r.sheetsByStock.size(), 2u);
    EXPECT_EQ(r.placed + r.skipped, 5u);
    // Whatever the passes placed, the result keeps every rule.
    const auto violations = nestcheck::ValidateLayouts(r.check);
    for (const auto& v : violations)
        ADD_FAILURE() << nestcheck::ToString(v.kind) << ": " << v.message;
}

TEST(BenchRun, JsonHasExactlyTheKeysInOrder)
{
    BenchResult r;
    r.ok = true;
    r.sheets = 3;
    r.sheetsByStock = {2, 1};
    r.placed = 7;
    r.skipped = 1;
    r.wastePct = 12.5;
    r.cost = 100.25;
    r.cuts = 9;
    r.cutLength = 300.5;
    r.digest = 0xabcdef0123ULL;
    r.ms = 1.5;
    EXPECT_EQ(ToJson(r), "{\"sheets\":3,\"sheets_by_stock\":[2,1],\"placed\":7,\"skipped\":1,"
                         "\"waste_pct\":12.5000,\"cost\":100.2500,\"cuts\":9,\"cut_length\":300.5000,"
                         "\"digest\":\"000000abcdef0123\",\"ms\":1.500}");
}

// The same target gives the same sheets, on every run and with any number of
// threads (the parallel step of the placement decides as the serial order).
TEST(BenchRun, ResultDoesNotDependOnThreadCount)
{
    const TargetFile target = Parse("objective 0\ncomparer 1\nlocal_mode 1\nrules kerf=0.125\n"
                                    "stock 48 96 50 *\nstock 30 60 20 4\n"
                                    "part 1 11.5 23 7\npart 2 7.25 13 9\npart 3 5 9.5 12\npart 4 17 31 3\n");
    BenchResult results[3];
    const int threads[3] = {1, 8, 8};
    for (int i = 0; i < 3; ++i) {
        tbb::task_arena arena(threads[i]);
        arena.execute([&] { results[i] = RunTarget(target); });
        ASSERT_TRUE(results[i].ok) << results[i].error;
    }
    EXPECT_GT(results[0].placed, 0u);
    EXPECT_TRUE(SameResult(results[0], results[1]));
    EXPECT_TRUE(SameResult(results[1], results[2]));
    EXPECT_TRUE(nestcheck::ValidateLayouts(results[0].check).empty());
}

// Repeats must agree on the part usage too, not only on the sheets.
TEST(BenchRun, SameResultComparesThePartUsage)
{
    BenchResult a;
    a.ok = true;
    a.check.parts.push_back({1, 10, 20, 2, 0, 1, 5});
    BenchResult b = a;
    EXPECT_TRUE(SameResult(a, b));
    b.check.parts[0].skipReason = 7;
    EXPECT_FALSE(SameResult(a, b));
    b = a;
    b.check.parts[0].reportedPlaced = 2;
    EXPECT_FALSE(SameResult(a, b));
}

// TryOCD: the rebuild of one branch in the other cut direction, evaluated one
// unit after the other below 15 units and in parallel from 15 on, always with
// the answer of the serial order.

#include "RunFixture.h"

#include "Placement.h"
#include "TryOCD.h"

#include <gtest/gtest.h>

#include <tbb/task_arena.h>

using namespace optimization;
using namespace optimization::testing;

namespace {

struct Copy {
    const PartProxy* part;
    std::int32_t left, top, right, bottom;
    bool rotated;
    bool operator==(const Copy& o) const
    {
        return part == o.part && left == o.left && top == o.top && right == o.right && bottom == o.bottom &&
               rotated == o.rotated;
    }
};

std::vector<Copy> Copies(const OptTopLevelLayout& sheet)
{
    std::vector<Copy> out;
    for (const PlacedPart* p : sheet.GetPlacedParts()) {
        const OptRect& r = p->GetRect();
        out.push_back({p->GetPartProxy(), r.left, r.top, r.right, r.bottom, p->IsRotated()});
    }
    return out;
}

class TryOCDTest : public ::testing::Test
{
protected:
    // A sheet of the stock filled with the given parts by the placement.
    void Build(double width, double length, std::vector<std::shared_ptr<PartProxy>> parts,
               std::shared_ptr<PartProxy> forcedPart)
    {
        stock = Stock(width, length, 10, Unlimited(), Rules(0.125));
        forced = forcedPart;
        parts.push_back(forced);
        optimizer = Make(Args({stock}, parts, Rules(0.125)));
        sheet = NewSheet(*optimizer, stock.get());
        PlacementRequest request;
        request.sheets = {sheet.get()};
        request.noTryOCD = true;
        request.optimizer = optimizer.get();
        for (const auto& part : parts) {
            if (part == forced)
                continue;
            request.part = part.get();
            for (std::uint32_t i = 0; i < part->GetDescriptor().copies; ++i)
                PlacePart(request);
        }
    }

    // The serial answer: the first unit, in traversal order, that succeeds.
    TryOCDResultUnit FirstSuccess()
    {
        const TryOCDContext context{optimizer.get(), forced.get()};
        for (const TryOCDWorkUnit& unit : MakeTryOCDWorkUnits(*sheet)) {
            TryOCDResultUnit r = EvaluateTryOCDUnit(*sheet, unit, context);
            if (r.success)
                return r;
        }
        return {};
    }

    // How many units succeed on their own: with more than one, the parallel
    // loop must pick the lowest index rather than the first to finish.
    std::size_t Successes()
    {
        const TryOCDContext context{optimizer.get(), forced.get()};
        std::size_t count = 0;
        for (const TryOCDWorkUnit& unit : MakeTryOCDWorkUnits(*sheet))
            count += EvaluateTryOCDUnit(*sheet, unit, context).success;
        return count;
    }

    // TryOCD on a fresh copy of the sheet with the given number of threads.
    std::pair<bool, std::vector<Copy>> RunOn(int threads)
    {
        std::unique_ptr<OptTopLevelLayout> copy = sheet->IsolatedCopy();
        bool answer = false;
        tbb::task_arena arena(threads);
        arena.execute([&] { answer = TryOCD(*copy, TryOCDContext{optimizer.get(), forced.get()}); });
        return {answer, Copies(*copy)};
    }

    std::shared_ptr<StockProxy> stock;
    std::shared_ptr<PartProxy> forced;
    std::unique_ptr<ParallelOptimizer> optimizer;
    std::unique_ptr<OptTopLevelLayout> sheet;
};

} // namespace

TEST_F(TryOCDTest, SheetWithoutChildrenAnswersFalse)
{
    Build(48, 96, {}, Part(9, 10, 10, 1));
    EXPECT_TRUE(MakeTryOCDWorkUnits(*sheet).size() <= 1);
    EXPECT_FALSE(TryOCD(*sheet, TryOCDContext{optimizer.get(), forced.get()}));
    EXPECT_TRUE(sheet->GetPlacedParts().empty());
}

struct ReduceCase {
    const char* name;
    bool aSuccess;
    std::size_t aIndex;
    bool bSuccess;
    std::size_t bIndex;
    bool wantSuccess;
    std::size_t wantIndex;
};

class TryOCDReduce : public ::testing::TestWithParam<ReduceCase>
{
};

TEST_P(TryOCDReduce, GivesTheSerialAnswer)
{
    const ReduceCase& c = GetParam();
    TryOCDResultUnit a, b;
    a.success = c.aSuccess;
    a.index = c.aIndex;
    b.success = c.bSuccess;
    b.index = c.bIndex;
    const TryOCDResultUnit r = ReduceTryOCD(a, b);
    EXPECT_EQ(r.success, c.wantSuccess);
    EXPECT_EQ(r.index, c.wantIndex);
}

INSTANTIATE_TEST_SUITE_P(Cases, TryOCDReduce,
                         ::testing::Values(ReduceCase{"SuccessBeatsFailure", false, 1, true, 7, true, 7},
                                           ReduceCase{"FailureLosesToSuccess", true, 9, false, 2, true, 9},
                                           ReduceCase{"LowerIndexWins", true, 9, true, 3, true, 3},
                                           ReduceCase{"LowerIndexWinsEitherSide", true, 3, true, 9, true, 3},
                                           ReduceCase{"SecondFailureStays", false, 1, false, 5, false, 5}),
                         [](const ::testing::TestParamInfo<ReduceCase>& tp) { return std::string(tp.param.name); });

TEST(TryOCDReduceCancel, CancellationSurvivesReduction)
{
    TryOCDResultUnit a, b;
    a.cancelled = true;
    EXPECT_TRUE(ReduceTryOCD(a, b).cancelled);
}

// Many parts make many inner nodes: from 15 work units on they run in
// parallel, and the answer is that of the serial order on 1 and 8 threads.
TEST_F(TryOCDTest, ParallelGivesTheSerialAnswer)
{
    Build(48, 96, {Part(1, 11, 23, 6), Part(2, 7, 13, 6), Part(3, 5, 9, 6)}, Part(9, 12, 12, 1));
    ASSERT_GE(MakeTryOCDWorkUnits(*sheet).size(), kTryOCDParallelFrom);
    const TryOCDResultUnit serial = FirstSuccess();
    ASSERT_TRUE(serial.success) << "the sheet gives TryOCD nothing to do";
    ASSERT_GE(Successes(), 2u) << "one success alone shows nothing of the reduction";
    const std::vector<Copy> want = Copies(*serial.sheet);
    for (int threads : {1, 8}) {
        SCOPED_TRACE(threads);
        const auto [answer, copies] = RunOn(threads);
        EXPECT_TRUE(answer);
        EXPECT_EQ(copies, want);
    }
}

TEST_F(TryOCDTest, FewUnitsRunSeriallyWithTheSameAnswer)
{
    Build(48, 96, {Part(1, 11, 23, 2), Part(2, 7, 13, 1)}, Part(9, 12, 12, 1));
    const std::size_t units = MakeTryOCDWorkUnits(*sheet).size();
    ASSERT_GT(units, 0u);
    ASSERT_LT(units, kTryOCDParallelFrom);
    const TryOCDResultUnit serial = FirstSuccess();
    const auto [answer, copies] = RunOn(8);
    EXPECT_EQ(answer, serial.success);
    if (serial.success) {
        EXPECT_EQ(copies, Copies(*serial.sheet));
    }
}

TEST_F(TryOCDTest, ForcedPartEndsUpOnTheSheet)
{
    Build(48, 96, {Part(1, 11, 23, 6), Part(2, 7, 13, 6), Part(3, 5, 9, 6)}, Part(9, 12, 12, 1));
    const std::size_t before = sheet->GetPlacedParts().size();
    ASSERT_TRUE(TryOCD(*sheet, TryOCDContext{optimizer.get(), forced.get()}));
    EXPECT_EQ(sheet->GetPlacedParts().size(), before + 1);
    std::size_t forcedCount = 0;
    for (const PlacedPart* p : sheet->GetPlacedParts())
        forcedCount += p->GetPartProxy() == forced.get();
    EXPECT_EQ(forcedCount, 1u);
}

// After a cancel the sheet stays as it was, and no unit copies and rebuilds
// it: each answers at once.
TEST_F(TryOCDTest, CancelledRunLeavesTheSheet)
{
    Build(48, 96, {Part(1, 11, 23, 6), Part(2, 7, 13, 6), Part(3, 5, 9, 6)}, Part(9, 12, 12, 1));
    RecordingDialog dialog;
    dialog.RequestCancel();
    // A trial optimizer with the cancelled dialog.
    OptFactoryArgs args = Args({stock}, {forced}, Rules(0.125));
    args.progressDlg = &dialog;
    auto cancelled = Make(args);
    const std::vector<Copy> before = Copies(*sheet);
    EXPECT_FALSE(TryOCD(*sheet, TryOCDContext{cancelled.get(), forced.get()}));
    EXPECT_EQ(Copies(*sheet), before);
    for (const TryOCDWorkUnit& unit : MakeTryOCDWorkUnits(*sheet)) {
        const TryOCDResultUnit r = EvaluateTryOCDUnit(*sheet, unit, TryOCDContext{cancelled.get(), forced.get()});
        EXPECT_TRUE(r.cancelled);
        EXPECT_FALSE(r.success);
        EXPECT_EQ(r.sheet, nullptr);
    }
}


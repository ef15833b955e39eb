// The run state's part sequence, sorted once per part order kind and kept,
// and the memory of failed TryOCD probes that it shares with its clones.

#include "RunFixture.h"

#include "LayoutOrders.h"
#include "OptRunState.h"
#include "Placement.h"
#include "TryOCD.h"
#include "TryOCDMemo.h"

#include <cstdlib>

#include <gtest/gtest.h>

using namespace optimization;
using namespace optimization::testing;

namespace {

std::vector<const PartProxy*> Sequence(const OptRunState& state)
{
    std::vector<const PartProxy*> out;
    for (const auto& tracker : state.PartSequence())
        out.push_back(tracker->GetPartProxy());
    return out;
}

// The sequence as sorting the previous one gives it, the way the run always
// re-sorted its trackers.
std::vector<const PartProxy*> Resorted(const OptRunState& state, std::int32_t kind)
{
    PartTrackerList list = state.PartSequence();
    SortPartSequence(list, kind);
    std::vector<const PartProxy*> out;
    for (const auto& tracker : list)
        out.push_back(tracker->GetPartProxy());
    return out;
}

struct OrdersCase {
    const char* name;
    std::vector<std::shared_ptr<PartProxy>> parts;
};

class RunStateOrders : public ::testing::TestWithParam<OrdersCase>
{
};

// Every change of kind, in any history, and every clone give the order that
// re-sorting gives, also when two parts share a number and a size (then the
// outcome of a sort depends on the order sorted, and so on the history).
TEST_P(RunStateOrders, KindChangesGiveTheSortedSequence)
{
    auto optimizer = Make(Args({Stock(48, 96, 10)}, GetParam().parts));
    OptRunState& state = optimizer->Job().RunState();
    for (std::int32_t kind : {2, 3, 1, 0, 3, 2, 0, 1, 7, 2}) {
        SCOPED_TRACE(kind);
        const std::vector<const PartProxy*> want = Resorted(state, kind);
        state.SetPartOrderKind(kind);
        EXPECT_EQ(Sequence(state), want);
        // A clone sorts its fresh trackers from map order.
        auto clone = state.CloneWithoutSheets();
        std::vector<const PartProxy*> fromMap;
        for (const auto& [part, tracker] : state.PartTrackers())
            fromMap.push_back(part);
        SortPartSequence(fromMap, kind);
        EXPECT_EQ(Sequence(*clone), fromMap);
        EXPECT_EQ(clone->GetPartOrderKind(), kind);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Parts, RunStateOrders,
    ::testing::Values(
        OrdersCase{"Distinct",
                   {Part(3, 10, 20, 1), Part(1, 20, 10, 2), Part(2, 10, 20, 1), Part(5, 5, 40, 1), Part(4, 15, 15, 3)}},
        OrdersCase{"SharedNumbers",
                   {Part(1, 10, 20, 1), Part(1, 10, 20, 2, OrientationAsGiven), Part(2, 20, 10, 1),
                    Part(2, 20, 10, 1, OrientationTurnedOnly), Part(1, 5, 30, 1)}}),
    [](const ::testing::TestParamInfo<OrdersCase>& p) { return std::string(p.param.name); });

TEST(RunStateScratch, KindOnlyCloneHoldsNoTrackers)
{
    auto optimizer = Make(Args({Stock(48, 96, 10)}, {Part(1, 10, 20, 1), Part(2, 20, 10, 1)}));
    OptRunState& state = optimizer->Job().RunState();
    state.SetPartOrderKind(3);
    auto scratch = state.CloneKindOnly();
    EXPECT_EQ(scratch->GetPartOrderKind(), 3);
    EXPECT_TRUE(scratch->PartTrackers().empty());
    EXPECT_TRUE(scratch->StockTrackers().empty());
    scratch->SetPartOrderKind(2);
    EXPECT_TRUE(scratch->PartSequence().empty());
    EXPECT_EQ(&scratch->FailureMemo(), &state.FailureMemo());
    EXPECT_EQ(state.GetPartOrderKind(), 3);
}

// A part has a plain place when every part that ties with it in the kind's
// order is alike it; a difference of turn rule or copies is no likeness.
TEST(RunStateScratch, PlainPlaceNeedsAlikeTies)
{
    auto a = Part(1, 10, 20, 1);
    auto alike = Part(2, 10, 20, 1);
    auto b = Part(3, 12, 20, 1);
    auto fixed = Part(4, 12, 20, 1, OrientationAsGiven); // ties with b by width, not by size
    auto c = Part(5, 14, 20, 1);
    auto more = Part(6, 14, 20, 2);
    auto optimizer = Make(Args({Stock(48, 96, 10)}, {a, alike, b, fixed, c, more}));
    const OptRunState& state = optimizer->Job().RunState();
    for (std::int32_t kind : {0, 2}) {
        SCOPED_TRACE(kind);
        EXPECT_TRUE(state.HasPlainPlace(a.get(), kind));
        EXPECT_TRUE(state.HasPlainPlace(alike.get(), kind));
        EXPECT_EQ(state.HasPlainPlace(b.get(), kind), kind == 0);
        EXPECT_EQ(state.HasPlainPlace(fixed.get(), kind), kind == 0);
        EXPECT_FALSE(state.HasPlainPlace(c.get(), kind));
        EXPECT_FALSE(state.HasPlainPlace(more.get(), kind));
    }
    EXPECT_FALSE(state.HasPlainPlace(a.get(), 9));
}

// A part that cannot go in fails again for a part alike (the memory may
// answer); a part that differs only in its turn rule is not alike, and goes
// in turned.
TEST(TryOCDMemory, AnswersOnlyAlikeParts)
{
    const auto stock = Stock(20, 96, 10, Unlimited(), Rules(0.125));
    const auto filler = Part(1, 9, 40, 2);
    const auto fixed1 = Part(7, 30, 10, 1, OrientationAsGiven); // never fits across 20
    const auto fixed2 = Part(8, 30, 10, 1, OrientationAsGiven);
    const auto free = Part(9, 30, 10, 1);
    for (bool withFree : {false, true}) {
        SCOPED_TRACE(withFree);
        std::vector<std::shared_ptr<PartProxy>> parts {filler, fixed1, fixed2};
        if (withFree)
            parts.push_back(free);
        auto optimizer = Make(Args({stock}, parts, Rules(0.125)));
        auto sheet = NewSheet(*optimizer, stock.get());
        PlacementRequest request;
        request.sheets = {sheet.get()};
        request.noTryOCD = true;
        request.optimizer = optimizer.get();
        request.part = filler.get();
        ASSERT_TRUE(PlacePart(request));
        ASSERT_TRUE(PlacePart(request));
        ASSERT_TRUE(optimizer->Job().RunState().HasPlainPlace(fixed1.get(), 0));
        ASSERT_EQ(optimizer->Job().RunState().HasPlainPlace(free.get(), 0), withFree);

        EXPECT_FALSE(TryOCD(*sheet, TryOCDContext{optimizer.get(), fixed1.get()}));
        EXPECT_FALSE(TryOCD(*sheet, TryOCDContext{optimizer.get(), fixed2.get()}));
        if (withFree) {
            EXPECT_TRUE(TryOCD(*sheet, TryOCDContext{optimizer.get(), free.get()}));
        }
    }
}

// A sheet that TryOCD can force the part into, and the key under which the
// memory would remember the part as failing there.
struct ForcedSheet {
    std::shared_ptr<StockProxy> stock = Stock(48, 96, 10, Unlimited(), Rules(0.125));
    std::vector<std::shared_ptr<PartProxy>> parts {Part(1, 11, 23, 6), Part(2, 7, 13, 6), Part(3, 5, 9, 6)};
    std::shared_ptr<PartProxy> forced = Part(9, 12, 12, 1);
    std::unique_ptr<ParallelOptimizer> optimizer;
    std::unique_ptr<OptTopLevelLayout> sheet;

    ForcedSheet()
    {
        std::vector<std::shared_ptr<PartProxy>> all = parts;
        all.push_back(forced);
        optimizer = Make(Args({stock}, all, Rules(0.125)));
        sheet = NewSheet(*optimizer, stock.get());
        PlacementRequest request;
        request.sheets = {sheet.get()};
        request.noTryOCD = true;
        request.optimizer = optimizer.get();
        for (const auto& part : parts) {
            request.part = part.get();
            for (std::uint32_t i = 0; i < part->GetDescriptor().copies; ++i)
                PlacePart(request);
        }
    }
    MemoKey FailureKey() const
    {
        const OptRunState& state = optimizer->Job().RunState();
        return WithPartLikeness(
            SheetContentKey(*sheet, state.GetPartOrderKind(), optimizer->Job().Policy().localOpt.GetOption()),
            *forced);
    }
    bool Force() { return TryOCD(*sheet, TryOCDContext{optimizer.get(), forced.get()}); }
};

// TryOCD trusts a remembered failure of a part alike on the same content:
// it answers at once. In check mode it works the probe out again, and a
// different answer stops the process.
TEST(TryOCDMemory, RemembersAndChecks)
{
    unsetenv("KWL_NEST_CHECK_MEMO");
    {
        ForcedSheet fresh;
        ASSERT_TRUE(fresh.Force()) << "the sheet gives TryOCD nothing to do";
    }
    ForcedSheet remembered;
    remembered.optimizer->Job().RunState().FailureMemo().RememberFailure(remembered.FailureKey());
    EXPECT_FALSE(remembered.Force());

    EXPECT_DEATH(
        {
            setenv("KWL_NEST_CHECK_MEMO", "1", 1);
            ForcedSheet checked;
            checked.optimizer->Job().RunState().FailureMemo().RememberFailure(checked.FailureKey());
            checked.Force();
        },
        "KWL_NEST_CHECK_MEMO");
}

} // namespace

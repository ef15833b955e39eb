#include "FirstPass.h"

#include "CIterativeLOCreator.h"
#include "CSequenceLOCreator.h"
#include "LayoutOrders.h"
#include "OptimizationJob.h"
#include "ParallelOptimizer.h"
#include "RunPasses.h"
#include "UsageTrackers.h"

#include <tbb/task_arena.h>
#include <tbb/task_group.h>

#include <array>
#include <memory>
#include <vector>

namespace optimization {

namespace {

class FirstPass
{
public:
    FirstPass(ParallelOptimizer& optimizer, std::vector<FirstPassStep>* trace)
        : m_optimizer(optimizer)
        , m_trace(trace)
    {
        for (auto& trial : m_trials)
            trial = optimizer.MakeFullCopy();
    }

    void Run()
    {
        const JobPolicy& policy = m_optimizer.Job().Policy();
        const ParStockComparer& comparer = *policy.stockComparer;
        const bool plain = comparer.IsByCost() != 0 && m_optimizer.Job().RunState().StockTrackers().size() > 1;
        const bool sizeRun = policy.layoutsComparer.IsStockSelectionPrimary() && comparer.IsByCost() != 0
                             && !comparer.GetUnitAreaFlag();
        // The creators work on separate full copies, so those that do not
        // wait for an earlier seed run side by side; seeds are judged below
        // in the serial order alone. Threads left over by those runs start
        // the runs that the largest-first seed may make unnecessary as well
        // (their seeds are dropped when the serial order skips them): the
        // two that follow a seed placing every copy, the usual case, first.
        // Without threads to spare they would only hold up the runs that
        // count.
        std::vector<Run_> first { { 0, OrderLargestFirst } };
        if (plain)
            first.push_back({ 3, m_trials[3]->Job().RunState().GetPartOrderKind() });
        first.push_back({ 4, OrderIterative });
        const int spare = tbb::this_task_arena::max_concurrency() - int(first.size());
        if (spare >= 2) {
            first.push_back({ 6, OrderLongestFirst });
            first.push_back({ 7, OrderWidestFirst });
        }
        if (spare >= 4) {
            first.push_back({ 1, OrderWidestFirst });
            first.push_back({ 2, OrderLongestFirst });
        }
        RunTogether(first);

        // Seed A, largest first.
        if (!Judge(0, FirstPassStep::LargestFirst, OrderLargestFirst))
            return;
        const bool seedLeftCopies = AnyUnplaced(*m_trials[0]);
        if (seedLeftCopies) {
            if (!Ran(1))
                RunTogether({ { 1, OrderWidestFirst } });
            if (!Judge(1, FirstPassStep::WidestFirst, OrderWidestFirst))
                return;
            if (AnyUnplaced(*m_best)) {
                if (!Ran(2))
                    RunTogether({ { 2, OrderLongestFirst } });
                if (!Judge(2, FirstPassStep::LongestFirst, OrderLongestFirst))
                    return;
            }
        }
        if (plain && !Judge(3, FirstPassStep::Plain, m_kind[3]))
            return;
        if (!Judge(4, FirstPassStep::Iterative, OrderIterative))
            return;
        // The iterative creator once more, judging stock by size, in the
        // order of the best seed so far; the last two iterative runs (when
        // they count) go meanwhile.
        std::vector<Run_> last;
        if (sizeRun)
            last.push_back({ 5, BestKind() });
        if (!seedLeftCopies) {
            if (!Ran(6))
                last.push_back({ 6, OrderLongestFirst });
            if (!Ran(7))
                last.push_back({ 7, OrderWidestFirst });
        }
        if (sizeRun) {
            OptimizationJob& job = m_trials[5]->Job();
            job.SetStockComparer(
                std::make_unique<CStockCompBySize>(comparer.IsOffCutsFirst(), comparer.IsInventoryFirst()));
        }
        RunTogether(last);
        if (sizeRun) {
            if (!Judge(5, FirstPassStep::Iterative, BestKind(), true, false))
                return;
            m_trials[5]->Job().SetStockComparer(comparer.Clone());
            Consider(5);
        }
        if (!seedLeftCopies) {
            if (!Judge(6, FirstPassStep::Iterative, OrderLongestFirst))
                return;
            if (!Judge(7, FirstPassStep::Iterative, OrderWidestFirst))
                return;
        }
        m_optimizer.AdoptJobOf(*m_best);
    }

private:
    struct Run_ {
        std::size_t index;
        std::int32_t kind;
    };
    static bool AnyUnplaced(const ParallelOptimizer& trial)
    {
        return optimization::AnyUnplaced(trial.Job().RunState().PartTrackers());
    }

    std::int32_t BestKind() const { return m_best->Job().RunState().GetPartOrderKind(); }

    bool Ran(std::size_t index) const { return m_ran[index]; }

    template <typename Creator>
    static void Make(ParallelOptimizer& trial)
    {
        Creator creator(trial);
        creator.Create();
    }

    // Runs the creator of trial `index` with the part order `kind`.
    void Create(std::size_t index, std::int32_t kind)
    {
        ParallelOptimizer& trial = *m_trials[index];
        trial.Job().RunState().SetPartOrderKind(kind);
        m_kind[index] = kind;
        switch (index) {
        case 0:
            Make<CLargestFirstSequenceCreator>(trial);
            break;
        case 1:
            Make<CWidestFirstSequenceCreator>(trial);
            break;
        case 2:
            Make<CLongestFirstSequenceCreator>(trial);
            break;
        case 3:
            Make<CSequenceLOCreator>(trial);
            break;
        default:
            Make<CIterativeLOCreator>(trial);
            break;
        }
        m_ran[index] = true;
    }

    void RunTogether(const std::vector<Run_>& runs)
    {
        if (runs.size() == 1 || tbb::this_task_arena::max_concurrency() <= 1) {
            for (const Run_& run : runs)
                Create(run.index, run.kind);
            return;
        }
        tbb::task_group group;
        for (const Run_& run : runs)
            group.run([this, run] { Create(run.index, run.kind); });
        group.wait();
    }

    // Records the run of trial `index` as the serial order makes it; false
    // on a cancel. The seed becomes the best when the comparer prefers it
    // (unless the caller judges it itself).
    bool Judge(std::size_t index, FirstPassStep::Creator what, std::int32_t kind, bool sizeComparer = false,
        bool judge = true)
    {
        if (m_trace)
            m_trace->push_back(FirstPassStep { what, kind, sizeComparer });
        if (m_optimizer.IsCancelRequested())
            return false;
        if (judge)
            Consider(index);
        return true;
    }

    void Consider(std::size_t index)
    {
        ParallelOptimizer* candidate = m_trials[index].get();
        if (!m_best
            || m_optimizer.CompareSets(
                   m_best->Job().RunState().Layouts(), candidate->Job().RunState().Layouts())
                == 1)
            m_best = candidate;
    }

    ParallelOptimizer& m_optimizer;
    std::vector<FirstPassStep>* m_trace;
    std::array<std::unique_ptr<ParallelOptimizer>, 8> m_trials;
    std::array<bool, 8> m_ran {};
    std::array<std::int32_t, 8> m_kind {};
    ParallelOptimizer* m_best = nullptr;
};

} // namespace

void RunFirstPass(ParallelOptimizer& optimizer, std::vector<FirstPassStep>* trace)
{
    FirstPass(optimizer, trace).Run();
}

// The run's entry for this pass (replaces the stand-in of RunPasses.cpp).
void RunFirstPass(ParallelOptimizer& optimizer)
{
    RunFirstPass(optimizer, nullptr);
}

} // namespace optimization

#include "FirstPass.h"

#include "CIterativeLOCreator.h"
#include "CSequenceLOCreator.h"
#include "LayoutOrders.h"
#include "OptimizationJob.h"
#include "ParallelOptimizer.h"
#include "RunPasses.h"
#include "UsageTrackers.h"

#include <array>
#include <memory>

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

        // Seed A, largest first.
        if (!Seed<CLargestFirstSequenceCreator>(0, FirstPassStep::LargestFirst, OrderLargestFirst))
            return;
        const bool seedLeftCopies = AnyUnplaced(*m_trials[0]);
        if (seedLeftCopies) {
            if (!Seed<CWidestFirstSequenceCreator>(1, FirstPassStep::WidestFirst, OrderWidestFirst))
                return;
            if (AnyUnplaced(*m_best)
                && !Seed<CLongestFirstSequenceCreator>(2, FirstPassStep::LongestFirst, OrderLongestFirst))
                return;
        }
        if (comparer.IsByCost() != 0 && m_optimizer.Job().RunState().StockTrackers().size() > 1) {
            const std::int32_t kind = m_trials[3]->Job().RunState().GetPartOrderKind();
            if (!Seed<CSequenceLOCreator>(3, FirstPassStep::Plain, kind))
                return;
        }
        if (!Seed<CIterativeLOCreator>(4, FirstPassStep::Iterative, OrderIterative))
            return;
        if (policy.layoutsComparer.IsStockSelectionPrimary() && comparer.IsByCost() != 0
            && !comparer.GetUnitAreaFlag()) {
            // The iterative creator once more, judging stock by size.
            OptimizationJob& job = m_trials[5]->Job();
            job.SetStockComparer(
                std::make_unique<CStockCompBySize>(comparer.IsOffCutsFirst(), comparer.IsInventoryFirst()));
            if (!Seed<CIterativeLOCreator>(5, FirstPassStep::Iterative, BestKind(), true, false))
                return;
            job.SetStockComparer(comparer.Clone());
            Consider(5);
        }
        if (!seedLeftCopies) {
            if (!Seed<CIterativeLOCreator>(6, FirstPassStep::Iterative, OrderLongestFirst))
                return;
            if (!Seed<CIterativeLOCreator>(7, FirstPassStep::Iterative, OrderWidestFirst))
                return;
        }
        m_optimizer.AdoptJobOf(*m_best);
    }

private:
    static bool AnyUnplaced(const ParallelOptimizer& trial)
    {
        return optimization::AnyUnplaced(trial.Job().RunState().PartTrackers());
    }

    std::int32_t BestKind() const { return m_best->Job().RunState().GetPartOrderKind(); }

    // Runs one creator on trial `index` with the part order `kind`; false on
    // a cancel. The seed becomes the best when the comparer prefers it
    // (unless the caller judges it itself).
    template <typename Creator>
    bool Seed(std::size_t index, FirstPassStep::Creator what, std::int32_t kind, bool sizeComparer = false,
        bool judge = true)
    {
        ParallelOptimizer& trial = *m_trials[index];
        trial.Job().RunState().SetPartOrderKind(kind);
        if (m_trace)
            m_trace->push_back(FirstPassStep { what, kind, sizeComparer });
        Creator creator(trial);
        creator.Create();
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

#include "CIterativeLOCreator.h"

#include "OptTopLevelLayout.h"
#include "OptimizationJob.h"
#include "ParallelOptimizer.h"
#include "Placement.h"
#include "TryOCD.h"

#include <vector>

namespace optimization {

void CIterativeLOCreator::Create()
{
    Prepare();
    for (;;) {
        std::vector<std::unique_ptr<OptTopLevelLayout>> trials;
        for (const auto& stock : m_stocks)
            if (stock->IsUsable())
                trials.push_back(OpenSheet(*stock));
        if (trials.empty())
            return;

        // Nothing is counted yet, so every trial is filled from the same copies.
        for (auto& trial : trials) {
            FillSheet(*trial, m_optimizer);
            TryOCD(*trial, TryOCDContext { &m_optimizer, nullptr });
        }

        const JobPolicy& policy = m_job.Policy();
        const ParLocalOpt policyCopy(policy.localOpt);
        std::unique_ptr<OptTopLevelLayout> best;
        for (auto& trial : trials) {
            if (trial->HasNoBlock())
                continue;
            if (!best
                || policy.layoutsComparer.CompareGeneral(
                       *best, *trial, policyCopy, *policy.stockComparer, m_state.StockTrackers())
                    == 1)
                best = std::move(trial);
        }
        trials.clear();
        if (!best)
            return;

        CountCopies(*best);
        if (WantsCheaperCombination()) {
            bool tookLast = false;
            if (SplitIntoCheaper(best, tookLast)) {
                if (IsCancelRequested())
                    return;
                continue;
            }
        }
        if (!CommitSheet(std::move(best), nullptr))
            return;
    }
}

} // namespace optimization

#pragma once
// One target's optimization job: the policy record (local-optimization
// policy, stock comparer, layouts comparer), the target, its saw rules and
// the run state that the passes work on. Trials of the passes are clones of
// the job; a pass adopts a trial by swapping jobs.

#include "JobPolicy.h"
#include "OptRunState.h"

#include <nestcore/CuttingRules.h>
#include <nestcore/OptTargetProxy.h>

#include <memory>
#include <vector>

namespace optimization {

class OptimizationJob
{
public:
    OptimizationJob(const OptTargetProxy& target, const JobPolicy& policy, const CuttingRules& rules,
        const std::vector<std::shared_ptr<StockProxy>>& stocks,
        const std::vector<std::shared_ptr<PartProxy>>& parts);
    OptimizationJob(const OptimizationJob&) = delete;
    OptimizationJob& operator=(const OptimizationJob&) = delete;
    virtual ~OptimizationJob();

    // Copies of the job for a trial: policy (with its own stock comparer),
    // target and rules copied, the run state cloned fully, detached or
    // without sheets.
    std::unique_ptr<OptimizationJob> CloneFull() const;
    std::unique_ptr<OptimizationJob> CloneDetached() const;
    std::unique_ptr<OptimizationJob> CloneWithoutSheets() const;
    std::unique_ptr<OptimizationJob> CloneKindOnly() const;

    JobPolicy& Policy() { return m_policy; }
    const JobPolicy& Policy() const { return m_policy; }
    const OptTargetProxy& Target() const { return m_target; }
    const CuttingRules& Rules() const { return m_rules; }
    OptRunState& RunState() { return *m_state; }
    const OptRunState& RunState() const { return *m_state; }

    // Replaces the stock comparer (nothing happens when it is the same object).
    void SetStockComparer(std::unique_ptr<ParStockComparer> comparer);

private:
    OptimizationJob(const OptimizationJob& other, std::unique_ptr<OptRunState> state);

    // The proxies live as long as the job: the trackers and sheets point at them.
    std::vector<std::shared_ptr<StockProxy>> m_stocks;
    std::vector<std::shared_ptr<PartProxy>> m_parts;
    JobPolicy m_policy;
    OptTargetProxy m_target;
    CuttingRules m_rules;
    std::unique_ptr<OptRunState> m_state;
};

} // namespace optimization

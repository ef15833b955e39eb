#include "OptimizationJob.h"

namespace optimization {

OptimizationJob::OptimizationJob(const OptTargetProxy& target, const JobPolicy& policy,
    const CuttingRules& rules, const std::vector<std::shared_ptr<StockProxy>>& stocks,
    const std::vector<std::shared_ptr<PartProxy>>& parts)
    : m_stocks(stocks)
    , m_parts(parts)
    , m_policy(policy)
    , m_target(target)
    , m_rules(rules)
    , m_state(std::make_unique<OptRunState>(stocks, parts))
{ }

OptimizationJob::OptimizationJob(const OptimizationJob& other, std::unique_ptr<OptRunState> state)
    : m_stocks(other.m_stocks)
    , m_parts(other.m_parts)
    , m_policy(other.m_policy)
    , m_target(other.m_target)
    , m_rules(other.m_rules)
    , m_state(std::move(state))
{ }

OptimizationJob::~OptimizationJob() = default;

std::unique_ptr<OptimizationJob> OptimizationJob::CloneFull() const
{
    return std::unique_ptr<OptimizationJob>(new OptimizationJob(*this, m_state->CloneFull()));
}

std::unique_ptr<OptimizationJob> OptimizationJob::CloneDetached() const
{
    return std::unique_ptr<OptimizationJob>(new OptimizationJob(*this, m_state->CloneDetached()));
}

std::unique_ptr<OptimizationJob> OptimizationJob::CloneWithoutSheets() const
{
    return std::unique_ptr<OptimizationJob>(new OptimizationJob(*this, m_state->CloneWithoutSheets()));
}

std::unique_ptr<OptimizationJob> OptimizationJob::CloneKindOnly() const
{
    return std::unique_ptr<OptimizationJob>(new OptimizationJob(*this, m_state->CloneKindOnly()));
}

void OptimizationJob::SetStockComparer(std::unique_ptr<ParStockComparer> comparer)
{
    m_policy.SetStockComparer(std::move(comparer));
}

} // namespace optimization

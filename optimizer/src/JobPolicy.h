#pragma once
// The policy record of a job: the local-optimization policy, the stock
// comparer it owns and the layouts comparer. Copying the record clones the
// stock comparer.

#include "ParLocalOpt.h"
#include "ParStockComparer.h"

#include <nestcore/CLayoutsComparer.h>

#include <memory>

namespace optimization {

struct JobPolicy {
    JobPolicy() = default;
    JobPolicy(const JobPolicy& other);
    JobPolicy& operator=(const JobPolicy& other);
    JobPolicy(JobPolicy&&) = default;
    JobPolicy& operator=(JobPolicy&&) = default;

    // Replaces the stock comparer (a no-op when it is the same object).
    void SetStockComparer(std::unique_ptr<ParStockComparer> comparer);

    ParLocalOpt localOpt;
    std::unique_ptr<ParStockComparer> stockComparer;
    CLayoutsComparer layoutsComparer;
};

} // namespace optimization

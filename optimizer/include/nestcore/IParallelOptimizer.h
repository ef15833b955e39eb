#pragma once
// The optimizer of one target as the program drives it: create it through
// IParallelOptFactory, call Run once on a worker thread, and only when Run
// answered true read the layouts and the part usage; then delete it. The
// layouts and trackers stay owned by the optimizer until it is deleted.

#include <nestcore/PartUsageTracker.h>
#include <nestcore_export.h>

#include <vector>

namespace optimization {

class ITopLevelLayout;

class NESTCORE_EXPORT IParallelOptimizer
{
public:
    virtual ~IParallelOptimizer();

    // Runs the whole optimization on the calling thread. True when it
    // finished or had nothing to do; false when it was cancelled or failed
    // (for example for want of memory), in which case there are no results.
    virtual bool Run() = 0;
    // Appends one pointer per result layout, in the order of the result.
    virtual void GetLayouts(std::vector<ITopLevelLayout*>& layouts) const = 0;
    virtual const PartUsageMap& GetPartUsage() const = 0;

protected:
    IParallelOptimizer() = default;
    IParallelOptimizer(const IParallelOptimizer&) = default;
    IParallelOptimizer& operator=(const IParallelOptimizer&) = default;
};

} // namespace optimization

#pragma once
// One optimization job: the optimizer of one target and what turns its
// answer into the program's data. The job is made on the user-interface
// thread with everything it reads of the project already taken (the run's
// workers must not reach the materials library, the command history or a
// message box); only Run happens on a worker thread.

#include "optimization/DiagramBuilder.h"
#include "optimization/MaterialBOM.h"
#include "optimization/OptimizationTarget.h"

#include <nestcore/IParallelOptimizer.h>
#include <nestcore/PartProxy.h>
#include <nestcore/StockProxy.h>

#include <memory>
#include <vector>

namespace optimization {
class IOptProgressDlg;
}

class IOptimizationMgr
{
public:
    virtual ~IOptimizationMgr() = default;
    virtual void Run() = 0;
};

// What the job reads of the project besides the target, taken when it was made.
struct OptimizationJobInputs
{
    DiagramBuildInputs build;
    // The layout style of the material's saw setup, shown where a new stack has it.
    int preferredStyle = 0;
    // The run's dialog, asked whether a run that answered false was cancelled.
    const optimization::IOptProgressDlg* progress = nullptr;
};

using StockProxyList = std::vector<std::shared_ptr<optimization::StockProxy>>;
using PartProxyList = std::vector<std::shared_ptr<optimization::PartProxy>>;

class OptimizationManager : public IOptimizationMgr
{
public:
    // A null optimizer (the library refused the target) makes a failed job.
    OptimizationManager(MaterialBOMPtr sink, OptimizationTargetPtr target, StockProxyList stocks, PartProxyList parts,
                        std::unique_ptr<optimization::IParallelOptimizer> optimizer, OptimizationJobInputs inputs);
    OptimizationManager(const OptimizationManager&) = delete;
    OptimizationManager& operator=(const OptimizationManager&) = delete;
    ~OptimizationManager() override;

    // Runs the optimizer and stores what it found. A cancelled run stores
    // nothing, so the target stays pending. A run that failed otherwise
    // stores results without layouts of its own and marks every part
    // undetermined, so the target is not collected again on every showing.
    void Run() override;

    OptimizationResultsPtr BuildOptimizationResults() const;
    // Into the material's bill; the target counts as optimized from here.
    void StoreResults(const OptimizationResultsPtr& results);
    void CopyPartUsage();

private:
    bool WasCancelled() const;
    // The new stacks, then the target's pinned ones, in line items by stock row.
    OptimizationResultsPtr MakeResults(StackList stacks) const;
    void StoreFailure();

    // Declared so that the optimizer, which refers to the proxies, goes first.
    MaterialBOMPtr m_sink;
    OptimizationTargetPtr m_target;
    OptimizationJobInputs m_inputs;
    StockProxyList m_stocks;
    PartProxyList m_parts;
    std::unique_ptr<optimization::IParallelOptimizer> m_optimizer;
};

// The line item of the stack's stock row (that very row object), made by the
// stack's material and appended when the list has none yet. Null when the
// material makes no line items.
OptimizedLineItemPtr FindOrCreateLineItem(const StackPtr& stack, OptimizedLineItemList& items);

#pragma once
// Builds the optimizer's arguments for one target and the job that runs it.
// Everything here runs on the user-interface thread, before the run: it
// reads the project settings, the target, its parts, stock sizes and
// material, and the pinned usage.

#include "optimization/MaterialBOM.h"
#include "optimization/OptimizationManager.h"
#include "optimization/OptimizationTarget.h"

#include <nestcore/CuttingRules.h>
#include <nestcore/OptFactoryArgs.h>
#include <nestcore/PartDescriptor.h>

#include <memory>

class CMilledPart;
class IOptimizableMaterial;
class IOptimizableSize;
class IOptimizationDoc;
class PinnedUsage;

class IOptJobFactory
{
public:
    virtual ~IOptJobFactory() = default;
    // A job whose results go into sink.
    virtual std::shared_ptr<IOptimizationMgr> CreateJob(const MaterialBOMPtr& sink, const PinnedUsage& usage,
                                                        const IOptimizationDoc& doc) = 0;
};

class OptJobFactory : public IOptJobFactory
{
public:
    explicit OptJobFactory(OptimizationTargetPtr target) : m_target(std::move(target)) { }

    std::shared_ptr<IOptimizationMgr> CreateJob(const MaterialBOMPtr& sink, const PinnedUsage& usage,
                                                const IOptimizationDoc& doc) override;
    // Every field but the progress dialog, from the current project's
    // optimization settings and the target.
    void FillFactoryArgs(optimization::OptFactoryArgs& args, const PinnedUsage& usage) const;

private:
    OptimizationTargetPtr m_target;
};

StockProxyList MakeStockProxies(const PinnedUsage& usage, const OptimizationTarget& target);
// The size's geometry, cost and inventory less the sheets pinned layouts
// already use (never below 0), with the material's saw rules.
std::shared_ptr<optimization::StockProxy> MakeStockProxy(const PinnedUsage& usage, const IOptimizableSize& size,
                                                         const IOptimizableMaterial* material);
optimization::InitialInventory MakeInitialInventory(const PinnedUsage& usage, const IOptimizableSize& size);
// Every part of the target, also one with no copies left to place.
PartProxyList MakePartProxies(const OptimizationTarget& target, const optimization::CuttingRules& rules);
optimization::PartDescriptor MakePartDescriptor(const CMilledPart& part, const optimization::CuttingRules& rules);
// No material, the placeholder, or one named "Not Specified".
bool IsMaterialUnspecifiedOrDeleted(const IOptimizableMaterial* material);

#include "optimization/OptJobFactory.h"

#include "model/CMilledPart.h"
#include "model/IOptimizableMaterial.h"
#include "model/IOptimizableSize.h"
#include "model/OptimizationSettings.h"
#include "model/ProjectSettings.h"
#include "optimization/CuttingRulesFactory.h"
#include "optimization/IOptimizationDoc.h"
#include "optimization/PinnedUsage.h"

#include <nestcore/IParallelOptFactory.h>
#include <nestcore/OptProgressDlgBase.h>

std::shared_ptr<IOptJobFactory> OptimizationTarget::GetJobFactory()
{
    return std::make_shared<OptJobFactory>(shared_from_this());
}

std::shared_ptr<IOptimizationMgr> OptJobFactory::CreateJob(const MaterialBOMPtr& sink, const PinnedUsage& usage,
                                                           const IOptimizationDoc& doc)
{
    optimization::OptFactoryArgs args;
    FillFactoryArgs(args, usage);
    args.progressDlg = doc.GetProgressDialog();

    OptimizationJobInputs inputs;
    inputs.build.material = m_target->GetMaterial();
    inputs.build.initialFlags = MakeInitialDrawnPartFlags(inputs.build.material.get());
    inputs.preferredStyle = static_cast<int>(args.rules.GetPreferredGeometryStyle());
    inputs.progress = args.progressDlg;

    std::unique_ptr<optimization::IParallelOptimizer> optimizer(
        optimization::IParallelOptFactory::CreateOptimizer(&args));
    return std::make_shared<OptimizationManager>(sink, m_target, args.stocks, args.parts, std::move(optimizer),
                                                 std::move(inputs));
}

void OptJobFactory::FillFactoryArgs(optimization::OptFactoryArgs& args, const PinnedUsage& usage) const
{
    const ProjectSettings* project = GetCurrentProjectSettings();
    const OptimizationSettings settings = project ? project->GetOptimizationSettings() : OptimizationSettings();
    const std::uint32_t packing = settings.GetWordByCode(OptimizationSettings::PackingCode);

    args.primaryObjective = packing == 3 ? optimization::PartDistributionPrimary : optimization::StockSelectionPrimary;
    args.stockComparerKind = settings.objective == OptimizationSettings::MinimizeWaste       ? 0
                             : settings.objective == OptimizationSettings::MinimizeTotalCost ? 1
                                                                                             : 2;
    args.offcutsFirst = settings.useOffCutsFirst;
    args.inventoryFirst = settings.useInventoryFirst;
    args.localOptMode = packing == 2 || packing == 3 ? 0 : 1;
    args.modeOption = packing == 1;

    const std::shared_ptr<IOptimizableMaterial> material = m_target->GetMaterial();
    args.rules = MakeCuttingRules(material.get());
    args.stocks = MakeStockProxies(usage, *m_target);
    args.parts = MakePartProxies(*m_target, args.rules);
    args.target = optimization::OptTargetProxy(m_target.get(), m_target->GetIdentity(),
                                               IsMaterialUnspecifiedOrDeleted(material.get()));
}

StockProxyList MakeStockProxies(const PinnedUsage& usage, const OptimizationTarget& target)
{
    const std::shared_ptr<IOptimizableMaterial> material = target.GetMaterial();
    StockProxyList proxies;
    for (const auto& size : target.GetStockList()) {
        if (size)
            proxies.push_back(MakeStockProxy(usage, *size, material.get()));
    }
    return proxies;
}

optimization::InitialInventory MakeInitialInventory(const PinnedUsage& usage, const IOptimizableSize& size)
{
    optimization::InitialInventory inventory;
    inventory.unlimited = size.IsUnlimited();
    if (!inventory.unlimited) {
        // More pinned sheets than the inventory holds leave none, not an
        // unsigned count that wraps round to billions.
        const std::uint32_t pinned = usage.GetPinnedCount(&size);
        const std::uint32_t count = size.GetAvailable();
        inventory.available = count > pinned ? count - pinned : 0;
    }
    inventory.usableBeyondCount = size.CanBuyMore();
    inventory.offCut = size.IsOffCut();
    return inventory;
}

std::shared_ptr<optimization::StockProxy> MakeStockProxy(const PinnedUsage& usage, const IOptimizableSize& size,
                                                         const IOptimizableMaterial* material)
{
    optimization::CanvasDescriptorArgs canvas;
    canvas.trimmedWidth = OptDimFromDimension(size.GetTrimmedWidth());
    canvas.trimmedLength = OptDimFromDimension(size.GetTrimmedLength());
    canvas.roughWidth = OptDimFromDimension(size.GetRoughWidth());
    canvas.roughLength = OptDimFromDimension(size.GetRoughLength());
    canvas.fullStockCost = size.GetFullCost().AsReal();
    canvas.tbTrim = OptDimFromDimension(size.GetTopBottomTrim());
    canvas.lrTrim = OptDimFromDimension(size.GetLeftRightTrim());
    return std::make_shared<optimization::StockProxy>(&size, material, optimization::CanvasDescriptor(canvas),
                                                      MakeInitialInventory(usage, size), MakeCuttingRules(material));
}

PartProxyList MakePartProxies(const OptimizationTarget& target, const optimization::CuttingRules& rules)
{
    const PartList parts = target.GetParts();
    PartProxyList proxies;
    proxies.reserve(parts.size());
    for (const CMilledPart* part : parts) {
        if (part)
            proxies.push_back(std::make_shared<optimization::PartProxy>(part, MakePartDescriptor(*part, rules)));
    }
    return proxies;
}

optimization::PartDescriptor MakePartDescriptor(const CMilledPart& part, const optimization::CuttingRules& rules)
{
    optimization::PartDescriptor d;
    d.partNumber = part.GetID().GetNumber();
    d.copies = part.GetCopiesForOptimizer();
    d.width = OptDimFromDimension(part.GetWidth());
    d.length = OptDimFromDimension(part.GetLength());
    d.excluded = 0;
    d.areaCounts = static_cast<std::int64_t>(d.width.ToEncodedInt()) * d.length.ToEncodedInt();
    // A part may turn unless its grain binds it (a square part never is).
    d.orientation = part.HasGrainConstraint() ? optimization::OrientationAsGiven : optimization::OrientationFree;
    d.paddedArea = part.GetPaddedArea(CDimension::FromUnits(rules.GetKerf().ToEncodedInt()).GetInches());
    d.area = part.GetArea();
    d.furtherLength = d.width;
    return d;
}

bool IsMaterialUnspecifiedOrDeleted(const IOptimizableMaterial* material)
{
    return !material || material->IsUnspecified();
}

#include "optimization/OptimizationManager.h"

#include "foundation/SessionLog.h"
#include "model/CMilledPart.h"
#include "model/CSkippedPartInfo.h"
#include "model/IOptimizableMaterial.h"
#include "model/ISGSC.h"
#include "model/ThicknessBasedOptTarget.h"
#include "optimization/OptimizedBOMLineItem.h"

#include <nestcore/IOptProgressDlg.h>
#include <nestcore/ITopLevelLayout.h>

#include <algorithm>

OptimizationManager::OptimizationManager(MaterialBOMPtr sink, OptimizationTargetPtr target, StockProxyList stocks,
                                         PartProxyList parts,
                                         std::unique_ptr<optimization::IParallelOptimizer> optimizer,
                                         OptimizationJobInputs inputs)
    : m_sink(std::move(sink)), m_target(std::move(target)), m_inputs(std::move(inputs)), m_stocks(std::move(stocks)),
      m_parts(std::move(parts)), m_optimizer(std::move(optimizer))
{ }

OptimizationManager::~OptimizationManager() = default;

void OptimizationManager::Run()
{
    const bool ok = m_optimizer && m_optimizer->Run();
    if (!ok) {
        if (!WasCancelled())
            StoreFailure();
        return;
    }
    StoreResults(BuildOptimizationResults());
    CopyPartUsage();
}

bool OptimizationManager::WasCancelled() const
{
    return m_inputs.progress && m_inputs.progress->IsCancelRequested();
}

OptimizationResultsPtr OptimizationManager::BuildOptimizationResults() const
{
    std::vector<optimization::ITopLevelLayout*> layouts;
    if (m_optimizer)
        m_optimizer->GetLayouts(layouts);
    StackList stacks;
    BuildDiagramStacks(layouts, m_inputs.build, stacks);
    return MakeResults(std::move(stacks));
}

OptimizationResultsPtr OptimizationManager::MakeResults(StackList stacks) const
{
    const StackList& pinned = m_target->GetPinnedLayouts();
    stacks.insert(stacks.end(), pinned.begin(), pinned.end());
    OptimizedLineItemList items;
    for (const StackPtr& stack : stacks) {
        if (const OptimizedLineItemPtr item = FindOrCreateLineItem(stack, items))
            item->AddLayout(stack);
    }
    auto results = std::make_shared<OptimizationResults>(m_target, std::move(stacks), std::move(items));
    results->ApplyStyleToUnpinned(m_inputs.preferredStyle);
    return results;
}

void OptimizationManager::StoreResults(const OptimizationResultsPtr& results)
{
    if (!m_sink)
        return;
    m_sink->SetResults(results);
    m_target->SetOptimized(true);
}

void OptimizationManager::CopyPartUsage()
{
    if (!m_optimizer)
        return;
    // The map is ordered by the proxies' places in the job, so every run
    // updates the parts alike.
    for (const auto& [proxy, tracker] : m_optimizer->GetPartUsage()) {
        CMilledPart* part = PartOfProxy(proxy);
        if (!part || !tracker)
            continue;
        part->SetSkipReason(static_cast<std::uint32_t>(tracker->GetSkipReason()));
        part->SetOptimizerPlacedCopies(tracker->GetPlacedCopiesCount());
    }
}

void OptimizationManager::StoreFailure()
{
    StoreResults(MakeResults({}));
    for (const auto& proxy : m_parts) {
        if (CMilledPart* part = PartOfProxy(proxy.get())) {
            part->SetSkipReason(CSkippedPartInfo::Undetermined);
            part->SetOptimizerPlacedCopies(0);
        }
    }
    const auto criteria = m_target->GetCriteria();
    SessionLog::Instance().Write(SessionLog::Error,
                                 QStringLiteral("Optimization failed: %1")
                                     .arg(criteria ? criteria->GetDisplayText() : m_target->GetMaterialName()));
}

OptimizedLineItemPtr FindOrCreateLineItem(const StackPtr& stack, OptimizedLineItemList& items)
{
    const StockSpec& stock = stack->GetStockSpec();
    const auto row = std::dynamic_pointer_cast<ISGSC>(stock.size);
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&row](const OptimizedLineItemPtr& item) { return item->GetSizeCost() == row; });
    if (found != items.end())
        return *found;
    if (!stock.material || !row)
        return nullptr;
    auto item = std::dynamic_pointer_cast<IOptimizedBOMLineItem>(stock.material->CreateBOMLineItem(row));
    if (item)
        items.push_back(item);
    return item;
}

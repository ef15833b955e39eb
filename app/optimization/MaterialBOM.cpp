#include "optimization/MaterialBOM.h"

#include "foundation/DomainUpdateInfo.h"
#include "model/CSawSetupEx.h"
#include "model/CSheetGoodEx.h"

#include <algorithm>

MaterialBOMBase::MaterialBOMBase()
    : m_totals(std::make_shared<CostPriceDTO>())
{ }

MaterialBOMBase::~MaterialBOMBase() = default;

void IOptimizedMaterialBOM::SetResults(const OptimizationResultsPtr& results)
{
    const std::scoped_lock lock(m_resultsLock);
    const OptimizationTargetPtr& target = results->GetTarget();
    ResultsList& list = GetResultsList();
    const auto earlier = std::find_if(list.begin(), list.end(),
                                      [&target](const OptimizationResultsPtr& entry) { return entry->IsForTarget(target); });
    if (earlier != list.end()) {
        const OptimizedLineItemList oldItems = (*earlier)->GetLineItems();
        RemoveLineItems(oldItems);
        list.erase(earlier);
    }
    if (target && (target->HasParts() || target->HasPinnedLayouts())) {
        list.push_back(results);
        AddLineItems(results->GetLineItems());
    }
    RecountLineItems();
    if (IsFullyOptimized())
        RecomputeTotals();
}

std::shared_ptr<OptimizationResults> IOptimizedMaterialBOM::FindResultsOf(
    const std::shared_ptr<OptTargetBase>& target) const
{
    const ResultsList& list = GetResultsList();
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&target](const OptimizationResultsPtr& entry) { return entry->IsForTarget(target); });
    return it != list.end() ? *it : nullptr;
}

void IOptimizedMaterialBOM::AddStackToTarget(const StackPtr& stack, const std::shared_ptr<OptTargetBase>& target)
{
    if (const auto results = FindResultsOf(target))
        results->AddStack(stack);
}

void IOptimizedMaterialBOM::RemoveStackFromTarget(const StackPtr& stack, const std::shared_ptr<OptTargetBase>& target)
{
    if (const auto results = FindResultsOf(target))
        results->RemoveStack(stack);
}

bool IOptimizedMaterialBOM::IsFullyOptimized() const
{
    const ResultsList& list = GetResultsList();
    return std::none_of(list.begin(), list.end(), [](const OptimizationResultsPtr& entry) { return entry->IsPending(); });
}

void IOptimizedMaterialBOM::MarkTargetPending(const std::shared_ptr<OptTargetBase>& target)
{
    const auto optimizationTarget = std::dynamic_pointer_cast<OptimizationTarget>(target);
    if (!optimizationTarget)
        return;
    SetResults(std::make_shared<OptResultsPending>(optimizationTarget));
}

void IOptimizedMaterialBOM::RecountLineItems()
{
    const unsigned count = GetLineItemCount();
    for (unsigned i = 0; i < count; ++i)
        GetLineItem(i)->Recount();
}

void IOptimizedMaterialBOM::RecomputeTotals()
{
    m_totals->Clear();
    const unsigned count = GetLineItemCount();
    for (unsigned i = 0; i < count; ++i)
        *m_totals += *GetLineItem(i)->GetCostDTO();
}

void IOptimizedMaterialBOM::Refresh()
{
    RecountLineItems();
    if (IsFullyOptimized())
        RecomputeTotals();
}

void IOptimizedMaterialBOM::CollectStacks(StackList& out) const
{
    for (const OptimizationResultsPtr& entry : GetResultsList()) {
        const StackList& stacks = entry->GetStacks();
        out.insert(out.end(), stacks.begin(), stacks.end());
    }
}

bool IOptimizedMaterialBOM::HasStackWithFlag0(bool firstCopyOnly) const
{
    const ResultsList& list = GetResultsList();
    return std::any_of(list.begin(), list.end(), [firstCopyOnly](const OptimizationResultsPtr& entry) {
        return entry->HasStackWithFlag0(firstCopyOnly);
    });
}

void IOptimizedMaterialBOM::SetAnnotationFlag(bool value)
{
    for (const OptimizationResultsPtr& entry : GetResultsList())
        entry->SetAnnotationFlag(value);
}

void IOptimizedMaterialBOM::ApplySawSetupStyle(const std::shared_ptr<DomainUpdateInfo>& info)
{
    const std::shared_ptr<CSheetGoodEx> material = GetMaterial();
    if (!info || !material || !info->AffectsMaterial(material))
        return;
    const int style = material->GetSawSetup().GetLayoutStyle();
    for (const OptimizationResultsPtr& entry : GetResultsList())
        if (!entry->IsPending())
            entry->ApplyStyleToUnpinned(style);
}

void IOptimizedMaterialBOM::ResetAffectedTargets(const std::shared_ptr<DomainUpdateInfo>& info, PinnedUsage& usage)
{
    BeforeResetTargets(info, usage);
    const ResultsList entries = GetResultsList(); // the resets replace entries
    for (const OptimizationResultsPtr& entry : entries) {
        const OptimizationTargetPtr& target = entry->GetTarget();
        if (target && info && info->AffectsTarget(target))
            ResetTarget(target, info, usage);
    }
}

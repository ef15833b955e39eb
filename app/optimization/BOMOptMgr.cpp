#include "optimization/BOMOptMgr.h"

#include "model/IMaterialData.h"
#include "model/IOptimizableMaterial.h"
#include "optimization/DiagramIndex.h"
#include "optimization/OptJobFactory.h"
#include "optimization/OptimizationManager.h"
#include "optimization/OptimizationStateArchive.h"

#include <algorithm>

namespace {

void AppendUnpinned(const StackList& stacks, StackList& out)
{
    std::copy_if(stacks.begin(), stacks.end(), std::back_inserter(out),
        [](const StackPtr& stack) { return stack->IsNotPinned(); });
}

} // namespace

BOMOptMgr::BOMOptMgr()
    : m_topLevelBOM(std::make_shared<SheetGoodsBOM>())
    , m_targets(std::make_shared<OptTargetsMgr>())
{ }

BOMOptMgr::~BOMOptMgr() = default;

std::shared_ptr<IOptimizedTopLevelBOM> BOMOptMgr::GetTopLevelBOMByKind(int kind) const
{
    if (kind == IOptimizableMaterial::kKindSheetGood)
        return m_topLevelBOM;
    return nullptr;
}

std::shared_ptr<IOptimizedTopLevelBOM> BOMOptMgr::GetTopLevelBOMForTarget(const OptTargetBase& target) const
{
    return GetTopLevelBOMByKind(target.GetMaterialKind());
}

MaterialBOMPtr BOMOptMgr::MaterialBOMFor(const OptTargetBase& target) const
{
    const auto topLevel = GetTopLevelBOMForTarget(target);
    return topLevel ? topLevel->GetMaterialBOMForTarget(target) : nullptr;
}

void BOMOptMgr::ResetTargetResults(const std::shared_ptr<OptTargetBase>& target, bool targetDropped)
{
    if (!target)
        return;
    const auto topLevel = GetTopLevelBOMForTarget(*target);
    const MaterialBOMPtr bom = topLevel ? topLevel->GetMaterialBOMForTarget(*target) : nullptr;
    if (!bom)
        return;
    bom->MarkTargetPending(target);
    if (targetDropped && !bom->HasResults())
        topLevel->RemoveMaterialBOM(bom);
}

void BOMOptMgr::AddPart(CMilledPart* part)
{
    if (!part)
        return;
    const OptimizationTargetPtr target = m_targets->FindOrCreateTargetForPart(*part, m_pinnedUsage);
    if (!target)
        return;
    target->AddPart(part);
    ResetTargetResults(target, false);
}

void BOMOptMgr::RemovePart(CMilledPart* part)
{
    const OptimizationTargetPtr target = m_targets->FindTargetOfPart(part);
    if (!target)
        return;
    target->RemovePart(part);
    if (!target->HasParts() && !target->HasPinnedLayouts()) {
        m_targets->RemoveTarget(target);
        ResetTargetResults(target, true);
    } else {
        ResetTargetResults(target, false);
    }
}

void BOMOptMgr::Reset(int mode)
{
    m_topLevelBOM->Clear();
    m_topLevelBOM->ResetCosts();
    // Emptied before the targets are reset: the kept pinned layouts count
    // their sheets again.
    m_pinnedUsage.Clear();
    if (mode != OptTargetsMgr::DropAllKeepNumbering)
        GetDiagramIndex().Clear();
    m_targets->Reset(mode, m_pinnedUsage);
}

void BOMOptMgr::AddParts(const PartList& parts)
{
    for (CMilledPart* part : parts)
        AddPart(part);
}

void BOMOptMgr::RebuildFromParts(const PartList& parts)
{
    m_projectLocked = false;
    Reset(OptTargetsMgr::KeepPinned);
    AddParts(parts);
}

void BOMOptMgr::ResetResults(bool keepNumbering)
{
    Reset(keepNumbering ? OptTargetsMgr::DropAllKeepNumbering : OptTargetsMgr::DropAll);
}

void BOMOptMgr::RestoreTargetsAfterLoad(bool keepParts)
{
    m_targets->RestoreAfterLoad(m_pinnedUsage, keepParts);
}

void BOMOptMgr::InvalidatePartTarget(CMilledPart* part)
{
    if (!part)
        return;
    const OptimizationTargetPtr target = m_targets->FindOrCreateTargetForPart(*part, m_pinnedUsage);
    if (!target)
        return;
    target->SetOptimized(false);
    ResetTargetResults(target, false);
}

void BOMOptMgr::RegroupParts(const PartList& parts)
{
    for (CMilledPart* part : parts) {
        if (m_targets->IsPartInItsTarget(*part))
            continue;
        RemovePart(part);
        AddPart(part);
    }
}

void BOMOptMgr::CollectPendingJobs(std::uint32_t request, OptTargetList& out)
{
    const std::size_t first = out.size();
    m_targets->CollectPendingTargets(request, out);
    for (std::size_t i = first; i < out.size(); ++i)
        MaterialBOMFor(*out[i]);
}

bool BOMOptMgr::IsFullyOptimized() const
{
    const int count = static_cast<int>(m_topLevelBOM->GetCount());
    for (int i = 0; i < count; ++i)
        if (const MaterialBOMPtr bom = m_topLevelBOM->GetMaterialBOM(i); bom && !bom->IsFullyOptimized())
            return false;
    return true;
}

void BOMOptMgr::RefreshBOM()
{
    m_topLevelBOM->RecomputeTotals();
}

void BOMOptMgr::UpdateMaterialBOMs(bool apply, bool value)
{
    if (apply)
        m_topLevelBOM->SetAnnotationFlag(value);
}

bool BOMOptMgr::QueryMaterialBOMs(bool firstCopyOnly) const
{
    return m_topLevelBOM->HasStackWithFlag0(firstCopyOnly);
}

void BOMOptMgr::GetAllDiagrams(StackList& out) const
{
    m_topLevelBOM->CollectStacks(out);
}

void BOMOptMgr::UpdateMaterialInBOM(const std::shared_ptr<DomainUpdateInfo>& info)
{
    m_topLevelBOM->ApplySawSetupStyle(info);
}

void BOMOptMgr::ResetAffectedTargets(const std::shared_ptr<DomainUpdateInfo>& info)
{
    m_topLevelBOM->ResetAffectedTargets(info, m_pinnedUsage);
}

void BOMOptMgr::RemapReferences(const std::shared_ptr<IdentityMapper>& mapper)
{
    m_projectLocked = true;
    // Bills, their results and the targets move to the locked copies together,
    // so a stack's stock still finds its target afterwards.
    ResolveOptimizationStateReferences(mapper, *m_topLevelBOM, *m_targets);
    m_pinnedUsage.RemapReferences(mapper);
}

std::shared_ptr<IOptimizationMgr> BOMOptMgr::MakeOptimizationJob(
    const OptimizationTargetPtr& target, const IOptimizationDoc& document) const
{
    if (!target)
        return nullptr;
    const auto topLevel = GetTopLevelBOMForTarget(*target);
    const auto sink = topLevel ? std::dynamic_pointer_cast<IOptimizedMaterialBOM>(
                          topLevel->FindLineItemByName(target->GetMaterialName()))
                               : nullptr;
    if (!sink)
        return nullptr;
    return target->GetJobFactory()->CreateJob(sink, m_pinnedUsage, document);
}

void BOMOptMgr::RunOptimizationJob(IOptimizationMgr& job)
{
    job.Run();
}

void BOMOptMgr::Serialize(
    ArchiveWrapper& ar, std::uint8_t locked, const std::shared_ptr<IdentityMapper>& mapper)
{
    SerializeOptimizationState(ar, locked != 0, mapper, *m_topLevelBOM, *m_targets, m_pinnedUsage);
    m_projectLocked = locked != 0;
}

void BOMOptMgr::AfterOptimizationRun()
{
    GetDiagramIndex().ClearDiagrams();
    m_topLevelBOM->RegisterResultsForNumbering();
}

void BOMOptMgr::RefreshAfterManualEdit(std::shared_ptr<DomainUpdateInfo>)
{
    AfterOptimizationRun();
}

void BOMOptMgr::PinDiagram(const StackPtr& stack)
{
    stack->Pin(m_pinnedUsage);
    if (const OptimizationTargetPtr target = m_targets->FindTargetForStock(stack->GetStockSpec()))
        target->AddPinnedLayout(stack);
}

void BOMOptMgr::UnpinDiagram(const StackPtr& stack)
{
    stack->Unpin(m_pinnedUsage);
    if (const OptimizationTargetPtr target = m_targets->FindTargetForStock(stack->GetStockSpec()))
        target->RemovePinnedLayout(stack);
}

// Refreshing the stock alone would leave the old layouts in place: the
// document only optimizes when some bill holds pending results.
void BOMOptMgr::SendBackForOptimization(const OptimizationTargetPtr& target)
{
    if (m_projectLocked || !target)
        return;
    target->RefreshStock(m_pinnedUsage);
    ResetTargetResults(target, false);
}

void BOMOptMgr::RepinDiagramAndReoptimize(const StackPtr& stack)
{
    PinDiagram(stack);
    SendBackForOptimization(m_targets->FindTargetForStock(stack->GetStockSpec()));
}

void BOMOptMgr::UnpinDiagramAndReoptimize(const StackPtr& stack)
{
    UnpinDiagram(stack);
    SendBackForOptimization(m_targets->FindTargetForStock(stack->GetStockSpec()));
}

void BOMOptMgr::AddStackToResults(const StackPtr& stack)
{
    const OptimizationTargetPtr target = m_targets->FindTargetForStock(stack->GetStockSpec());
    if (!target)
        return;
    if (const MaterialBOMPtr bom = MaterialBOMFor(*target))
        bom->AddStackToTarget(stack, target);
    if (stack->IsPinned())
        target->AddPinnedLayout(stack);
}

void BOMOptMgr::RemoveStackFromResults(const StackPtr& stack)
{
    const OptimizationTargetPtr target = m_targets->FindTargetForStock(stack->GetStockSpec());
    if (!target)
        return;
    if (const MaterialBOMPtr bom = MaterialBOMFor(*target))
        bom->RemoveStackFromTarget(stack, target);
    if (stack->IsPinned())
        target->RemovePinnedLayout(stack);
}

OptimizedLineItemPtr BOMOptMgr::RemoveEmptyDiagram(
    const StackPtr& stack, std::uint32_t count, const OptimizationResultsPtr& results)
{
    if (stack->GetCount() != count) {
        stack->RemoveCopy();
        return nullptr;
    }
    const OptimizedLineItemPtr item = results->RemoveEmptyStack(stack);
    if (item && !item->HasLayouts())
        if (const OptimizationTargetPtr& target = results->GetTarget())
            if (const MaterialBOMPtr bom = MaterialBOMFor(*target))
                bom->RemoveLineItem(item);
    return item;
}

// The line tells the two removals apart: a whole stack left with its line, a
// single sheet left nothing.
void BOMOptMgr::RestoreEmptyDiagram(const StackPtr& stack, std::uint32_t count,
    const OptimizationResultsPtr& results, const OptimizedLineItemPtr& lineItem, int position)
{
    if (stack->GetCount() != count || !lineItem) {
        stack->AddCopy();
        return;
    }
    const OptimizedLineItemList& items = results->GetLineItems();
    const bool lineLeft = lineItem && std::find(items.begin(), items.end(), lineItem) == items.end();
    results->RestoreStack(stack, lineItem, position);
    if (lineLeft)
        if (const OptimizationTargetPtr& target = results->GetTarget())
            if (const MaterialBOMPtr bom = MaterialBOMFor(*target))
                bom->AddLineItem(lineItem);
}

void BOMOptMgr::GetPinnedStacksWithPart(const CMilledPart* part, StackList& out) const
{
    m_targets->GetPinnedStacksWithPart(part, out);
}

void BOMOptMgr::GetAllPinnedStacks(StackList& out) const
{
    m_targets->GetAllPinnedStacks(out);
}

void BOMOptMgr::GetPinnedStacksInScope(int scope, StackList& out) const
{
    m_targets->GetPinnedStacksInScope(scope, out);
}

void BOMOptMgr::GetPinnedStacksOfMaterial(const IOptimizableMaterial* material, StackList& out) const
{
    m_targets->GetPinnedStacksOfMaterial(material, out);
}

void BOMOptMgr::GetAllUnpinnedStacks(StackList& out) const
{
    StackList all;
    GetAllDiagrams(all);
    AppendUnpinned(all, out);
}

void BOMOptMgr::GetUnpinnedStacksInScope(int scope, StackList& out) const
{
    if (scope == 0)
        GetAllUnpinnedStacks(out);
}

void BOMOptMgr::GetUnpinnedStacksOfMaterial(const IOptimizableMaterial& material, StackList& out) const
{
    const auto topLevel = GetTopLevelBOMByKind(material.GetKind());
    const IMaterialData* data = material.AsMaterialData();
    if (!topLevel || !data)
        return;
    const auto bom
        = std::dynamic_pointer_cast<IOptimizedMaterialBOM>(topLevel->FindLineItemByName(data->GetName()));
    if (!bom)
        return;
    StackList stacks;
    bom->CollectStacks(stacks);
    AppendUnpinned(stacks, out);
}

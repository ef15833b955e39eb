#include "optimization/OptTargetsMgr.h"

#include "model/CMilledPart.h"
#include "model/IOptimizableMaterial.h"
#include "model/ThicknessBasedOptTarget.h"
#include "optimization/DiagramIndex.h"
#include "optimization/PinnedUsage.h"

#include <algorithm>

namespace {
constexpr int kSheetGoodKind = IOptimizableMaterial::kKindSheetGood;
} // namespace

std::shared_ptr<OptTargetCriteria> MakeCriteriaForPart(const CMilledPart& part)
{
    return part.CreateOptimizationTarget();
}

OptimizationTargetPtr MakeOptimizationTarget(std::shared_ptr<OptTargetCriteria> criteria, const PinnedUsage& usage)
{
    return std::make_shared<OptimizationTarget>(std::move(criteria), usage);
}

OptTargetsMgr::OptTargetsMgr()
    : m_targets(std::make_shared<OptTargets>())
{ }

template <class Visit> void OptTargetsMgr::ForEachTarget(Visit visit) const
{
    for (const auto& base : m_targets->GetTargetList())
        if (auto target = std::dynamic_pointer_cast<OptimizationTarget>(base))
            visit(target);
}

OptimizationTargetPtr OptTargetsMgr::FindOrCreateTargetForPart(const CMilledPart& part, const PinnedUsage& usage)
{
    return FindOrCreateTarget(MakeCriteriaForPart(part), usage);
}

OptimizationTargetPtr OptTargetsMgr::FindOrCreateTarget(const std::shared_ptr<OptTargetCriteria>& criteria,
                                                        const PinnedUsage& usage)
{
    if (!criteria || criteria->GetMaterialKind() != kSheetGoodKind)
        return nullptr;
    OptimizationTargetPtr found;
    ForEachTarget([&](const OptimizationTargetPtr& target) {
        if (!found && target->CriteriaEquals(criteria))
            found = target;
    });
    if (found)
        return found;
    OptimizationTargetPtr target = MakeOptimizationTarget(criteria, usage);
    m_targets->GetTargetListForEdit().push_back(target);
    PublishToDiagramIndex();
    return target;
}

OptimizationTargetPtr OptTargetsMgr::FindTargetOfPart(const CMilledPart* part) const
{
    OptimizationTargetPtr found;
    ForEachTarget([&](const OptimizationTargetPtr& target) {
        if (!found && target->ContainsPart(part))
            found = target;
    });
    return found;
}

bool OptTargetsMgr::IsPartInItsTarget(const CMilledPart& part) const
{
    const OptimizationTargetPtr current = FindTargetOfPart(&part);
    const std::shared_ptr<OptTargetCriteria> wanted = MakeCriteriaForPart(part);
    if (!current)
        return !wanted || wanted->GetMaterialKind() != kSheetGoodKind;
    return current->CriteriaEquals(wanted);
}

OptimizationTargetPtr OptTargetsMgr::FindTargetForStock(const StockSpec& stock) const
{
    if (stock.matType != 0)
        return nullptr;
    OptimizationTargetPtr found;
    ForEachTarget([&](const OptimizationTargetPtr& target) {
        if (!found && target->MatchesStock(stock))
            found = target;
    });
    return found;
}

void OptTargetsMgr::RemoveTarget(const std::shared_ptr<OptTargetBase>& target)
{
    const auto criteria = target ? target->GetCriteria() : nullptr;
    if (!criteria || criteria->GetMaterialKind() != kSheetGoodKind)
        return;
    std::erase_if(m_targets->GetTargetListForEdit(), [&criteria](const std::shared_ptr<OptTargetBase>& other) {
        const auto otherCriteria = other->GetCriteria();
        return otherCriteria && otherCriteria->Equals(criteria);
    });
    PublishToDiagramIndex();
}

void OptTargetsMgr::Reset(int mode, PinnedUsage& usage)
{
    OptTargetList& targets = m_targets->GetTargetListForEdit();
    if (mode == KeepPinned) {
        std::erase_if(targets, [](const std::shared_ptr<OptTargetBase>& target) { return !target->HasPinnedLayouts(); });
        ForEachTarget([&usage](const OptimizationTargetPtr& target) { target->ResetForReoptimization(usage, false); });
    } else {
        targets.clear();
    }
    if (mode != DropAllKeepNumbering)
        PublishToDiagramIndex();
}

void OptTargetsMgr::CollectPendingTargets(std::uint32_t request, OptTargetList& out) const
{
    if ((request & kCollectPendingTargets) == 0)
        return;
    for (const auto& target : m_targets->GetTargetList())
        if (!target->IsOptimized())
            out.push_back(target);
}

void OptTargetsMgr::RestoreAfterLoad(PinnedUsage& usage, bool keepParts)
{
    usage.Clear();
    ForEachTarget([&](const OptimizationTargetPtr& target) {
        if (target->HasPinnedLayouts())
            target->RestoreAfterLoad(usage, keepParts);
    });
    PublishToDiagramIndex();
}

void OptTargetsMgr::PublishToDiagramIndex() const
{
    GetDiagramIndex().AssignTargetLetters(m_targets->GetTargetList());
}

void OptTargetsMgr::AppendLoadedTarget(const OptimizationTargetPtr& target)
{
    m_targets->GetTargetListForEdit().push_back(target);
}

void OptTargetsMgr::GetPinnedStacksWithPart(const CMilledPart* part, StackList& out) const
{
    ForEachTarget([&](const OptimizationTargetPtr& target) {
        for (const StackPtr& stack : target->GetPinnedLayouts())
            if (StackShowsPart(part, *stack))
                out.push_back(stack);
    });
}

void OptTargetsMgr::GetAllPinnedStacks(StackList& out) const
{
    ForEachTarget([&](const OptimizationTargetPtr& target) {
        const StackList& pinned = target->GetPinnedLayouts();
        out.insert(out.end(), pinned.begin(), pinned.end());
    });
}

void OptTargetsMgr::GetPinnedStacksInScope(int scope, StackList& out) const
{
    if (scope == 0)
        GetAllPinnedStacks(out);
}

void OptTargetsMgr::GetPinnedStacksOfMaterial(const IOptimizableMaterial* material, StackList& out) const
{
    StackList all;
    GetAllPinnedStacks(all);
    for (const StackPtr& stack : all)
        if (stack->GetStockSpec().material.get() == material)
            out.push_back(stack);
}

#include "optimization/TopLevelBOM.h"

#include "optimization/DiagramIndex.h"

#include <algorithm>

template <class Visit> void IOptimizedTopLevelBOM::ForEachMaterialBOM(Visit visit) const
{
    const int count = static_cast<int>(GetCount());
    for (int i = 0; i < count; ++i)
        if (const MaterialBOMPtr bom = GetMaterialBOM(i))
            if (!visit(bom))
                return;
}

MaterialBOMPtr IOptimizedTopLevelBOM::GetMaterialBOMForTarget(const OptTargetBase& target)
{
    const QString name = target.GetMaterialName();
    MaterialBOMPtr found;
    ForEachMaterialBOM([&](const MaterialBOMPtr& bom) {
        if (bom->GetName() == name)
            found = bom;
        return !found;
    });
    if (found)
        return found;
    const MaterialBOMPtr made = target.CreateMaterialBOM();
    return made ? AddMaterialBOM(made) : nullptr;
}

void IOptimizedTopLevelBOM::SetAnnotationFlag(bool value)
{
    ForEachMaterialBOM([value](const MaterialBOMPtr& bom) {
        bom->SetAnnotationFlag(value);
        return true;
    });
}

bool IOptimizedTopLevelBOM::HasStackWithFlag0(bool firstCopyOnly) const
{
    bool found = false;
    ForEachMaterialBOM([&](const MaterialBOMPtr& bom) {
        found = bom->HasStackWithFlag0(firstCopyOnly);
        return !found;
    });
    return found;
}

void IOptimizedTopLevelBOM::CollectStacks(StackList& out) const
{
    ForEachMaterialBOM([&out](const MaterialBOMPtr& bom) {
        bom->CollectStacks(out);
        return true;
    });
}

void IOptimizedTopLevelBOM::ResetAffectedTargets(const std::shared_ptr<DomainUpdateInfo>& info, PinnedUsage& usage)
{
    ForEachMaterialBOM([&](const MaterialBOMPtr& bom) {
        bom->ResetAffectedTargets(info, usage);
        return true;
    });
}

void IOptimizedTopLevelBOM::ApplySawSetupStyle(const std::shared_ptr<DomainUpdateInfo>& info)
{
    ForEachMaterialBOM([&info](const MaterialBOMPtr& bom) {
        bom->ApplySawSetupStyle(info);
        return true;
    });
}

void IOptimizedTopLevelBOM::RegisterResultsForNumbering()
{
    DiagramIndex& index = GetDiagramIndex();
    ForEachMaterialBOM([&index](const MaterialBOMPtr& bom) {
        for (const OptimizationResultsPtr& entry : bom->GetResultsList())
            index.AddTargetResults(entry->GetTarget(), entry->GetStacks());
        return true;
    });
}

void SheetGoodsBOM::RemoveMaterialBOM(const MaterialBOMPtr& bom)
{
    std::erase_if(m_boms, [&bom](const std::shared_ptr<NamedSheetGoodBOM>& element) { return element == bom; });
}

MaterialBOMPtr SheetGoodsBOM::AddMaterialBOM(const MaterialBOMPtr& bom)
{
    auto named = std::dynamic_pointer_cast<NamedSheetGoodBOM>(bom);
    if (named)
        m_boms.push_back(named);
    return named;
}

void SheetGoodsBOM::SortByName()
{
    std::stable_sort(m_boms.begin(), m_boms.end(),
                     [](const auto& a, const auto& b) { return a->GetName() < b->GetName(); });
}

MaterialBOMPtr SheetGoodsBOM::GetMaterialBOM(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_boms.size())
        return nullptr;
    return m_boms[static_cast<std::size_t>(index)];
}

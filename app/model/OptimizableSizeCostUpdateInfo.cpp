#include "model/OptimizableSizeCostUpdateInfo.h"

#include "model/CSheetGoodEx.h"
#include "model/ISGSC.h"
#include "model/OptimizationTargetHooks.h"
#include "model/SizeCostCompare.h"

OptimizableSizeCostUpdateInfo::OptimizableSizeCostUpdateInfo(std::shared_ptr<CSheetGoodEx> material,
                                                             std::shared_ptr<ISGSC> row, std::int32_t kind)
    : m_kind(kind)
    , m_material(std::move(material))
    , m_flag1(true)
    , m_flag3(true)
{
    if (row)
        m_rows.push_back(std::move(row));
}

OptimizableSizeCostUpdateInfo::OptimizableSizeCostUpdateInfo(std::shared_ptr<CSheetGoodEx> material,
                                                             std::vector<std::shared_ptr<ISGSC>> rows,
                                                             std::int32_t kind)
    : m_kind(kind)
    , m_material(std::move(material))
    , m_rows(std::move(rows))
    , m_flag1(true)
    , m_flag3(true)
{
}

OptimizableSizeCostUpdateInfo::OptimizableSizeCostUpdateInfo(std::shared_ptr<CSheetGoodEx> material,
                                                             const std::shared_ptr<ISGSC>& first,
                                                             const std::shared_ptr<ISGSC>& second,
                                                             std::int32_t kind, bool flag1, bool flag2, bool flag3)
    : m_kind(kind)
    , m_material(std::move(material))
    , m_flag1(flag1)
    , m_flag2(flag2)
    , m_flag3(flag3)
{
    // The first state is copied: the row object itself changes on undo and redo.
    if (first)
        m_rows.push_back(first->CloneShared());
    if (second)
        m_rows.push_back(second);
}

bool OptimizableSizeCostUpdateInfo::AffectsTarget(std::shared_ptr<OptimizationTarget> target) const
{
    if (!target || !m_material)
        return false;
    const IOptimizableMaterial* material = m_material.get();
    const std::shared_ptr<OptTargetCriteria> criteria = GetTargetCriteria(*target);
    if (!criteria || GetCriteriaMaterial(*criteria) != material)
        return false;
    // Adding and removing a material's rows concern every target of the material.
    if (m_kind == 1 || m_kind == 3)
        return true;
    for (const std::shared_ptr<ISGSC>& row : m_rows) {
        if (row && IsTargetStockSize(material, *row, *target))
            return true;
    }
    return false;
}

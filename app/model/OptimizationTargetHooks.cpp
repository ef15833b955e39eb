#include "model/OptimizationTargetHooks.h"

namespace {

OptimizationTargetServices& Services()
{
    static OptimizationTargetServices services;
    return services;
}

} // namespace

void RegisterOptimizationTargetServices(OptimizationTargetServices services)
{
    Services() = std::move(services);
}

const OptimizationTargetServices& GetOptimizationTargetServices()
{
    return Services();
}

std::shared_ptr<OptTargetCriteria> CreateOptimizationTarget(const std::shared_ptr<IOptimizableMaterial>& material,
                                                            const CDimension& thickness)
{
    const auto& create = Services().createCriteria;
    return create ? create(material, thickness) : nullptr;
}

bool CriteriaAcceptsStockSize(const OptTargetCriteria& criteria, const ISGSC& row)
{
    const auto& accepts = Services().acceptsStockSize;
    return accepts ? accepts(criteria, row) : false;
}

const IOptimizableMaterial* GetCriteriaMaterial(const OptTargetCriteria& criteria)
{
    const auto& materialOf = Services().materialOf;
    return materialOf ? materialOf(criteria) : nullptr;
}

std::shared_ptr<OptTargetCriteria> GetTargetCriteria(const OptimizationTarget& target)
{
    const auto& criteriaOf = Services().criteriaOf;
    return criteriaOf ? criteriaOf(target) : nullptr;
}

std::shared_ptr<MaterialBOMBase> CreateMaterialBOM(const std::shared_ptr<CSheetGoodEx>& material)
{
    const auto& create = Services().createMaterialBOM;
    return create ? create(material) : nullptr;
}

std::shared_ptr<BOMLineItemBase> CreateBOMLineItemForRow(const std::shared_ptr<ISGSC>& row)
{
    const auto& create = Services().createLineItem;
    return create ? create(row) : nullptr;
}

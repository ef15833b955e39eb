#pragma once

#include <functional>
#include <memory>

class BOMLineItemBase;
class CDimension;
class CSheetGoodEx;
class IOptimizableMaterial;
class ISGSC;
class MaterialBOMBase;
class OptimizationTarget;
class OptTargetCriteria;

// The data model makes and asks optimization targets, which the optimization
// run defines above it. The run registers these services at start-up; until
// then targets are not made (empty pointers) and accept nothing.
struct OptimizationTargetServices
{
    // The criteria of a material at one thickness.
    std::function<std::shared_ptr<OptTargetCriteria>(const std::shared_ptr<IOptimizableMaterial>&,
                                                     const CDimension& thickness)>
        createCriteria;
    // The criteria's acceptance test for a stock-size row.
    std::function<bool(const OptTargetCriteria&, const ISGSC&)> acceptsStockSize;
    // The criteria of a target, and the material the criteria select.
    std::function<std::shared_ptr<OptTargetCriteria>(const OptimizationTarget&)> criteriaOf;
    std::function<const IOptimizableMaterial*(const OptTargetCriteria&)> materialOf;
    // The bill of materials of a sheet good, and the line of one of its rows.
    std::function<std::shared_ptr<MaterialBOMBase>(const std::shared_ptr<CSheetGoodEx>&)> createMaterialBOM;
    std::function<std::shared_ptr<BOMLineItemBase>(const std::shared_ptr<ISGSC>&)> createLineItem;
};

void RegisterOptimizationTargetServices(OptimizationTargetServices services);
const OptimizationTargetServices& GetOptimizationTargetServices();

std::shared_ptr<OptTargetCriteria> CreateOptimizationTarget(const std::shared_ptr<IOptimizableMaterial>& material,
                                                            const CDimension& thickness);
bool CriteriaAcceptsStockSize(const OptTargetCriteria& criteria, const ISGSC& row);
const IOptimizableMaterial* GetCriteriaMaterial(const OptTargetCriteria& criteria);
std::shared_ptr<OptTargetCriteria> GetTargetCriteria(const OptimizationTarget& target);
std::shared_ptr<MaterialBOMBase> CreateMaterialBOM(const std::shared_ptr<CSheetGoodEx>& material);
std::shared_ptr<BOMLineItemBase> CreateBOMLineItemForRow(const std::shared_ptr<ISGSC>& row);

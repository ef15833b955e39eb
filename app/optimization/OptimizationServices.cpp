#include "optimization/OptimizationServices.h"

#include "model/BOMBase.h"
#include "model/OptimizationTargetHooks.h"
#include "optimization/NamedSheetGoodBOM.h"
#include "optimization/OptimizationTarget.h"
#include "optimization/SGBOMLineItem.h"

void RegisterOptimizationServices()
{
    // The hooks record is replaced as a whole: keep the model's own fields.
    OptimizationTargetServices services = GetOptimizationTargetServices();
    services.criteriaOf = [](const OptimizationTarget& target) { return target.GetCriteria(); };
    services.createMaterialBOM = [](const std::shared_ptr<CSheetGoodEx>& material) -> std::shared_ptr<MaterialBOMBase> {
        return std::make_shared<NamedSheetGoodBOM>(material);
    };
    services.createLineItem = [](const std::shared_ptr<ISGSC>& row) -> BOMLineItemPtr {
        return std::make_shared<SGBOMLineItem>(row);
    };
    RegisterOptimizationTargetServices(std::move(services));
    RegisterBOMLineItemCreator(SGBOMLineItem::kTypeCode, [] { return std::make_shared<SGBOMLineItem>(); });
}

#include "optimization/OptimizationServices.h"

#include "model/OptimizationTargetHooks.h"
#include "optimization/OptimizationTarget.h"

void RegisterOptimizationServices()
{
    // The hooks record is replaced as a whole: keep the model's own fields.
    OptimizationTargetServices services = GetOptimizationTargetServices();
    services.criteriaOf = [](const OptimizationTarget& target) { return target.GetCriteria(); };
    RegisterOptimizationTargetServices(std::move(services));
}

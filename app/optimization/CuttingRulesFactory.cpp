#include "optimization/CuttingRulesFactory.h"

#include "model/CSawSetupEx.h"
#include "model/GrainInfo.h"
#include "model/IMaterialData.h"
#include "model/IOptimizableMaterial.h"

optimization::OptDim OptDimFromDimension(const CDimension& dimension)
{
    return optimization::OptDim::FromInternalRep(dimension.GetUnits());
}

optimization::CuttingRules MakeCuttingRules(const IOptimizableMaterial* material)
{
    const IMaterialData* data = material ? material->AsMaterialData() : nullptr;
    if (!data)
        return optimization::CuttingRules();
    const CSawSetupEx& saw = data->GetSawSetup();
    const int mode = saw.GetFirstCutMode();
    const auto firstCut = mode == 0   ? optimization::FirstCutNone
                          : mode == 1 ? optimization::FirstCutWithGrain
                                      : optimization::FirstCutAcrossGrain;
    return optimization::CuttingRules(OptDimFromDimension(saw.GetKerf()), firstCut, data->GetGrainInfo().GetHasGrain(),
                                      OptDimFromDimension(saw.GetPadding()),
                                      static_cast<optimization::GeometryStyle>(saw.GetLayoutStyle()));
}

#include "optimization/OptimizationStrings.h"

#include "foundation/ResourceBase.h"

namespace {

const StringResource g_optimizationStrings[] = {
    {kStrToBeDetermined, u"Misc_TBD_TBD"},
    {kStrSkipped, u"Kerfwell_Skipped_Skipped"},
};

} // namespace

std::span<const StringResource> OptimizationStringResources()
{
    return g_optimizationStrings;
}

QString OptimizationText(int id)
{
    return LoadUIString(id);
}

#pragma once
// The saw rules and lengths as the optimizer library takes them.

#include "foundation/CDimension.h"

#include <nestcore/CuttingRules.h>
#include <nestcore/OptDim.h>

class IOptimizableMaterial;

// The same count of 1/16384 inch: lengths cross to the library unrounded.
optimization::OptDim OptDimFromDimension(const CDimension& dimension);

// Kerf, first cut, grain, padding and preferred layout style of the
// material's saw setup; the library's defaults for a material without data.
optimization::CuttingRules MakeCuttingRules(const IOptimizableMaterial* material);

#pragma once
// Turns the optimizer's result layouts of one target into the target's
// identical-diagram stacks: one stack per group of identical sheets, with
// the parts as placed in every layout style the optimizer produced.
// Runs on the job's worker thread; everything it reads of the project is
// handed in, taken on the user-interface thread when the job was made.

#include "optimization/Diagram.h"
#include "optimization/DrawnPart.h"
#include "optimization/IdenticalDiagramStack.h"
#include "optimization/StockSpec.h"
#include "optimization/UsageStats.h"

#include <memory>
#include <vector>

class IOptimizableMaterial;

namespace optimization {
class ITopLevelLayout;
class PartProxy;
}

// What every new stack of one target starts from.
struct DiagramBuildInputs
{
    std::shared_ptr<IOptimizableMaterial> material;
    DrawnPartFlags initialFlags;
};

// The flags every copy of a new stack starts with: the material's choice of
// the fancy annotation style.
DrawnPartFlags MakeInitialDrawnPartFlags(const IOptimizableMaterial* material);

// One stack per master layout, in the optimizer's order; duplicates are
// counted in their master. The layouts stay the caller's.
void BuildDiagramStacks(const std::vector<optimization::ITopLevelLayout*>& layouts, const DiagramBuildInputs& inputs,
                        StackList& out);
StackPtr BuildDiagramStack(const optimization::ITopLevelLayout& layout, const DiagramBuildInputs& inputs);
// The material and its row whose optimizer handle the layout's stock holds.
StockSpec MakeStockSpec(const optimization::ITopLevelLayout& layout,
                        const std::shared_ptr<IOptimizableMaterial>& material);
// The drawn parts and cut statistics of styles 0 to 4 that the layout holds,
// moved from the trimmed sheet onto the rough sheet.
void BuildAltGeometries(const optimization::ITopLevelLayout& layout, const StockSpec& stock,
                        AltGeometries& geometries, GeoStatsList& stats);
GeometryBasedStats MakeGeometryBasedStats(const optimization::ITopLevelLayout& layout);
// The program's part behind a proxy. The proxy keeps it read-only, but it is
// one of the document's parts, which the run updates.
CMilledPart* PartOfProxy(const optimization::PartProxy* proxy);

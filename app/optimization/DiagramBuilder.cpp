#include "optimization/DiagramBuilder.h"

#include "model/IMaterialData.h"
#include "model/IOptimizableMaterial.h"
#include "model/ISGSC.h"

#include <nestcore/ITopLevelLayout.h>
#include <nestcore/PartProxy.h>
#include <nestcore/PlacedPart.h>
#include <nestcore/StockProxy.h>

#include <algorithm>

DrawnPartFlags MakeInitialDrawnPartFlags(const IOptimizableMaterial* material)
{
    const IMaterialData* data = material ? material->AsMaterialData() : nullptr;
    return DrawnPartFlags(false, false, data && data->UsesFancyAnnotation());
}

CMilledPart* PartOfProxy(const optimization::PartProxy* proxy)
{
    return proxy ? const_cast<CMilledPart*>(proxy->GetPart()) : nullptr;
}

void BuildDiagramStacks(const std::vector<optimization::ITopLevelLayout*>& layouts, const DiagramBuildInputs& inputs,
                        StackList& out)
{
    for (const optimization::ITopLevelLayout* layout : layouts) {
        if (layout && !layout->IsDuplicate())
            out.push_back(BuildDiagramStack(*layout, inputs));
    }
}

StackPtr BuildDiagramStack(const optimization::ITopLevelLayout& layout, const DiagramBuildInputs& inputs)
{
    StockSpec stock = MakeStockSpec(layout, inputs.material);
    auto geometries = std::make_shared<AltGeometries>();
    GeoStatsList stats;
    BuildAltGeometries(layout, stock, *geometries, stats);
    auto diagram = std::make_shared<Diagram>(std::move(stock), geometries, std::move(stats));
    const auto count = static_cast<std::uint32_t>(std::max(0, layout.GetDuplicateCount())) + 1;
    return std::make_shared<IdenticalDiagramStack>(diagram, count, inputs.initialFlags,
                                                   static_cast<int>(layout.GetGeometryStyle()));
}

StockSpec MakeStockSpec(const optimization::ITopLevelLayout& layout,
                        const std::shared_ptr<IOptimizableMaterial>& material)
{
    StockSpec stock;
    stock.material = material;
    const optimization::StockProxy* proxy = layout.GetStockProxy();
    if (material && proxy)
        stock.size = material->FindSizeCost(proxy->GetSize());
    stock.matType = 0;
    return stock;
}

void BuildAltGeometries(const optimization::ITopLevelLayout& layout, const StockSpec& stock,
                        AltGeometries& geometries, GeoStatsList& stats)
{
    // The optimizer places parts on the trimmed sheet; diagrams are drawn on
    // the rough one.
    const std::int32_t dx = stock.size ? stock.GetLeftRightTrim().GetUnits() : 0;
    const std::int32_t dy = stock.size ? stock.GetTopBottomTrim().GetUnits() : 0;
    for (int style = optimization::StandardLayout; style <= optimization::MaxBottomOffCut; ++style) {
        const auto key = static_cast<optimization::GeometryStyle>(style);
        if (!layout.HasStyleLayout(key))
            continue;
        const std::unique_ptr<optimization::ITopLevelLayout> geometry(layout.GetStyleLayout(key));
        if (!geometry)
            continue;
        DrawnPartList parts;
        for (const optimization::PlacedPart* placed : geometry->GetPlacedParts()) {
            const optimization::OptRect& r = placed->GetRect();
            parts.push_back(std::make_shared<DrawnPart>(PartOfProxy(placed->GetPartProxy()), placed->IsRotated(),
                                                        platform::Rect(r.left + dx, r.top + dy, r.right + dx,
                                                                       r.bottom + dy)));
        }
        geometries[style] = std::move(parts);
        stats[style] = MakeGeometryBasedStats(*geometry);
    }
}

GeometryBasedStats MakeGeometryBasedStats(const optimization::ITopLevelLayout& layout)
{
    const std::int32_t cutsPadded = layout.GetNumberOfCuts(true);
    const double lengthPadded = layout.GetCutLengthInches(true);
    const std::int32_t cuts = layout.GetNumberOfCuts(false);
    const double length = layout.GetCutLengthInches(false);
    return GeometryBasedStats(static_cast<std::uint32_t>(std::max(0, cutsPadded)), lengthPadded,
                              static_cast<std::uint32_t>(std::max(0, cuts)), length);
}

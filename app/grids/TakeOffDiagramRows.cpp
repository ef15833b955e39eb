#include "grids/TakeOffDiagramRows.h"

#include <algorithm>

void CollectTakeOffDiagramRows(
    const DisplayDiagram& diagram, TakeOffRows& rows, std::vector<std::unique_ptr<TAKEOFFITEM>>& items)
{
    for (const DrawnPartPtr& drawn : GetCurrentParts(diagram)) {
        if (!drawn || !drawn->GetPart())
            continue;
        const std::int32_t turned = drawn->IsRotated() ? 1 : 0;
        const auto listed = std::find_if(rows.begin(), rows.end(),
            [&](const TAKEOFFITEM* row) { return row->part == drawn->GetPart() && row->turned == turned; });
        if (listed != rows.end()) {
            ++(*listed)->copies;
            continue;
        }
        items.push_back(std::make_unique<TAKEOFFITEM>(TAKEOFFITEM { drawn->GetPart(), 1, turned }));
        rows.push_back(items.back().get());
    }
}

#include "grids/TakeOffDiagramRows.h"

void CollectTakeOffDiagramRows(
    const DisplayDiagram& diagram, TakeOffRows& rows, std::vector<std::unique_ptr<TAKEOFFITEM>>& items)
{
    DrawnPartTallyList tally;
    TallyDrawnParts(GetCurrentParts(diagram), tally);
    for (const DrawnPartTally& entry : tally) {
        if (!entry.part)
            continue;
        items.push_back(
            std::make_unique<TAKEOFFITEM>(TAKEOFFITEM { entry.part, entry.count, entry.rotated ? 1 : 0 }));
        rows.push_back(items.back().get());
    }
}

#pragma once
// The rows of a diagram's take-off list, as the layouts page shows them for
// the selected diagram and as the printed take-off lists print them.

#include "grids/CTakeOffGDM.h"

#include <memory>
#include <vector>

// One row per part and orientation lying on the diagram, counting its
// copies that way; the rows are appended to rows and owned by items.
void CollectTakeOffDiagramRows(
    const DisplayDiagram& diagram, TakeOffRows& rows, std::vector<std::unique_ptr<TAKEOFFITEM>>& items);

#pragma once
// Putting parts into the cutting tree: a part into a free region (which
// splits the owner node by guillotine cuts), an equal-dimension group as a
// strip, and the first block of a sheet that keeps an off-cut.

#include "CFreeRectangle.h"

#include <memory>
#include <vector>

namespace optimization {

class OptLayout;
class OptTopLevelLayout;
class PartProxy;

// Inserts `part` at `rect` (evaluated by FitPart); answers the node where
// the work goes on.
OptLayout* InsertPart(CFreeRectangle& rect, const PartProxy* part);

// Lays the group held by `rect` (its strip evaluation) as one strip; each
// member's fit count tells how many of its copies go in. Answers the copies
// laid, in order (fewer than asked when the strip found no further room).
std::vector<const PartProxy*> LayGroup(CFreeRectangle& rect);

// Installs `region` as the sheet's first block and keeps the strip beside it
// (offCutDirection 1: across the width; 2: beyond it along the length) as
// an empty off-cut, unless the stock's first-cut rule decides otherwise.
void InstallFirstBlockWithOffCut(OptTopLevelLayout& sheet, std::unique_ptr<OptLayout> region,
                                 std::int32_t offCutDirection);

// Resets the evaluation of every region of the sheet's list.
void ResetRegionEvaluation(OptTopLevelLayout& sheet);

} // namespace optimization

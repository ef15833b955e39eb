#pragma once
// Gather isolated copies: part by part, largest first, the copies that stand
// alone on their sheets (sharing neither a row nor a column with another copy
// of the part), and then the pairs that stand alone together, move onto other
// sheets where the part already stands or has room; the sheets that gave and
// took copies are rebuilt. It works on copies of the layout set and replaces
// the running set only at the end, so a cancel leaves the set as it was.
//
// Reads the part trackers, the stock comparer (sheet arrangement, off-cuts
// first, unit-area flag) and the stock's kerf.

#include <cstdint>
#include <vector>

namespace optimization {

class OptTopLevelLayout;
class ParallelOptimizer;
class PartProxy;
class PlacedPart;

struct IsolatedCopies {
    std::int32_t singles = 0; // c1: alone in their row and in their column
    std::int32_t pairs = 0;   // c2: runs of two joined copies, both alone across
    std::vector<const PlacedPart*> singleCopies;
    std::vector<const PlacedPart*> pairMembers;
};

IsolatedCopies CountIsolatedCopies(const OptTopLevelLayout& sheet, const PartProxy* part);

// 0 without a free region; else the copies of the part on the sheet plus the
// grid count of the part in the sheet's largest free region.
std::int64_t PartRoom(const OptTopLevelLayout& sheet, const PartProxy* part);

// Takes the listed copies out of the sheet (isolated ones first where the
// sheet holds more copies of a part than are to go) and re-lays it.
void RemoveCopies(OptTopLevelLayout& sheet, std::vector<const PartProxy*> copies);

void GatherIsolatedCopies(ParallelOptimizer& optimizer);

} // namespace optimization

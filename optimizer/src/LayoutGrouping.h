#pragma once
// Groups identical sheets: same stock, same root size (within 2 counts) and
// the same multiset of parts, whatever their arrangement. A duplicate links
// to its master, which counts its duplicates and shares its style map.

namespace optimization {

class CLayoutSet;
class OptTopLevelLayout;

void GroupIdenticalSheets(CLayoutSet& set);
// Takes `sheet` out of its group before it changes; with `regroup` it then
// joins the first identical sheet of the set, if any.
void TakeOutOfGroup(OptTopLevelLayout& sheet, CLayoutSet& set, bool regroup);

} // namespace optimization

#pragma once
// Putting two sheets of the same size onto one sheet of a stock twice as
// large: the combine attempt, used when a creator commits a sheet and when
// a pass empties sheets, and the join of two whole cutting trees end to end
// when the parts do not go onto the double sheet one by one.
//
// Reads the run's stock trackers (only usable stocks qualify), the kerf of
// the job's rules, the stock comparer's combine preferences and kind, and
// the layouts comparer's combine comparison.

#include <memory>

namespace optimization {

class OptTopLevelLayout;
class ParallelOptimizer;

// Tries to replace `sheet` (not in the set, or taken out of it by the
// caller) and its partner (the first other master or single sheet of the
// running set with the same root size) by one combined sheet. On success
// the partner is gone from the set, its stock counts one sheet fewer, the
// old sheet is deleted and `sheet` holds the combined one; the caller
// counts the combined sheet's stock use. `flag` is clear in every call of
// the library.
bool CombineSheetPair(ParallelOptimizer& optimizer, std::unique_ptr<OptTopLevelLayout>& sheet, bool flag);

// Builds the empty sheet `combined` from the trees of `x` and `y` laid end to
// end one kerf apart: along the length when alongLength (d = 1), else along
// the width. The sheet whose content reaches less far goes first (y on a
// tie). False, with nothing moved, when the combined sheet's fixed cut
// direction disagrees or the two do not fit; on success both sheets are
// left without children.
bool JoinSideBySide(
    bool alongLength, OptTopLevelLayout& combined, OptTopLevelLayout& x, OptTopLevelLayout& y);

} // namespace optimization

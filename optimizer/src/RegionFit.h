#pragma once
// Fitting a part into a free region and choosing between two regions.
// The remainder test decides whether a block leaves room beside it; the fit
// test scores a part in a region; the preference picks the better of two
// evaluated regions for the same part.

#include "CFreeRectangle.h"

#include <cstdint>

namespace optimization {

class OptLayout;
class PartProxy;
class StockProxy;

struct RemainderResult {
    bool passes = false;
    OptDim width;
    OptDim length;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Room beside node's block for cut direction `direction`, with the block in
// orientation `blockOrientation`, on side 1 (length remainder) or 2 (width
// remainder). The strict form also refuses slivers no wider than twice the
// part padding.
RemainderResult RemainderTest(const OptLayout& node, std::int32_t direction,
                              std::int32_t blockOrientation, std::int32_t side, bool strict);

// Fits `part` into `rect` and records the chosen orientation, value, flags
// word and the block marks on it. False when the part fits neither way.
// With `onlyOrientation` 0 or 1 the part is tried lying that way alone
// (a strip lays each copy as its group says).
bool FitPart(CFreeRectangle& rect, const PartProxy& part, std::int32_t onlyOrientation = -1);

// True when a copy of `part` fits an empty sheet of `stock` (no free region
// of a sheet is larger than its trimmed size).
bool FitsStock(const PartProxy& part, const StockProxy& stock);

// Copies that fit as a grid in the better orientation (0 when none fits).
std::uint32_t GridCount(const CFreeRectangle& rect, const PartProxy& part);

// True when `candidate` is preferred to `best` (both evaluated for the
// same part); on a tie the best stays.
bool IsPreferred(const CFreeRectangle& candidate, const CFreeRectangle& best);

} // namespace optimization

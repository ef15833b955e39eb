#pragma once
// Why copies of a part stay unplaced; the numbering is shared with the program.

#include <cstdint>

namespace optimization {

enum SkipReason : std::int32_t {
    SkipNone = 0,
    SkipUndetermined = 1,
    SkipNoMaterial = 2,
    SkipNoStockSize = 3,
    SkipNoStockThickness = 4,
    SkipNoStockWideLongEnough = 5,
    SkipExcluded = 6,
    SkipNotEnoughInventory = 7,
    SkipManualEdit = 8,
};

} // namespace optimization

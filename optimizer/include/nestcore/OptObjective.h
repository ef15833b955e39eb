#pragma once
// Which goal the run puts first.

#include <cstdint>

namespace optimization {

enum OptObjective_t : std::int32_t {
    StockSelectionPrimary = 0,
    PartDistributionPrimary = 1,
};

} // namespace optimization

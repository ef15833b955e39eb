#pragma once
// How many sheets of one stock size a run may use.

#include <nestcore_export.h>

#include <cstdint>

namespace optimization {

struct NESTCORE_EXPORT InitialInventory {
    bool unlimited = false;         // the size has no inventory count
    std::uint32_t available = 0;    // sheets the run may use; 0 when unlimited
    bool usableBeyondCount = false; // may still be used once the count is spent
    bool offCut = false;            // an off-cut of earlier work
};

} // namespace optimization

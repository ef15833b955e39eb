#pragma once
// One part as the optimizer sees it.

#include <nestcore/OptDim.h>
#include <nestcore_export.h>

#include <cstdint>

namespace optimization {

// How a part may lie on the sheet.
enum PartOrientation : std::int32_t {
    OrientationFree = 0,     // either way
    OrientationAsGiven = 1,  // never turned
    OrientationTurnedOnly = 2, // only turned by 90 degrees
};

struct NESTCORE_EXPORT PartDescriptor {
    PartDescriptor();

    std::int32_t partNumber = 0;
    std::uint32_t copies = 0;
    OptDim width;
    OptDim length;
    std::uint8_t excluded = 0;     // non-zero: every copy is skipped (reason 6)
    std::int64_t areaCounts = 0;   // encoded width times encoded length
    std::int32_t orientation = OrientationFree;
    double paddedArea = 0.0;       // square inches, (width + kerf) * (length + kerf)
    double area = 0.0;             // square inches
    OptDim furtherLength;          // the program fills it with the width
};

} // namespace optimization

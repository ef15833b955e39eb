#pragma once
// A target shared by the tests of the seeding passes: a mixed carcass.

#include "RunFixture.h"

#include <vector>

namespace optimization::testing {

// 50 copies of ten carcass parts on 48 x 96 inch sheets.
inline OptFactoryArgs CarcassArgs(double kerf = 0.125)
{
    const CuttingRules rules = Rules(kerf);
    const double sizes[10][2] = { { 23.25, 30 }, { 23.25, 34.5 }, { 11.75, 22.5 }, { 15.5, 22.5 }, { 4, 30 },
        { 3.5, 22.5 }, { 17.25, 29.25 }, { 8, 40 }, { 12, 12 }, { 20, 45 } };
    const std::uint32_t copies[10] = { 6, 4, 8, 6, 5, 7, 4, 3, 5, 2 };
    std::vector<std::shared_ptr<PartProxy>> parts;
    for (int i = 0; i < 10; ++i)
        parts.push_back(Part(i + 1, sizes[i][0], sizes[i][1], copies[i], OrientationFree, kerf));
    return Args({ Stock(48, 96, 62.5, Unlimited(), rules) }, parts, rules);
}

} // namespace optimization::testing

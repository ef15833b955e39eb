#pragma once
// The tolerance and the sentinel shared by the comparisons of areas, costs
// and wastes, and the three-way answer they give: -1 when the first value
// is the better one, 1 when the second is, 0 when they are the same.

#include <cstdint>

namespace optimization {

// Areas (square inches), costs and waste fractions closer than this are equal.
constexpr double kAreaEpsilon = 0.00001;
// The cost per placed area of a sheet or set on which nothing is placed.
constexpr double kEmptySheetCost = 2147483647.0;

inline std::int32_t LowerWins(double a, double b)
{
    if (a < b - kAreaEpsilon)
        return -1;
    if (b < a - kAreaEpsilon)
        return 1;
    return 0;
}

// Exact comparison for counts: the larger one wins.
template <typename T>
std::int32_t LargerWins(T a, T b)
{
    if (a > b)
        return -1;
    if (b > a)
        return 1;
    return 0;
}

} // namespace optimization

#pragma once
// A length of the optimizer: a fixed-point count of 1/16384 inch with the
// inches computed on demand. All arithmetic happens on the counts; two
// lengths within 2 counts of each other are the same length.

#include <nestcore_export.h>

#include <boost/operators.hpp>

#include <cstdint>
#include <string>

namespace optimization {

class NESTCORE_EXPORT OptDim
    : boost::totally_ordered<OptDim, boost::additive<OptDim>>
{
public:
    static constexpr std::int32_t DIM_SCALE_FACTOR = 16384;
    static constexpr std::int32_t INTERNAL_EPSILON = 2;
    static constexpr double DIM_EPSILON = 1.0 / 16384.0;
    static constexpr double MAX_INCHES = 12000.0;
    static const OptDim Zero;

    OptDim();

    static OptDim FromInches(double inches);
    static OptDim FromInternalRep(std::int32_t counts);

    double GetInches() const;
    std::int32_t ToEncodedInt() const { return m_counts; }

    // Tolerant comparisons: equal within 2 counts, smaller only by more
    // than 2 counts. Not a strict weak order: never sort or key by them.
    bool operator==(const OptDim& other) const;
    bool operator<(const OptDim& other) const;

    OptDim& operator+=(const OptDim& other);
    OptDim& operator-=(const OptDim& other);
    OptDim operator*(std::uint32_t factor) const;
    OptDim operator/(std::int32_t divisor) const;

    bool IsNonNegative() const;
    std::string GetString() const;

private:
    OptDim(double inches, std::int32_t counts, bool cacheValid);
    static std::int32_t MakenValue(double inches);
    static double MakedValue(std::int32_t counts);

    std::int32_t m_counts;
    mutable double m_inches;
    mutable bool m_cacheValid;
};

// Exact order on the counts, for sorting and map keys.
struct OptDimExactLess {
    bool operator()(const OptDim& a, const OptDim& b) const
    {
        return a.ToEncodedInt() < b.ToEncodedInt();
    }
};

} // namespace optimization

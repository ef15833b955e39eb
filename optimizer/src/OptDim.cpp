#include <nestcore/OptDim.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace optimization {

const OptDim OptDim::Zero;

namespace {

std::int32_t ClampToCounts(double counts)
{
    // Out-of-range or NaN input must not become undefined behaviour in the
    // conversion; the caller gets the nearest representable length.
    if (std::isnan(counts))
        return 0;
    if (counts >= double(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (counts <= double(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(counts);
}

std::int32_t ClampToCounts(std::int64_t counts)
{
    if (counts > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (counts < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(counts);
}

} // namespace

OptDim::OptDim() : m_counts(0), m_inches(0.0), m_cacheValid(true) {}

OptDim::OptDim(double inches, std::int32_t counts, bool cacheValid)
    : m_counts(counts), m_inches(inches), m_cacheValid(cacheValid)
{
}

std::int32_t OptDim::MakenValue(double inches)
{
    // The half is added before truncation toward zero, also for negatives.
    return ClampToCounts(inches * DIM_SCALE_FACTOR + 0.5);
}

double OptDim::MakedValue(std::int32_t counts)
{
    return double(counts) / DIM_SCALE_FACTOR;
}

OptDim OptDim::FromInches(double inches)
{
    return OptDim(inches, MakenValue(inches), true);
}

OptDim OptDim::FromInternalRep(std::int32_t counts)
{
    return OptDim(0.0, counts, false);
}

double OptDim::GetInches() const
{
    if (!m_cacheValid) {
        m_inches = MakedValue(m_counts);
        m_cacheValid = true;
    }
    return m_inches;
}

bool OptDim::operator==(const OptDim& other) const
{
    return std::llabs(std::int64_t(m_counts) - other.m_counts) <= INTERNAL_EPSILON;
}

bool OptDim::operator<(const OptDim& other) const
{
    return std::int64_t(m_counts) + INTERNAL_EPSILON < other.m_counts;
}

OptDim& OptDim::operator+=(const OptDim& other)
{
    m_counts = ClampToCounts(std::int64_t(m_counts) + other.m_counts);
    m_cacheValid = false;
    return *this;
}

OptDim& OptDim::operator-=(const OptDim& other)
{
    m_counts = ClampToCounts(std::int64_t(m_counts) - other.m_counts);
    m_cacheValid = false;
    return *this;
}

OptDim OptDim::operator*(std::uint32_t factor) const
{
    if (factor > 2147483647u)
        return *this;
    return OptDim(0.0, ClampToCounts(std::int64_t(m_counts) * factor), false);
}

OptDim OptDim::operator/(std::int32_t divisor) const
{
    // A zero divisor leaves the length as it is rather than trapping.
    if (divisor == 0)
        return OptDim(0.0, m_counts, false);
    return OptDim(0.0, ClampToCounts(std::int64_t(m_counts) / divisor), false);
}

bool OptDim::IsNonNegative() const
{
    return std::int64_t(m_counts) + INTERNAL_EPSILON >= 0;
}

std::string OptDim::GetString() const
{
    char text[64];
    std::snprintf(text, sizeof text, "%f", GetInches());
    return text;
}

} // namespace optimization

#include <platform/Currency.h>

namespace platform {

Currency Currency::fromParts(std::int64_t whole, std::int64_t fraction)
{
    std::int64_t scaled = 0;
    std::int64_t count = 0;
    if (__builtin_mul_overflow(whole, UnitsPerWhole, &scaled)
        || __builtin_add_overflow(scaled, fraction, &count))
        return Currency(0, Invalid);
    return Currency(count, Valid);
}

Currency Currency::operator+(const Currency& other) const
{
    if (!isValid() || !other.isValid())
        return Currency(0, Invalid);
    std::int64_t sum = 0;
    if (__builtin_add_overflow(m_count, other.m_count, &sum))
        return Currency(0, Invalid);
    return Currency(sum, Valid);
}

} // namespace platform

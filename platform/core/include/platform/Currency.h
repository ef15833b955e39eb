#pragma once

#include <cstdint>

namespace platform {

// A currency amount: a signed 64-bit count of 1/10000 units with a validity
// status, stored as the status, then the high and the low 32 bits of the count.
class Currency
{
public:
    enum Status : std::int32_t { Valid = 0, Invalid = 1, Null = 2 };

    static constexpr std::int64_t UnitsPerWhole = 10000;

    constexpr Currency() = default;
    constexpr explicit Currency(std::int64_t count, Status status = Valid)
        : m_count(count)
        , m_status(status)
    { }

    // whole units plus a fraction in 1/10000; an amount out of range leaves
    // the value invalid.
    static Currency fromParts(std::int64_t whole, std::int64_t fraction);

    std::int64_t count() const { return m_count; }
    Status status() const { return m_status; }
    bool isValid() const { return m_status == Valid; }
    void setCount(std::int64_t count)
    {
        m_count = count;
        m_status = Valid;
    }
    void setStatus(Status status) { m_status = status; }

    double asReal() const { return static_cast<double>(m_count) / UnitsPerWhole; }

    // Sums of two valid amounts; an overflow or an invalid operand gives an
    // invalid result instead of a wrapped count.
    Currency operator+(const Currency& other) const;
    Currency& operator+=(const Currency& other) { return *this = *this + other; }

    friend bool operator==(const Currency&, const Currency&) = default;

private:
    std::int64_t m_count = 0;
    Status m_status = Valid;
};

} // namespace platform

#pragma once
// Where a proxy stands in the factory's vectors. Maps and sorts of a run are
// ordered by this position, never by the proxies' addresses, so that a run
// gives the same result every time and with any number of threads.

#include <nestcore_export.h>

#include <cstdint>

namespace optimization {

class NESTCORE_EXPORT ProxyPosition
{
public:
    // A new proxy ranks after every proxy made before it, until the factory
    // gives it its place in the vectors.
    ProxyPosition();
    ProxyPosition(const ProxyPosition& other);
    ProxyPosition& operator=(const ProxyPosition& other);

    std::uint64_t GetPosition() const { return m_position; }
    void SetPosition(std::uint64_t position) { m_position = position; }

    // Strict order: by position, then by creation.
    bool RanksBefore(const ProxyPosition& other) const
    {
        if (m_position != other.m_position)
            return m_position < other.m_position;
        return m_serial < other.m_serial;
    }

private:
    std::uint64_t m_position;
    std::uint64_t m_serial; // unique per object, never copied
};

} // namespace optimization

#pragma once

#include <cstdint>

class ArchiveWrapper;

// Matches a material or stock size across the library and stored projects:
// the time it was made and a random word. A stamp whose random word is 0 is
// not set.
class UniqueStamp
{
public:
    UniqueStamp() = default;

    void Clear();
    bool IsEqual(const UniqueStamp& other) const;
    bool IsSet() const { return m_random != 0; }
    // Only a stamp that is not set gets a new value.
    void Generate();
    void Serialize(ArchiveWrapper& ar);

    std::int64_t GetTime() const { return m_time; }
    std::uint32_t GetRandom() const { return m_random; }

    bool operator==(const UniqueStamp& other) const { return IsEqual(other); }

private:
    std::int64_t m_time = 0; // seconds since 1970-01-01 UTC
    std::uint32_t m_random = 0;
};

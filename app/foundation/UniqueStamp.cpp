#include "foundation/UniqueStamp.h"

#include "foundation/ArchiveWrapper.h"

#include <platform/SecureRandom.h>

#include <ctime>

void UniqueStamp::Clear()
{
    m_time = 0;
    m_random = 0;
}

bool UniqueStamp::IsEqual(const UniqueStamp& other) const
{
    return m_time == other.m_time && m_random == other.m_random;
}

void UniqueStamp::Generate()
{
    if (IsSet())
        return;
    m_time = static_cast<std::int64_t>(std::time(nullptr));
    // A zero word would leave the stamp "not set" right after generating it.
    do {
        m_random = platform::SecureRandom32();
    } while (m_random == 0);
}

void UniqueStamp::Serialize(ArchiveWrapper& ar)
{
    if (ar.IsStoring()) {
        ar.Write(static_cast<std::uint64_t>(m_time));
        ar.Write(m_random);
    } else {
        std::uint64_t time = 0;
        ar.Read(time);
        ar.Read(m_random);
        m_time = static_cast<std::int64_t>(time);
    }
}

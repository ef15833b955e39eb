#include "foundation/SchemaVersion.h"

#include "foundation/ArchiveWrapper.h"

#include <platform/ArchiveError.h>

void ThrowBadSchema(const ArchiveWrapper& ar)
{
    throw platform::ArchiveError(platform::ArchiveError::BadSchema, ar.GetFilePath().toStdString());
}

std::uint32_t ReadOrThrowInRange(ArchiveWrapper& ar, std::uint32_t minimum, std::uint32_t maximum)
{
    std::int32_t stored = 0;
    ar.Read(stored);
    const auto version = static_cast<std::uint32_t>(stored);
    if (version < minimum || version > maximum)
        ThrowBadSchema(ar);
    return version;
}

std::uint32_t ReadOrThrow(ArchiveWrapper& ar, std::uint32_t maximum)
{
    return ReadOrThrowInRange(ar, 1, maximum);
}

std::uint32_t ReadOrThrowNonZero(ArchiveWrapper& ar)
{
    return ReadOrThrowInRange(ar, 1, 0xFFFFFFFFu);
}

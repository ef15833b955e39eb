#include "optimization/ArchiveRecords.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"
#include "model/SizeCostFactory.h"

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

void SerializeSchemaWord(ArchiveWrapper& ar, std::int32_t version)
{
    if (ar.IsStoring())
        ar.Write(version);
    else
        ReadOrThrowInRange(ar, static_cast<std::uint32_t>(version), static_cast<std::uint32_t>(version));
}

std::int32_t ReadListCount(ArchiveWrapper& ar, std::uint32_t itemBytes)
{
    std::int32_t count = 0;
    ar.Read(count);
    if (count < 0)
        ThrowBadSchema(ar);
    ar.GetArchive().requireBytes(static_cast<std::uint64_t>(count), itemBytes);
    return count;
}

std::uint32_t ReadUnsignedListCount(ArchiveWrapper& ar, std::uint32_t itemBytes)
{
    std::uint32_t count = 0;
    ar.Read(count);
    ar.GetArchive().requireBytes(count, itemBytes);
    return count;
}

void ThrowMissingObject(const ArchiveWrapper& ar)
{
    throw platform::ArchiveError(platform::ArchiveError::BadIndex, ar.GetFilePath().toStdString());
}

std::shared_ptr<IManagedIdentity> MakeSizeCostIdentity(std::uint32_t typeCode)
{
    return MakeSizeCostByTypeCode(typeCode);
}

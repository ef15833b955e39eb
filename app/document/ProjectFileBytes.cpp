#include "document/ProjectFileBytes.h"

#include "document/DocumentStrings.h"
#include "document/ProjectFile.h"
#include "foundation/RegularFileReader.h"
#include "model/ModelStrings.h"

#include <cerrno>
#include <cstring>
#include <new>

namespace {

QString SystemReason(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

ProjectFileBytes Refused(ProjectFileBytes::Outcome outcome, const QString& reason = QString())
{
    ProjectFileBytes result;
    result.outcome = outcome;
    result.reason = reason;
    return result;
}

} // namespace

ProjectFileBytes ReadProjectFileBytes(const QString& path)
{
    using Outcome = ProjectFileBytes::Outcome;
    RegularFileReader file(path, kMaxProjectFileBytes);
    switch (file.GetOutcome()) {
    case RegularFileReader::Outcome::Open:
        break;
    case RegularFileReader::Outcome::NotFound:
        return Refused(Outcome::NotFound);
    case RegularFileReader::Outcome::NotRegular:
        return Refused(Outcome::NotReadable, UiText(kStrNotARegularFile));
    case RegularFileReader::Outcome::TooLarge:
        return Refused(Outcome::NotReadable, UiText(kStrFileTooLarge).arg(kMaxProjectFileBytes >> 20));
    case RegularFileReader::Outcome::Failed:
        return Refused(Outcome::NotReadable, SystemReason(file.SystemError()));
    }

    std::uint8_t header[4] = {};
    if (file.Size() < qint64(sizeof header))
        return Refused(Outcome::NotProject);
    const qint64 headerSize = file.Read(header, sizeof header);
    if (headerSize < 0)
        return Refused(Outcome::NotReadable, SystemReason(errno));
    const std::uint32_t generation = std::uint32_t(header[0]) | std::uint32_t(header[1]) << 8
        | std::uint32_t(header[2]) << 16 | std::uint32_t(header[3]) << 24;
    if (headerSize < qint64(sizeof header) || generation <= kOldestRefusedGeneration)
        return Refused(Outcome::NotProject);

    ProjectFileBytes result;
    try {
        result.bytes.resize(static_cast<std::size_t>(file.Size()));
    } catch (const std::bad_alloc&) {
        return Refused(Outcome::NotReadable, SystemReason(ENOMEM));
    }
    std::memcpy(result.bytes.data(), header, sizeof header);
    const qint64 rest = file.Read(result.bytes.data() + sizeof header, file.Size() - qint64(sizeof header));
    if (rest < 0)
        return Refused(Outcome::NotReadable, SystemReason(errno));
    // A file cut shorter while it was read ends where it ends.
    result.bytes.resize(sizeof header + static_cast<std::size_t>(rest));
    result.outcome = Outcome::Read;
    return result;
}

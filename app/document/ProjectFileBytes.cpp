#include "document/ProjectFileBytes.h"

#include "document/DocumentStrings.h"
#include "document/ProjectFile.h"
#include "foundation/FileNames.h"
#include "model/ModelStrings.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString SystemReason(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// Reads up to size bytes; the count read, or -1 with errno set.
qint64 ReadUpTo(int fd, std::uint8_t* data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, data + done, static_cast<std::size_t>(size - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

class FileHandle
{
public:
    explicit FileHandle(int fd)
        : m_fd(fd)
    { }
    ~FileHandle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

ProjectFileBytes Refused(ProjectFileBytes::Outcome outcome, const QString& reason = QString())
{
    ProjectFileBytes result;
    result.outcome = outcome;
    result.reason = reason;
    return result;
}

// A file that is no regular file, or one too large, is refused by its
// status alone.
bool Acceptable(const struct stat& status, QString* reason)
{
    if (!S_ISREG(status.st_mode)) {
        *reason = UiText(kStrNotARegularFile);
        return false;
    }
    if (status.st_size > kMaxProjectFileBytes) {
        *reason = UiText(kStrFileTooLarge).arg(kMaxProjectFileBytes >> 20);
        return false;
    }
    return true;
}

} // namespace

ProjectFileBytes ReadProjectFileBytes(const QString& path)
{
    using Outcome = ProjectFileBytes::Outcome;
    const QByteArray name = EncodeFileName(path);
    QString reason;
    struct stat status
    {
    };
    if (name.isEmpty() || ::stat(name.constData(), &status) != 0)
        return (name.isEmpty() || errno == ENOENT || errno == ENOTDIR) ? Refused(Outcome::NotFound)
                                                                        : Refused(Outcome::NotReadable, SystemReason(errno));
    if (!Acceptable(status, &reason))
        return Refused(Outcome::NotReadable, reason);
    // Not blocking: should the name have become a pipe since, opening it
    // must not wait for a writer.
    const FileHandle file(::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0)
        return errno == ENOENT ? Refused(Outcome::NotFound) : Refused(Outcome::NotReadable, SystemReason(errno));
    if (::fstat(file.get(), &status) != 0)
        return Refused(Outcome::NotReadable, SystemReason(errno));
    if (!Acceptable(status, &reason))
        return Refused(Outcome::NotReadable, reason);

    std::uint8_t header[4] = {};
    if (status.st_size < qint64(sizeof header))
        return Refused(Outcome::NotProject);
    const qint64 headerSize = ReadUpTo(file.get(), header, sizeof header);
    if (headerSize < 0)
        return Refused(Outcome::NotReadable, SystemReason(errno));
    const std::uint32_t generation = std::uint32_t(header[0]) | std::uint32_t(header[1]) << 8
        | std::uint32_t(header[2]) << 16 | std::uint32_t(header[3]) << 24;
    if (headerSize < qint64(sizeof header) || generation <= kOldestRefusedGeneration)
        return Refused(Outcome::NotProject);

    ProjectFileBytes result;
    try {
        result.bytes.resize(static_cast<std::size_t>(status.st_size));
    } catch (const std::bad_alloc&) {
        return Refused(Outcome::NotReadable, SystemReason(ENOMEM));
    }
    std::memcpy(result.bytes.data(), header, sizeof header);
    const qint64 rest = ReadUpTo(file.get(), result.bytes.data() + sizeof header, status.st_size - qint64(sizeof header));
    if (rest < 0)
        return Refused(Outcome::NotReadable, SystemReason(errno));
    // A file cut shorter while it was read ends where it ends.
    result.bytes.resize(sizeof header + static_cast<std::size_t>(rest));
    result.outcome = Outcome::Read;
    return result;
}

#include "PosixFile_p.h"

#include <platform/SecureRandom.h>
#include <platform/Utf.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shareguard::detail {

std::string NativePath(const std::u16string& path)
{
    // The system would stop reading the path at a NUL and act on another file.
    if (path.find(u'\0') != std::u16string::npos)
        return {};
    return platform::ToUtf8(path);
}

FileHandle::~FileHandle()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileHandle::close()
{
    if (m_fd < 0)
        return false;
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
}

FileHandle OpenForWriting(const std::string& path, CreateMode mode)
{
    if (path.empty())
        return FileHandle();
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC;
    if (mode == CreateMode::CreateNew)
        flags |= O_EXCL;
    FileHandle file(::open(path.c_str(), flags, 0666));
    if (!file.valid())
        return file;
    // Truncate only once the file is ours: a reader holding it must not see
    // it emptied under its feet. A new file that cannot be made ready is
    // removed again, so that it never stands for data.
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0 || ::ftruncate(file.get(), 0) != 0) {
        if (mode == CreateMode::CreateNew)
            ::unlink(path.c_str());
        return FileHandle();
    }
    return file;
}

FileHandle OpenForReading(const std::string& path)
{
    if (path.empty())
        return FileHandle();
    FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid())
        return file;
    struct stat status
    {
    };
    if (::fstat(file.get(), &status) != 0 || S_ISDIR(status.st_mode))
        return FileHandle();
    if (::flock(file.get(), LOCK_SH | LOCK_NB) != 0)
        return FileHandle();
    return file;
}

bool WriteAll(int fd, const void* data, std::size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd, p, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool ReadAll(int fd, std::vector<std::uint8_t>& bytes)
{
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    FileHandle file = OpenForWriting(path, CreateMode::CreateOrTruncate);
    if (!file.valid())
        return false;
    const bool written = WriteAll(file.get(), bytes.data(), bytes.size());
    return file.close() && written;
}

namespace {

// A new file beside `path` for its data; its name is left in `tempPath`.
FileHandle CreateTempBeside(const std::string& path, std::string& tempPath)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = path + "." + std::to_string(::getpid()) + "-"
            + std::to_string(platform::SecureRandom32()) + ".new";
        FileHandle file(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.valid() || errno != EEXIST)
            return file;
    }
    return FileHandle();
}

// Removes an empty file left at `path` by a creator that died before writing
// its data (a creator of this library never leaves one; older ones did). The
// remover holds the file's lock while it checks that the name still refers
// to that very empty file, so that of several users clearing the debris at
// once only one removes it, and none removes a file that has data.
bool RemoveEmptyDebris(const std::string& path)
{
    FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid() || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0)
        return false;
    struct stat held
    {
    };
    struct stat named
    {
    };
    if (::fstat(file.get(), &held) != 0 || !S_ISREG(held.st_mode) || held.st_size != 0)
        return false;
    if (::stat(path.c_str(), &named) != 0 || named.st_dev != held.st_dev || named.st_ino != held.st_ino)
        return false;
    return ::unlink(path.c_str()) == 0;
}

bool HasNoHardLinks(int error)
{
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EXDEV;
}

} // namespace

std::optional<bool> CreateNewByLink(const std::string& path, const std::string& bytes)
{
    if (path.empty())
        return false;
    std::string tempPath;
    FileHandle temp = CreateTempBeside(path, tempPath);
    if (!temp.valid())
        return false;
    const bool written = WriteAll(temp.get(), bytes.data(), bytes.size()) && ::fsync(temp.get()) == 0;
    if (!(temp.close() && written)) {
        ::unlink(tempPath.c_str());
        return false;
    }
    int linked = ::link(tempPath.c_str(), path.c_str());
    int error = errno;
    if (linked != 0 && error == EEXIST && RemoveEmptyDebris(path)) {
        linked = ::link(tempPath.c_str(), path.c_str());
        error = errno;
    }
    ::unlink(tempPath.c_str());
    if (linked == 0)
        return true;
    if (HasNoHardLinks(error))
        return std::nullopt;
    return false;
}

bool RenameNoReplace(const std::string& from, const std::string& to)
{
    if (from.empty() || to.empty())
        return false;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // The file system cannot rename without replacing: a hard link fails
    // just as well when the target exists.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    if (::unlink(from.c_str()) != 0) {
        ::unlink(to.c_str());
        return false;
    }
    return true;
}

} // namespace shareguard::detail

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace shareguard::detail {

// File-system path of a UTF-16 path; empty (no file) for one holding a NUL.
std::string NativePath(const std::u16string& path);

// An open file descriptor, closed on destruction.
class FileHandle
{
public:
    explicit FileHandle(int fd = -1) noexcept
        : m_fd(fd)
    { }
    FileHandle(FileHandle&& other) noexcept
        : m_fd(other.m_fd)
    {
        other.m_fd = -1;
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes and reports whether the close succeeded (write errors may only
    // show here on network file systems).
    bool close();

private:
    int m_fd;
};

enum class CreateMode { CreateOrTruncate, CreateNew };
// Opens for writing. Another process holding the file through these helpers
// makes the open fail, as a file opened without sharing would.
FileHandle OpenForWriting(const std::string& path, CreateMode mode);
// Opens for reading while denying writers.
FileHandle OpenForReading(const std::string& path);

bool WriteAll(int fd, const void* data, std::size_t size);
bool ReadAll(int fd, std::vector<std::uint8_t>& bytes);

// Creates or truncates the file and writes the bytes; false on any error.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// Creates the file only when no file of that name exists: the bytes go to a
// temporary file beside it, which then gets the name by a hard link. The
// name thus never appears without its data, so an empty file under it is
// debris of a crash and is replaced. True or false when done; no answer when
// the file system has no hard links.
std::optional<bool> CreateNewByLink(const std::string& path, const std::string& bytes);

// Renames without ever replacing an existing target.
bool RenameNoReplace(const std::string& from, const std::string& to);

} // namespace shareguard::detail

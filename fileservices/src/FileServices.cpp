#include <shareguard/FileServices.h>
#include <shareguard/IFileServicesData.h>

#include "PosixFile_p.h"
#include "TextFile_p.h"

#include <platform/BinaryArchive.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace shareguard {

IFileServices::~IFileServices() = default;
IFileServicesData::~IFileServicesData() = default;

namespace fs = std::filesystem;
using namespace detail;

namespace {

bool StatPath(const std::u16string& path, struct stat& status)
{
    const std::string native = NativePath(path);
    return !native.empty() && ::stat(native.c_str(), &status) == 0;
}

// The stored bytes of the data; a store that throws touches no file.
std::string StoredBytes(const std::string& path, const IFileServicesData& data)
{
    std::ostringstream bytes;
    platform::BinaryArchive archive = platform::BinaryArchive::storing(bytes, path);
    data.Store(archive);
    archive.flush();
    return bytes.str();
}

bool CreateWithData(const std::u16string& path, const IFileServicesData& data, CreateMode mode)
{
    const std::string native = NativePath(path);
    const std::string bytes = StoredBytes(native, data);
    if (mode == CreateMode::CreateNew) {
        if (const std::optional<bool> linked = CreateNewByLink(native, bytes))
            return *linked;
    }
    FileHandle file = OpenForWriting(native, mode);
    if (!file.valid())
        return false;
    const bool written = WriteAll(file.get(), bytes.data(), bytes.size());
    const bool closed = file.close();
    // A new file that did not get all its data would pass for a valid one.
    if (!(written && closed) && mode == CreateMode::CreateNew)
        ::unlink(native.c_str());
    return written && closed;
}

} // namespace

bool FileServices::DoesFileExist(const std::u16string& path) const
{
    try {
        struct stat status
        {
        };
        return StatPath(path, status) && !S_ISDIR(status.st_mode);
    } catch (...) {
        return false;
    }
}

bool FileServices::GetLastModTime(const std::u16string& path, std::int64_t& time) const
{
    try {
        struct stat status
        {
        };
        if (!StatPath(path, status))
            return false;
        time = static_cast<std::int64_t>(status.st_mtim.tv_sec);
        return true;
    } catch (...) {
        return false;
    }
}

bool FileServices::CreateFileWithData(const std::u16string& path, const IFileServicesData& data) const
{
    try {
        return CreateWithData(path, data, CreateMode::CreateOrTruncate);
    } catch (...) {
        return false;
    }
}

bool FileServices::CreateNewFileWithData(const std::u16string& path, const IFileServicesData& data) const
{
    try {
        return CreateWithData(path, data, CreateMode::CreateNew);
    } catch (...) {
        return false;
    }
}

bool FileServices::ReadFileWithData(const std::u16string& path, IFileServicesData& data) const
{
    try {
        const std::string native = NativePath(path);
        FileHandle file = OpenForReading(native);
        if (!file.valid())
            return false;
        std::vector<std::uint8_t> bytes;
        if (!ReadAll(file.get(), bytes))
            return false;
        file.close();
        platform::BinaryArchive archive = platform::BinaryArchive::loading(std::move(bytes), native);
        data.Load(archive);
        return true;
    } catch (...) {
        return false;
    }
}

bool FileServices::Delete(const std::u16string& path) const
{
    try {
        const std::string native = NativePath(path);
        return !native.empty() && ::unlink(native.c_str()) == 0;
    } catch (...) {
        return false;
    }
}

bool FileServices::Copy(const std::u16string& source, const std::u16string& target) const
{
    try {
        const fs::path from(NativePath(source));
        const fs::path to(NativePath(target));
        std::error_code error;
        if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, error))
            return false;
        // The copy keeps the source's time, so that a copy of the latest
        // master counts as the latest version.
        const auto modified = fs::last_write_time(from, error);
        if (error)
            return false;
        fs::last_write_time(to, modified, error);
        return !error;
    } catch (...) {
        return false;
    }
}

bool FileServices::Rename(const std::u16string& oldPath, const std::u16string& newPath) const
{
    try {
        return RenameNoReplace(NativePath(oldPath), NativePath(newPath));
    } catch (...) {
        return false;
    }
}

bool FileServices::DoesFolderExist(const std::u16string& path) const
{
    try {
        struct stat status
        {
        };
        return StatPath(path, status) && S_ISDIR(status.st_mode);
    } catch (...) {
        return false;
    }
}

bool FileServices::CreateUnicodeTextFile(
    const std::u16string& path, const std::vector<std::u16string>& lines) const
{
    try {
        return WriteWholeFile(NativePath(path), UnicodeBytes(JoinLines(lines)));
    } catch (...) {
        return false;
    }
}

bool FileServices::CreateUnicodeTextFile(const std::u16string& path, const std::u16string& text) const
{
    try {
        return WriteWholeFile(NativePath(path), UnicodeBytes(WithCrLf(text)));
    } catch (...) {
        return false;
    }
}

bool FileServices::CreateUnicodeTextFile(const std::u16string& path) const
{
    try {
        return WriteWholeFile(NativePath(path), UnicodeBytes(std::u16string()));
    } catch (...) {
        return false;
    }
}

bool FileServices::CreateAnsiTextFile(
    const std::u16string& path, const std::vector<std::u16string>& lines) const
{
    try {
        return WriteWholeFile(NativePath(path), AnsiBytes(JoinLines(lines)));
    } catch (...) {
        return false;
    }
}

bool FileServices::CreateAnsiTextFile(const std::u16string& path, const std::u16string& text) const
{
    try {
        return WriteWholeFile(NativePath(path), AnsiBytes(WithCrLf(text)));
    } catch (...) {
        return false;
    }
}

bool FileServices::ReadTextFile(const std::u16string& path, std::vector<std::u16string>& lines) const
{
    try {
        FileHandle file = OpenForReading(NativePath(path));
        if (!file.valid())
            return false;
        std::vector<std::uint8_t> bytes;
        if (!ReadAll(file.get(), bytes))
            return false;
        std::vector<std::u16string> read = SplitTextFileLines(bytes);
        lines.insert(lines.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace shareguard

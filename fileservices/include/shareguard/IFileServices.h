#pragma once

#include <shareguard_export.h>

#include <cstdint>
#include <string>
#include <vector>

namespace shareguard {

class IFileServicesData;

// File primitives behind an interface, so that the check-out manager can be
// given another implementation. Paths are UTF-16 texts. Every operation
// reports success as its result; none throws.
class SHAREGUARD_EXPORT IFileServices
{
public:
    virtual ~IFileServices();

    virtual bool DoesFileExist(const std::u16string& path) const = 0;
    // Seconds since 1970.
    virtual bool GetLastModTime(const std::u16string& path, std::int64_t& time) const = 0;
    // Creates or truncates the file and stores the data into it.
    virtual bool CreateFileWithData(const std::u16string& path, const IFileServicesData& data) const = 0;
    // False when the file cannot be opened or read, or when data.Load throws
    // (a damaged or refused block); data is then as Load left it.
    virtual bool ReadFileWithData(const std::u16string& path, IFileServicesData& data) const = 0;
    virtual bool Delete(const std::u16string& path) const = 0;
    // Overwrites an existing target; the copy keeps the source's modification time.
    virtual bool Copy(const std::u16string& source, const std::u16string& target) const = 0;
    // Fails when the target exists.
    virtual bool Rename(const std::u16string& oldPath, const std::u16string& newPath) const = 0;
    virtual bool DoesFolderExist(const std::u16string& path) const = 0;
    // UTF-16LE with the byte-order mark, CR LF after every line.
    virtual bool CreateUnicodeTextFile(
        const std::u16string& path, const std::vector<std::u16string>& lines) const = 0;
    virtual bool CreateUnicodeTextFile(const std::u16string& path, const std::u16string& text) const = 0;
    virtual bool CreateUnicodeTextFile(const std::u16string& path) const = 0;
    // UTF-8 without byte-order mark, CR LF line ends.
    virtual bool CreateAnsiTextFile(
        const std::u16string& path, const std::vector<std::u16string>& lines) const = 0;
    virtual bool CreateAnsiTextFile(const std::u16string& path, const std::u16string& text) const = 0;
    // Appends the file's lines to `lines`; appends nothing when it fails.
    virtual bool ReadTextFile(const std::u16string& path, std::vector<std::u16string>& lines) const = 0;
    // Creates the file only when no file of that name exists, in one atomic
    // step, and stores the data into it: of two callers racing for one name,
    // exactly one succeeds.
    virtual bool CreateNewFileWithData(const std::u16string& path, const IFileServicesData& data) const = 0;
};

} // namespace shareguard

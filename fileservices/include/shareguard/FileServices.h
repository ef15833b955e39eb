#pragma once

#include <shareguard/IFileServices.h>
#include <shareguard_export.h>

namespace shareguard {

// The file services on the local file systems.
class SHAREGUARD_EXPORT FileServices : public IFileServices
{
public:
    bool DoesFileExist(const std::u16string& path) const override;
    bool GetLastModTime(const std::u16string& path, std::int64_t& time) const override;
    bool CreateFileWithData(const std::u16string& path, const IFileServicesData& data) const override;
    bool ReadFileWithData(const std::u16string& path, IFileServicesData& data) const override;
    bool Delete(const std::u16string& path) const override;
    bool Copy(const std::u16string& source, const std::u16string& target) const override;
    bool Rename(const std::u16string& oldPath, const std::u16string& newPath) const override;
    bool DoesFolderExist(const std::u16string& path) const override;
    bool CreateUnicodeTextFile(
        const std::u16string& path, const std::vector<std::u16string>& lines) const override;
    bool CreateUnicodeTextFile(const std::u16string& path, const std::u16string& text) const override;
    bool CreateUnicodeTextFile(const std::u16string& path) const override;
    bool CreateAnsiTextFile(
        const std::u16string& path, const std::vector<std::u16string>& lines) const override;
    bool CreateAnsiTextFile(const std::u16string& path, const std::u16string& text) const override;
    bool ReadTextFile(const std::u16string& path, std::vector<std::u16string>& lines) const override;
    bool CreateNewFileWithData(const std::u16string& path, const IFileServicesData& data) const override;
};

} // namespace shareguard

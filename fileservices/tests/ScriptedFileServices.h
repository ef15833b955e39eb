#pragma once

#include <shareguard/FileServices.h>

#include <functional>
#include <string>
#include <vector>

namespace shareguard::test {

// The real file services with chosen operations made to fail, and a record
// of the paths that the copy, rename and delete operations were given.
class ScriptedFileServices : public FileServices
{
public:
    // Answers true for a call that is to fail: operation name, first path, second path.
    std::function<bool(const std::string&, const std::u16string&, const std::u16string&)> fails;
    mutable std::vector<std::u16string> calls;
    mutable int createNewCalls = 0;

    bool Delete(const std::u16string& path) const override
    {
        return record(u"Delete " + path) && !failing("Delete", path) && FileServices::Delete(path);
    }
    bool Copy(const std::u16string& source, const std::u16string& target) const override
    {
        return record(u"Copy " + source + u" -> " + target) && !failing("Copy", source, target)
            && FileServices::Copy(source, target);
    }
    bool Rename(const std::u16string& from, const std::u16string& to) const override
    {
        return record(u"Rename " + from + u" -> " + to) && !failing("Rename", from, to)
            && FileServices::Rename(from, to);
    }
    bool CreateNewFileWithData(const std::u16string& path, const IFileServicesData& data) const override
    {
        ++createNewCalls;
        return !failing("CreateNewFileWithData", path) && FileServices::CreateNewFileWithData(path, data);
    }
    bool ReadFileWithData(const std::u16string& path, IFileServicesData& data) const override
    {
        return !failing("ReadFileWithData", path) && FileServices::ReadFileWithData(path, data);
    }

private:
    bool record(std::u16string call) const
    {
        calls.push_back(std::move(call));
        return true;
    }
    bool failing(const std::string& operation, const std::u16string& a, const std::u16string& b = {}) const
    {
        return fails && fails(operation, a, b);
    }
};

} // namespace shareguard::test

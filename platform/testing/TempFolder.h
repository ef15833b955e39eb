#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kwl::testing {

// Makes a new, empty folder named `prefix` plus a unique ending inside the
// folder for temporary files ($TMPDIR when set, else /tmp), so that tests
// follow the place the person running them chose. Answers an empty path when
// no folder can be made.
inline std::filesystem::path MakeTempFolder(const std::string& prefix)
{
    std::error_code error;
    std::filesystem::path parent = std::filesystem::temp_directory_path(error);
    if (error)
        parent = "/tmp";
    const std::string pattern = (parent / (prefix + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data()))
        return {};
    return std::filesystem::path(name.data());
}

} // namespace kwl::testing

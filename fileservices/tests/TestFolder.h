#pragma once

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace shareguard::test {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class TestFolder
{
public:
    TestFolder()
    {
        char pattern[] = "/tmp/shareguard-XXXXXX";
        if (mkdtemp(pattern))
            m_root = pattern;
        // Open to the unprivileged user that permission tests run as.
        fs::permissions(m_root, fs::perms::all);
    }
    ~TestFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    const fs::path& root() const { return m_root; }
    std::u16string path(const std::string& name) const { return (m_root / name).u16string(); }

private:
    fs::path m_root;
};

inline std::string ReadBytes(const std::u16string& path)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::u16string& path, const std::string& bytes)
{
    std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Runs the check as a user without privileges, so that file permissions hold
// also when the tests run as root (which ignores them). No answer when the
// privileges cannot be dropped (a container without that right).
inline std::optional<bool> RunUnprivileged(const std::function<bool()>& check)
{
    if (geteuid() != 0)
        return check();
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 2)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

} // namespace shareguard::test

#pragma once

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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
        m_root = kwl::testing::MakeTempFolder("shareguard");
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

// Runs the check in a child process prepared by `setup` (false: it could
// not be). No answer when the child could not run as prepared.
inline std::optional<bool> RunInChild(const std::function<bool()>& setup, const std::function<bool()>& check)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(!setup() ? 2 : check() ? 0 : 1);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 2)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

// Runs the check as a user without privileges, so that file permissions hold
// also when the tests run as root (which ignores them). No answer when the
// privileges cannot be dropped (a container without that right).
inline std::optional<bool> RunUnprivileged(const std::function<bool()>& check)
{
    if (geteuid() != 0)
        return check();
    return RunInChild([] { return setgid(65534) == 0 && setuid(65534) == 0; }, check);
}

// Runs the check in a child whose files cannot grow beyond `bytes`, so that
// writes past it fail as on a full disk (the limit never reaches this
// process's own output).
inline std::optional<bool> RunWithFileSizeLimit(rlim_t bytes, const std::function<bool()>& check)
{
    return RunInChild(
        [bytes] {
            std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
            rlimit limit {};
            if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
                return false;
            limit.rlim_cur = bytes;
            return setrlimit(RLIMIT_FSIZE, &limit) == 0;
        },
        check);
}

} // namespace shareguard::test

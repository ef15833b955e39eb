#pragma once
// Runs a step in a child process whose files cannot grow beyond a limit, as
// on a disk that fills up: a write past it fails with EFBIG instead of
// ending the process.

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kwl::testing {

// The child's exit status: what step answered (a program it executes
// answers through its own exit status); -1 when it did not end normally.
inline int ExitStatusUnderFileSizeLimit(rlim_t bytes, const std::function<int()>& step)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(step());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace kwl::testing

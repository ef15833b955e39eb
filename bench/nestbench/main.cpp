// nestbench: runs one target file through the optimizer library and prints one
// line of JSON with the result and the time the run took.
//
//   nestbench [--validate] [--threads N] [--repeat N] [--cancel-after MS] <target file>
//
// Exit status: 0 done; 1 the run failed, the result changed between repeats
// or (--validate) a layout broke a rule; 2 bad command line or target file.
// With --repeat the run is made N times and "ms" is the fastest of them; the
// results of all runs must agree. "cuts" and "cut_length" include the cuts
// that take the padding off each copy; "waste_pct" is the share of the rough
// area of the sheets used that no copy covers.
// --cancel-after MS requests a cancel MS milliseconds into each run and adds
// "cancel_ms", the time from the request to the return of the run (the
// longest of the repeats); a cancelled run is no failure, and its results are
// neither compared between repeats nor validated. A target of more copies
// than the optimizer takes is refused with exit status 2. "peak_kb" is the
// peak resident memory of the process (getrusage), the runs included.

#include "BenchRun.h"
#include "LayoutValidator.h"
#include "TargetFile.h"

#include <nestcore/IParallelOptFactory.h>

#include <tbb/global_control.h>

#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

int Usage(const char* message)
{
    std::fprintf(stderr,
                 "nestbench: %s\nusage: nestbench [--validate] [--threads N] [--repeat N] [--cancel-after MS] "
                 "<target file>\n",
                 message);
    return 2;
}

bool ParseCount(const char* text, int& value)
{
    const char* end = text + std::strlen(text);
    auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc() && ptr == end && value >= 1 && value <= 1024;
}

bool ParseMilliseconds(const char* text, int& value)
{
    const char* end = text + std::strlen(text);
    auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc() && ptr == end && value >= 0 && value <= 86400000;
}

} // namespace

int main(int argc, char** argv)
{
    bool validate = false;
    int threads = 0;
    int repeat = 1;
    int cancelAfter = -1;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--validate") {
            validate = true;
        } else if (arg == "--threads" || arg == "--repeat") {
            if (i + 1 >= argc || !ParseCount(argv[i + 1], arg == "--threads" ? threads : repeat))
                return Usage((arg + " needs a number from 1 to 1024").c_str());
            ++i;
        } else if (arg == "--cancel-after") {
            if (i + 1 >= argc || !ParseMilliseconds(argv[i + 1], cancelAfter))
                return Usage("--cancel-after needs a number of milliseconds from 0 to 86400000");
            ++i;
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage(("unknown option " + arg).c_str());
        } else if (path.empty()) {
            path = arg;
        } else {
            return Usage("only one target file");
        }
    }
    if (path.empty())
        return Usage("no target file");

    nestbench::TargetFile target;
    nestbench::ParseError error;
    if (!nestbench::LoadTargetFile(path, target, error)) {
        std::fprintf(stderr, "nestbench: %s\n", error.ToString(path).c_str());
        return 2;
    }

    std::uint64_t copies = 0;
    for (const nestbench::PartLine& part : target.parts)
        copies += part.copies;
    if (copies > optimization::IParallelOptFactory::MAX_COPIES) {
        std::fprintf(stderr, "nestbench: %s: %llu copies in all; the optimizer takes at most %llu\n", path.c_str(),
                     static_cast<unsigned long long>(copies),
                     static_cast<unsigned long long>(optimization::IParallelOptFactory::MAX_COPIES));
        return 2;
    }

    std::unique_ptr<tbb::global_control> limit;
    if (threads > 0)
        limit = std::make_unique<tbb::global_control>(tbb::global_control::max_allowed_parallelism,
                                                      static_cast<std::size_t>(threads));

    nestbench::BenchResult best;
    for (int r = 0; r < repeat; ++r) {
        nestbench::BenchResult result = nestbench::RunTarget(target, cancelAfter);
        if (!result.ok) {
            std::fprintf(stderr, "nestbench: %s: %s\n", path.c_str(), result.error.c_str());
            return 1;
        }
        if (r == 0) {
            best = std::move(result);
            continue;
        }
        if (cancelAfter >= 0) {
            // Where a cancel stops a run depends on timing: report the
            // slowest answer to the request.
            best.cancelMs = std::max(best.cancelMs, result.cancelMs);
            best.cancelled = best.cancelled || result.cancelled;
            best.ms = std::min(best.ms, result.ms);
            continue;
        }
        if (!nestbench::SameResult(best, result)) {
            std::fprintf(stderr, "nestbench: %s: run %d gave a different result than run 1\n", path.c_str(), r + 1);
            return 1;
        }
        best.ms = std::min(best.ms, result.ms);
    }
    rusage usage {};
    const long peakKb = getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : -1;
    std::printf("%s\n", nestbench::ToJson(best, peakKb).c_str());
    std::fflush(stdout);

    if (validate && best.cancelled) {
        std::fprintf(stderr, "nestbench: %s: the run was cancelled; its layouts are not validated\n", path.c_str());
    } else if (validate) {
        const auto violations = nestcheck::ValidateLayouts(best.check);
        for (const nestcheck::Violation& v : violations)
            std::fprintf(stderr, "nestbench: %s: %s: %s\n", path.c_str(), nestcheck::ToString(v.kind),
                         v.message.c_str());
        if (!violations.empty())
            return 1;
    }
    return 0;
}

// nestbench: runs one target file through the optimizer library and prints one
// line of JSON with the result and the time the run took.
//
//   nestbench [--validate] [--threads N] [--repeat N] <target file>
//
// Exit status: 0 done; 1 the run failed, the result changed between repeats
// or (--validate) a layout broke a rule; 2 bad command line or target file.
// With --repeat the run is made N times and "ms" is the fastest of them; the
// results of all runs must agree. "cuts" and "cut_length" include the cuts
// that take the padding off each copy; "waste_pct" is the share of the rough
// area of the sheets used that no copy covers.

#include "BenchRun.h"
#include "LayoutValidator.h"
#include "TargetFile.h"

#include <tbb/global_control.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

int Usage(const char* message)
{
    std::fprintf(stderr, "nestbench: %s\nusage: nestbench [--validate] [--threads N] [--repeat N] <target file>\n",
                 message);
    return 2;
}

bool ParseCount(const char* text, int& value)
{
    const char* end = text + std::strlen(text);
    auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc() && ptr == end && value >= 1 && value <= 1024;
}

} // namespace

int main(int argc, char** argv)
{
    bool validate = false;
    int threads = 0;
    int repeat = 1;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--validate") {
            validate = true;
        } else if (arg == "--threads" || arg == "--repeat") {
            if (i + 1 >= argc || !ParseCount(argv[i + 1], arg == "--threads" ? threads : repeat))
                return Usage((arg + " needs a number from 1 to 1024").c_str());
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

    std::unique_ptr<tbb::global_control> limit;
    if (threads > 0)
        limit = std::make_unique<tbb::global_control>(tbb::global_control::max_allowed_parallelism,
                                                      static_cast<std::size_t>(threads));

    nestbench::BenchResult best;
    for (int r = 0; r < repeat; ++r) {
        nestbench::BenchResult result = nestbench::RunTarget(target);
        if (!result.ok) {
            std::fprintf(stderr, "nestbench: %s: %s\n", path.c_str(), result.error.c_str());
            return 1;
        }
        if (r == 0) {
            best = std::move(result);
            continue;
        }
        if (!nestbench::SameResult(best, result)) {
            std::fprintf(stderr, "nestbench: %s: run %d gave a different result than run 1\n", path.c_str(), r + 1);
            return 1;
        }
        best.ms = std::min(best.ms, result.ms);
    }
    std::printf("%s\n", nestbench::ToJson(best).c_str());
    std::fflush(stdout);

    if (validate) {
        const auto violations = nestcheck::ValidateLayouts(best.check);
        for (const nestcheck::Violation& v : violations)
            std::fprintf(stderr, "nestbench: %s: %s: %s\n", path.c_str(), nestcheck::ToString(v.kind),
                         v.message.c_str());
        if (!violations.empty())
            return 1;
    }
    return 0;
}

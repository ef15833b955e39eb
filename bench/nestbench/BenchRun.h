#pragma once
// Runs one target file through the shared optimizer library the way the
// program does: factory arguments built from the file as the program builds
// them from a project (one stock proxy per stock line, one part proxy per
// part line), the optimizer created by the factory, Run, then the layouts
// and the part usage read back.

#include "LayoutValidator.h"
#include "TargetFile.h"

#include <nestcore/OptFactoryArgs.h>

#include <cstdint>
#include <string>
#include <vector>

namespace nestbench {

// The usable size of one axis as the sheet-size record computes it: the rough
// size less twice the trim (saturated at the largest length), and zero when
// that leaves nothing.
optimization::OptDim TrimmedSize(const optimization::OptDim& rough, const optimization::OptDim& trim);

// The factory arguments of a target file; the progress dialog may be null.
optimization::OptFactoryArgs BuildFactoryArgs(const TargetFile& target, optimization::IOptProgressDlg* dialog);

struct BenchResult
{
    bool ok = false;
    std::string error;
    std::uint64_t sheets = 0;
    std::vector<std::uint64_t> sheetsByStock; // one per stock line
    std::uint64_t placed = 0;
    std::uint64_t skipped = 0;
    double wastePct = 0.0;
    double cost = 0.0;
    std::int64_t cuts = 0;
    double cutLength = 0.0;
    // A hash of everything SameResult compares: the sheets with their stock
    // and copies, and each part's placed count and skip reason.
    std::uint64_t digest = 0;
    double ms = 0.0;
    // With a cancel request: whether Run answered cancelled, and the time
    // from the request to the return of Run (negative when the run ended
    // before the request was made).
    bool cancelled = false;
    double cancelMs = -1.0;
    std::uint32_t runStarted = 0; // notifications received
    std::uint32_t runEnded = 0;
    nestcheck::CheckRun check; // the result as the validator reads it
};

// With cancelAfterMs >= 0 a cancel is requested that many milliseconds into
// the run; a run that is cancelled is then no failure.
BenchResult RunTarget(const TargetFile& target, double cancelAfterMs = -1.0);

// True when two results agree in everything but the time taken.
bool SameResult(const BenchResult& a, const BenchResult& b);

// One line of JSON with the keys of the benchmark ("cancel_ms" only after a
// cancel request that came before the run ended; "peak_kb", the process's
// peak resident memory, only when given).
std::string ToJson(const BenchResult& result, long peakKb = -1);

} // namespace nestbench

#pragma once
// The First Pass seeds the run: it runs the initial layout creators, each on
// its own full copy of the optimizer and part order, and adopts the best seed
// by the layouts comparer. Which creators run depends on the settings and on
// the seeds: widest- and longest-first only when the largest-first seed
// leaves copies unplaced (else the iterative creator tries those orders), the
// plain sequence creator only with the cost comparer and several stocks, and
// a size-comparer run of the iterative creator only for stock selection with
// the full-cost comparer. A cancel leaves the running job as it was.

#include <cstdint>
#include <vector>

namespace optimization {

class ParallelOptimizer;

// One creator run of the pass, as recorded for the tests.
struct FirstPassStep
{
    enum Creator { LargestFirst, WidestFirst, LongestFirst, Plain, Iterative };
    Creator creator = LargestFirst;
    std::int32_t partOrderKind = 0;
    bool sizeComparer = false; // the iterative run under a size comparer
    bool operator==(const FirstPassStep&) const = default;
};

// Runs the pass; each creator run is appended to `trace` when given.
void RunFirstPass(ParallelOptimizer& optimizer, std::vector<FirstPassStep>* trace);

} // namespace optimization

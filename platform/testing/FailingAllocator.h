#pragma once

#include <cstdint>
#include <functional>

namespace kwl::testing {

// Linking this helper replaces the global operator new of the test program
// (and of the shared libraries it loads), so that a test can make exactly one
// chosen allocation fail with std::bad_alloc.

// Makes the allocation `index` allocations from now fail (0: the next one).
void FailAllocation(std::uint64_t index);
// Disarms a failure that has not happened yet; true when it had happened.
bool StopFailingAllocations();

// Runs `body` once per allocation it makes, the n-th run with its n-th
// allocation failing, until a run makes no allocation fail; after each run,
// `afterwards` checks and tidies up with allocations working again. Answers
// the number of runs in which an allocation failed. Keep every allocation of
// the test's own out of `body` (build the arguments beforehand), so that each
// failure happens inside the code under test.
std::uint64_t ForEachFailingAllocation(
    const std::function<void()>& body, const std::function<void()>& afterwards);

} // namespace kwl::testing

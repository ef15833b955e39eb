#include "FailingAllocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Allocations left before the one that fails; negative when none is to fail.
std::atomic<std::int64_t> g_countdown { -1 };
std::atomic<bool> g_failed { false };

void* Allocate(std::size_t size)
{
    std::int64_t left = g_countdown.load();
    while (left >= 0 && !g_countdown.compare_exchange_weak(left, left - 1)) { }
    if (left == 0) {
        g_failed = true;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size)
{
    return Allocate(size);
}

void* operator new[](std::size_t size)
{
    return Allocate(size);
}

// The non-throwing forms must come from this allocator too: left to the
// standard library (or a sanitizer's runtime), they would hand out memory
// that the replaced operator delete then frees with the wrong allocator.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}

void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace kwl::testing {

void FailAllocation(std::uint64_t index)
{
    g_failed = false;
    g_countdown = static_cast<std::int64_t>(index);
}

bool StopFailingAllocations()
{
    g_countdown = -1;
    return g_failed.exchange(false);
}

std::uint64_t ForEachFailingAllocation(
    const std::function<void()>& body, const std::function<void()>& afterwards)
{
    for (std::uint64_t n = 0;; ++n) {
        FailAllocation(n);
        body();
        const bool failed = StopFailingAllocations();
        afterwards();
        if (!failed)
            return n;
    }
}

} // namespace kwl::testing

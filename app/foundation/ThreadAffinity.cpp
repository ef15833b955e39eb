#include "foundation/ThreadAffinity.h"

namespace {
std::atomic<std::uint64_t> g_foreignCalls { 0 };
}

void ThreadAffinity::Check() const noexcept
{
    if (m_owner.load(std::memory_order_relaxed) != std::this_thread::get_id())
        g_foreignCalls.fetch_add(1, std::memory_order_relaxed);
}

std::uint64_t GetForeignThreadCallCount() noexcept
{
    return g_foreignCalls.load(std::memory_order_relaxed);
}

#include "foundation/ManagedIdentity.h"

#include <atomic>

namespace {
std::atomic<std::uint64_t> g_nextIdentity { 1 };
}

std::uint64_t TakeManagedIdentity()
{
    return g_nextIdentity.fetch_add(1, std::memory_order_relaxed);
}

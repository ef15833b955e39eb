#pragma once
// The command history and the materials library belong to the thread that
// installed them, the GUI thread: the optimization's workers get what they
// need of them before they start and must never reach them while they run.
// The accessors of those objects note every call from another thread, so
// that a run can be checked for such calls.

#include <atomic>
#include <cstdint>
#include <thread>

class ThreadAffinity
{
public:
    // The calling thread becomes the owner.
    void Claim() noexcept { m_owner.store(std::this_thread::get_id(), std::memory_order_relaxed); }
    // Notes the call when it comes from a thread other than the owner.
    void Check() const noexcept;

private:
    std::atomic<std::thread::id> m_owner { std::this_thread::get_id() };
};

// How many calls any object's Check noted from threads other than its owner.
std::uint64_t GetForeignThreadCallCount() noexcept;

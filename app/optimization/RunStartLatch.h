#pragma once
// The start signal of an optimization run. The run's background task waits
// on it until the progress dialog has finished setting itself up, so that no
// job reports progress to a dialog whose rows do not exist yet. The document
// keeps one and reuses it: it is closed again before each run.

#include <condition_variable>
#include <mutex>

class RunStartLatch
{
public:
    // Closes the latch; only while no task waits on it.
    void Reset();
    // Releases every waiter, now and later, until the next Reset.
    void Open();
    void Wait();
    bool IsOpen() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_open = false;
};

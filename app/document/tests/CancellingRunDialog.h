#pragma once
// A progress dialog whose user cancels at once: the run starts and every job
// ends without results.

#include "optimization/RunProgressDialog.h"
#include "optimization/RunStartLatch.h"

#include <condition_variable>
#include <mutex>

class CancellingDialog : public RunProgressDialog
{
public:
    explicit CancellingDialog(RunStartLatch& start) : m_start(start) { }
    void RunModal() override
    {
        RequestCancel();
        m_start.Open();
        std::unique_lock lock(m_mutex);
        m_closed.wait(lock, [this] { return m_done; });
    }
    void PostRunDone() override
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
        m_closed.notify_all();
    }

private:
    RunStartLatch& m_start;
    std::mutex m_mutex;
    std::condition_variable m_closed;
    bool m_done = false;
};

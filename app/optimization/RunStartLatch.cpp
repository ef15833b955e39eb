#include "optimization/RunStartLatch.h"

void RunStartLatch::Reset()
{
    std::lock_guard lock(m_mutex);
    m_open = false;
}

void RunStartLatch::Open()
{
    {
        std::lock_guard lock(m_mutex);
        m_open = true;
    }
    m_opened.notify_all();
}

void RunStartLatch::Wait()
{
    std::unique_lock lock(m_mutex);
    m_opened.wait(lock, [this] { return m_open; });
}

bool RunStartLatch::IsOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_open;
}

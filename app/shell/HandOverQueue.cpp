#include "shell/HandOverQueue.h"

namespace {
// How often a busy program looks again.
constexpr int kRetryMs = 100;
} // namespace

HandOverQueue::HandOverQueue(std::function<bool()> busy, std::function<void(const QStringList& paths)> serve,
                             QObject* parent)
    : QObject(parent), m_busy(std::move(busy)), m_serve(std::move(serve))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &HandOverQueue::TryServe);
}

void HandOverQueue::Add(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    m_waiting << paths;
    if (!m_timer.isActive())
        m_timer.start(0);
}

void HandOverQueue::TryServe()
{
    if (m_waiting.isEmpty())
        return;
    // Serving shows the save question; what arrives meanwhile waits for it.
    if (m_serving || (m_busy && m_busy())) {
        m_timer.start(kRetryMs);
        return;
    }
    const QStringList paths = std::exchange(m_waiting, {});
    m_serving = true;
    if (m_serve)
        m_serve(paths);
    m_serving = false;
    if (!m_waiting.isEmpty())
        m_timer.start(0);
}

#include "shell/HandOverQueue.h"

#include "foundation/FileNames.h"

namespace {
// How often a busy program looks again.
constexpr int kRetryMs = 100;
// Names listed in a box, and the characters kept of a long one at each end.
constexpr qsizetype kListedNames = 10;
constexpr qsizetype kKeptAtEachEnd = 40;

// The name's start and end with an ellipsis between, never halving a
// character that takes two units.
QString ShortenedInTheMiddle(const QString& name)
{
    if (name.size() <= 2 * kKeptAtEachEnd + 1)
        return name;
    qsizetype head = kKeptAtEachEnd;
    if (name[head - 1].isHighSurrogate())
        --head;
    qsizetype tail = name.size() - kKeptAtEachEnd;
    if (name[tail].isLowSurrogate())
        ++tail;
    return name.left(head) + QChar(0x2026) + name.mid(tail);
}
} // namespace

QString NotOpenedNamesText(const QStringList& paths, const QString& andMore)
{
    QStringList lines;
    for (qsizetype i = 0; i < paths.size() && i < kListedNames; ++i)
        lines << ShortenedInTheMiddle(DisplayFileName(paths[i]));
    if (paths.size() > kListedNames)
        lines << andMore.arg(paths.size() - kListedNames);
    return lines.join(QLatin1Char('\n'));
}

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

QStringList HandOverQueue::Take()
{
    m_timer.stop();
    return std::exchange(m_waiting, {});
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

#pragma once
// Later starts of the program beside the test. A later start waits for the
// running program to answer its message, and in a test the running program
// answers from the test's own event loop: so the later start runs on a
// thread of its own while the test serves events.

#include "shell/CKerfwellPlusApp.h"
#include "shell/SingleInstance.h"

#include "foundation/SessionLog.h"

#include <QFile>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// Work on a thread of its own; finishing serves the event loop until it ended.
class Beside
{
public:
    explicit Beside(std::function<void()> work)
        : m_thread([this, work = std::move(work)] {
            work();
            m_done = true;
        })
    { }
    ~Beside() { Finish(); }

    // A later start gives up after its own time limit; this waits longer.
    void Finish()
    {
        if (!m_done) {
            QEventLoop loop;
            QTimer look;
            QObject::connect(&look, &QTimer::timeout, &loop, [this, &loop] {
                if (m_done)
                    loop.quit();
            });
            look.start(5);
            QTimer::singleShot(10000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (m_thread.joinable())
            m_thread.join();
    }
    bool IsDone() const { return m_done; }

private:
    std::atomic<bool> m_done = false;
    std::thread m_thread;
};

// The program started again with arguments; what it ended with.
class LaterStart
{
public:
    LaterStart(const QString& instance, const QStringList& arguments, SingleInstanceTiming timing = {})
        : m_beside([this, instance, arguments, timing] {
            CKerfwellPlusApp app(instance, timing);
            m_runs = app.InitInstance(arguments);
            m_refused = app.IsRefusedSecondInstance();
            if (!m_runs)
                m_status = app.ExitInstance();
        })
    { }

    // Whether it ended quietly after handing its project over.
    bool HandedOver()
    {
        m_beside.Finish();
        return !m_runs && m_refused && m_status == 0;
    }

private:
    bool m_runs = true;
    bool m_refused = false;
    int m_status = -1;
    Beside m_beside; // last: the start runs once the fields above are made
};

// A later start's hand-over alone.
inline SingleInstance::HandOverResult HandOverBeside(
    const QString& instance, const QStringList& paths, SingleInstanceTiming timing = {})
{
    SingleInstance later(instance, timing);
    // Where the socket is depends on the environment, which the test owns.
    later.ServerName();
    SingleInstance::HandOverResult result = SingleInstance::HandOverResult::NotDelivered;
    Beside([&] { result = later.HandOver(paths); }).Finish();
    return result;
}

// Serves events until done answers true or the limit has passed.
inline bool WaitFor(
    const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(2))
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limit.count())
        QTest::qWait(10);
    return done();
}


// How often the session log holds the text.
inline int SessionLogCount(const QString& text)
{
    QFile log(SessionLog::Instance().GetPath());
    return log.open(QIODevice::ReadOnly) ? static_cast<int>(QString::fromUtf8(log.readAll()).count(text)) : 0;
}

inline bool SessionLogHolds(const QString& text)
{
    return SessionLogCount(text) > 0;
}

// The address of the socket file at path.
inline sockaddr_un SocketAddress(const QString& path)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = QFile::encodeName(path);
    std::memcpy(address.sun_path, bytes.constData(),
        std::min(static_cast<std::size_t>(bytes.size()), sizeof address.sun_path - 1));
    return address;
}

// A socket file at path that no program answers on, as one that died leaves it.
inline bool LeaveDeadSocket(const QString& path)
{
    const int left = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (left < 0)
        return false;
    const sockaddr_un address = SocketAddress(path);
    const bool bound = ::bind(left, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(left);
    return bound;
}

#include "shell/SingleInstance.h"

#include "shell/HandOverMessage.h"

#include "foundation/FileNames.h"
#include "foundation/SessionLog.h"

#include <QLocalSocket>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// What is left until the deadline, for Qt's waits (never "for ever").
int RemainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, std::numeric_limits<int>::max()));
}

} // namespace

SingleInstance::SingleInstance(const QString& name, SingleInstanceTiming timing)
    : m_name(name)
    , m_timing(timing)
{ }

SingleInstance::~SingleInstance() = default;

const SingleInstancePlace& SingleInstance::Place() const
{
    if (!m_place)
        m_place = FindSingleInstancePlace(m_name);
    return *m_place;
}

QString SingleInstance::LockFilePath() const
{
    return Place().lockFile;
}

QString SingleInstance::ServerName() const
{
    return Place().socket;
}

bool SingleInstance::TryAcquire()
{
    if (Place().lockFile.isEmpty())
        return true;
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(Place().lockFile);
        // A lock left by a program that died is taken over.
        m_lock->setStaleLockTime(0);
    }
    if (m_lock->isLocked() || m_lock->tryLock(0))
        return true;
    if (m_lock->error() == QLockFile::LockFailedError)
        return false;
    // The lock file cannot be made or written (a full disk, a file-size
    // limit): that says nothing of another program, so this start is its own.
    const QString note
        = QStringLiteral("Lock file \"%1\" cannot be written; this program takes no lock").arg(Place().lockFile);
    if (!m_place->notes.contains(note))
        m_place->notes << note;
    return true;
}

SingleInstance::HandOverResult SingleInstance::HandOver(const QStringList& paths)
{
    if (ServerName().isEmpty())
        return HandOverResult::NotDelivered;
    const QByteArray message = HandOverMessage::Encode(paths);
    const Clock::time_point deadline = Clock::now() + m_timing.handOver;
    for (;;) {
        if (SendOnce(message, deadline))
            return HandOverResult::Delivered;
        // The running program has ended: this start takes its place.
        if (TryAcquire())
            return HandOverResult::TookOver;
        if (Clock::now() >= deadline)
            return HandOverResult::NotDelivered;
        QThread::msleep(
            static_cast<unsigned long>(std::min<long long>(m_timing.retry.count(), RemainingMs(deadline))));
    }
}

bool SingleInstance::SendOnce(const QByteArray& message, Clock::time_point deadline) const
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(RemainingMs(deadline)))
        return false;
    socket.write(message);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(RemainingMs(deadline)))
            return false;
    // A program that is still starting answers once its event loop runs.
    while (socket.bytesAvailable() == 0)
        if (!socket.waitForReadyRead(RemainingMs(deadline)))
            return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == HandOverMessage::kReceived;
}

bool SingleInstance::Listen(HandOverServer::PathsHandler onPaths)
{
    for (const QString& note : Place().notes)
        SessionLog::Instance().Write(SessionLog::Warning, note);
    if (ServerName().isEmpty())
        return false;
    if (!m_server) {
        m_server = new HandOverServer(ServerName(), m_timing.server, std::move(onPaths), this);
        connect(m_server, &HandOverServer::checking, this, &SingleInstance::KeepTheLock);
    }
    return m_server->Listen();
}

void SingleInstance::StopListening()
{
    if (m_server)
        m_server->Close();
}

void SingleInstance::KeepTheLock()
{
    if (!m_lock || !m_lock->isLocked())
        return;
    const QByteArray path = EncodeFileName(LockFilePath());
    struct stat info = {};
    if (::lstat(path.constData(), &info) == 0 || errno != ENOENT)
        return;
    // The lock lets go of its file by removing it: a file of this program's
    // own is put there for it, made only where none is (another start may
    // have taken the lock meanwhile), and the lock is then taken again.
    const int placeholder = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (placeholder < 0)
        return;
    ::close(placeholder);
    m_lock->unlock();
    if (m_lock->tryLock(0))
        SessionLog::Instance().Write(SessionLog::Warning,
            QStringLiteral("Lock file \"%1\" was removed from its folder; taken again").arg(LockFilePath()));
    else
        SessionLog::Instance().Write(SessionLog::Warning,
            QStringLiteral("Lock file \"%1\" was removed from its folder and is another start's now; "
                           "later starts may open windows of their own")
                .arg(LockFilePath()));
}

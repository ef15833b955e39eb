#include "shell/HandOverServer.h"

#include "shell/HandOverMessage.h"

#include "foundation/FileNames.h"
#include "foundation/SessionLog.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kProbeTimeoutMs = 500;

// Whether a program listens on the socket: only then is it not left over.
bool IsAnswering(const QString& path)
{
    QLocalSocket probe;
    probe.connectToServer(path);
    const bool answered = probe.waitForConnected(kProbeTimeoutMs);
    probe.abort();
    return answered;
}

void Log(int level, const QString& text)
{
    SessionLog::Instance().Write(level, text);
}

// The socket file at path, not followed if it is a link; false when none.
bool StatSocket(const QString& path, struct stat& info)
{
    return ::lstat(EncodeFileName(path).constData(), &info) == 0 && S_ISSOCK(info.st_mode);
}

} // namespace

HandOverServer::HandOverServer(
    const QString& path, HandOverServerLimits limits, PathsHandler onPaths, QObject* parent)
    : QObject(parent)
    , m_path(path)
    , m_limits(limits)
    , m_onPaths(std::move(onPaths))
    , m_server(new QLocalServer(this))
{
    // No access option: the folder is closed to others already, and with
    // one Qt would put its socket in place of one that a program answers on.
    // Those beyond the connections served wait in the system's queue, not
    // as open handles of this program.
    m_server->setMaxPendingConnections(m_limits.connectionsAtOnce);
    connect(m_server, &QLocalServer::newConnection, this, &HandOverServer::TakeConnections);
    m_check.setInterval(m_limits.listenCheck);
    connect(&m_check, &QTimer::timeout, this, &HandOverServer::Check);
}

HandOverServer::~HandOverServer()
{
    CloseServer();
    // The connections' handlers belong to this object: none runs while it goes.
    for (QLocalSocket* socket : std::as_const(m_connections))
        socket->disconnect(this);
}

bool HandOverServer::Listen()
{
    m_check.start();
    return ListenNow();
}

void HandOverServer::Close()
{
    m_check.stop();
    CloseServer();
}

void HandOverServer::CloseServer()
{
    if (!m_server->isListening())
        return;
    // Qt's close removes whatever file is at the path, as it must not: it
    // removes none for a socket without a path, which it is told this one
    // is, and this server removes its own.
    m_server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    m_server->close();
    m_server->setSocketOptions(QLocalServer::NoOptions);
    if (IsOwnSocketThere())
        ::unlink(EncodeFileName(m_path).constData());
    m_device = 0;
    m_inode = 0;
}

bool HandOverServer::ListenNow()
{
    // A socket that no program answers on was left by one that died. One
    // that answers is never taken over.
    struct stat found = {};
    if (StatSocket(m_path, found) && !IsAnswering(m_path))
        QLocalServer::removeServer(m_path);
    if (m_server->listen(m_path)) {
        struct stat info = {};
        const bool made = StatSocket(m_path, info);
        m_device = made ? static_cast<quint64>(info.st_dev) : 0;
        m_inode = made ? static_cast<quint64>(info.st_ino) : 0;
        if (m_failureLogged)
            Log(SessionLog::Info, QStringLiteral("Hand-over socket listens again at \"%1\"").arg(m_path));
        m_failureLogged = false;
        return true;
    }
    if (!m_failureLogged)
        Log(SessionLog::Warning,
            QStringLiteral("Hand-over socket cannot listen at \"%1\": %2; later starts cannot "
                           "hand their projects over until it can")
                .arg(m_path, m_server->errorString()));
    m_failureLogged = true;
    return false;
}

bool HandOverServer::IsOwnSocketThere() const
{
    struct stat info = {};
    return StatSocket(m_path, info) && static_cast<quint64>(info.st_dev) == m_device
        && static_cast<quint64>(info.st_ino) == m_inode;
}

void HandOverServer::Check()
{
    Q_EMIT checking();
    if (m_server->isListening()) {
        if (IsOwnSocketThere())
            return;
        // What another program answers on now is left to it (Qt's close
        // would remove it); a name that is free or left over is taken back.
        if (QFileInfo::exists(m_path) && IsAnswering(m_path)) {
            if (!m_failureLogged)
                Log(SessionLog::Warning,
                    QStringLiteral("Hand-over socket \"%1\" was replaced by one another program answers "
                                   "on; later starts cannot hand their projects over")
                        .arg(m_path));
            m_failureLogged = true;
            return;
        }
        Log(SessionLog::Warning,
            QStringLiteral("Hand-over socket \"%1\" was removed from its folder; listening again").arg(m_path));
        CloseServer();
        m_failureLogged = false;
        ListenNow();
        return;
    }
    if (!m_failureLogged)
        Log(SessionLog::Warning,
            QStringLiteral("Hand-over socket stopped (%1); listening again").arg(m_server->errorString()));
    ListenNow();
}

void HandOverServer::TakeConnections()
{
    while (m_connections.size() < m_limits.connectionsAtOnce) {
        QLocalSocket* socket = m_server->nextPendingConnection();
        if (!socket)
            return;
        Serve(socket);
    }
}

void HandOverServer::Serve(QLocalSocket* socket)
{
    m_connections.insert(socket);
    auto* deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this, [this, socket] { Finish(socket); });
    deadline->start(m_limits.wholeMessage);
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] { Finish(socket); });
    auto reader = std::make_shared<HandOverMessage::Reader>();
    auto read = [this, socket, reader] {
        QStringList paths;
        const HandOverMessage::Status status = reader->Append(socket->readAll(), paths);
        if (status == HandOverMessage::Status::Incomplete)
            return;
        // The names count only once the answer is out: the sender then
        // reports a hand-over that failed exactly when nothing opens here.
        const bool answered = status == HandOverMessage::Status::Complete
            && socket->write(&HandOverMessage::kReceived, 1) == 1 && socket->flush();
        // The socket is done with before anything acts on the names.
        Finish(socket);
        if (answered && !paths.isEmpty() && m_onPaths)
            m_onPaths(paths);
    };
    connect(socket, &QLocalSocket::readyRead, this, read);
    if (socket->bytesAvailable() > 0)
        read();
}

void HandOverServer::Finish(QLocalSocket* socket)
{
    if (!m_connections.remove(socket))
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    TakeConnections();
}

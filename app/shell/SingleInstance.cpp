#include "shell/SingleInstance.h"

#include "shell/HandOverMessage.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <memory>

namespace {

constexpr int kHandOverTimeoutMs = 2000;
constexpr int kProbeTimeoutMs = 500;

QString InstanceFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

// Whether a program listens on the socket: only then is it not left over.
bool IsAnswering(const QString& path)
{
    QLocalSocket probe;
    probe.connectToServer(path);
    const bool answered = probe.waitForConnected(kProbeTimeoutMs);
    probe.abort();
    return answered;
}

} // namespace

SingleInstance::SingleInstance(const QString& name)
    : m_name(name)
{ }

SingleInstance::~SingleInstance() = default;

QString SingleInstance::LockFilePath() const
{
    return QDir(InstanceFolder()).filePath(m_name + QStringLiteral(".lock"));
}

QString SingleInstance::ServerName() const
{
    return QDir(InstanceFolder()).filePath(m_name + QStringLiteral(".socket"));
}

bool SingleInstance::TryAcquire()
{
    m_lock = std::make_unique<QLockFile>(LockFilePath());
    // A lock left by a program that died is taken over.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}

bool SingleInstance::HandOver(const QStringList& paths) const
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(kHandOverTimeoutMs))
        return false;
    socket.write(HandOverMessage::Encode(paths));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(kHandOverTimeoutMs))
            break;
    const bool written = socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return written;
}

void SingleInstance::Listen(std::function<void(const QStringList& paths)> onPaths)
{
    const QString path = ServerName();
    // A socket that no program answers on was left by one that died.
    if (QFileInfo::exists(path) && !IsAnswering(path))
        QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path))
        return;
    connect(m_server, &QLocalServer::newConnection, this, [this, onPaths] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            auto received = std::make_shared<QByteArray>();
            connect(socket, &QLocalSocket::readyRead, socket, [socket, received, onPaths] {
                received->append(socket->readAll());
                QStringList paths;
                const HandOverMessage::Status status = HandOverMessage::Decode(*received, paths);
                if (status == HandOverMessage::Status::Incomplete)
                    return;
                // The message is read whole (or refused): the socket is done
                // with before anything acts on the names.
                socket->disconnect();
                socket->abort();
                socket->deleteLater();
                if (status == HandOverMessage::Status::Complete && !paths.isEmpty() && onPaths)
                    onPaths(paths);
            });
        }
    });
}

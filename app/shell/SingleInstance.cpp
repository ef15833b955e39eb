#include "shell/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace {
constexpr int kHandOverTimeoutMs = 2000;
}

SingleInstance::SingleInstance(const QString& name)
    : m_name(name)
{ }

SingleInstance::~SingleInstance() = default;

QString SingleInstance::LockFilePath() const
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(m_name + QStringLiteral(".lock"));
}

QString SingleInstance::ServerName() const
{
    return m_name + QStringLiteral("-") + QString::number(::getuid());
}

bool SingleInstance::TryAcquire()
{
    m_lock = std::make_unique<QLockFile>(LockFilePath());
    // A lock left by a program that died is taken over.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}

bool SingleInstance::HandOver(const QString& path) const
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(kHandOverTimeoutMs))
        return false;
    socket.write(path.toUtf8() + '\n');
    socket.flush();
    const bool written = socket.waitForBytesWritten(kHandOverTimeoutMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return written;
}

void SingleInstance::Listen(std::function<void(const QString& path)> onPath)
{
    QLocalServer::removeServer(ServerName());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(ServerName()))
        return;
    connect(m_server, &QLocalServer::newConnection, this, [this, onPath] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, socket, [socket, onPath] {
                while (socket->canReadLine()) {
                    const QString path = QString::fromUtf8(socket->readLine()).trimmed();
                    if (!path.isEmpty() && onPath)
                        onPath(path);
                }
            });
        }
    });
}

#pragma once
// The running program's end of the hand-over: a local socket on which later
// starts send the names of the projects to open. Any program of the user
// may connect, so the server is careful with what it is given: it serves a
// few connections at once and lets the others wait their turn, closes a
// connection whose message is not whole in time, reads a message's names
// only once it is all there, answers a whole message with one byte so that
// its sender knows it arrived, and listens again whenever it has stopped
// (Qt closes a server for good when an accept fails, as it does when the
// program is out of file handles) or its socket is no longer in its folder
// (a cleaner of the temporary folder removed it: no later start could
// reach this program). At its end it removes its socket file only while it
// is still the one it made.

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <functional>

class QLocalServer;
class QLocalSocket;

struct HandOverServerLimits
{
    int connectionsAtOnce = 8;
    // From a connection to its whole message.
    std::chrono::milliseconds wholeMessage { 3000 };
    // How often the server looks whether it still listens where it should.
    std::chrono::milliseconds listenCheck { 1000 };
};

class HandOverServer : public QObject
{
    Q_OBJECT
public:
    using PathsHandler = std::function<void(const QStringList& paths)>;

    // onPaths: called with the names of each whole message once it has
    // been answered, as the last step of the socket's handler.
    HandOverServer(
        const QString& path, HandOverServerLimits limits, PathsHandler onPaths, QObject* parent = nullptr);
    ~HandOverServer() override;

    // Listens from now on; false when it cannot yet (written to the
    // session log; it tries again at each check).
    bool Listen();
    // Listens no more. The socket file goes only while it is still the one
    // this server made: what another program put at the path stays.
    void Close();

Q_SIGNALS:
    // At each check, before the server looks at its socket.
    void checking();

private:
    void CloseServer();
    bool ListenNow();
    void Check();
    // Whether the socket in the folder is still the one this server made.
    bool IsOwnSocketThere() const;
    void TakeConnections();
    void Serve(QLocalSocket* socket);
    void Finish(QLocalSocket* socket);

    QString m_path;
    HandOverServerLimits m_limits;
    PathsHandler m_onPaths;
    QLocalServer* m_server;
    QSet<QLocalSocket*> m_connections;
    QTimer m_check;
    bool m_failureLogged = false;
    // The file this server made: its device and inode.
    quint64 m_device = 0;
    quint64 m_inode = 0;
};

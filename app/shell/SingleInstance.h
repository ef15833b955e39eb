#pragma once
// One running program per user session. The first start takes a lock file
// in the session's runtime folder and listens on a local socket beside it;
// a later start that finds the lock hands the projects it was asked to open
// over that socket and ends, writing nothing (not even the session log,
// which the running program owns).

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLocalServer;

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // name: the lock file's and the socket's name (tests use their own).
    explicit SingleInstance(const QString& name = QStringLiteral("KerfwellPlusSoloInstance"));
    ~SingleInstance() override;

    // True for the first instance.
    bool TryAcquire();
    // A later instance: hands the paths to the running one as one message;
    // true when the whole message was sent.
    bool HandOver(const QStringList& paths) const;
    // The first instance: called with the names of each message once the
    // whole message has been read, as the last step of the socket's handler.
    void Listen(std::function<void(const QStringList& paths)> onPaths);

    QString LockFilePath() const;
    // The socket's full path, in the folder of the lock: a session's
    // programs never meet another session's.
    QString ServerName() const;

private:
    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

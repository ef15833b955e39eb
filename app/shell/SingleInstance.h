#pragma once
// One running program per user. The first start takes a lock file in the
// runtime folder and listens on a local socket; a later start that finds
// the lock hands the project it was asked to open over that socket and ends,
// writing nothing (not even the session log, which the running program owns).

#include <QLockFile>
#include <QObject>
#include <QString>

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
    // A later instance: hands the path to the running one; true when it was taken.
    bool HandOver(const QString& path) const;
    // The first instance: called with every path handed over.
    void Listen(std::function<void(const QString& path)> onPath);

    QString LockFilePath() const;
    QString ServerName() const;

private:
    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

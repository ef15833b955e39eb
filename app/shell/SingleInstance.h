#pragma once
// One running program per user session. The first start takes a lock file
// and listens at once on a local socket (SingleInstancePlace says where);
// a later start that finds the lock hands the projects it was asked to
// open over that socket and ends, writing nothing (not even the session
// log, which the running program owns). A later start that comes while the
// first is still starting waits for it: the first answers once its event
// loop runs. The lock and the socket are looked after while the program
// runs: either, removed from its folder, is made again.

#include "shell/HandOverServer.h"
#include "shell/SingleInstancePlace.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// How long the two ends wait (tests shorten it).
struct SingleInstanceTiming
{
    // A later start: how long it tries to hand over while the running
    // program lives, and the pause between its tries.
    std::chrono::milliseconds handOver { 5000 };
    std::chrono::milliseconds retry { 100 };
    HandOverServerLimits server;
};

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // name: the lock file's and the socket's name (tests use their own).
    explicit SingleInstance(
        const QString& name = QStringLiteral("KerfwellPlusSoloInstance"), SingleInstanceTiming timing = {});
    ~SingleInstance() override;

    // True for the first instance, and for every start when there is no
    // folder of the user's own for the lock or no path for the socket, or
    // the lock file cannot be written (each start is then its own).
    bool TryAcquire();

    enum class HandOverResult {
        Delivered, // the running program has the names
        NotDelivered, // it did not answer in time, or there is no socket
        TookOver, // it ended meanwhile: this start now holds the lock
    };
    // A later instance: hands the paths to the running one as one message,
    // trying again while the holder of the lock lives, up to the timing's
    // limit.
    HandOverResult HandOver(const QStringList& paths);

    // The first instance: listens from now on and calls onPaths with the
    // names of each message that arrives whole, as the last step of the
    // socket's handler. Writes to the session log why the lock or the
    // socket is not where they belong, and a failure to listen; false when
    // it does not listen now.
    bool Listen(HandOverServer::PathsHandler onPaths);
    // The program is ending: no message is taken from now on, so a later
    // start waits for the lock and then opens its own window.
    void StopListening();

    // Both empty when there is no single instance.
    QString LockFilePath() const;
    QString ServerName() const;

private:
    const SingleInstancePlace& Place() const;
    // One try: true once the running program answered the whole message.
    bool SendOnce(const QByteArray& message, std::chrono::steady_clock::time_point deadline) const;
    // At each check of the socket: a lock file that a cleaner of the folder
    // removed is made again, or later starts would take the lock.
    void KeepTheLock();

    QString m_name;
    SingleInstanceTiming m_timing;
    mutable std::optional<SingleInstancePlace> m_place;
    std::unique_ptr<QLockFile> m_lock;
    HandOverServer* m_server = nullptr;
};

#pragma once

#include <QString>

#include <functional>
#include <mutex>

// The program's diagnostic log "kwls_session.log" in the per-user data
// folder, emptied when the log is created and appended one line per entry.
// Safe to call from any thread; entries never interleave.
class SessionLog
{
public:
    enum Level { Info = 0, Timer = 1, Warning = 2, Error = 3 };

    // Shows the one warning of a run that the log cannot be written. The
    // user-interface layer installs it; it is always called on the thread of
    // the application object.
    using WarningHook = std::function<void(const QString& message)>;

    // The single log, created on first use.
    static SessionLog& Instance();
    static void SetWarningHook(WarningHook hook);

    // A log at path, emptied and given its header line.
    explicit SessionLog(const QString& path);

    // Appends "<time stamp>: [<level name>] <text>" when level is at least
    // the minimum level.
    void Write(int level, const QString& text);

    void SetMinimumLevel(int level);
    QString GetPath() const { return m_path; }
    static QString LevelName(int level);
    static QString FormatEntry(const QString& timeStamp, int level, const QString& text);
    // The user's long date, a space and the user's time.
    static QString TimeStamp();

private:
    void ReportFailure();

    mutable std::mutex m_mutex;
    int m_minimumLevel = 0;
    bool m_failureReported = false;
    QString m_path;
};

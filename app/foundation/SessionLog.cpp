#include "foundation/SessionLog.h"

#include "foundation/AppFolders.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMetaObject>
#include <QRegularExpression>
#include <QThread>

namespace {

std::mutex g_hookMutex;
SessionLog::WarningHook g_warningHook;

const char HeaderLine[] = "Kerfwell Plus Solo Session Log\n";

QString logPath()
{
    QString folder;
    if (!GetAppDataFolder(QStringLiteral("KWL Solo"), folder))
        folder = GetProgramFolder();
    return folder + QStringLiteral("kwls_session.log");
}

// Opening a pipe for writing waits for a reader, for ever at the start: only
// a regular file, or none yet, is written.
bool IsWritableLog(const QString& path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

// The text comes from the string service, which belongs to the GUI thread
// like the hook: both are reached only there.
void showWarning()
{
    SessionLog::WarningHook hook;
    {
        std::lock_guard lock(g_hookMutex);
        hook = g_warningHook;
    }
    if (!hook)
        return;
    const auto show = [hook] {
        ResourceBase* strings = GetResources();
        QString message = strings ? strings->Text(UIStringId::SessionLogWriteFailed) : QString();
        if (message.isEmpty())
            message = QStringLiteral("The session log could not be written.");
        hook(message);
    };
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        show();
    else
        QMetaObject::invokeMethod(app, show, Qt::QueuedConnection);
}

} // namespace

SessionLog& SessionLog::Instance()
{
    static SessionLog log(logPath());
    return log;
}

void SessionLog::SetWarningHook(WarningHook hook)
{
    std::lock_guard lock(g_hookMutex);
    g_warningHook = std::move(hook);
}

SessionLog::SessionLog(const QString& path)
    : m_path(path)
{
    QFile file(m_path);
    if (!IsWritableLog(m_path) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)
        || file.write(HeaderLine) != qint64(sizeof HeaderLine - 1))
        ReportFailure();
}

void SessionLog::SetMinimumLevel(int level)
{
    std::lock_guard lock(m_mutex);
    m_minimumLevel = level;
}

QString SessionLog::LevelName(int level)
{
    switch (level) {
    case Info:
        return QStringLiteral("Info");
    case Timer:
        return QStringLiteral("Timer");
    case Warning:
        return QStringLiteral("Warning");
    case Error:
        return QStringLiteral("Error");
    default:
        return QString();
    }
}

QString SessionLog::FormatEntry(const QString& timeStamp, int level, const QString& text)
{
    return QStringLiteral("%1: [%2] %3\n").arg(timeStamp, LevelName(level), text);
}

QString SessionLog::TimeStamp()
{
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    // The long time format without the time-zone name.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return locale.toString(now.date(), QLocale::LongFormat) + QLatin1Char(' ')
        + locale.toString(now.time(), timeFormat.trimmed());
}

void SessionLog::Write(int level, const QString& text)
{
    std::unique_lock lock(m_mutex);
    if (level < m_minimumLevel)
        return;
    const QByteArray line = FormatEntry(TimeStamp(), level, text).toUtf8();
    // Opened without creating it, so a log deleted during the run stays gone.
    QFile file(m_path);
    if (!file.exists() || !IsWritableLog(m_path) || !file.open(QIODevice::Append | QIODevice::Text)
        || file.write(line) != line.size()) {
        lock.unlock();
        ReportFailure();
    }
}

void SessionLog::ReportFailure()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_failureReported)
            return;
        m_failureReported = true;
    }
    showWarning();
}

#include "foundation/ResourceBase.h"
#include "foundation/SessionLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// A string service that notes the threads it is asked on: it belongs to the
// GUI thread and is not safe to use from a worker.
class ThreadCheckingStrings final : public ResourceBase
{
public:
    explicit ThreadCheckingStrings(bool& askedOffGuiThread)
        : m_askedOffGuiThread(askedOffGuiThread)
    { }
    QString Text(int) override
    {
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            m_askedOffGuiThread = true;
        return QStringLiteral("Log failed.");
    }
    QString HeaderText(int id) override { return Text(id); }
    QString FirstLine(int id) override { return Text(id); }
    QString SecondPart(int) override { return QString(); }
    bool HasText(int) const override { return true; }
    QString GetLanguageFolder() const override { return QString(); }
    bool IsWidthBeforeLength() const override { return false; }

private:
    bool& m_askedOffGuiThread;
};

class SessionLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SessionLog::SetWarningHook([this](const QString& message) {
            m_warnings.append(message);
            m_warningOnGuiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
        });
    }
    void TearDown() override { SessionLog::SetWarningHook(nullptr); }

    QString path() const { return QDir(m_dir.path()).filePath(QStringLiteral("kwls_session.log")); }
    QStringList lines() const
    {
        QFile f(path());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    }

    QTemporaryDir m_dir;
    QStringList m_warnings;
    bool m_warningOnGuiThread = false;
};

} // namespace

TEST_F(SessionLogTest, HeaderAndEntryFormat)
{
    {
        QFile old(path());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("left from the last run\n");
    }
    SessionLog log(path());
    log.Write(SessionLog::Error, QStringLiteral("Materials loaded."));
    log.Write(4, QStringLiteral("odd level"));
    const QStringList got = lines();
    ASSERT_EQ(got.size(), 4); // header, two entries, empty after the last line end
    EXPECT_EQ(got[0], QStringLiteral("Kerfwell Plus Solo Session Log"));
    EXPECT_TRUE(got[1].endsWith(QStringLiteral(": [Error] Materials loaded."))) << got[1].toStdString();
    EXPECT_TRUE(got[2].endsWith(QStringLiteral(": [] odd level")));
    EXPECT_EQ(got[3], QString());
    // "<long date> <time>: [...]", e.g. "Thursday, December 10, 2026 1:32:07 PM: [Error] ..."
    EXPECT_TRUE(got[1].contains(
        QRegularExpression(QStringLiteral("^\\w+, \\w+ \\d+, \\d{4} \\d+:\\d\\d:\\d\\d [AP]M: \\["))))
        << got[1].toStdString();
    EXPECT_TRUE(m_warnings.isEmpty());
}

TEST_F(SessionLogTest, LevelNamesAndMinimumLevel)
{
    const char* names[] = { "Info", "Timer", "Warning", "Error", "" };
    for (int level = 0; level < 5; ++level)
        EXPECT_EQ(SessionLog::LevelName(level), QString::fromUtf8(names[level]));
    EXPECT_EQ(SessionLog::FormatEntry(QStringLiteral("T"), 1, QStringLiteral("x")),
        QStringLiteral("T: [Timer] x\n"));

    SessionLog log(path());
    log.SetMinimumLevel(SessionLog::Warning);
    log.Write(SessionLog::Info, QStringLiteral("dropped"));
    log.Write(SessionLog::Warning, QStringLiteral("kept"));
    EXPECT_EQ(lines().size(), 3);
}

TEST_F(SessionLogTest, OneWarningForAllFailuresAndNoRecreation)
{
    SessionLog log(path());
    ASSERT_TRUE(QFile::remove(path()));
    log.Write(SessionLog::Info, QStringLiteral("lost"));
    log.Write(SessionLog::Info, QStringLiteral("lost too"));
    EXPECT_FALSE(QFile::exists(path()));
    ASSERT_EQ(m_warnings.size(), 1);
    EXPECT_FALSE(m_warnings[0].isEmpty());

    SessionLog unwritable(QDir(m_dir.path()).filePath(QStringLiteral("no/such/folder/log")));
    EXPECT_EQ(m_warnings.size(), 2);
}

TEST_F(SessionLogTest, WorkersNeverInterleaveAndWarnOnTheGuiThread)
{
    SessionLog log(path());
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&log, t] {
            for (int i = 0; i < 50; ++i)
                log.Write(
                    SessionLog::Timer, QStringLiteral("worker %1 entry %2 ").arg(t).arg(i).repeated(20));
        });
    for (auto& w : workers)
        w.join();
    const QStringList got = lines();
    ASSERT_EQ(got.size(), 1 + 200 + 1);
    const QRegularExpression entry(QStringLiteral("^.+: \\[Timer\\] (worker \\d+ entry \\d+ ){20}$"));
    for (int i = 1; i <= 200; ++i)
        EXPECT_TRUE(entry.match(got[i]).hasMatch()) << got[i].toStdString();

    ASSERT_TRUE(QFile::remove(path()));
    std::thread([&log] {
        log.Write(SessionLog::Timer, QStringLiteral("Total optimization time: 5 ms"));
    }).join();
    EXPECT_TRUE(m_warnings.isEmpty()); // not shown from the worker
    QCoreApplication::processEvents();
    ASSERT_EQ(m_warnings.size(), 1);
    EXPECT_TRUE(m_warningOnGuiThread);
}

TEST_F(SessionLogTest, WorkerFailureLooksUpTheWarningTextOnTheGuiThread)
{
    bool askedOffGuiThread = false;
    InstallResources(new ThreadCheckingStrings(askedOffGuiThread));
    SessionLog log(path());
    ASSERT_TRUE(QFile::remove(path()));
    std::thread([&log] { log.Write(SessionLog::Error, QStringLiteral("lost")); }).join();
    QCoreApplication::processEvents();
    InstallResources(nullptr);
    EXPECT_FALSE(askedOffGuiThread);
    ASSERT_EQ(m_warnings.size(), 1);
    EXPECT_EQ(m_warnings[0], QStringLiteral("Log failed."));
    EXPECT_TRUE(m_warningOnGuiThread);
}

TEST_F(SessionLogTest, TheLogLivesInThePerUserDataFolderAndStartsWithItsHeader)
{
    // The log is made once per process, where the first user asks for it:
    // a fresh process makes sure this test is that first user.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const QString folder = m_dir.path();
    EXPECT_EXIT(
        {
            qputenv("XDG_DATA_HOME", folder.toLocal8Bit());
            SessionLog& log = SessionLog::Instance();
            QFile file(log.GetPath());
            const bool ok = &SessionLog::Instance() == &log
                && log.GetPath() == QDir(folder).filePath(QStringLiteral("KWL Solo/kwls_session.log"))
                && file.open(QIODevice::ReadOnly)
                && file.readAll() == QByteArray("Kerfwell Plus Solo Session Log\n");
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

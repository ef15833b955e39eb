// Where the lock and the socket of the single instance lie: never in a
// folder that another user can write (they could take the names first and
// receive every project handed over), and the socket always on a path short
// enough for the system.
#include "HandOverTestSupport.h"

#include "shell/SingleInstance.h"
#include "shell/SingleInstancePlace.h"

#include "foundation/SessionLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kSomeoneElse = 4242;
const QString kName = QStringLiteral("KwlPlaceTest");

QString OwnTemporaryFolder()
{
    return QDir::tempPath() + QStringLiteral("/kwlsolo-") + QString::number(::geteuid());
}

bool OnlyThisUserCanEnter(const QString& folder)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode)
        && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// A desktop's runtime folder and temporary folder of the test's own making;
// the temporary folder, like /tmp, is open to everyone.
class SingleInstancePlaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        ASSERT_EQ(::chmod(QFile::encodeName(m_temporary).constData(), 01777), 0);
        qputenv("TMPDIR", QFile::encodeName(m_temporary));
        ASSERT_EQ(QDir::tempPath(), m_temporary);
    }

    void TearDown() override
    {
        qputenv("XDG_RUNTIME_DIR", m_savedRuntime);
        qputenv("TMPDIR", m_savedTemporary);
    }

    // A runtime folder under the root, made with mode.
    QString MakeRuntime(const QString& name, mode_t mode, uid_t owner = ::geteuid())
    {
        const QString folder = m_root.filePath(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        EXPECT_EQ(::chmod(QFile::encodeName(folder).constData(), mode), 0);
        EXPECT_EQ(::chown(QFile::encodeName(folder).constData(), owner, static_cast<gid_t>(-1)), 0);
        return folder;
    }

    const QByteArray m_savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray m_savedTemporary = qgetenv("TMPDIR");
    QTemporaryDir m_root;
    const QString m_temporary = [this] {
        const QString folder = m_root.filePath(QStringLiteral("tmp"));
        QDir().mkpath(folder);
        return folder;
    }();
};

// The session's runtime folder holds both when it is the user's own and
// closed to others; otherwise a folder of the user's own in the temporary
// folder does, made with mode 0700, and the log says why.
TEST_F(SingleInstancePlaceTest, TheLockAndTheSocketLieOnlyInAFolderNoOneElseCanEnter)
{
    struct Case
    {
        const char* runtime; // how the desktop's runtime folder is
        bool used; // whether it holds the lock and the socket
        const char* why; // the session log's reason when it does not
    };
    const Case cases[] = {
        { "0700 and the user's", true, "" },
        { "not set", false, "XDG_RUNTIME_DIR is not set" },
        { "open to others", false, "others may enter it (mode 0755)" },
        { "someone else's", false, "it belongs to user 4242" },
        { "a file", false, "it is not a folder" },
        { "relative", false, "it is not an absolute path" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.runtime);
        const QString kind = QString::fromLatin1(c.runtime);
        QDir(OwnTemporaryFolder()).removeRecursively();
        // Where the old fallback of Qt would have gone: someone else took it.
        const QString qtFallback = m_temporary + QStringLiteral("/runtime-root");
        QDir().mkpath(qtFallback);
        ASSERT_EQ(
            ::chown(QFile::encodeName(qtFallback).constData(), kSomeoneElse, static_cast<gid_t>(-1)), 0);

        QString runtime;
        if (kind == QLatin1String("0700 and the user's"))
            runtime = MakeRuntime(QStringLiteral("good"), 0700);
        else if (kind == QLatin1String("open to others"))
            runtime = MakeRuntime(QStringLiteral("open"), 0755);
        else if (kind == QLatin1String("someone else's"))
            runtime = MakeRuntime(QStringLiteral("taken"), 0700, kSomeoneElse);
        else if (kind == QLatin1String("a file")) {
            runtime = m_root.filePath(QStringLiteral("file"));
            QFile file(runtime);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        } else if (kind == QLatin1String("relative"))
            runtime = QStringLiteral("runtime");
        if (kind == QLatin1String("not set"))
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));

        const SingleInstancePlace place = FindSingleInstancePlace(kName);
        const QString folder = QFileInfo(place.lockFile).absolutePath();
        EXPECT_EQ(folder, c.used ? runtime : OwnTemporaryFolder());
        EXPECT_EQ(QFileInfo(place.socket).absolutePath(), folder);
        EXPECT_TRUE(OnlyThisUserCanEnter(folder)) << folder.toStdString();
        if (c.used) {
            EXPECT_TRUE(place.notes.isEmpty());
        } else {
            EXPECT_TRUE(place.notes.join(QLatin1Char('\n')).contains(QString::fromLatin1(c.why)))
                << place.notes.join(QLatin1Char('\n')).toStdString();
        }

        // The single instance works from there.
        SingleInstance first(kName);
        ASSERT_TRUE(first.TryAcquire());
        QStringList received;
        ASSERT_TRUE(first.Listen([&](const QStringList& paths) { received << paths; }));
        EXPECT_FALSE(SingleInstance(kName).TryAcquire());
        EXPECT_EQ(
            HandOverBeside(kName, { QStringLiteral("/p.kwxe") }), SingleInstance::HandOverResult::Delivered);
        EXPECT_EQ(received, QStringList { QStringLiteral("/p.kwxe") });
        if (!c.used) {
            EXPECT_TRUE(SessionLogHolds(QString::fromLatin1(c.why)));
        }
    }
}

// Without a usable runtime folder, a folder in the temporary folder that
// someone else made first, or one open to others, is never used: every
// start then runs as its own window, and the session log says so.
TEST_F(SingleInstancePlaceTest, AFolderSomeoneElseMadeFirstIsNeverUsed)
{
    struct Case
    {
        const char* made;
        const char* why;
    };
    const Case cases[] = {
        { "by someone else", "it belongs to user 4242" },
        { "open to others", "others may enter it (mode 0777)" },
        { "a link to a folder of the user", "it is a symbolic link" },
    };
    qunsetenv("XDG_RUNTIME_DIR");
    const QString own = OwnTemporaryFolder();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.made);
        const QString made = QString::fromLatin1(c.made);
        QFile::remove(own);
        QDir(own).removeRecursively();
        if (made == QLatin1String("a link to a folder of the user")) {
            ASSERT_TRUE(QFile::link(MakeRuntime(QStringLiteral("mine"), 0700), own));
        } else {
            ASSERT_TRUE(QDir().mkdir(own));
            ASSERT_EQ(::chmod(QFile::encodeName(own).constData(),
                          made == QLatin1String("open to others") ? 0777 : 0700),
                0);
            if (made == QLatin1String("by someone else")) {
                ASSERT_EQ(
                    ::chown(QFile::encodeName(own).constData(), kSomeoneElse, static_cast<gid_t>(-1)), 0);
            }
        }

        const SingleInstancePlace place = FindSingleInstancePlace(kName);
        EXPECT_TRUE(place.lockFile.isEmpty());
        EXPECT_TRUE(place.socket.isEmpty());
        SingleInstance start(kName);
        EXPECT_TRUE(start.TryAcquire());
        EXPECT_TRUE(SingleInstance(kName).TryAcquire());
        EXPECT_FALSE(start.Listen([](const QStringList&) {}));
        EXPECT_TRUE(SessionLogHolds(QString::fromLatin1(c.why)));
        EXPECT_TRUE(SessionLogHolds(QStringLiteral("Single instance off")));
        EXPECT_TRUE(QDir(own).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());
    }
}

// However deep the runtime folder lies, the socket's path fits the system's
// limit: a longer one becomes a short name derived from it, the same for
// both ends, and different for another session.
TEST_F(SingleInstancePlaceTest, ASocketPathTooLongForTheSystemGetsAShortNameBothEndsAgreeOn)
{
    QString deep = m_root.filePath(QStringLiteral("session"));
    while (QFile::encodeName(deep).size() < 200)
        deep += QStringLiteral("/deeper");
    const QString runtime = MakeRuntime(deep.mid(m_root.path().size() + 1), 0700);
    const QString other = MakeRuntime(QStringLiteral("other") + deep.mid(m_root.path().size() + 1), 0700);

    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    SingleInstance first(kName);
    ASSERT_TRUE(first.TryAcquire());
    EXPECT_TRUE(first.LockFilePath().startsWith(runtime));
    const QString socket = first.ServerName();
    EXPECT_LE(QFile::encodeName(socket).size(), kLongestSocketPath);
    EXPECT_TRUE(socket.startsWith(OwnTemporaryFolder()));
    EXPECT_EQ(SingleInstance(kName).ServerName(), socket);
    QStringList received;
    ASSERT_TRUE(first.Listen([&](const QStringList& paths) { received << paths; }));
    EXPECT_EQ(
        HandOverBeside(kName, { QStringLiteral("/deep.kwxe") }), SingleInstance::HandOverResult::Delivered);
    EXPECT_EQ(received, QStringList { QStringLiteral("/deep.kwxe") });

    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(other));
    EXPECT_NE(SingleInstance(kName).ServerName(), socket);
}

// A runtime folder so deep that the socket needs a short name, and no short
// name to be had: a lock would then refuse every later start with nothing
// to hand over to. No start takes one; each runs as its own window, and
// the session log says why.
TEST_F(SingleInstancePlaceTest, WithoutAPathForTheSocketNoStartTakesTheLock)
{
    struct Case
    {
        const char* shortName; // why no short name can be had
        const char* why;
    };
    const Case cases[] = {
        { "its folder is someone else's", "it belongs to user 4242" },
        { "the temporary folder lies too deep", "no socket path fits" },
    };
    QString deep = m_root.filePath(QStringLiteral("session"));
    while (QFile::encodeName(deep).size() < 150)
        deep += QStringLiteral("/deeper");
    const QString runtime = MakeRuntime(deep.mid(m_root.path().size() + 1), 0700);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shortName);
        if (QString::fromLatin1(c.why).contains(QLatin1String("4242"))) {
            ASSERT_TRUE(QDir().mkpath(OwnTemporaryFolder()));
            ASSERT_EQ(::chown(QFile::encodeName(OwnTemporaryFolder()).constData(), kSomeoneElse,
                          static_cast<gid_t>(-1)),
                0);
        } else {
            QString deepTemporary = m_temporary;
            while (QFile::encodeName(deepTemporary).size() < kLongestSocketPath)
                deepTemporary += QStringLiteral("/deeper");
            ASSERT_TRUE(QDir().mkpath(deepTemporary));
            qputenv("TMPDIR", QFile::encodeName(deepTemporary));
        }

        const QStringList said = { QString::fromLatin1(c.why),
            QStringLiteral("no socket path fits \"%1/%2.socket\"").arg(runtime, kName),
            QStringLiteral("Single instance off") };
        QList<int> saidBefore;
        for (const QString& text : said)
            saidBefore << SessionLogCount(text);

        const SingleInstancePlace place = FindSingleInstancePlace(kName);
        EXPECT_TRUE(place.lockFile.isEmpty());
        EXPECT_TRUE(place.socket.isEmpty());
        SingleInstance first(kName);
        ASSERT_TRUE(first.TryAcquire());
        EXPECT_FALSE(first.Listen([](const QStringList&) {}));
        EXPECT_TRUE(SingleInstance(kName).TryAcquire());
        EXPECT_TRUE(QDir(runtime).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());
        for (qsizetype i = 0; i < said.size(); ++i)
            EXPECT_GT(SessionLogCount(said[i]), saidBefore[i]) << said[i].toStdString();
    }
}

} // namespace

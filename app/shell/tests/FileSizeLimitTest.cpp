// A save under a file-size limit (`ulimit -f`): the program lives on, the
// save fails with the words of a full disk, and the work stays.
#include "ShellTestSupport.h"

#include "shell/CMainFrame.h"
#include "shell/SingleInstance.h"
#include "shell/ShellCommands.h"

#include <FileSizeLimit.h>

#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(ShellTest, ASaveBeyondTheFileSizeLimitIsReportedAsAFullDiskAndKeepsTheWork)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    CKerfwellPlusApp& app = Start();
    AddBirchPart(app);
    m_chosenPath = folder.filePath(QStringLiteral("Limited.kwxe"));
    ASSERT_TRUE(app.OnFileSaveAs());
    const QByteArray saved = Bytes(m_chosenPath);
    ASSERT_GT(saved.size(), 64);
    AddBirchPart(app, 5);
    m_messages.clear();

    const QString fullDisk = QDir::toNativeSeparators(m_chosenPath) + QStringLiteral(": ")
        + QString::fromLocal8Bit(std::strerror(ENOSPC));
    // 0: the save failed, said so as for a full disk, and the project stays
    // modified under its name.
    const int status = kwl::testing::ExitStatusUnderFileSizeLimit(64, [&] {
        ::alarm(20); // a child that waits for a lock of another thread ends
        const bool written = app.GetMainFrame()->GetCommands().Trigger(ShellCommand::FileSave)
            && !app.GetDocument()->IsModified();
        if (written)
            return 1;
        if (m_messages != QStringList { fullDisk })
            return 2;
        return app.GetDocument()->IsModified() && app.GetDocument()->PathName() == m_chosenPath ? 0 : 3;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Bytes(m_chosenPath), saved);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList { QStringLiteral("Limited.kwxe") });
}

// The program itself, started under a file-size limit of nothing: its first
// write (the session log's) goes past the limit at once, which would end it
// unless it ignores the signal from its start.
TEST(ProgramStartTest, TheProgramLivesOnPastTheFileSizeLimit)
{
    QTemporaryDir sandbox;
    ASSERT_TRUE(sandbox.isValid());
    for (const char* folder : { "home", "data", "config", "cache", "runtime" })
        ASSERT_TRUE(QDir(sandbox.path()).mkpath(QString::fromLatin1(folder)));
    ASSERT_TRUE(QFile::setPermissions(
        sandbox.filePath(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray root = QFile::encodeName(sandbox.path());
    const std::vector<QByteArray> environment = {
        "HOME=" + root + "/home",
        "XDG_DATA_HOME=" + root + "/data",
        "XDG_CONFIG_HOME=" + root + "/config",
        "XDG_CACHE_HOME=" + root + "/cache",
        "XDG_RUNTIME_DIR=" + root + "/runtime",
        "QT_QPA_PLATFORM=offscreen",
    };
    std::vector<char*> envp;
    for (const QByteArray& entry : environment)
        envp.push_back(const_cast<char*>(entry.constData()));
    envp.push_back(nullptr);
    const char* program = KWL_PROGRAM;

    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit { 0, 0 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        char* const argv[] = { const_cast<char*>(program), nullptr };
        ::execve(program, argv, envp.data());
        ::_exit(127);
    }

    // The signals the program ignores, from its status in /proc.
    const QString statusFile = QStringLiteral("/proc/%1/status").arg(child);
    auto ignoresTheSignal = [&] {
        QFile status(statusFile);
        if (!status.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("SigIgn:"))
                return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGXFSZ - 1) & 1) != 0;
        return false;
    };
    int status = 0;
    bool ended = false;
    bool ignores = false;
    for (int tries = 0; tries < 2000 && !ended && !ignores; ++tries) {
        ended = ::waitpid(child, &status, WNOHANG) == child;
        ignores = !ended && ignoresTheSignal();
        if (!ended && !ignores)
            ::usleep(10000);
    }
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    EXPECT_TRUE(ignores);
    EXPECT_FALSE(ended) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0)
                        << ", exit status " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}


// Under a file-size limit of nothing the lock file cannot be written. That
// says nothing of another program: the start is its own, where it used to
// end at once and in silence as if another program held the lock.
TEST(SingleInstanceUnderAFileSizeLimitTest, ALockFileThatCannotBeWrittenLeavesTheStartItsOwn)
{
    const int status = kwl::testing::ExitStatusUnderFileSizeLimit(0, [] {
        SingleInstance start(QStringLiteral("KwlLockUnderFileSizeLimit"));
        return start.TryAcquire() ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
}

} // namespace

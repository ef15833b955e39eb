// A materials library that is no regular file, or far too large, is refused
// at the start like a missing one: the backup or the shipped materials are
// used, the user is told, and the window comes up.
#include "ShellTestSupport.h"

#include "shell/CMainFrame.h"

#include "model/MaterialsFiles.h"
#include "model/ModelStrings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <iostream>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

std::string Bytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Should a start wait on a pipe, a writer comes along after a while and
// closes it again, so that the test fails instead of hanging.
class PipeWatchdog
{
public:
    explicit PipeWatchdog(std::string pipe)
        : m_thread([this, pipe = std::move(pipe)] {
            std::unique_lock lock(m_mutex);
            if (m_stop.wait_for(lock, std::chrono::seconds(20), [this] { return m_done; }))
                return;
            const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                m_unblocked = true;
                ::close(fd);
            }
        })
    { }
    ~PipeWatchdog() { Finish(); }
    // True when the start had to be let go.
    bool Finish()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_stop.notify_all();
        if (m_thread.joinable())
            m_thread.join();
        return m_unblocked;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_stop;
    bool m_done = false;
    std::atomic<bool> m_unblocked = false;
    std::thread m_thread;
};

class LibraryAtStartTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        m_libraryFolder = QFile::decodeName(qgetenv("XDG_DATA_HOME")) + QStringLiteral("/KWL Solo");
        ASSERT_TRUE(QDir().mkpath(m_libraryFolder));
        ASSERT_TRUE(m_scratch.isValid());
    }

    QString LibraryPath(const char* name = MaterialsFiles::kLibraryFile) const
    {
        return MaterialsFiles::PathIn(m_libraryFolder, name);
    }

    // Every library file, kept-aside one and backup out of the way.
    void ClearLibraryFolder() const
    {
        QDir folder(m_libraryFolder);
        for (const QString& name :
            folder.entryList({ QStringLiteral("Matls*") }, QDir::AllEntries | QDir::System | QDir::Hidden))
            if (!QFile::remove(folder.filePath(name)))
                QDir(folder.filePath(name)).removeRecursively();
    }

    QString m_libraryFolder;
    QTemporaryDir m_scratch;
};

TEST_F(LibraryAtStartTest, ALibraryThatIsNoRegularFileOrTooLargeIsPassedOverAndTheProgramStarts)
{
    const std::string library = Bytes(LibraryPath());
    const std::string pipe = Bytes(m_scratch.filePath(QStringLiteral("pipe")));
    const std::string zeros = Bytes(m_scratch.filePath(QStringLiteral("zeros")));
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // A device that reads zeros for ever, like /dev/zero; only root may make one.
    const bool deviceMade = ::mknod(zeros.c_str(), S_IFCHR | 0600, makedev(1, 5)) == 0;

    const QString shipped
        = MaterialsFiles::PathIn(MaterialsFiles::ProgramFolder(), MaterialsFiles::kDefaultsFile);
    ASSERT_TRUE(QFile::exists(shipped));
    const struct
    {
        const char* name;
        std::function<bool()> make;
        const char* reason; // logged, before a byte is read
        bool withBackup;
    } cases[] = {
        { "a named pipe", [&] { return ::mkfifo(library.c_str(), 0600) == 0; }, "not a regular file", false },
        { "a link to a named pipe", [&] { return ::symlink(pipe.c_str(), library.c_str()) == 0; },
            "not a regular file", false },
        { "a link to a device that reads zeros",
            [&] { return deviceMade && ::symlink(zeros.c_str(), library.c_str()) == 0; },
            "not a regular file", false },
        { "a folder", [&] { return ::mkdir(library.c_str(), 0700) == 0; }, "not a regular file", false },
        // Sparse: it takes no room on the disk.
        { "a file over the size any library has",
            [&] {
                QFile file(LibraryPath());
                return file.open(QIODevice::WriteOnly)
                    && file.resize(MaterialsFiles::kMaxLibraryFileBytes + 1);
            },
            "larger than any materials file", false },
        { "a named pipe beside a good backup", [&] { return ::mkfifo(library.c_str(), 0600) == 0; },
            "not a regular file", true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_app.reset();
        ClearLibraryFolder();
        if (!c.make()) {
            ASSERT_FALSE(deviceMade) << "could not make " << c.name;
            std::cout << "[ SKIPPED  ] " << c.name << ": no device node can be made here\n";
            continue;
        }
        if (c.withBackup) {
            ASSERT_TRUE(QFile::copy(shipped, LibraryPath(MaterialsFiles::kBackupFile)));
        }
        m_messages.clear();

        PipeWatchdog watchdog(library);
        CKerfwellPlusApp& app = Start();
        EXPECT_FALSE(watchdog.Finish()) << "the start waited on the library";

        EXPECT_TRUE(app.GetMainFrame()->isVisible());
        auto* loaded = dynamic_cast<CMaterials*>(GetMaterialsLibrary());
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(loaded->FindMaterial(QStringLiteral("Plywood 3/4 in")));
        EXPECT_EQ(m_messages,
            QStringList { UiText(c.withBackup ? kStrLibraryBackupUsed : kStrLibraryDefaultsUsed) });
        const QStringList refusals = LogLines().filter(QStringLiteral("Error reading materials file: "));
        ASSERT_FALSE(refusals.isEmpty());
        EXPECT_TRUE(refusals.back().contains(QLatin1String(c.reason))) << refusals.back().toStdString();
        // Nothing is lost: what stood in the library's place is kept aside.
        struct stat kept
        {
        };
        EXPECT_EQ(::lstat((library + ".unreadable").c_str(), &kept), 0);
    }
}

// The other files read before the window comes up: a pipe at any of their
// names is not waited for, and stays a pipe, at its name or set aside.
TEST_F(LibraryAtStartTest, NoOtherFileOfTheStartIsWaitedForWhenItIsAPipe)
{
    const QString data = QFile::decodeName(qgetenv("XDG_DATA_HOME"));
    const QString config = QFile::decodeName(qgetenv("XDG_CONFIG_HOME"));
    ASSERT_FALSE(config.isEmpty());
    ASSERT_TRUE(QDir().mkpath(data + QStringLiteral("/Kerfwell Plus")));
    ASSERT_TRUE(QDir().mkpath(config + QStringLiteral("/Marrowby Design")));
    const struct
    {
        const char* name;
        QString path;
    } cases[] = {
        { "the preferences", m_libraryFolder + QStringLiteral("/Prefs.ini") },
        { "the shared-folder settings", data + QStringLiteral("/Kerfwell Plus/SharedMats.ini") },
        { "the grid state", m_libraryFolder + QStringLiteral("/GridStat.KWG") },
        { "the program's profile", config + QStringLiteral("/Marrowby Design/Kerfwell Plus Solo.conf") },
        { "the maker's profile", config + QStringLiteral("/Marrowby Design.conf") },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_app.reset();
        const std::string path = Bytes(c.path);
        QFile::remove(c.path);
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);

        PipeWatchdog watchdog(path);
        CKerfwellPlusApp& app = Start();
        EXPECT_FALSE(watchdog.Finish()) << "the start waited on " << path;
        EXPECT_TRUE(app.GetMainFrame()->isVisible());
        m_app.reset();

        struct stat kept
        {
        };
        const bool atItsName = ::lstat(path.c_str(), &kept) == 0 && S_ISFIFO(kept.st_mode);
        const bool setAside = ::lstat((path + ".unreadable").c_str(), &kept) == 0 && S_ISFIFO(kept.st_mode);
        EXPECT_TRUE(atItsName || setAside);
        ::unlink(path.c_str());
        ::unlink((path + ".unreadable").c_str());
    }
}

} // namespace

#include "model/SafeFileWrite.h"

#include "foundation/FileNames.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <FileSizeLimit.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a symbolic link names; empty when the path is no link.
QString LinkText(const QString& path)
{
    char text[4096];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), text, sizeof text);
    return length > 0 ? QFile::decodeName(QByteArray(text, length)) : QString();
}

TEST(SafeFileWriteTest, ReplacesOnlyWithACompleteFileAndLeavesNoTemporary)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("Bench.kwxe"));
    QString error;
    ASSERT_TRUE(WriteFileThroughTemporary(target, QByteArrayLiteral("old"), {}, &error)) << error.toStdString();

    // A step that fails after the new bytes are written abandons the write.
    EXPECT_FALSE(WriteFileThroughTemporary(target, QByteArrayLiteral("new and longer"), [](QString* e) {
        *e = QStringLiteral("refused");
        return false;
    }, &error));
    EXPECT_EQ(error, QStringLiteral("refused"));
    EXPECT_EQ(ReadAll(target), QByteArrayLiteral("old"));

    // A folder that is gone cannot take the temporary file.
    EXPECT_FALSE(WriteFileThroughTemporary(dir.filePath(QStringLiteral("gone/x.kwxe")), "x", {}, &error));
    EXPECT_FALSE(error.isEmpty());

    ASSERT_TRUE(WriteFileThroughTemporary(target, QByteArrayLiteral("new"), {}, &error));
    EXPECT_EQ(ReadAll(target), QByteArrayLiteral("new"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Bench.kwxe")});
}

TEST(SafeFileWriteTest, ASymbolicLinkStaysALinkAndItsFileIsReplaced)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("real")));
    const QString real = dir.filePath(QStringLiteral("real/Bench.kwxe"));
    const struct
    {
        const char* name;
        QString link;
        QString pointsTo;  // what the link names, as written
        QString finalFile; // the file that takes the new bytes
    } cases[] = {
        { "absolute link", dir.filePath(QStringLiteral("Abs.kwxe")), real, real },
        { "relative link", dir.filePath(QStringLiteral("Rel.kwxe")), QStringLiteral("real/Bench.kwxe"), real },
        { "link to a link", dir.filePath(QStringLiteral("Chain.kwxe")), QStringLiteral("Rel.kwxe"), real },
        { "link to no file yet", dir.filePath(QStringLiteral("New.kwxe")), QStringLiteral("real/New.kwxe"),
          dir.filePath(QStringLiteral("real/New.kwxe")) },
    };
    for (const auto& c : cases)
        ASSERT_EQ(::symlink(c.pointsTo.toUtf8().constData(), c.link.toUtf8().constData()), 0) << c.name;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        ASSERT_TRUE(WriteFileThroughTemporary(real, QByteArrayLiteral("old"), {}, &error)) << error.toStdString();
        const QByteArray bytes = QByteArray("new through ") + c.name;
        ASSERT_TRUE(WriteFileThroughTemporary(c.link, bytes, {}, &error)) << error.toStdString();
        EXPECT_EQ(LinkText(c.link), c.pointsTo);
        EXPECT_EQ(ReadAll(c.finalFile), bytes);
        EXPECT_EQ(ReadAll(c.link), bytes);
    }
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("Bench.kwxe"), QStringLiteral("New.kwxe")}));
}

// A link that leads to anything but a regular file is refused: the node
// stays what it was and no temporary is left. (A device node would need
// root to make; a pipe and a socket take the same path.)
TEST(SafeFileWriteTest, OnlyARegularFileIsReplacedWhereverALinkLeads)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto at = [&](const char* name) { return dir.filePath(QString::fromUtf8(name)); };
    const QByteArray pipe = QFile::encodeName(at("pipe"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = QFile::encodeName(at("socket"));
    ASSERT_LT(socketPath.size(), qsizetype(sizeof address.sun_path));
    std::memcpy(address.sun_path, socketPath.constData(), static_cast<std::size_t>(socketPath.size()));
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("folder")));
    const struct
    {
        const char* link;
        const char* pointsTo;
        const char* node; // what must still be there afterwards
        mode_t type;
    } cases[] = {
        { "ToPipe.kwxe", "pipe", "pipe", S_IFIFO },
        { "ToSocket.kwxe", "socket", "socket", S_IFSOCK },
        { "ToFolder.kwxe", "folder", "folder", S_IFDIR },
        { "Loop.kwxe", "Loop.kwxe", "Loop.kwxe", S_IFLNK },
    };
    for (const auto& c : cases)
        ASSERT_EQ(::symlink(c.pointsTo, QFile::encodeName(at(c.link)).constData()), 0) << c.link;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        for (const QString& target : { at(c.link), at(c.node) }) {
            QString error;
            EXPECT_FALSE(WriteFileThroughTemporary(target, QByteArrayLiteral("grid state"), {}, &error));
            EXPECT_TRUE(error.startsWith(DisplayFileName(target) + QStringLiteral(": "))) << error.toStdString();
            struct stat status
            {
            };
            ASSERT_EQ(::lstat(QFile::encodeName(at(c.node)).constData(), &status), 0);
            EXPECT_EQ(status.st_mode & S_IFMT, c.type);
        }
    }
    ::close(listener);
    EXPECT_TRUE(QDir(dir.path()).entryList({ QStringLiteral(".kwlsave-*") }, QDir::Files | QDir::Hidden | QDir::System).isEmpty());
}

TEST(SafeFileWriteTest, TemporariesOfKilledSavesAreClearedWhenNoOneHoldsThem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto make = [&](const char* name, std::time_t age) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("part of an old save");
        file.close();
        const std::time_t when = std::time(nullptr) - age;
        const timespec times[2] = { { when, 0 }, { when, 0 } };
        EXPECT_EQ(::utimensat(AT_FDCWD, path.toUtf8().constData(), times, 0), 0);
        return path;
    };
    constexpr std::time_t old = kStaleTemporaryAgeSeconds + 60;
    make(".kwlsave-A0B1C2.tmp", old); // left by a killed save
    make(".kwlsave-F0E1D2.tmp", 5); // a save may still be writing it
    const QString held = make(".kwlsave-0D1E2F.tmp", old); // a live save holds it
    make(".Xy34Zw.tmp", old); // not this program's
    make("Notes.kwlsave-A0B1C2.tmp", old);
    // Names of the same length that no save makes: a user's files.
    make(".kwlsave-resume.tmp", old);
    make(".kwlsave-Ab12Cd.tmp", old);
    make(".kwlsave-A0 B1C.tmp", old);
    const int holder = ::open(held.toUtf8().constData(), O_RDONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);

    // The temporary of a save is recognisable by its name.
    QStringList during;
    QString error;
    ASSERT_TRUE(WriteFileThroughTemporary(
        dir.filePath(QStringLiteral("Bench.kwxe")), "new",
        [&](QString*) {
            during = QDir(dir.path())
                         .entryList(QDir::Files | QDir::Hidden)
                         .filter(QRegularExpression(QStringLiteral("^\\.kwlsave-[0-9A-F]{6}\\.tmp$")));
            return true;
        },
        &error))
        << error.toStdString();
    ::close(holder);
    EXPECT_EQ(during.size(), 3); // the fresh one, the held one and the save's own

    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    EXPECT_EQ(left.join(QStringLiteral(" | ")).toStdString(),
        ".Xy34Zw.tmp | .kwlsave-0D1E2F.tmp | .kwlsave-A0 B1C.tmp | .kwlsave-Ab12Cd.tmp | "
        ".kwlsave-F0E1D2.tmp | .kwlsave-resume.tmp | Bench.kwxe | Notes.kwlsave-A0B1C2.tmp");
}

// A writer that writes by name must fill the temporary it is given: one
// that answers true having written elsewhere (a name it mangled) or nothing
// must not leave an empty file in the target's place.
TEST(SafeFileWriteTest, AWriterThatLeavesItsTemporaryEmptyFailsAndTheOldFileStays)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("Bench.ikwx"));
    const QByteArray elsewhere = QFile::encodeName(dir.filePath(QStringLiteral("elsewhere.ikwx")));
    auto writeTo = [](const QByteArray& name) {
        FILE* file = std::fopen(name.constData(), "wb");
        return file && std::fputs("<Package/>", file) >= 0 && std::fclose(file) == 0;
    };
    const struct
    {
        const char* name;
        std::function<bool(const QByteArray&)> writer;
    } cases[] = {
        { "wrote another file", [&](const QByteArray&) { return writeTo(elsewhere); } },
        { "wrote nothing", [](const QByteArray&) { return true; } },
        { "said it failed",
            [&](const QByteArray& name) {
                writeTo(name);
                return false;
            } },
    };
    QString error;
    ASSERT_TRUE(WriteFileThroughTemporary(target, QByteArrayLiteral("old"), {}, &error));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        error.clear();
        EXPECT_FALSE(WriteFileThroughTemporaryWith(target, c.writer, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(ReadAll(target), QByteArrayLiteral("old"));
        QFile::remove(QFile::decodeName(elsewhere));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList { QStringLiteral("Bench.ikwx") });
    }

    // Given the temporary's own bytes, the writer reaches it in a folder
    // whose name is not UTF-8 too.
    const QByteArray latin1 = QFile::encodeName(dir.path()) + QByteArrayLiteral("/caf\xe9");
    ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
    const QByteArray inLatin1 = latin1 + QByteArrayLiteral("/Bench.ikwx");
    ASSERT_TRUE(WriteFileThroughTemporaryWith(DecodeFileName(inLatin1), writeTo, &error))
        << error.toStdString();
    FILE* file = std::fopen(inLatin1.constData(), "rb");
    ASSERT_TRUE(file);
    char text[32] = {};
    EXPECT_EQ(std::fread(text, 1, sizeof text, file), 10U);
    std::fclose(file);
    EXPECT_STREQ(text, "<Package/>");
    EXPECT_EQ(::unlink(inLatin1.constData()), 0);
    EXPECT_EQ(::rmdir(latin1.constData()), 0);
}

TEST(SafeFileWriteTest, TheDefaultsToolKeepsItsOldOutputOnAFullDisk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString description = dir.filePath(QStringLiteral("Defaults.txt"));
    const QString output = dir.filePath(QStringLiteral("DefMats.KWDE"));
    QFile text(description);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("material: Birch\nkerf: 1/8 in\nsize: 3/4 in x 48 in x 96 in\n");
    text.close();
    QFile old(output);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old defaults");
    old.close();
    const QByteArray tool = QByteArrayLiteral(KWL_DEFMATS_TOOL);
    const QByteArray in = QFile::encodeName(description);
    const QByteArray out = QFile::encodeName(output);
    const int status = kwl::testing::ExitStatusUnderFileSizeLimit(16, [&] {
        ::execl(tool.constData(), tool.constData(), in.constData(), out.constData(), static_cast<char*>(nullptr));
        return 127;
    });
    EXPECT_NE(status, 0);
    EXPECT_NE(status, 127);
    EXPECT_EQ(ReadAll(output), QByteArrayLiteral("old defaults"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // Without the limit the tool writes the library.
    EXPECT_EQ(kwl::testing::ExitStatusUnderFileSizeLimit(RLIM_INFINITY, [&] {
        ::execl(tool.constData(), tool.constData(), in.constData(), out.constData(), static_cast<char*>(nullptr));
        return 127;
    }), 0);
    EXPECT_GT(ReadAll(output).size(), 16);
}

}  // namespace

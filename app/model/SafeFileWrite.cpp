#include "model/SafeFileWrite.h"

#include "foundation/FileNames.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kTempPrefix = QByteArrayLiteral(".kwlsave-");
const QByteArray kTempSuffix = QByteArrayLiteral(".tmp");
constexpr int kTempRandomChars = 6;
// The characters a save puts between the prefix and the suffix: upper-case
// hexadecimal digits, a form that names users give (a word, a mixed-case
// name) do not take.
constexpr char kTempAlphabet[] = "0123456789ABCDEF";
// Beyond any chain a user builds on purpose; also stops a loop of links.
constexpr int kMaxLinkHops = 40;

QString SystemError(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

QString TargetError(const QString& target, const QString& reason)
{
    return QStringLiteral("%1: %2").arg(DisplayFileName(target), reason);
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// Only a name a save can have made: a user's ".kwlsave-resume.tmp" is not
// one, whatever its age.
bool IsTemporaryName(const char* name)
{
    const QByteArray text(name);
    if (text.size() != kTempPrefix.size() + kTempRandomChars + kTempSuffix.size()
        || !text.startsWith(kTempPrefix) || !text.endsWith(kTempSuffix))
        return false;
    for (const char c : text.mid(kTempPrefix.size(), kTempRandomChars)) {
        if (c == '\0' || !std::strchr(kTempAlphabet, c))
            return false;
    }
    return true;
}

// Removes the temporaries of killed saves: old enough that no save can still
// be writing them, and not locked (every save locks its temporary for as
// long as it exists).
void RemoveStaleTemporaries(const QByteArray& folder)
{
    DIR* listing = ::opendir(folder.constData());
    if (!listing)
        return;
    const int folderFd = ::dirfd(listing);
    const std::time_t staleBefore = std::time(nullptr) - kStaleTemporaryAgeSeconds;
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsTemporaryName(entry->d_name))
            continue;
        struct stat status
        {
        };
        if (::fstatat(folderFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode)
            || status.st_mtime >= staleBefore)
            continue;
        const int fd = ::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(folderFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(listing);
}

// A new temporary file beside the target, open for writing and locked.
int CreateTemporary(const QByteArray& folder, QByteArray* tempPath)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = kTempPrefix;
        for (int i = 0; i < kTempRandomChars; ++i)
            name.append(kTempAlphabet[QRandomGenerator::system()->bounded(int(sizeof kTempAlphabet) - 1)]);
        name.append(kTempSuffix);
        *tempPath = folder + '/' + name;
        const int fd = ::open(tempPath->constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

// Only a regular file, or a name that does not exist yet, is ever replaced:
// the rename would put a file in place of a device node, a pipe or a socket
// that a link led to (as root even one of the system's), and of a link
// whose chain never ends.
bool IsReplaceableTarget(const QByteArray& target, QString* reason)
{
    struct stat status
    {
    };
    if (::lstat(target.constData(), &status) != 0)
        return true; // nothing there yet, or a folder the save cannot reach: that step reports it
    if (S_ISREG(status.st_mode))
        return true;
    if (S_ISLNK(status.st_mode))
        *reason = SystemError(ELOOP);
    else if (S_ISDIR(status.st_mode))
        *reason = SystemError(EISDIR);
    else
        *reason = QStringLiteral("not a regular file");
    return false;
}

// Fills the temporary file (open as fd, named tempPath); answers false with
// an error text.
using ContentStep = std::function<bool(int fd, const QByteArray& tempPath, QString* error)>;

bool ReplaceThroughTemporary(const QString& requested, const ContentStep& fillContent,
                             const std::function<bool(QString* error)>& beforeReplace, QString* error)
{
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    const QString target = ResolveSymbolicLinks(requested);
    const QByteArray targetBytes = EncodeFileName(target);
    QString refusal;
    if (!IsReplaceableTarget(targetBytes, &refusal))
        return fail(TargetError(requested, refusal));
    const QByteArray folder = FolderOf(targetBytes);
    RemoveStaleTemporaries(folder);

    QByteArray tempPath;
    const int fd = CreateTemporary(folder, &tempPath);
    if (fd < 0)
        return fail(TargetError(requested, SystemError(errno)));
    auto abandon = [&](const QString& text) {
        ::unlink(tempPath.constData());
        ::close(fd);
        return fail(text);
    };
    QString stepError;
    if (!fillContent(fd, tempPath, &stepError))
        return abandon(stepError);
    if (::fsync(fd) != 0)
        return abandon(TargetError(requested, SystemError(errno)));
    // The new file keeps the permission bits of the file it replaces.
    struct stat previous
    {
    };
    const mode_t mode = ::stat(targetBytes.constData(), &previous) == 0 ? previous.st_mode & 07777
                                                                         : S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
    ::fchmod(fd, mode);

    if (beforeReplace && !beforeReplace(&stepError))
        return abandon(stepError);
    if (::rename(tempPath.constData(), targetBytes.constData()) != 0)
        return abandon(TargetError(requested, SystemError(errno)));
    ::close(fd);
    // Make the rename itself durable.
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace

bool RenameReplacing(const QString& from, const QString& to, QString* error)
{
    if (::rename(EncodeFileName(from).constData(), EncodeFileName(to).constData()) == 0)
        return true;
    if (error)
        *error = TargetError(to, SystemError(errno));
    return false;
}

QString ResolveSymbolicLinks(const QString& path)
{
    QByteArray current = EncodeFileName(path);
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat status
        {
        };
        if (::lstat(current.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            break;
        QByteArray link(static_cast<qsizetype>(status.st_size > 0 ? status.st_size : 4096) + 1, '\0');
        const ssize_t length = ::readlink(current.constData(), link.data(), static_cast<std::size_t>(link.size()));
        if (length <= 0 || length >= link.size())
            break;
        link.truncate(length);
        current = link.startsWith('/') ? link : FolderOf(current) + '/' + link;
    }
    return DecodeFileName(current);
}

bool WriteFileThroughTemporary(const QString& target, const QByteArray& bytes,
                               const std::function<bool(QString* error)>& beforeReplace, QString* error)
{
    auto writeBytes = [&](int fd, const QByteArray&, QString* stepError) {
        // Written by hand, so that a failure reports the system's own reason.
        const char* data = bytes.constData();
        for (qsizetype left = bytes.size(); left > 0;) {
            const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                // Past the file-size limit the disk has no more room for
                // this file: the user is told so in the same words.
                const int reason = written < 0 && errno != EFBIG ? errno : ENOSPC;
                *stepError = TargetError(target, SystemError(reason));
                return false;
            }
            data += written;
            left -= written;
        }
        return true;
    };
    return ReplaceThroughTemporary(target, writeBytes, beforeReplace, error);
}

bool WriteFileThroughTemporaryWith(const QString& target,
    const std::function<bool(const QByteArray& tempFileName)>& writeContent, QString* error)
{
    auto writeByName = [&](int fd, const QByteArray& tempPath, QString* stepError) {
        // The writer opens the file by name and truncates it: the same file,
        // so the handle kept here still flushes what it wrote, and its size
        // shows whether the content arrived there at all.
        struct stat held
        {
        };
        if (writeContent(tempPath) && ::fstat(fd, &held) == 0 && held.st_size > 0)
            return true;
        *stepError = TargetError(target, QStringLiteral("the file could not be written"));
        return false;
    };
    return ReplaceThroughTemporary(target, writeByName, {}, error);
}

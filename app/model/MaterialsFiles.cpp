#include "model/MaterialsFiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace MaterialsFiles {

QString PathIn(const QString& folder, const char* fileName)
{
    return QDir(folder).filePath(QString::fromLatin1(fileName));
}

QStringList FallbackCandidates(const QString& baseFolder, const QString& programFolder, bool alternate)
{
    // Without a folder there is no library of the user's to read (a relative
    // path would read whatever the working folder holds): its two entries
    // stay empty, so each file keeps its place in the order.
    QStringList result;
    if (baseFolder.isEmpty())
        result << QString() << QString();
    else
        result << PathIn(baseFolder, kLibraryFile) << PathIn(baseFolder, kBackupFile);
    if (!alternate)
        result << PathIn(programFolder, kDefaultsFile);
    return result;
}

QString SetAside(const QString& path)
{
    for (int n = 1; n < 1000; ++n) {
        const QString target
            = n == 1 ? path + QStringLiteral(".unreadable") : path + QStringLiteral(".unreadable-%1").arg(n);
        if (QFileInfo::exists(target))
            continue;
        // QFile::rename refuses an existing target, so a set-aside file is
        // never replaced by a later one.
        return QFile::rename(path, target) ? target : QString();
    }
    return {};
}

namespace {
QString SystemError(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// POSIX rename replaces the target atomically.
bool RenameReplacing(const QString& from, const QString& to, QString* error)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(to), SystemError(errno));
    return false;
}
} // namespace

FileStamp StampOf(const QString& path)
{
    FileStamp stamp;
    stamp.path = QFileInfo(path).absoluteFilePath();
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        stamp.size = status.st_size;
        stamp.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    }
    return stamp;
}

bool WriteLibraryFile(const QString& folder, const QByteArray& bytes, bool rotate, bool rotationMustSucceed,
    QString* error, const FileStamp* known, QString* setAside)
{
    const QString target = PathIn(folder, kLibraryFile);
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    auto failWithErrno = [&](int err) {
        return fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target), SystemError(err)));
    };
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return fail(QStringLiteral("%1: the folder does not exist.").arg(QDir::toNativeSeparators(folder)));

    QTemporaryFile temp(target + QStringLiteral(".XXXXXX"));
    temp.setAutoRemove(true);
    if (!temp.open())
        return fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target), temp.errorString()));
    // Written by hand, so that a failure reports the system's own reason.
    const int fd = temp.handle();
    const char* data = bytes.constData();
    for (qsizetype left = bytes.size(); left > 0;) {
        const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return failWithErrno(written < 0 ? errno : ENOSPC);
        data += written;
        left -= written;
    }
    if (::fsync(fd) != 0)
        return failWithErrno(errno);
    struct stat previous
    {
    };
    const mode_t mode = ::stat(QFile::encodeName(target).constData(), &previous) == 0
        ? previous.st_mode & 07777
        : S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
    ::fchmod(fd, mode);
    temp.close();

    if (rotate && QFileInfo::exists(target)) {
        if (known && StampOf(target) != *known) {
            const QString aside = SetAside(target);
            if (aside.isEmpty())
                return fail(QStringLiteral("%1: the file changed on disk and cannot be kept aside.")
                                .arg(QDir::toNativeSeparators(target)));
            if (setAside)
                *setAside = aside;
        } else {
            QString rotateError;
            if (!RenameReplacing(target, PathIn(folder, kBackupFile), &rotateError) && rotationMustSucceed)
                return fail(rotateError);
        }
    }
    QString renameError;
    if (!RenameReplacing(temp.fileName(), target, &renameError))
        return fail(renameError);
    temp.setAutoRemove(false);
    // Make the renames themselves durable.
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

std::int64_t FileTime(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() ? info.lastModified().toSecsSinceEpoch() : 0;
}

namespace {
QString& ProgramFolderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

void SetProgramFolder(const QString& folder)
{
    ProgramFolderOverride() = folder;
}

QString ProgramFolder()
{
    if (!ProgramFolderOverride().isEmpty())
        return ProgramFolderOverride();
    const QString own = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(PathIn(own, kDefaultsFile)))
        return own;
    const QString shared = QDir(own).filePath(QStringLiteral("../share/kwlsolo"));
    if (QFileInfo::exists(PathIn(shared, kDefaultsFile)))
        return QDir::cleanPath(shared);
    return own;
}

} // namespace MaterialsFiles

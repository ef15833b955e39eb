#include "model/SafeFileWrite.h"

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

namespace {
QString SystemError(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

QString TargetError(const QString& target, const QString& reason)
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target), reason);
}

// Fills the open temporary file; answers false with an error text.
using ContentStep = std::function<bool(QTemporaryFile& temp, QString* error)>;

bool ReplaceThroughTemporary(const QString& target, const ContentStep& fillContent,
                             const std::function<bool(QString* error)>& beforeReplace, QString* error)
{
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    // A short hidden name of its own beside the target, so that a target
    // whose name is near the length limit still has room for it.
    QTemporaryFile temp(QFileInfo(target).absolutePath() + QStringLiteral("/.XXXXXX.tmp"));
    temp.setAutoRemove(true);
    if (!temp.open())
        return fail(TargetError(target, temp.errorString()));
    QString stepError;
    if (!fillContent(temp, &stepError))
        return fail(stepError);
    const int fd = temp.handle();
    if (::fsync(fd) != 0)
        return fail(TargetError(target, SystemError(errno)));
    // The new file keeps the permission bits of the file it replaces.
    struct stat previous
    {
    };
    const mode_t mode = ::stat(QFile::encodeName(target).constData(), &previous) == 0
        ? previous.st_mode & 07777
        : S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
    ::fchmod(fd, mode);
    temp.close();

    if (beforeReplace && !beforeReplace(&stepError))
        return fail(stepError);
    if (!RenameReplacing(temp.fileName(), target, &stepError))
        return fail(stepError);
    temp.setAutoRemove(false);
    // Make the rename itself durable.
    const int dir = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}
} // namespace

bool RenameReplacing(const QString& from, const QString& to, QString* error)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (error)
        *error = TargetError(to, SystemError(errno));
    return false;
}

bool WriteFileThroughTemporary(const QString& target, const QByteArray& bytes,
                               const std::function<bool(QString* error)>& beforeReplace, QString* error)
{
    auto writeBytes = [&](QTemporaryFile& temp, QString* stepError) {
        // Written by hand, so that a failure reports the system's own reason.
        const int fd = temp.handle();
        const char* data = bytes.constData();
        for (qsizetype left = bytes.size(); left > 0;) {
            const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                *stepError = TargetError(target, SystemError(written < 0 ? errno : ENOSPC));
                return false;
            }
            data += written;
            left -= written;
        }
        return true;
    };
    return ReplaceThroughTemporary(target, writeBytes, beforeReplace, error);
}

bool WriteFileThroughTemporaryWith(const QString& target, const std::function<bool(const QString& tempPath)>& writeContent,
                                   QString* error)
{
    auto writeByName = [&](QTemporaryFile& temp, QString* stepError) {
        // The writer opens the file by name and truncates it: the same file,
        // so the handle kept here still flushes what it wrote.
        if (writeContent(temp.fileName()))
            return true;
        *stepError = TargetError(target, QStringLiteral("the file could not be written"));
        return false;
    };
    return ReplaceThroughTemporary(target, writeByName, {}, error);
}

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
} // namespace

bool RenameReplacing(const QString& from, const QString& to, QString* error)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(to), SystemError(errno));
    return false;
}

bool WriteFileThroughTemporary(const QString& target, const QByteArray& bytes,
                               const std::function<bool(QString* error)>& beforeReplace, QString* error)
{
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    auto failWithErrno = [&](int err) {
        return fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target), SystemError(err)));
    };
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
    // The new file keeps the permission bits of the file it replaces.
    struct stat previous
    {
    };
    const mode_t mode = ::stat(QFile::encodeName(target).constData(), &previous) == 0
        ? previous.st_mode & 07777
        : S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
    ::fchmod(fd, mode);
    temp.close();

    if (beforeReplace) {
        QString stepError;
        if (!beforeReplace(&stepError))
            return fail(stepError);
    }
    QString renameError;
    if (!RenameReplacing(temp.fileName(), target, &renameError))
        return fail(renameError);
    temp.setAutoRemove(false);
    // Make the renames themselves durable.
    const int dir = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

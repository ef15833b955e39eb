#include "model/SafeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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
    QTemporaryFile temp(target + QStringLiteral(".XXXXXX"));
    temp.setAutoRemove(true);
    if (!temp.open())
        return fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target), temp.errorString()));
    if (temp.write(bytes) != bytes.size() || !temp.flush() || ::fsync(temp.handle()) != 0)
        return fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target), temp.errorString()));
    temp.setPermissions(
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
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
    // Make the rename itself durable.
    const int dir = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

#include "output/export/SaveBesideThenReplace.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A new empty file beside the target, made exclusively so that no other
// file is taken over. It gets the permissions of the file it will replace,
// or those any new file gets.
QString CreateTempBeside(const QString& path)
{
    struct stat existing {};
    const bool replacing = ::stat(QFile::encodeName(path).constData(), &existing) == 0;
    // A short hidden name of its own, so that a target name near the length
    // limit still has room beside it.
    const QString folder = QFileInfo(path).absolutePath();
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString temp = folder + QLatin1Char('/')
            + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const int fd = ::open(QFile::encodeName(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            const bool ok = !replacing || ::fchmod(fd, existing.st_mode & 07777) == 0;
            ::close(fd);
            if (ok)
                return temp;
            ::unlink(QFile::encodeName(temp).constData());
            return {};
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

bool Sync(const QString& path, int openFlags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), openFlags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

} // namespace

bool SaveBesideThenReplace(const QString& path, const std::function<bool(const QString& tempPath)>& save)
{
    if (path.isEmpty())
        return false;
    const QString temp = CreateTempBeside(path);
    if (temp.isEmpty())
        return false;
    const QByteArray tempName = QFile::encodeName(temp);
    // POSIX rename replaces the target atomically: readers see the old file
    // or the new one, never a mix.
    if (!save(temp) || !Sync(temp, O_RDONLY)
        || ::rename(tempName.constData(), QFile::encodeName(path).constData()) != 0) {
        ::unlink(tempName.constData());
        return false;
    }
    // The rename itself survives a crash only once the folder is on disk;
    // the file is complete either way, so this is not a failure of the save.
    Sync(QFileInfo(path).absolutePath(), O_RDONLY | O_DIRECTORY);
    return true;
}

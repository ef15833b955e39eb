#include "model/MaterialsFiles.h"

#include "foundation/FileNames.h"
#include "foundation/RegularFileReader.h"
#include "model/SafeFileWrite.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

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
    // A library file that is a symbolic link stays one: the file it points
    // to is rotated and replaced.
    const QString target = ResolveSymbolicLinks(PathIn(folder, kLibraryFile));
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        if (error)
            *error = QStringLiteral("%1: the folder does not exist.").arg(DisplayFileName(folder));
        return false;
    }
    // Once the new file is complete, the previous library becomes the backup;
    // a file on disk that is not the version this library knows is set aside
    // instead, so that no store ever rotates away a file it did not load.
    auto rotateOld = [&](QString* rotateError) {
        if (!rotate || !QFileInfo::exists(target))
            return true;
        if (known && StampOf(target) != *known) {
            const QString aside = SetFileAside(target);
            if (aside.isEmpty()) {
                *rotateError = QStringLiteral("%1: the file changed on disk and cannot be kept aside.")
                                   .arg(DisplayFileName(target));
                return false;
            }
            if (setAside)
                *setAside = aside;
            return true;
        }
        return RenameReplacing(target, PathIn(folder, kBackupFile), rotateError) || !rotationMustSucceed;
    };
    return WriteFileThroughTemporary(target, bytes, rotateOld, error);
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

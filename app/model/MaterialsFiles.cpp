#include "model/MaterialsFiles.h"

#include "model/SafeFileWrite.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

bool WriteLibraryFile(
    const QString& folder, const QByteArray& bytes, bool rotate, bool rotationMustSucceed, QString* error)
{
    const QString target = PathIn(folder, kLibraryFile);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        if (error)
            *error = QStringLiteral("%1: the folder does not exist.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    // The previous library becomes the backup only once the new file is complete.
    auto rotateOld = [&](QString* rotateError) {
        if (!rotate || !QFileInfo::exists(target))
            return true;
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

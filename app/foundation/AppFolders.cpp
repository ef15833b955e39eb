#include "foundation/AppFolders.h"

#include "foundation/FileNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

bool GetAppDataFolder(const QString& subfolder, QString& path)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty() || !QDir().mkpath(base))
        return false;
    EnsureFolderPath(base, subfolder);
    path = QDir(base).filePath(subfolder) + QLatin1Char('/');
    return true;
}

void EnsureFolderPath(const QString& base, const QString& relative)
{
    QDir dir(base);
    if (dir.exists(relative))
        return;
    for (const QString& part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (!dir.exists(part) && !dir.mkdir(part))
            return;
        dir.cd(part);
    }
}

QString FolderWithSlash(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    return clean.endsWith(QLatin1Char('/')) ? clean : clean + QLatin1Char('/');
}

QString GetProgramFolder()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

QString EnsureDocumentsFolder(const QString& folder)
{
    QString documents
        = folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : folder;
    if (documents.isEmpty() || !QDir().mkpath(documents))
        documents = QDir::homePath();
    return FolderWithSlash(documents);
}

QString DialogStartFolder(const QString& folder)
{
    // Asked with the name's bytes: a folder named in another encoding is there too.
    if (!folder.startsWith(QLatin1Char('/')) || !FolderNameExists(folder))
        return EnsureDocumentsFolder();
    return FolderWithSlash(folder);
}

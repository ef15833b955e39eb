#include "foundation/AppFolders.h"

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

QString GetProgramFolder()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

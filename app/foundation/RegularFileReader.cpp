#include "foundation/RegularFileReader.h"

#include "foundation/FileNames.h"

#include <QFile>
#include <QFileInfo>

RegularFileReader::RegularFileReader(const QString& path, std::int64_t maxBytes)
    : platform::RegularFileReader(EncodeFileName(path).toStdString(), maxBytes)
{ }

QString SetFileAside(const QString& path)
{
    for (int n = 1; n < 1000; ++n) {
        const QString target
            = n == 1 ? path + QStringLiteral(".unreadable") : path + QStringLiteral(".unreadable-%1").arg(n);
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        // QFile::rename refuses an existing target, so a file set aside is
        // never replaced by a later one.
        return QFile::rename(path, target) ? target : QString();
    }
    return {};
}

#include "shell/SingleInstancePlace.h"

#include "foundation/FileNames.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Links { Follow, Refuse };

// Why the folder is not one only this user can enter; empty when it is.
QString WhyNotOwn(const QString& folder, Links links)
{
    const QByteArray path = EncodeFileName(folder);
    struct stat info = {};
    if ((links == Links::Follow ? ::stat(path.constData(), &info) : ::lstat(path.constData(), &info)) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("it is a symbolic link");
    if (!S_ISDIR(info.st_mode))
        return QStringLiteral("it is not a folder");
    if (info.st_uid != ::geteuid())
        return QStringLiteral("it belongs to user %1").arg(info.st_uid);
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return QStringLiteral("others may enter it (mode %1)")
            .arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'));
    return {};
}

// The session's runtime folder when it is the user's own.
QString RuntimeFolder(QStringList& notes)
{
    const QString folder = DecodeFileName(qgetenv("XDG_RUNTIME_DIR"));
    if (folder.isEmpty()) {
        notes << QStringLiteral("Single instance: XDG_RUNTIME_DIR is not set");
        return {};
    }
    QString why = QDir::isAbsolutePath(folder) ? WhyNotOwn(folder, Links::Follow)
                                               : QStringLiteral("it is not an absolute path");
    if (why.isEmpty())
        return folder;
    notes << QStringLiteral("Single instance: runtime folder \"%1\" not used: %2").arg(folder, why);
    return {};
}

// A folder of the user's own in the temporary folder, made when missing.
// Someone else may have made it first: then it is refused, never used.
QString OwnTemporaryFolder(QStringList& notes)
{
    const QString folder = QDir::tempPath() + QStringLiteral("/kwlsolo-") + QString::number(::geteuid());
    QString why;
    if (::mkdir(EncodeFileName(folder).constData(), S_IRWXU) != 0 && errno != EEXIST)
        why = QString::fromLocal8Bit(std::strerror(errno));
    else
        why = WhyNotOwn(folder, Links::Refuse);
    if (why.isEmpty())
        return folder;
    notes << QStringLiteral("Single instance: folder \"%1\" not used: %2").arg(folder, why);
    return {};
}

bool FitsASocket(const QString& path)
{
    return QFile::encodeName(path).size() <= kLongestSocketPath;
}

} // namespace

SingleInstancePlace FindSingleInstancePlace(const QString& name)
{
    SingleInstancePlace place;
    const QString off = QStringLiteral("Single instance off: every start opens a window of its own");
    QString ownTemporary;
    QString folder = RuntimeFolder(place.notes);
    if (folder.isEmpty())
        folder = ownTemporary = OwnTemporaryFolder(place.notes);
    if (folder.isEmpty()) {
        place.notes << off;
        return place;
    }
    const QString lockFile = folder + QLatin1Char('/') + name + QStringLiteral(".lock");
    const QString socket = folder + QLatin1Char('/') + name + QStringLiteral(".socket");
    if (FitsASocket(socket)) {
        place = { lockFile, socket, place.notes };
        return place;
    }
    if (ownTemporary.isEmpty())
        ownTemporary = OwnTemporaryFolder(place.notes);
    const QByteArray digest = QCryptographicHash::hash(EncodeFileName(socket), QCryptographicHash::Sha256);
    const QString shortName = ownTemporary + QLatin1Char('/') + QString::fromLatin1(digest.toHex().left(16))
        + QStringLiteral(".socket");
    if (!ownTemporary.isEmpty() && FitsASocket(shortName)) {
        place = { lockFile, shortName, place.notes };
        return place;
    }
    // A lock without a socket would refuse every later start and hand
    // nothing over: no lock then either.
    place.notes << QStringLiteral("Single instance: no socket path fits \"%1\"").arg(socket) << off;
    return place;
}

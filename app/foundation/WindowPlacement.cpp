#include "foundation/WindowPlacement.h"

#include "foundation/RegularFileReader.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {
// The framework's application profile of the program.
constexpr const char* Organization = "Marrowby Design";
constexpr const char* Application = "Kerfwell Plus Solo";
constexpr const char* Section = "5.0";
// A profile holds a few dozen short entries.
constexpr std::int64_t kMaxProfileBytes = std::int64_t(1) << 20;
} // namespace

WindowPlacement LoadWindowPlacement()
{
    const WindowPlacement defaults;
    WindowPlacement placement;
    QSettings profile(QString::fromLatin1(Organization), QString::fromLatin1(Application));
    profile.beginGroup(QString::fromLatin1(Section));
    placement.showCmd = profile.value(QStringLiteral("WPShowCmd"), defaults.showCmd).toInt();
    placement.normalTop = profile.value(QStringLiteral("WPNormT"), defaults.normalTop).toInt();
    placement.normalLeft = profile.value(QStringLiteral("WPNormL"), defaults.normalLeft).toInt();
    placement.normalBottom = profile.value(QStringLiteral("WPNormB"), defaults.normalBottom).toInt();
    placement.normalRight = profile.value(QStringLiteral("WPNormR"), defaults.normalRight).toInt();
    placement.length = 44;
    placement.flags = 0;
    return placement;
}

void SaveWindowPlacement(const WindowPlacement& placement)
{
    QSettings profile(QString::fromLatin1(Organization), QString::fromLatin1(Application));
    profile.beginGroup(QString::fromLatin1(Section));
    profile.setValue(QStringLiteral("WPShowCmd"), placement.showCmd);
    profile.setValue(QStringLiteral("WPNormT"), placement.normalTop);
    profile.setValue(QStringLiteral("WPNormL"), placement.normalLeft);
    profile.setValue(QStringLiteral("WPNormB"), placement.normalBottom);
    profile.setValue(QStringLiteral("WPNormR"), placement.normalRight);
}

QStringList SetUnreadableProfileFilesAside()
{
    // Where the profile of the user's scope lies: the program's file in its
    // maker's folder, and the maker's file beside that folder.
    const QDir config(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    const QString maker = QString::fromLatin1(Organization);
    QStringList setAside;
    for (const QString& path : { config.filePath(maker + QLatin1Char('/') + QString::fromLatin1(Application)
                                     + QStringLiteral(".conf")),
             config.filePath(maker + QStringLiteral(".conf")) }) {
        const RegularFileReader::Outcome outcome = RegularFileReader(path, kMaxProfileBytes).GetOutcome();
        if (outcome != RegularFileReader::Outcome::NotRegular
            && outcome != RegularFileReader::Outcome::TooLarge)
            continue;
        const QString aside = SetFileAside(path);
        if (!aside.isEmpty())
            setAside << aside;
    }
    return setAside;
}

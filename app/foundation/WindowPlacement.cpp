#include "foundation/WindowPlacement.h"

#include <QSettings>

namespace {
// The framework's application profile of the program.
constexpr const char* Organization = "Marrowby Design";
constexpr const char* Application = "Kerfwell Plus Solo";
constexpr const char* Section = "5.0";
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

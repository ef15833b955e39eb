#include "foundation/SharedFolderSettings.h"

#include "foundation/AppFolders.h"

#include <platform/IniFile.h>

#include <shareguard/FileServices.h>

#include <QDir>

#include <algorithm>

namespace {

constexpr std::size_t kMaxTextChars = 255;

QString SettingsFilePath()
{
    QString folder;
    if (!GetAppDataFolder(QStringLiteral("Kerfwell Plus"), folder))
        folder = QDir::tempPath() + QStringLiteral("/Kerfwell Plus/");
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("SharedMats.ini"));
}

std::u16string U16(const QString& text)
{
    return text.toStdU16String();
}

std::filesystem::path PathOf(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

SharedFolderSettings& SharedFolderSettings::Instance()
{
    static SharedFolderSettings settings(SettingsFilePath());
    return settings;
}

SharedFolderSettings::SharedFolderSettings(const QString& filePath)
    : m_filePath(filePath)
{
    SetDefaults();
}

void SharedFolderSettings::SetDefaults()
{
    const QString setup = QStringLiteral("Setup");
    const QString prefs = QStringLiteral("Prefs");
    m_flags = {
        { SharingEnabled, setup, QStringLiteral("Sharing Enabled"), false },
        { EnableAutoCheckout, prefs, QStringLiteral("Enable Auto Checkout"), false },
        { AllowOfflineEditing, prefs, QStringLiteral("Allow Offline Editing"), true },
        { AutomaticCheckins, prefs, QStringLiteral("Automatic Checkins"), true },
    };
    m_texts = {
        { NetworkFolder, setup, QStringLiteral("Network Folder"), QString() },
        { Username, setup, QStringLiteral("Username"), QString() },
        { Userid, setup, QStringLiteral("Userid"), QString() },
    };
    m_ints = {
        { State, QStringLiteral("Status"), QStringLiteral("State"), 0, 0, 8 },
    };
}

void SharedFolderSettings::Load()
{
    SetDefaults();
    LoadSettingsFile(m_filePath);
}

void SharedFolderSettings::LoadSettingsFile(const QString& path)
{
    const shareguard::FileServices files;
    if (files.DoesFileExist(U16(path)))
        ReadSettingsFile(path);
    else
        files.CreateUnicodeTextFile(U16(path));
}

void SharedFolderSettings::ReadSettingsFile(const QString& path)
{
    const std::filesystem::path file = PathOf(path);
    for (FlagEntry& entry : m_flags)
        entry.value = platform::IniFile::ReadInt(file, U16(entry.section), U16(entry.key), entry.value ? 1 : 0) != 0;
    for (TextEntry& entry : m_texts)
        entry.value = QString::fromStdU16String(platform::IniFile::ReadString(
            file, U16(entry.section), U16(entry.key), U16(entry.value), kMaxTextChars));
    for (IntEntry& entry : m_ints)
        entry.value = std::clamp(
            platform::IniFile::ReadInt(file, U16(entry.section), U16(entry.key), entry.value), entry.minimum,
            entry.maximum);
}

bool SharedFolderSettings::GetFlag(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < m_flags.size() && m_flags[index].value;
}

QString SharedFolderSettings::GetText(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < m_texts.size() ? m_texts[index].value : QString();
}

std::int32_t SharedFolderSettings::GetInt(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < m_ints.size() ? m_ints[index].value : 0;
}

#include "foundation/CUserPrefs.h"

#include "foundation/AppFolders.h"
#include "foundation/DimensionFormatPrefs.h"
#include "foundation/PrefsTable.h"
#include "foundation/SessionLog.h"
#include "foundation/WaitCursor.h"

#include <platform/IniFile.h>

#include <QCoreApplication>

#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <utility>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr int TextLimit = 255;

enum PrintPrefId {
    LayoutsPageConfig = 3087,
    LayoutWithTakeOff = 2033,
    MruDevice = 1016,
    Driver = 1017,
    Port = 1018,
    PaperSize = 3045,
    Bin = 3046,
    DuplexMode = 3048,
    MarginTop = 3030,
    MarginLeft = 3031,
    MarginBottom = 3032,
    MarginRight = 3033,
    Orientation = 3034,
    IgnorePrefs = 2114,
    IgnorePrefsAlways = 2115,
    DimensionsStyle = 3016,
};

PrefsMessageHook& MessageHook()
{
    static PrefsMessageHook hook;
    return hook;
}

DefaultMaterialsInstaller& Installer()
{
    static DefaultMaterialsInstaller installer;
    return installer;
}

std::filesystem::path FsPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

std::u16string U16(const char* text)
{
    return QString::fromUtf8(text).toStdU16String();
}

// Reals are written with six decimals in the C locale, whatever the user's locale.
QString FormatReal(double value)
{
    return QString::number(value, 'f', 6);
}

// The leading number of the text, 0.0 when there is none (as the runtime's
// text-to-double conversion of the original file format does).
double ParseReal(const QString& text)
{
    const std::string utf8 = text.trimmed().toStdString();
    const char* first = utf8.data();
    const char* last = first + utf8.size();
    if (first != last && *first == '+')
        ++first;
    double value = 0.0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || std::isnan(value))
        return 0.0;
    return value;
}

// Without a user data folder, the program's own folder is used.
QString FallbackFolder()
{
    return GetProgramFolder();
}

template <class Map, class Value> Value Lookup(const Map& map, int id, Value fallback)
{
    const auto it = map.find(id);
    return it == map.end() ? fallback : it->second;
}

} // namespace

CUserPrefs::CUserPrefs() = default;

void CUserPrefs::Init(const QString& appDataFolder, const QString& documentsFolder)
{
    ComputeFolders(appDataFolder, documentsFolder);
    LoadUserPrefs();
    LoadPrintSettings();
}

void CUserPrefs::ComputeFolders(const QString& appDataFolder, const QString& documentsFolder)
{
    QString base = appDataFolder;
    if (base.isEmpty() && !::GetAppDataFolder(QStringLiteral("KWL Solo"), base))
        base = FallbackFolder();
    QDir().mkpath(base);
    m_appDataFolder = FolderWithSlash(base);
    // The projects, export and backup folders default to it: it must exist
    // before the first save, print or confirmed preference.
    m_documentsFolder = EnsureDocumentsFolder(documentsFolder);

    m_prefsFile = m_appDataFolder + QStringLiteral("Prefs.ini");
    m_gridStateFile = m_appDataFolder + QStringLiteral("GridStat.KWG");

    const QString folders = QStringLiteral("Folder Locations");
    m_texts[PrefPathId::GridStatPath] = m_gridStateFile;
    m_sections[PrefPathId::GridStatPath] = folders;
    m_keys[PrefPathId::GridStatPath] = QStringLiteral("GridStat Path");
    m_texts[PrefPathId::AppDataPath] = m_appDataFolder;
    m_sections[PrefPathId::AppDataPath] = folders;
    m_keys[PrefPathId::AppDataPath] = QStringLiteral("AppData Path");
}

void CUserPrefs::LoadUserPrefs()
{
    WaitCursor wait;
    const QFileInfo file(m_prefsFile);
    if (file.exists()) {
        m_newFile = 0;
        m_fileTime = file.lastModified().toMSecsSinceEpoch();
    } else {
        m_newFile = 1;
        m_fileTime = 0;
        if (Installer())
            Installer()(m_appDataFolder);
    }

    RegisterAll();

    if (GetFlag(IgnorePrefs))
        WriteKey(IgnorePrefsAlways, QStringLiteral("1")); // the value in memory stays as read

    if (m_newFile)
        WriteAllValues();
}

void CUserPrefs::RegisterAll()
{
    const auto file = FsPath(m_prefsFile);
    for (const PrefDefinition& d : GetPrefDefinitions()) {
        const std::u16string section = U16(d.section);
        const std::u16string key = U16(d.key);
        m_sections[d.id] = QString::fromStdU16String(section);
        m_keys[d.id] = QString::fromStdU16String(key);
        switch (d.type) {
        case PrefType::Text: {
            QString fallback = QString::fromUtf8(d.text);
            if (d.textDefault == PrefTextDefault::AppDataFolder)
                fallback = m_appDataFolder;
            else if (d.textDefault == PrefTextDefault::DocumentsFolder)
                fallback = m_documentsFolder;
            QString stored = QString::fromStdU16String(
                platform::IniFile::ReadString(file, section, key, fallback.toStdU16String(), TextLimit));
            // Earlier builds stored a drive root as the backup folder's default; it names no
            // folder here, so such a file reads as if the user had never chosen one.
            if (d.textDefault != PrefTextDefault::Literal && stored == QStringLiteral("C:\\"))
                stored = fallback;
            m_texts[d.id] = stored;
            break;
        }
        case PrefType::Flag:
            m_flags[d.id] = platform::IniFile::ReadInt(file, section, key, d.intDefault) != 0 ? 1 : 0;
            break;
        case PrefType::Int:
            m_ints[d.id] = platform::IniFile::ReadInt(file, section, key, d.intDefault);
            break;
        case PrefType::ClampedInt:
            m_ints[d.id] = std::clamp(
                platform::IniFile::ReadInt(file, section, key, d.intDefault), d.minimum, d.maximum);
            break;
        case PrefType::Real: {
            const std::u16string text = platform::IniFile::ReadString(
                file, section, key, FormatReal(d.realDefault).toStdU16String(), TextLimit);
            m_reals[d.id]
                = std::clamp(ParseReal(QString::fromStdU16String(text)), d.realMinimum, d.realMaximum);
            break;
        }
        }
    }
}

void CUserPrefs::WriteAllValues()
{
    for (const auto& [id, text] : m_texts)
        WriteKey(id, text);
    for (const auto& [id, flag] : m_flags)
        WriteKey(id, flag ? QStringLiteral("1") : QStringLiteral("0"));
    for (const auto& [id, value] : m_ints)
        WriteKey(id, QString::number(value));
    for (const auto& [id, value] : m_reals)
        WriteKey(id, FormatReal(value));
}

void CUserPrefs::WriteKey(int id, const QString& value) const
{
    const auto section = m_sections.find(id);
    const auto key = m_keys.find(id);
    // A value without a registered place lives in memory only.
    if (section == m_sections.end() || key == m_keys.end() || m_prefsFile.isEmpty())
        return;
    platform::IniFile::WriteString(FsPath(m_prefsFile), section->second.toStdU16String(),
        key->second.toStdU16String(), value.toStdU16String());
}

QString CUserPrefs::GetString(int id) const
{
    return Lookup(m_texts, id, QString());
}

bool CUserPrefs::GetFlag(int id) const
{
    return Lookup(m_flags, id, 0) == 1;
}

int CUserPrefs::GetInt(int id) const
{
    return Lookup(m_ints, id, 0);
}

double CUserPrefs::GetReal(int id) const
{
    return Lookup(m_reals, id, 0.0);
}

QString CUserPrefs::WhyTextCannotBeKept(const QString& text)
{
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        return QStringLiteral("The text must stay on one line.");
    if (text.size() > TextLimit)
        return QStringLiteral("The text is longer than %1 characters.").arg(TextLimit);
    const auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    if (!text.isEmpty() && (isBlank(text.front()) || isBlank(text.back())))
        return QStringLiteral("The text must not begin or end with a blank.");
    if (text.size() >= 2 && (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\''))
        && text.back() == text.front())
        return QStringLiteral("The text must not be enclosed in quotes.");
    return {};
}

void CUserPrefs::SetString(int id, const QString& value)
{
    // The next start would read another value (or another key) back: keep
    // the one in force, and say why.
    if (const QString reason = WhyTextCannotBeKept(value); !reason.isEmpty()) {
        const QString message = QStringLiteral("The setting \"%1\" was not changed. %2")
                                    .arg(m_keys.count(id) ? m_keys.at(id) : QString::number(id), reason);
        SessionLog::Instance().Write(SessionLog::Warning, message);
        ShowPrefsMessage(message);
        return;
    }
    const auto it = m_texts.find(id);
    if (it != m_texts.end() && it->second == value)
        return;
    m_texts[id] = value;
    WriteKey(id, value);
}

void CUserPrefs::SetFlag(int id, bool value)
{
    const std::int32_t stored = value ? 1 : 0;
    const auto it = m_flags.find(id);
    if (it != m_flags.end() && it->second == stored)
        return;
    m_flags[id] = stored;
    WriteKey(id, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void CUserPrefs::SetInt(int id, int value)
{
    const auto it = m_ints.find(id);
    if (it != m_ints.end() && it->second == value)
        return;
    m_ints[id] = value;
    WriteKey(id, QString::number(value));
}

void CUserPrefs::SetReal(int id, double value)
{
    const auto it = m_reals.find(id);
    // Exact comparison: any change of the stored value is written.
    if (it != m_reals.end() && std::memcmp(&it->second, &value, sizeof value) == 0)
        return;
    m_reals[id] = value;
    WriteKey(id, FormatReal(value));
}

void CUserPrefs::ToggleFlag(int id)
{
    SetFlag(id, !GetFlag(id));
}

void CUserPrefs::LoadPrintSettings()
{
    PrintSettings settings;
    PageSetup page;
    settings.diagramsPerPage = GetInt(LayoutsPageConfig);
    settings.takeOffOnLayoutPage = GetFlag(LayoutWithTakeOff) ? 1 : 0;
    page.device = GetString(MruDevice);
    page.driver = GetString(Driver);
    page.port = GetString(Port);
    page.paperSize = static_cast<std::uint16_t>(GetInt(PaperSize));
    page.paperBin = static_cast<std::uint16_t>(GetInt(Bin));
    page.duplex = static_cast<std::uint16_t>(GetInt(DuplexMode));
    page.topMargin = GetInt(MarginTop);
    page.leftMargin = GetInt(MarginLeft);
    page.bottomMargin = GetInt(MarginBottom);
    page.rightMargin = GetInt(MarginRight);
    page.orientation = GetInt(Orientation);
    settings.SetPrinterPageSetup(page);
    m_printSettings = settings;
}

void CUserPrefs::SetPrintSettings(const PrintSettings& settings)
{
    const PageSetup& page = settings.GetPrinterPageSetup();
    SetInt(LayoutsPageConfig, settings.diagramsPerPage);
    SetFlag(LayoutWithTakeOff, settings.takeOffOnLayoutPage == 1);
    SetString(MruDevice, page.device);
    SetString(Port, page.port);
    SetString(Driver, page.driver);
    SetInt(PaperSize, page.paperSize);
    SetInt(Bin, page.paperBin);
    SetInt(DuplexMode, page.duplex);
    SetInt(MarginTop, page.topMargin);
    SetInt(MarginLeft, page.leftMargin);
    SetInt(MarginBottom, page.bottomMargin);
    SetInt(MarginRight, page.rightMargin);
    SetInt(Orientation, page.orientation);
    m_printSettings = settings;
}

void CUserPrefs::ResetPageSetup()
{
    PrintSettings settings = m_printSettings;
    settings.SetAlternatePageSetup(PageSetup());
    SetPrintSettings(settings);
}

bool CUserPrefs::IsMetricDimensions() const
{
    const int style = GetInt(DimensionsStyle);
    return style == 4 || style == 5;
}

bool CUserPrefs::DeletePrefsFile()
{
    std::error_code ignored;
    std::filesystem::remove(FsPath(m_prefsFile), ignored);
    return true;
}

void CreateUserPrefs()
{
    SetUserPrefs(new CUserPrefs());
}

CUserPrefs* GetCUserPrefs()
{
    return dynamic_cast<CUserPrefs*>(GetUserPrefs());
}

void InitUserPrefs()
{
    CUserPrefs* prefs = GetCUserPrefs();
    if (!prefs)
        return;
    prefs->Init();
    ApplyDimensionFormats(*prefs);
}

void SetDefaultMaterialsInstaller(DefaultMaterialsInstaller installer)
{
    Installer() = std::move(installer);
}

PrefsMessageHook SetPrefsMessageHook(PrefsMessageHook hook)
{
    return std::exchange(MessageHook(), std::move(hook));
}

void ShowPrefsMessage(const QString& message)
{
    if (MessageHook())
        MessageHook()(message);
}

#include "foundation/TCPResource.h"

#include "foundation/UserPrefsBase.h"

#include <platform/IniFile.h>

#include <QCoreApplication>
#include <QDir>

namespace {

ResourceBase* g_resources = nullptr;
TCPResource* g_uiStrings = nullptr;

QString unescape(QString text)
{
    text.replace(QLatin1String("\\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\\t"), QLatin1String("\t"));
    return text;
}

std::u16string u16(const QString& s)
{
    return s.toStdU16String();
}

} // namespace

ResourceBase* GetResources()
{
    return g_resources;
}

void InstallResources(ResourceBase* service)
{
    if (service == g_resources)
        return;
    if (g_uiStrings == g_resources)
        g_uiStrings = nullptr;
    delete g_resources;
    g_resources = service;
}

QString LoadUIString(int id)
{
    return g_resources ? g_resources->Text(id) : QString();
}

TCPResource* GetUIStrings()
{
    return g_uiStrings;
}

TCPResource* InitUIStrings(
    const QString& languageFolder, const std::vector<std::span<const StringResource>>& tables)
{
    auto* service = new TCPResource(languageFolder, tables);
    InstallResources(service);
    g_uiStrings = service;
    return service;
}

QString DefaultLanguageFolder()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    if (programDir.exists(QStringLiteral("lang")))
        return programDir.filePath(QStringLiteral("lang"));
    return QDir::cleanPath(programDir.filePath(QStringLiteral("../share/kwlsolo/lang")));
}

bool EqualsNarrow(const QString& text, const char* narrow)
{
    return text == QString::fromUtf8(narrow);
}

TCPResource::TCPResource(
    const QString& languageFolder, const std::vector<std::span<const StringResource>>& tables)
    : m_languageFolder(languageFolder)
    , m_overrideFilePath(
          QDir(languageFolder).filePath(QStringLiteral("Abbr_") + m_language + QStringLiteral(".ini")))
{
    for (const auto& table : tables)
        for (const StringResource& r : table)
            m_raw[r.id] = QString::fromStdU16String(r.text);
    for (const auto& [id, raw] : m_raw)
        Register(id, raw);

    // The framework's standard status texts, overridable like the others.
    RegisterFrameworkText(0xE001, QStringLiteral("IdleMsg"), QStringLiteral("Ready"));
    RegisterFrameworkText(
        0xF005, QStringLiteral("PreviewClose"), QStringLiteral("Close print preview mode\nCancel Preview"));
    RegisterFrameworkText(0xEF06, QStringLiteral("SCClose"),
        QStringLiteral("Close the active window and prompt to save the documents"));
    RegisterFrameworkText(
        0xEF03, QStringLiteral("SCMaximize"), QStringLiteral("Enlarge the window to full size"));
    RegisterFrameworkText(
        0xEF02, QStringLiteral("SCMinimize"), QStringLiteral("Reduce the window to an icon"));
    RegisterFrameworkText(0xEF01, QStringLiteral("SCMove"), QStringLiteral("Change the window position"));
    RegisterFrameworkText(
        0xEF12, QStringLiteral("SCRestore"), QStringLiteral("Restore the window to normal size"));
    RegisterFrameworkText(0xEF00, QStringLiteral("SCSize"), QStringLiteral("Change the window size"));
}

void TCPResource::Register(int id, const QString& raw)
{
    m_ids.push_back(id);
    const QStringList pieces = unescape(raw).split(QLatin1Char('_'), Qt::SkipEmptyParts);
    if (pieces.size() >= 3) {
        m_sections[id] = pieces[0];
        m_keys[id] = pieces[1];
        m_texts[id] = pieces[2];
    } else {
        m_texts[id] = pieces.isEmpty() ? QString() : pieces[0];
    }
    ReadOverride(id);
}

void TCPResource::RegisterFrameworkText(int id, const QString& key, const QString& text)
{
    m_ids.push_back(id);
    m_sections[id] = QStringLiteral("Windows");
    m_keys[id] = key;
    m_texts[id] = text;
    ReadOverride(id);
}

void TCPResource::ReadOverride(int id)
{
    const auto section = m_sections.find(id);
    const auto key = m_keys.find(id);
    if (section == m_sections.end() || key == m_keys.end())
        return;
    // Room for 1024 characters with the terminator.
    const QString text = QString::fromStdU16String(platform::IniFile::ReadString(
        m_overrideFilePath.toStdString(), u16(section->second), u16(key->second), u"", 1023));
    if (!text.isEmpty())
        m_overrides[id] = unescape(text);
}

QString TCPResource::Text(int id)
{
    if (const auto it = m_texts.find(id); it != m_texts.end())
        return it->second;
    const QString text = GetRawString(id);
    m_texts[id] = text;
    return text;
}

QString TCPResource::HeaderText(int id)
{
    const UserPrefsBase* prefs = GetUserPrefs();
    if (prefs && prefs->GetFlag(PrefId::AbbreviatedHeaders))
        if (const auto it = m_overrides.find(id); it != m_overrides.end())
            return it->second;
    return Text(id);
}

QString TCPResource::FirstLine(int id)
{
    const QString text = Text(id);
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    return lf < 0 ? text : text.left(lf);
}

QString TCPResource::SecondPart(int id)
{
    const QString text = Text(id);
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    return lf < 0 ? QString() : text.mid(lf + 1);
}

bool TCPResource::HasText(int id) const
{
    return m_texts.count(id) != 0;
}

bool TCPResource::IsWidthBeforeLength() const
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs && prefs->GetFlag(PrefId::DisplayWxL);
}

QString TCPResource::GetRawString(int id) const
{
    const auto it = m_raw.find(id);
    return it == m_raw.end() ? QString() : it->second;
}

QString TCPResource::GetSection(int id) const
{
    const auto it = m_sections.find(id);
    return it == m_sections.end() ? QString() : it->second;
}

QString TCPResource::GetKey(int id) const
{
    const auto it = m_keys.find(id);
    return it == m_keys.end() ? QString() : it->second;
}

#pragma once

#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"

#include <QString>

#include <map>
#include <span>
#include <vector>

// The string service over the program's compiled-in string tables: each
// resource is split once into section, key and text, and column headers may
// be replaced by shorter texts from "Abbr_<language>.ini" in the language
// folder.
class TCPResource final : public ResourceBase
{
public:
    // Registers every id of the tables and reads the overrides.
    TCPResource(const QString& languageFolder, const std::vector<std::span<const StringResource>>& tables);

    QString Text(int id) override;
    QString HeaderText(int id) override;
    QString FirstLine(int id) override;
    QString SecondPart(int id) override;
    bool HasText(int id) const override;
    QString GetLanguageFolder() const override { return m_languageFolder; }
    bool IsWidthBeforeLength() const override;

    // The resource as stored, not split; empty when there is none.
    QString GetRawString(int id) const;
    QString GetSection(int id) const;
    QString GetKey(int id) const;
    QString GetOverrideFilePath() const { return m_overrideFilePath; }

private:
    void Register(int id, const QString& raw);
    void RegisterFrameworkText(int id, const QString& key, const QString& text);
    void ReadOverride(int id);

    std::map<int, QString> m_raw;
    std::map<int, QString> m_texts;
    std::map<int, QString> m_sections;
    std::map<int, QString> m_keys;
    std::vector<int> m_ids;
    QString m_language = QStringLiteral("English");
    QString m_languageFolder;
    std::map<int, QString> m_overrides;
    QString m_overrideFilePath;
};

// The folder of the language files: "lang" beside the program, else in the
// installed share folder.
QString DefaultLanguageFolder();
// Creates the string service with the given tables and installs it.
TCPResource* InitUIStrings(
    const QString& languageFolder, const std::vector<std::span<const StringResource>>& tables);
// The installed TCPResource, or null.
TCPResource* GetUIStrings();
// Case-sensitive equality of a text and a narrow (UTF-8) text.
bool EqualsNarrow(const QString& text, const char* narrow);

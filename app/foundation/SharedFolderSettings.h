#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// Whether the materials library is shared through a network folder and how
// checking out and in behaves, kept in "SharedMats.ini" apart from the
// preferences. The program reads them only; a missing file is created empty
// (UTF-16LE with byte-order mark) so that later writes store Unicode text.
class SharedFolderSettings
{
public:
    enum FlagIndex { SharingEnabled = 0, EnableAutoCheckout = 1, AllowOfflineEditing = 2, AutomaticCheckins = 3 };
    enum TextIndex { NetworkFolder = 0, Username = 1, Userid = 2 };
    enum IntIndex { State = 0 };

    struct FlagEntry
    {
        std::int32_t index;
        QString section;
        QString key;
        bool value;
    };
    struct TextEntry
    {
        std::int32_t index;
        QString section;
        QString key;
        QString value;
    };
    struct IntEntry
    {
        std::int32_t index;
        QString section;
        QString key;
        std::int32_t value;
        std::int32_t minimum;
        std::int32_t maximum;
    };

    // The program's one object, made on first use with the file
    // "SharedMats.ini" in the "Kerfwell Plus" data folder.
    static SharedFolderSettings& Instance();

    // Holds the defaults until Load.
    explicit SharedFolderSettings(const QString& filePath);

    // Defaults first, then the file (created empty when missing).
    void Load();

    bool GetFlag(int index) const;
    QString GetText(int index) const;
    std::int32_t GetInt(int index) const;
    bool IsSharingEnabled() const { return GetFlag(SharingEnabled); }

    const QString& GetFilePath() const { return m_filePath; }
    // Points the settings at another file (tests, another profile).
    void SetFilePath(const QString& filePath) { m_filePath = filePath; }

private:
    void SetDefaults();
    void LoadSettingsFile(const QString& path);
    void ReadSettingsFile(const QString& path);

    QString m_filePath;
    std::vector<FlagEntry> m_flags;
    std::vector<TextEntry> m_texts;
    std::vector<IntEntry> m_ints;
};

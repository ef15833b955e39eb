#pragma once

#include "foundation/PrintSettings.h"
#include "foundation/UserPrefsBase.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <map>

// The preferences store over "Prefs.ini" in the user's "KWL Solo" folder.
// Every preference is read once at start-up (clamped to its limits) and kept
// in memory; a setter that changes a value rewrites that one key of the file
// at once. A missing file is written whole with the defaults.
class CUserPrefs : public UserPrefsBase
{
public:
    CUserPrefs();

    // Computes the folders, loads the file and the print settings. The
    // folders can be given (tests); empty ones are computed for this user.
    void Init(const QString& appDataFolder = QString(), const QString& documentsFolder = QString());

    // Why the text would not read back unchanged from the file at the next
    // start (a line break, more than 255 characters, blanks at either end,
    // enclosing quotes); empty when it would. Setting such a text is refused
    // with this reason as the message, so check first where the user types it.
    static QString WhyTextCannotBeKept(const QString& text);

    bool IsNewPrefsFile() const override { return m_newFile != 0; }
    QString GetString(int id) const override;
    bool GetFlag(int id) const override;
    int GetInt(int id) const override;
    double GetReal(int id) const override;
    void SetReal(int id, double value) override;
    void SetString(int id, const QString& value) override;
    void SetFlag(int id, bool value) override;
    void SetInt(int id, int value) override;
    void ToggleFlag(int id) override;
    const PrintSettings& GetPrintSettings() const override { return m_printSettings; }
    void SetPrintSettings(const PrintSettings& settings) override;
    void ResetPageSetup() override;
    bool IsMetricDimensions() const override;
    bool DeletePrefsFile() override;

    // Folders end with "/".
    QString GetAppDataFolder() const { return m_appDataFolder; }
    QString GetDocumentsFolder() const { return m_documentsFolder; }
    QString GetPrefsFilePath() const { return m_prefsFile; }
    QString GetGridStateFilePath() const { return m_gridStateFile; }
    // Modification time of the file at start-up, in ms since 1970 (0 when new).
    std::int64_t GetPrefsFileTime() const { return m_fileTime; }

private:
    void ComputeFolders(const QString& appDataFolder, const QString& documentsFolder);
    void LoadUserPrefs();
    void RegisterAll();
    void WriteAllValues();
    void LoadPrintSettings();
    void WriteKey(int id, const QString& value) const;

    std::map<int, QString> m_texts;
    std::map<int, std::int32_t> m_flags; // 0 or 1
    std::map<int, std::int32_t> m_ints;
    std::map<int, double> m_reals;
    QString m_appDataFolder;
    QString m_prefsFile;
    QString m_gridStateFile;
    QString m_documentsFolder;
    std::map<int, QString> m_keys;
    std::map<int, QString> m_sections;
    PrintSettings m_printSettings;
    std::int32_t m_newFile = 0;
    std::int64_t m_fileTime = 0;
};

// Makes the store and installs it as the one preferences object.
void CreateUserPrefs();
// Loads the installed store and hands the length formats on.
void InitUserPrefs();
// The installed store as the store itself (null when another object is installed).
CUserPrefs* GetCUserPrefs();

// The first start installs the default materials library into the user's
// folder; the data model registers how.
using DefaultMaterialsInstaller = std::function<void(const QString& appDataFolder)>;
void SetDefaultMaterialsInstaller(DefaultMaterialsInstaller installer);

// Shows a message about a preference that was refused; the user-interface
// layer installs it (a message box on the GUI thread).
// The preference pages' own messages (a folder that fails validation) go the
// same way. Answers the hook installed before.
using PrefsMessageHook = std::function<void(const QString& message)>;
PrefsMessageHook SetPrefsMessageHook(PrefsMessageHook hook);
// Hands the message to the installed hook; without one it is only logged by
// whoever refused the value.
void ShowPrefsMessage(const QString& message);

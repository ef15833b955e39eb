#pragma once

#include "foundation/CommandBase.h"
#include "foundation/GeneralSettings.h"

#include <memory>

class ManualUpdateInfo;

// Applies an edited preferences record as one undoable step. The masks say
// which views refresh; a new materials folder moves the materials library,
// and a folder that already holds a library is read from, never written over.
class GeneralSettingsEditCmd : public CommandBase
{
public:
    // Takes the old record from the current preferences.
    explicit GeneralSettingsEditCmd(const GeneralSettings& newSettings);

    QString GetName() const override; // "Edit General Settings"
    void Execute() override;
    void Undo() override;
    void Redo() override;

    const GeneralSettings& GetOldSettings() const { return m_oldSettings; }
    const GeneralSettings& GetNewSettings() const { return m_newSettings; }

private:
    // Applies to over from; a library that cannot follow to its new folder
    // keeps its old one, and so does to.
    void ApplyOver(GeneralSettings& to, const GeneralSettings& from);
    // False when the library stayed in from's folder.
    bool MoveMaterialsLibrary(const QString& toFolder, const QString& fromFolder);

    GeneralSettings m_oldSettings;
    GeneralSettings m_newSettings;
    std::shared_ptr<ManualUpdateInfo> m_manualInfo;
};

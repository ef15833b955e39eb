#pragma once

#include "foundation/CommandBase.h"
#include "model/ProjectSettings.h"

#include <memory>

class IProjectSettingsDoc;
class ProjSettingsUpdateInfo;

// Replaces the project's whole settings record (name, notes, optimization
// settings); undo puts the record back as it was when the edit was made.
class ProjSettingsEditCmd : public CommandBase
{
public:
    // Detail bit 0x1 when the material option word changes; no change bits.
    ProjSettingsEditCmd(IProjectSettingsDoc& document, const ProjectSettings& newSettings);

    QString GetName() const override; // "Edit Project Settings"
    void Execute() override;
    void Undo() override;
    void Redo() override;

    const ProjectSettings& GetOldSettings() const { return m_oldSettings; }
    const ProjectSettings& GetNewSettings() const { return m_newSettings; }

private:
    IProjectSettingsDoc* m_document;
    ProjectSettings m_oldSettings;
    ProjectSettings m_newSettings;
    std::shared_ptr<ProjSettingsUpdateInfo> m_updateInfo;
};

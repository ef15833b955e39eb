#pragma once
// Puts a new optimization-settings record into the project, and remembers it
// as the defaults of the next new project; undo puts the old one back the
// same way.

#include "foundation/CommandBase.h"
#include "model/OptimizationSettings.h"

#include <memory>

class IProjectSettingsDoc;
class OptSettingsUpdateInfo;

class OptimizationOptionsEditCmd : public CommandBase
{
public:
    // Change bit 0x8 when any word differs, detail bit 0x1; built and run
    // even when nothing changed.
    OptimizationOptionsEditCmd(IProjectSettingsDoc& document, const OptimizationSettings& oldSettings,
                               const OptimizationSettings& newSettings);

    QString GetName() const override; // "Edit Project Settings"
    void Execute() override;
    void Undo() override;
    void Redo() override;

    std::shared_ptr<OptSettingsUpdateInfo> GetSettingsUpdateInfo() const { return m_updateInfo; }

private:
    void Apply(const OptimizationSettings& settings);

    IProjectSettingsDoc* m_document;
    OptimizationSettings m_oldSettings;
    OptimizationSettings m_newSettings;
    std::shared_ptr<OptSettingsUpdateInfo> m_updateInfo;
};

#include "optimization/OptimizationOptionsEditCmd.h"

#include "foundation/UpdateMasks.h"
#include "model/IProjectSettingsDoc.h"
#include "model/ModelStrings.h"
#include "model/ProjectSettings.h"
#include "optimization/OptSettingsUpdateInfo.h"

OptimizationOptionsEditCmd::OptimizationOptionsEditCmd(IProjectSettingsDoc& document,
                                                       const OptimizationSettings& oldSettings,
                                                       const OptimizationSettings& newSettings)
    : CommandBase(OptimizationSettingsChangeMask(oldSettings, newSettings), UpdateMask::Detail0001)
    , m_document(&document)
    , m_oldSettings(oldSettings)
    , m_newSettings(newSettings)
    , m_updateInfo(std::make_shared<OptSettingsUpdateInfo>(oldSettings, newSettings))
{
    SetUpdateInfo(m_updateInfo);
}

QString OptimizationOptionsEditCmd::GetName() const
{
    return UiText(kStrEditProjectSettings);
}

void OptimizationOptionsEditCmd::Apply(const OptimizationSettings& settings)
{
    m_document->SetOptimizationSettings(settings);
    WriteOptimizationPreferences(settings);
}

void OptimizationOptionsEditCmd::Execute()
{
    Apply(m_newSettings);
}

void OptimizationOptionsEditCmd::Undo()
{
    Apply(m_oldSettings);
}

void OptimizationOptionsEditCmd::Redo()
{
    Execute();
}

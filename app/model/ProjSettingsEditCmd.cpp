#include "model/ProjSettingsEditCmd.h"

#include "foundation/UpdateMasks.h"
#include "model/IProjectSettingsDoc.h"
#include "model/ModelStrings.h"
#include "model/ProjSettingsUpdateInfo.h"

ProjSettingsUpdateInfo::ProjSettingsUpdateInfo(
    const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings)
    : m_materialOptionChanged(MaterialOptionChanged(oldSettings, newSettings))
{ }

namespace {

std::uint64_t DetailMaskOf(const ProjectSettings& oldSettings, const ProjectSettings& newSettings)
{
    return MaterialOptionChanged(oldSettings.GetOptimizationSettings(), newSettings.GetOptimizationSettings())
        ? UpdateMask::Detail0001
        : 0;
}

} // namespace

ProjSettingsEditCmd::ProjSettingsEditCmd(IProjectSettingsDoc& document, const ProjectSettings& newSettings)
    : CommandBase(0, DetailMaskOf(document.GetProjectSettings(), newSettings))
    , m_document(&document)
    , m_oldSettings(document.GetProjectSettings())
    , m_newSettings(newSettings)
    , m_updateInfo(std::make_shared<ProjSettingsUpdateInfo>(
          m_oldSettings.GetOptimizationSettings(), m_newSettings.GetOptimizationSettings()))
{
    SetUpdateInfo(m_updateInfo);
}

QString ProjSettingsEditCmd::GetName() const
{
    return UiText(kStrEditProjectSettings);
}

void ProjSettingsEditCmd::Execute()
{
    m_document->SetProjectSettings(m_newSettings);
}

void ProjSettingsEditCmd::Undo()
{
    m_document->SetProjectSettings(m_oldSettings);
}

void ProjSettingsEditCmd::Redo()
{
    Execute();
}

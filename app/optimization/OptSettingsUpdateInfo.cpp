#include "optimization/OptSettingsUpdateInfo.h"

#include "model/IOptimizableMaterial.h"
#include "model/OptimizationSettings.h"
#include "optimization/OptimizationTarget.h"

OptSettingsUpdateInfo::OptSettingsUpdateInfo(const OptimizationSettings& oldSettings,
                                             const OptimizationSettings& newSettings)
    : m_anyChange(oldSettings != newSettings)
    , m_inventoryFirstChanged(::InventoryFirstChanged(oldSettings, newSettings))
    , m_inventoryUsageChanged(::InventoryUsageChanged(oldSettings, newSettings))
    , m_costBasisChanged(CostBasisChanged(oldSettings, newSettings))
    , m_materialOptionChanged(MaterialOptionChanged(oldSettings, newSettings))
    , m_changedCodes(ChangedWordCodes(oldSettings, newSettings))
{ }

bool OptSettingsUpdateInfo::AffectsTarget(std::shared_ptr<OptimizationTarget> target) const
{
    if (!m_anyChange)
        return false;
    if (m_costBasisChanged)
        return true;
    if (m_materialOptionChanged && target) {
        // Query9: the material depends on the material option word.
        if (const auto material = target->GetMaterial(); material && material->Query9())
            return true;
    }
    return m_changedCodes.contains(OptimizationSettings::PackingCode);
}

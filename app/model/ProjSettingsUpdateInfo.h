#pragma once

#include "foundation/DomainUpdateInfo.h"

struct OptimizationSettings;

// The payload of a project-settings edit: whether the material option word
// changed, the one word of the record that concerns the results of every
// material. Every other question answers no.
class ProjSettingsUpdateInfo : public DomainUpdateInfo
{
public:
    ProjSettingsUpdateInfo(const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings);

    bool HasChanges() const override { return m_materialOptionChanged; }
    bool Query2() const override { return false; }
    bool UpdatesMaterialInBOM() const override { return false; }
    bool AffectsTarget(std::shared_ptr<OptimizationTarget>) const override { return false; }
    bool Query5(std::shared_ptr<IManagedIdentity>) const override { return false; }
    bool InventoryUsageChanged() const override { return false; }
    bool Query7() const override { return false; }
    bool Query8() const override { return false; }
    bool Query9() const override { return false; }
    bool InventoryFirstChanged() const override { return false; }
    bool AffectsMaterial(std::shared_ptr<IOptimizableMaterial>) const override { return false; }
    bool NeedsBOMRefresh() const override { return false; }
    bool Query13() const override { return false; }
    bool NeedsRebuild() const override { return false; }

private:
    bool m_materialOptionChanged;
};

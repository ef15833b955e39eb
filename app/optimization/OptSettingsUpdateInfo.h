#pragma once
// The payload of an optimization-settings edit: what changed between the old
// and the new record, computed once, and which targets must be optimized
// again because of it.

#include "foundation/DomainUpdateInfo.h"

#include <set>

struct OptimizationSettings;

class OptSettingsUpdateInfo : public DomainUpdateInfo
{
public:
    OptSettingsUpdateInfo(const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings);

    bool HasChanges() const override { return m_anyChange; }
    bool Query2() const override { return false; }
    bool UpdatesMaterialInBOM() const override { return false; }
    // A new cost basis or packing concerns every target, a new material
    // option the targets whose material depends on it; the two option words
    // concern none.
    bool AffectsTarget(std::shared_ptr<OptimizationTarget> target) const override;
    bool InventoryUsageChanged() const override { return m_inventoryUsageChanged; }
    bool Query7() const override { return false; }
    bool Query8() const override { return false; }
    bool Query9() const override { return false; }
    bool InventoryFirstChanged() const override { return m_inventoryFirstChanged; }
    bool NeedsBOMRefresh() const override { return false; }
    bool Query13() const override { return false; }
    bool NeedsRebuild() const override { return false; }

    // The codes of the changed words (1 and 2 the option words, 3 packing).
    const std::set<int>& GetChangedCodes() const { return m_changedCodes; }

private:
    bool m_anyChange;
    bool m_inventoryFirstChanged;
    bool m_inventoryUsageChanged;
    bool m_costBasisChanged;
    bool m_materialOptionChanged;
    std::set<int> m_changedCodes;
};

#pragma once

#include "foundation/DomainUpdateInfo.h"

#include <cstdint>
#include <memory>
#include <vector>

class CSheetGoodEx;
class ISGSC;

// What a size/cost row command changed: the material, the rows and the kind
// of change. Targets of the material see the change; for most kinds only the
// targets that accept one of the changed rows do.
class OptimizableSizeCostUpdateInfo : public DomainUpdateInfo
{
public:
    OptimizableSizeCostUpdateInfo(std::shared_ptr<CSheetGoodEx> material, std::shared_ptr<ISGSC> row,
                                  std::int32_t kind);
    OptimizableSizeCostUpdateInfo(std::shared_ptr<CSheetGoodEx> material,
                                  std::vector<std::shared_ptr<ISGSC>> rows, std::int32_t kind);
    // Lists a clone of the first state and the second state: the targets of
    // either thickness see the change (a row moved to another thickness is
    // new stock for the targets of that one).
    OptimizableSizeCostUpdateInfo(std::shared_ptr<CSheetGoodEx> material, const std::shared_ptr<ISGSC>& first,
                                  const std::shared_ptr<ISGSC>& second, std::int32_t kind, bool flag1,
                                  bool flag2, bool flag3);

    // An edit of what the optimizer reads (sizes, trims, stock, price, unit)
    // asks the document to reset the targets that use the rows.
    bool HasChanges() const override { return m_flag1; }
    bool Query2() const override { return false; }
    bool AffectsTarget(std::shared_ptr<OptimizationTarget> target) const override;
    bool InventoryUsageChanged() const override { return m_flag3; }
    bool Query7() const override { return false; }
    bool Query8() const override { return false; }
    bool Query9() const override { return false; }
    bool InventoryFirstChanged() const override { return false; }
    bool NeedsBOMRefresh() const override { return m_flag2; }

    std::int32_t GetKind() const { return m_kind; }
    const std::shared_ptr<CSheetGoodEx>& GetMaterial() const { return m_material; }
    const std::vector<std::shared_ptr<ISGSC>>& GetChangedRows() const { return m_rows; }
    bool GetFlag1() const { return m_flag1; }

private:
    std::int32_t m_kind = 0;
    std::shared_ptr<CSheetGoodEx> m_material;
    std::vector<std::shared_ptr<ISGSC>> m_rows;
    bool m_flag1 = false;
    bool m_flag2 = false;
    bool m_flag3 = false;
};

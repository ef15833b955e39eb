#pragma once

#include "foundation/SheetDimensions.h"
#include "model/CMaterialSizeCost.h"
#include "model/CPricingScheme.h"

#include <QString>

#include <cstdint>
#include <memory>

// The persisted record of one sheet-good stock size: the base row plus its
// pricing scheme, sheet size with trims, and inventory count.
class CSGSizeCost : public CMaterialSizeCost
{
public:
    static constexpr std::int32_t kMaxInventory = 1000000;

    CSGSizeCost();
    CSGSizeCost(const CDimension& thickness, const CMoney& unitCost);
    CSGSizeCost(const CSGSizeCost& other);
    CSGSizeCost& operator=(const CSGSizeCost& other);
    ~CSGSizeCost() override = default;

    // Also copies the scheme, the sheet and the inventory when other is a CSGSizeCost.
    void Assign(const CMaterialSizeCost& other) override;
    void AssignWithVendorCopy(const CMaterialSizeCost& other) override;
    // Base record, then version 1, the sheet, the scheme as a framework
    // object and the inventory.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;

    CSheetGoodPS* GetPricingScheme() const { return m_scheme.get(); }
    // Takes ownership; a null scheme is refused (the row keeps its scheme).
    void SetPricingScheme(std::unique_ptr<CSheetGoodPS> scheme);

    const SheetDimensions& GetSheetDimensions() const { return m_sheet; }
    void SetSheetDimensions(const SheetDimensions& sheet) { m_sheet = sheet; }

    std::int32_t GetInventory() const { return m_inventory; }
    // Stores the count and makes the row limited.
    void SetInventory(std::int32_t count);
    // Adds a delta (rounded) to a limited row, kept within 0..kMaxInventory.
    void AdjustInventory(double delta);
    // The inventory as a number, 2147483647 for an unlimited row.
    double GetInventoryValue() const;

private:
    void CopyOwnFields(const CSGSizeCost& other);

    std::unique_ptr<CSheetGoodPS> m_scheme;
    SheetDimensions m_sheet;
    std::int32_t m_inventory = 0;
};

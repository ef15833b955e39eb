#pragma once

#include "foundation/SheetDimensions.h"
#include "model/IInventoryable.h"
#include "model/IOptimizableSize.h"
#include "model/ISheetPriceable.h"

#include <QString>

#include <cstdint>
#include <memory>

class CSGSizeCost;
class CSheetGoodPS;

// One size/cost row of a sheet good as the grids, the commands, the pricing
// schemes and the optimization run see it.
class ISGSC : public IInventoryable<unsigned int>, public IOptimizableSize, public ISheetPriceable
{
public:
    // Both the inventory and the optimizer view ask these; one answer serves both.
    bool IsUnlimited() const override = 0;
    bool CanBuyMore() const override = 0;
    bool IsOffCut() const override = 0;

    // A new row with a copy of the record that shares the vendor object; new
    // identity, unset stamp.
    virtual std::shared_ptr<ISGSC> Clone() const = 0;
    // A row taken out of its material by an edit that can be undone.
    virtual bool IsRemoved() const = 0;
    virtual void SetRemoved(bool removed) = 0;
    virtual QString GetTypeName() const = 0;
    // As Clone, with a vendor object of its own.
    virtual std::shared_ptr<ISGSC> CloneWithVendorCopy() const = 0;
    virtual bool GetModeFlag() const = 0;
    virtual void SetModeFlag(bool flag) = 0;
    // Equal in every stored field (see the row comparison).
    virtual bool Matches(const ISGSC& other) const = 0;
    virtual CSheetGoodPS* GetPricingScheme() const = 0;
    // Takes ownership of a new scheme; a null scheme is ignored.
    virtual void SetPricingScheme(std::unique_ptr<CSheetGoodPS> scheme) = 0;
    SheetDimensions GetSheetDimensions() const override = 0;
    virtual void SetSheetDimensions(const SheetDimensions& sheet) = 0;
    // Clears the stamp, then re-links the vendor with the library's.
    virtual void ResetPinnableID() = 0;
    virtual void SetThickness(const CDimension& thickness) = 0;
    CMoney GetUnitCost() const override = 0;
    // Null sets an empty amount.
    virtual void SetUnitCost(const CMoney* cost) = 0;
    virtual int GetClassTag() const = 0;

    // Adds a (rounded) delta to a limited inventory, within 0..1000000.
    virtual void AdjustInventory(double delta) = 0;
    // The inventory as a number, 2147483647 when unlimited.
    virtual double GetInventoryValue() const = 0;

    // The persisted record behind the row.
    virtual const CSGSizeCost& GetRecord() const = 0;
    virtual CSGSizeCost& GetRecordForEdit() = 0;
};

using ISGSCPtr = std::shared_ptr<ISGSC>;

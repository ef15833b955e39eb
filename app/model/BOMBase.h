#pragma once

#include "foundation/ManagedIdentity.h"
#include "model/CMoney.h"
#include "model/CostPriceDTO.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class ArchiveWrapper;
class CMaterialEx;

// What a bill of materials lists and totals: the line items of a material's
// bill, or the material bills of the project's bill. Each entry has a cost
// record, is brought up to date by a refresh, and says whether its figures
// are final.
class BOMItem
{
public:
    virtual ~BOMItem() = default;

    // The name by which a bill finds an entry (a material bill: its material's).
    virtual QString GetItemName() const = 0;
    // The costs added up into the bill's totals.
    virtual CostPriceDTOPtr GetCostDTO() const = 0;
    virtual void RefreshItem() = 0;
    // False while an entry still waits for results.
    virtual bool IsFullyOptimized() const { return true; }
    // The yes/no question that AnyLineItemMatches asks every entry.
    virtual bool LineMatches() const { return false; }
};

using BOMItemPtr = std::shared_ptr<BOMItem>;

// One line of a bill of materials: one stock size with its counts and costs.
// The concrete lines come with the optimization results. The queries answer
// whole sheets or pro-rated quantities as the user's preference says.
class BOMLineItemBase : public BOMItem, public ManagedIdentityNotRemappedOnLockProject
{
public:
    ~BOMLineItemBase() override = default;

    virtual CMoney GetTotalCost() const = 0;
    virtual QString GetUnitsText() const = 0;
    virtual double GetQuantityNeeded() const = 0;
    virtual double GetQuantityInStock() const = 0;
    virtual double GetQuantityToBuy() const = 0;
    virtual QString GetVendorName() const = 0;
    virtual QString GetRowText() const = 0;
    virtual QString GetThicknessText() const = 0;
    virtual double GetThicknessInches() const = 0;
    virtual CMoney GetUnitCost() const = 0;
    // Counts the line again from its layouts.
    virtual void Recount() = 0;

    QString GetItemName() const override { return GetUnitsText(); }
    // The first amount is the line's total cost, the others zero.
    CostPriceDTOPtr GetCostDTO() const override;
    void RefreshItem() override { Recount(); }
};

using BOMLineItemPtr = std::shared_ptr<BOMLineItemBase>;

// The flat record of one line handed to the bill-of-materials grid.
struct BOMLineItemDTO
{
    QString unitsText;
    double quantityNeeded = 0.0;
    double quantityInStock = 0.0;
    double quantityToBuy = 0.0;
    QString vendorName;
    QString rowText;
    QString thicknessText;
    double thicknessInches = 0.0;
    CMoney unitCost;
};

// A bill of materials: its entries (supplied by the concrete bill) and the
// totals of their costs.
class BOMBase
{
public:
    BOMBase();
    virtual ~BOMBase() = default;

    // Version 1, then the totals; the entries are stored by the concrete bills.
    virtual void Serialize(ArchiveWrapper& ar);
    virtual void ResetLineItems() = 0;
    virtual int GetLineItemCount() const = 0;
    virtual BOMItemPtr GetLineItemAt(int index) const = 0;

    // Refreshes every entry; then, only when all are final, the totals become
    // the sum of the entries' costs (otherwise they keep their last values).
    void RecomputeTotals();
    CostPriceDTOPtr GetTotalsDTO();
    // True when no entry waits for results (also when there is none).
    bool IsFullyOptimized() const;
    void ResetCosts();
    void RefreshLineItems();
    bool AnyLineItemMatches() const;
    // The first entry whose name equals the text (with case).
    BOMItemPtr FindLineItemByName(const QString& name) const;
    BOMItemPtr FindLineItemByName(const CMaterialEx& material) const;
    // The entry of this bill that stands for the same entry of another bill:
    // the same identity, else the same name.
    BOMItemPtr FindLineItem(const BOMItem& item) const;

    static CostPriceDTOPtr MakeCostPriceDTO(const BOMLineItemBase& item);
    static std::shared_ptr<BOMLineItemDTO> MakeBOMLineItemDTO(const BOMLineItemBase& item);

protected:
    CostPriceDTOPtr m_totals;
};

// Line items read from project files are made by type code; the sheet-good
// line registers itself for code 1 with the optimization results.
using BOMLineItemCreator = std::function<BOMLineItemPtr()>;
void RegisterBOMLineItemCreator(std::uint32_t typeCode, BOMLineItemCreator creator);
BOMLineItemPtr CreateBOMLineItem(std::uint32_t typeCode);

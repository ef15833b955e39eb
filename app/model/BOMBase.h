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

// One line of a bill of materials. The concrete lines (per stock size) come
// with the optimization results and supply the operations below.
class BOMLineItemBase : public ManagedIdentityNotRemappedOnLockProject
{
public:
    ~BOMLineItemBase() override = default;

    virtual CMoney GetUnitCost() const = 0;
    virtual QString GetName() const = 0;
    virtual double GetReal1() const = 0;
    virtual double GetReal2() const = 0;
    virtual double GetReal3() const = 0;
    virtual QString GetText1() const = 0;
    virtual QString GetText2() const = 0;
    virtual QString GetText3() const = 0;
    virtual double GetReal4() const = 0;
    virtual CMoney GetAmount() const = 0;
    // The line's own costs, added up into the totals.
    virtual CostPriceDTOPtr GetCostDTO() const = 0;
    // Refreshes the line; rebuilds it when the refresh reports a change.
    virtual void RefreshLine() = 0;
    // The yes/no question that AnyLineItemMatches asks every line.
    virtual bool LineMatches() const = 0;
};

using BOMLineItemPtr = std::shared_ptr<BOMLineItemBase>;

// The flat record of one line handed to the bill-of-materials grid.
struct BOMLineItemDTO
{
    QString name;
    double real1 = 0.0;
    double real2 = 0.0;
    double real3 = 0.0;
    QString text1;
    QString text2;
    QString text3;
    double real4 = 0.0;
    CMoney amount;
};

// A bill of materials: its line items (supplied by the concrete bill) and
// the totals of their costs.
class BOMBase
{
public:
    BOMBase();
    virtual ~BOMBase() = default;

    // Version 1, then the totals; the lines are stored by the concrete bills.
    virtual void Serialize(ArchiveWrapper& ar);
    virtual void ResetLineItems() = 0;
    virtual int GetLineItemCount() const = 0;
    virtual BOMLineItemPtr GetLineItemAt(int index) const = 0;

    void RecomputeTotals();
    CostPriceDTOPtr GetTotalsDTO();
    void ResetCosts();
    void RefreshLineItems();
    bool AnyLineItemMatches() const;
    // The first line whose name equals the material's name (with case).
    BOMLineItemPtr FindLineItemByName(const CMaterialEx& material) const;
    // The line of this bill that stands for the same line of another bill:
    // the same identity, else the same name.
    BOMLineItemPtr FindLineItem(const BOMLineItemBase& item) const;

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

#include "model/BOMBase.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"
#include "model/CMaterialEx.h"

#include <map>

BOMBase::BOMBase()
    : m_totals(std::make_shared<CostPriceDTO>())
{
}

void BOMBase::Serialize(ArchiveWrapper& ar)
{
    if (ar.IsStoring())
        ar.Write(std::int32_t{1});
    else
        ReadOrThrow(ar, 1);
    m_totals->Serialize(ar);
}

void BOMBase::RecomputeTotals()
{
    const int count = GetLineItemCount();
    for (int i = 0; i < count; ++i) {
        if (const BOMItemPtr item = GetLineItemAt(i))
            item->RefreshItem();
    }
    // Figures of an entry still waiting for results would make wrong totals:
    // the last complete ones stay until every entry is final.
    if (!IsFullyOptimized())
        return;
    m_totals->Clear();
    for (int i = 0; i < count; ++i) {
        const BOMItemPtr item = GetLineItemAt(i);
        if (!item)
            continue;
        if (const CostPriceDTOPtr cost = item->GetCostDTO())
            *m_totals += *cost;
    }
}

CostPriceDTOPtr BOMBase::GetTotalsDTO()
{
    RecomputeTotals();
    return m_totals;
}

bool BOMBase::IsFullyOptimized() const
{
    const int count = GetLineItemCount();
    for (int i = 0; i < count; ++i) {
        const BOMItemPtr item = GetLineItemAt(i);
        if (item && !item->IsFullyOptimized())
            return false;
    }
    return true;
}

void BOMBase::ResetCosts()
{
    ResetLineItems();
    m_totals->Clear();
}

void BOMBase::RefreshLineItems()
{
    const int count = GetLineItemCount();
    for (int i = 0; i < count; ++i) {
        if (const BOMItemPtr item = GetLineItemAt(i))
            item->RefreshItem();
    }
}

bool BOMBase::AnyLineItemMatches() const
{
    const int count = GetLineItemCount();
    for (int i = 0; i < count; ++i) {
        const BOMItemPtr item = GetLineItemAt(i);
        if (item && item->LineMatches())
            return true;
    }
    return false;
}

BOMItemPtr BOMBase::FindLineItemByName(const QString& name) const
{
    const int count = GetLineItemCount();
    for (int i = 0; i < count; ++i) {
        const BOMItemPtr item = GetLineItemAt(i);
        if (item && item->GetItemName() == name)
            return item;
    }
    return nullptr;
}

BOMItemPtr BOMBase::FindLineItemByName(const CMaterialEx& material) const
{
    return FindLineItemByName(material.GetName());
}

namespace {
std::uint64_t IdentityOf(const BOMItem& item)
{
    const auto* managed = dynamic_cast<const IManagedIdentity*>(&item);
    return managed ? managed->GetIdentity() : 0;
}
} // namespace

BOMItemPtr BOMBase::FindLineItem(const BOMItem& wanted) const
{
    // A copy made for a locked project keeps the identities of its lines;
    // lines rebuilt since are found by name.
    const std::uint64_t identity = IdentityOf(wanted);
    const int count = GetLineItemCount();
    BOMItemPtr byName;
    for (int i = 0; i < count; ++i) {
        const BOMItemPtr item = GetLineItemAt(i);
        if (!item)
            continue;
        if (identity != 0 && IdentityOf(*item) == identity)
            return item;
        if (!byName && item->GetItemName() == wanted.GetItemName())
            byName = item;
    }
    return byName;
}

CostPriceDTOPtr BOMLineItemBase::GetCostDTO() const
{
    return BOMBase::MakeCostPriceDTO(*this);
}

CostPriceDTOPtr BOMBase::MakeCostPriceDTO(const BOMLineItemBase& item)
{
    auto dto = std::make_shared<CostPriceDTO>();
    (*dto)[0] = item.GetTotalCost();
    return dto;
}

std::shared_ptr<BOMLineItemDTO> BOMBase::MakeBOMLineItemDTO(const BOMLineItemBase& item)
{
    auto dto = std::make_shared<BOMLineItemDTO>();
    dto->unitsText = item.GetUnitsText();
    dto->quantityNeeded = item.GetQuantityNeeded();
    dto->quantityInStock = item.GetQuantityInStock();
    dto->quantityToBuy = item.GetQuantityToBuy();
    dto->vendorName = item.GetVendorName();
    dto->rowText = item.GetRowText();
    dto->thicknessText = item.GetThicknessText();
    dto->thicknessInches = item.GetThicknessInches();
    dto->unitCost = item.GetUnitCost();
    return dto;
}

namespace {

std::map<std::uint32_t, BOMLineItemCreator>& LineItemCreators()
{
    static std::map<std::uint32_t, BOMLineItemCreator> creators;
    return creators;
}

} // namespace

void RegisterBOMLineItemCreator(std::uint32_t typeCode, BOMLineItemCreator creator)
{
    LineItemCreators()[typeCode] = std::move(creator);
}

BOMLineItemPtr CreateBOMLineItem(std::uint32_t typeCode)
{
    const auto& creators = LineItemCreators();
    const auto it = creators.find(typeCode);
    return it != creators.end() && it->second ? it->second() : nullptr;
}

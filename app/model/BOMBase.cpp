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
    m_totals->Clear();
    const int count = GetLineItemCount();
    for (int i = 0; i < count; ++i) {
        const BOMLineItemPtr item = GetLineItemAt(i);
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

void BOMBase::ResetCosts()
{
    ResetLineItems();
    m_totals->Clear();
}

void BOMBase::RefreshLineItems()
{
    const int count = GetLineItemCount();
    for (int i = 0; i < count; ++i) {
        if (const BOMLineItemPtr item = GetLineItemAt(i))
            item->RefreshLine();
    }
}

bool BOMBase::AnyLineItemMatches() const
{
    const int count = GetLineItemCount();
    for (int i = 0; i < count; ++i) {
        const BOMLineItemPtr item = GetLineItemAt(i);
        if (item && item->LineMatches())
            return true;
    }
    return false;
}

BOMLineItemPtr BOMBase::FindLineItemByName(const CMaterialEx& material) const
{
    const QString name = material.GetName();
    const int count = GetLineItemCount();
    for (int i = 0; i < count; ++i) {
        const BOMLineItemPtr item = GetLineItemAt(i);
        if (item && item->GetName() == name)
            return item;
    }
    return nullptr;
}

BOMLineItemPtr BOMBase::FindLineItem(const BOMLineItemBase& wanted) const
{
    // A copy made for a locked project keeps the identities of its lines;
    // lines rebuilt since are found by name.
    const int count = GetLineItemCount();
    BOMLineItemPtr byName;
    for (int i = 0; i < count; ++i) {
        const BOMLineItemPtr item = GetLineItemAt(i);
        if (!item)
            continue;
        if (item->GetIdentity() == wanted.GetIdentity())
            return item;
        if (!byName && item->GetName() == wanted.GetName())
            byName = item;
    }
    return byName;
}

CostPriceDTOPtr BOMBase::MakeCostPriceDTO(const BOMLineItemBase& item)
{
    auto dto = std::make_shared<CostPriceDTO>();
    (*dto)[0] = item.GetUnitCost();
    return dto;
}

std::shared_ptr<BOMLineItemDTO> BOMBase::MakeBOMLineItemDTO(const BOMLineItemBase& item)
{
    auto dto = std::make_shared<BOMLineItemDTO>();
    dto->name = item.GetName();
    dto->real1 = item.GetReal1();
    dto->real2 = item.GetReal2();
    dto->real3 = item.GetReal3();
    dto->text1 = item.GetText1();
    dto->text2 = item.GetText2();
    dto->text3 = item.GetText3();
    dto->real4 = item.GetReal4();
    dto->amount = item.GetAmount();
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

#include "model/CostPriceDTO.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"

CostPriceDTO& CostPriceDTO::operator+=(const CostPriceDTO& other)
{
    for (int i = 0; i < kAmounts; ++i)
        (*this)[i] += other[i];
    return *this;
}

void CostPriceDTO::Clear()
{
    m_amounts.fill(CMoney());
}

void CostPriceDTO::Serialize(ArchiveWrapper& ar)
{
    if (ar.IsStoring()) {
        ar.Write(std::int32_t{1});
        for (const CMoney& amount : m_amounts)
            ar.Write(amount.GetCurrency());
        return;
    }
    ReadOrThrow(ar, 1);
    for (CMoney& amount : m_amounts) {
        platform::Currency value;
        ar.Read(value);
        amount.SetCurrency(value);
    }
}

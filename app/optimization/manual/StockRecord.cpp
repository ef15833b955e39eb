#include "optimization/manual/StockRecord.h"

#include "foundation/ArchiveWrapper.h"
#include "optimization/PinnedUsage.h"

StockRecord::StockRecord(std::shared_ptr<IOptimizableMaterial> material,
    std::shared_ptr<IOptimizableSize> size, std::uint32_t value)
    : m_material(std::move(material))
    , m_size(std::move(size))
    , m_value(value)
{ }

StockRecord::StockRecord(const StockSpec& stock)
    : StockRecord(stock.material, stock.size, static_cast<std::uint32_t>(stock.matType))
{ }

StockSpec StockRecord::ToStockSpec() const
{
    return StockSpec { m_material, m_size, static_cast<int>(m_value) };
}

CDimension StockRecord::GetWidth() const
{
    return ToStockSpec().GetRoughWidth();
}

CDimension StockRecord::GetLength() const
{
    return ToStockSpec().GetRoughLength();
}

CDimension StockRecord::GetTopBottomTrim() const
{
    return ToStockSpec().GetTopBottomTrim();
}

CDimension StockRecord::GetLeftRightTrim() const
{
    return ToStockSpec().GetLeftRightTrim();
}

double StockRecord::GetArea() const
{
    return GetWidth().GetInches() * GetLength().GetInches();
}

bool StockRecord::HasGrain() const
{
    return ToStockSpec().MaterialHasGrain();
}

bool StockRecord::IsLengthwise() const
{
    return IsLengthwiseByStock(ToStockSpec());
}

void StockRecord::AddPinnedUsage(PinnedUsage& usage, std::uint32_t count) const
{
    usage.Add(ToStockSpec(), count);
}

void StockRecord::RemovePinnedUsage(PinnedUsage& usage, std::uint32_t count) const
{
    usage.Remove(ToStockSpec(), count);
}

void StockRecord::Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper)
{
    StockSpec stock = ToStockSpec();
    stock.Serialize(ar, mapper);
    if (ar.IsLoading())
        *this = StockRecord(stock);
}

void StockRecord::ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper)
{
    StockSpec stock = ToStockSpec();
    stock.ResolveReferences(mapper);
    m_material = stock.material;
    m_size = stock.size;
}

void StockRecord::Relink()
{
    StockSpec stock = ToStockSpec();
    stock.Relink();
    m_material = stock.material;
    m_size = stock.size;
}

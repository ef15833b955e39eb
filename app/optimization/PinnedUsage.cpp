#include "optimization/PinnedUsage.h"

#include "foundation/IdentityMapper.h"
#include "model/IOptimizableMaterial.h"
#include "model/IOptimizableSize.h"
#include "optimization/StockSpec.h"

namespace {

template <class Key> using CountMap = PinnedUsage::CountMap<Key>;

template <class Key>
void AddTo(CountMap<Key>& counts, const std::shared_ptr<Key>& key,
           std::uint32_t count)
{
    if (key && count != 0)
        counts[key] += count;
}

template <class Key>
void RemoveFrom(CountMap<Key>& counts, const std::shared_ptr<Key>& key,
                std::uint32_t count)
{
    const auto it = counts.find(key);
    if (it == counts.end())
        return;
    if (it->second > count)
        it->second -= count;
    else
        counts.erase(it);
}

template <class Key>
CountMap<Key> Remapped(const CountMap<Key>& counts, IdentityMapper& mapper)
{
    CountMap<Key> remapped;
    for (const auto& [key, count] : counts) {
        std::shared_ptr<Key> canonical = key;
        if (auto managed = std::dynamic_pointer_cast<IManagedIdentity>(key)) {
            if (auto resolved = std::dynamic_pointer_cast<Key>(mapper.Resolve(managed)))
                canonical = std::move(resolved);
        }
        remapped[canonical] += count;
    }
    return remapped;
}

} // namespace

void PinnedUsage::Add(const StockSpec& stock, std::uint32_t count)
{
    if (stock.material)
        stock.material->EnsureAssigned();
    if (stock.size)
        stock.size->EnsureAssigned();
    AddTo(m_materials, stock.material, count);
    AddTo(m_sizes, stock.size, count);
}

void PinnedUsage::Remove(const StockSpec& stock, std::uint32_t count)
{
    RemoveFrom(m_materials, stock.material, count);
    RemoveFrom(m_sizes, stock.size, count);
}

std::uint32_t PinnedUsage::GetPinnedCount(const IOptimizableSize* size) const
{
    const auto it = m_sizes.find(size);
    return it != m_sizes.end() ? it->second : 0;
}

bool PinnedUsage::IsMaterialPinned(const IOptimizableMaterial* material) const
{
    return m_materials.find(material) != m_materials.end();
}

void PinnedUsage::Clear()
{
    m_materials.clear();
    m_sizes.clear();
}

void PinnedUsage::RemapReferences(const std::shared_ptr<IdentityMapper>& mapper)
{
    auto materials = Remapped(m_materials, *mapper);
    auto sizes = Remapped(m_sizes, *mapper);
    m_materials = std::move(materials);
    m_sizes = std::move(sizes);
}

StockUsageMap PinnedUsage::GetStockUsage() const
{
    StockUsageMap usage;
    for (const auto& [size, count] : m_sizes)
        usage[size.get()] = count;
    return usage;
}

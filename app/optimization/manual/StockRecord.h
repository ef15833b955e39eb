#pragma once
// The stock a diagram is cut from, as the take-off list, the printed layouts
// and the pinned sheet counts read it: the sheet-good material, the stock
// size and a 32-bit word the diagram keeps with them. It is the results'
// StockSpec seen from the layouts window: the same fields, the same file
// form, the same re-linking; every operation goes through StockSpec so the
// two never disagree.

#include "foundation/CDimension.h"
#include "optimization/StockSpec.h"

#include <cstdint>
#include <memory>

class ArchiveWrapper;
class IOptimizableMaterial;
class IOptimizableSize;
class IdentityMapper;
class PinnedUsage;

class StockRecord
{
public:
    // Both pointers empty; the diagram sets the value itself.
    StockRecord() = default;
    StockRecord(std::shared_ptr<IOptimizableMaterial> material, std::shared_ptr<IOptimizableSize> size,
        std::uint32_t value);
    // The results' record: its material type code is the value.
    explicit StockRecord(const StockSpec& stock);
    StockSpec ToStockSpec() const;

    const std::shared_ptr<IOptimizableMaterial>& GetMaterial() const { return m_material; }
    std::shared_ptr<IOptimizableSize> GetSize() const { return m_size; }
    std::uint32_t GetValue() const { return m_value; }
    void SetValue(std::uint32_t value) { m_value = value; }

    // The size's rough width and length and its trims; zero without a size.
    CDimension GetWidth() const;
    CDimension GetLength() const;
    CDimension GetTopBottomTrim() const;
    CDimension GetLeftRightTrim() const;
    // Square inches of the rough sheet.
    double GetArea() const;
    bool HasGrain() const;
    // False only when the sheet is wider than long (beyond the length
    // tolerance) and the material wants its long side horizontal.
    bool IsLengthwise() const;
    bool SizeEquals(const std::shared_ptr<IOptimizableSize>& size) const { return size == m_size; }

    // The sheets of a stack pinned or unpinned, per material and stock size.
    // Counts never go below zero: an entry that would is erased.
    void AddPinnedUsage(PinnedUsage& usage, std::uint32_t count) const;
    void RemovePinnedUsage(PinnedUsage& usage, std::uint32_t count) const;

    // Version 1, the material and the size by identity, the value. Loading
    // refuses another version, and a material or size reference that names
    // nothing or an object of another kind, with the archive's error.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper);
    // After a project is loaded: the material and the size become the
    // mapper's canonical objects.
    void ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper);
    // The library's current material, and its size of the same pinnable
    // identity; a size the library no longer has stays as it is.
    void Relink();

private:
    std::shared_ptr<IOptimizableMaterial> m_material;
    std::shared_ptr<IOptimizableSize> m_size;
    std::uint32_t m_value = 0;
};

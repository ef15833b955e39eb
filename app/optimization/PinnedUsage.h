#pragma once
// The sheets that pinned stacks use, per material and per stock size. The
// next optimization of a target offers each size's inventory less these.

#include "model/SizeCostCompare.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class IOptimizableMaterial;
class IOptimizableSize;
class IdentityMapper;
struct StockSpec;

class PinnedUsage
{
public:
    // Gives the material and the size their pinnable stamps first: a pinned
    // layout must find them again in a stored project.
    void Add(const StockSpec& stock, std::uint32_t count);
    // An entry that reaches 0 is erased; more than its count erases it too.
    void Remove(const StockSpec& stock, std::uint32_t count);
    std::uint32_t GetPinnedCount(const IOptimizableSize* size) const;
    bool IsMaterialPinned(const IOptimizableMaterial* material) const;
    void Clear();
    // Keys become the mapper's canonical objects (a locked project's copies).
    void RemapReferences(const std::shared_ptr<IdentityMapper>& mapper);

    // The stock-size counts as the materials read them when they offer stock.
    StockUsageMap GetStockUsage() const;
    bool IsEmpty() const { return m_materials.empty() && m_sizes.empty(); }

    friend bool operator==(const PinnedUsage&, const PinnedUsage&) = default;

    // Keys are objects, compared by address (they are only looked up, never
    // listed); a plain pointer finds its entry.
    struct ByAddress
    {
        using is_transparent = void;
        template <class T> static const void* Address(const std::shared_ptr<T>& p) { return p.get(); }
        template <class T> static const void* Address(const T* p) { return p; }
        template <class A, class B> bool operator()(const A& a, const B& b) const
        {
            return std::less<const void*>()(Address(a), Address(b));
        }
    };
    template <class Key> using CountMap = std::map<std::shared_ptr<Key>, std::uint32_t, ByAddress>;

private:
    CountMap<IOptimizableMaterial> m_materials;
    CountMap<IOptimizableSize> m_sizes;
};

#pragma once
// A solution: the sheet layouts of a run with the measures by which two
// solutions are compared. A set that owns its layouts deletes them with
// itself; sets made for one comparison do not own theirs.

#include <nestcore/ITopLevelLayout.h>

#include <cstdint>
#include <vector>

namespace optimization {

class OptTopLevelLayout;
class PartProxy;

class CLayoutSet
{
public:
    explicit CLayoutSet(bool owns = false) : m_owns(owns) {}
    CLayoutSet(const CLayoutSet&) = delete;
    CLayoutSet& operator=(const CLayoutSet&) = delete;
    virtual ~CLayoutSet();

    bool OwnsLayouts() const { return m_owns; }
    std::vector<OptTopLevelLayout*>& Layouts() { return m_layouts; }
    const std::vector<OptTopLevelLayout*>& Layouts() const { return m_layouts; }
    void Add(OptTopLevelLayout* layout) { m_layouts.push_back(layout); }
    std::size_t Size() const { return m_layouts.size(); }
    // Deletes every layout (when owned) and empties the set.
    void DeleteAll();

    // Measures, in square inches.
    double PlacedArea() const;
    double PlacedAreaOnOffCuts() const;
    double PlacedAreaWithinInventory() const;
    double WasteArea() const;
    double FreeAreaOfOthers(const OptTopLevelLayout& sheet) const;
    double CostOfPlacedArea() const;
    // Full stock costs over placed area; 2147483647 for nothing placed.
    double CostPerPlacedArea() const;
    std::int32_t AlignedNeighbours() const;
    std::int32_t AlignedPartEdges() const;
    std::int64_t LargestFreeRectangleArea() const;
    // All placed copies of the set, sorted by factory order.
    std::vector<const PartProxy*> SortedCopies() const;
    bool SameParts(const CLayoutSet& other) const;

    // Set operations.
    // An owning set of isolated copies (no group links, fresh style maps).
    // With keepLinks the copies keep their group links (remapped to the
    // copies) and share their style maps.
    void CopyInto(CLayoutSet& out, bool keepLinks = false) const;
    void RemoveLayoutsWithoutBlock();
    void ResetStyleWords();
    // Re-lays every sheet in one cut orientation and sets its style word
    // (1 when dirFlag, else 2).
    void RelayInDirection(bool dirFlag);
    // The first sheet other than `sheet` with the same root size.
    OptTopLevelLayout* FindSameSize(const OptTopLevelLayout& sheet, bool mastersOnly) const;
    std::vector<ITopLevelLayout*> ResultLayouts() const;

private:
    std::vector<OptTopLevelLayout*> m_layouts;
    bool m_owns;
};

} // namespace optimization

#pragma once
// The stock-selection policy: how stock and sheets are ordered and compared
// when the user's objective is least waste or lowest cost, and the two stock
// preferences (off-cuts first, inventory first) that come before either.
// Comparisons answer -1 when the first argument is better.

#include "StockUsageTracker.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace optimization {

class CLayoutSet;
class OptTopLevelLayout;

using StockTrackerList = std::vector<std::shared_ptr<StockUsageTracker>>;
using SheetList = std::vector<OptTopLevelLayout*>;

class ParStockComparer
{
public:
    ParStockComparer(bool offCutsFirst, bool inventoryFirst)
        : m_offCutsFirst(offCutsFirst), m_inventoryFirst(inventoryFirst) {}
    virtual ~ParStockComparer();

    virtual std::unique_ptr<ParStockComparer> Clone() const { return nullptr; }
    virtual void SortStockTrackers(StockTrackerList& stocks, bool flag) const {}
    virtual void SortSheets(SheetList& sheets, bool flag) const {}
    virtual std::int32_t IsBySize() const { return 0; }
    virtual std::int32_t GetKind() const { return 0; }
    virtual std::int32_t IsByCost() const { return 0; }
    virtual bool GetUnitAreaFlag() const { return false; }
    virtual void SetUnitAreaFlag(bool) {}
    virtual std::int32_t CompareCombine(const OptTopLevelLayout& a,
                                        const OptTopLevelLayout& b,
                                        const OptTopLevelLayout& combined) const { return 0; }
    virtual std::int32_t CompareTrackers(const StockUsageTracker& a,
                                         const StockUsageTracker& b) const { return 0; }
    virtual std::int32_t CompareSheets(const OptTopLevelLayout& a,
                                       const OptTopLevelLayout& b) const { return 0; }
    virtual std::int32_t CompareSets(const CLayoutSet& a, const CLayoutSet& b) const { return 0; }

    bool IsOffCutsFirst() const { return m_offCutsFirst; }
    bool IsInventoryFirst() const { return m_inventoryFirst; }
    void SetOffCutsFirst(bool on) { m_offCutsFirst = on; }
    void SetInventoryFirst(bool on) { m_inventoryFirst = on; }

    // The stock preferences, applied before any comparison above.
    std::int32_t ComparePreferences(const StockUsageTracker& a,
                                    const StockUsageTracker& b) const;
    // True when the preferences forbid putting the parts of the sheets on
    // stocks a and b onto one sheet of stock combined.
    bool RefusesCombine(const StockUsageTracker& a, const StockUsageTracker& b,
                        const StockUsageTracker& combined) const;
    std::int32_t ComparePreferences(const CLayoutSet& a, const CLayoutSet& b) const;

protected:
    // The two preference partitions that end every sort: sheets left (or
    // within inventory) first, then off-cuts first, which thus dominates.
    void PartitionByPreferences(StockTrackerList& stocks) const;
    void PartitionByPreferences(SheetList& sheets) const;

private:
    bool m_offCutsFirst;
    bool m_inventoryFirst;
};

// Least waste: the smallest stock that serves.
class CStockCompBySize : public ParStockComparer
{
public:
    using ParStockComparer::ParStockComparer;

    std::unique_ptr<ParStockComparer> Clone() const override;
    void SortStockTrackers(StockTrackerList& stocks, bool flag) const override;
    void SortSheets(SheetList& sheets, bool flag) const override;
    std::int32_t IsBySize() const override { return 1; }
    std::int32_t GetKind() const override { return 1; }
    std::int32_t IsByCost() const override { return 0; }
    std::int32_t CompareTrackers(const StockUsageTracker& a,
                                 const StockUsageTracker& b) const override;
    std::int32_t CompareSheets(const OptTopLevelLayout& a,
                               const OptTopLevelLayout& b) const override;
    std::int32_t CompareSets(const CLayoutSet& a, const CLayoutSet& b) const override;
};

// Lowest cost: by whole-sheet cost, or in unit-area mode by the cost of the
// area actually used.
class CStockCompByCost : public ParStockComparer
{
public:
    CStockCompByCost(bool offCutsFirst, bool inventoryFirst, bool unitArea)
        : ParStockComparer(offCutsFirst, inventoryFirst), m_unitArea(unitArea) {}

    std::unique_ptr<ParStockComparer> Clone() const override;
    void SortStockTrackers(StockTrackerList& stocks, bool flag) const override;
    void SortSheets(SheetList& sheets, bool flag) const override;
    std::int32_t IsBySize() const override { return 0; }
    std::int32_t GetKind() const override { return 2; }
    std::int32_t IsByCost() const override { return 1; }
    bool GetUnitAreaFlag() const override { return m_unitArea; }
    void SetUnitAreaFlag(bool on) override { m_unitArea = on; }
    std::int32_t CompareCombine(const OptTopLevelLayout& a, const OptTopLevelLayout& b,
                                const OptTopLevelLayout& combined) const override;
    std::int32_t CompareTrackers(const StockUsageTracker& a,
                                 const StockUsageTracker& b) const override;
    std::int32_t CompareSheets(const OptTopLevelLayout& a,
                               const OptTopLevelLayout& b) const override;
    std::int32_t CompareSets(const CLayoutSet& a, const CLayoutSet& b) const override;

    // The sheet's cost value in the current mode (lower is better).
    double SheetCost(const OptTopLevelLayout& sheet) const;

private:
    bool m_unitArea;
};

// Makes the comparer that the factory's comparer kind asks for: 0 by size,
// else by cost, in unit-area mode for kind 2.
std::unique_ptr<ParStockComparer> MakeStockComparer(std::int32_t kind, bool offCutsFirst,
                                                    bool inventoryFirst);

} // namespace optimization

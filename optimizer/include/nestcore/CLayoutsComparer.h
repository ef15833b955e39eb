#pragma once
// The one judge between two candidate results of the run: a waste gate, the
// stock preferences (off-cuts first, inventory first), then the primary
// objective with the other objective as tie-break.
// Every comparison answers -1 when the first argument is better, 1 when the
// second is, 0 when they are equal under all criteria.

#include <nestcore/OptObjective.h>
#include <nestcore/StockTrackerMap.h>
#include <nestcore_export.h>

#include <cstdint>

namespace optimization {

class CLayoutSet;
class OptTopLevelLayout;
class ParLocalOpt;
class ParStockComparer;

class NESTCORE_EXPORT CLayoutsComparer
{
public:
    CLayoutsComparer();

    bool operator!=(const CLayoutsComparer& other) const;

    double GetWasteConstraint() const { return m_wasteConstraint; }
    void SetWasteConstraint(double constraint) { m_wasteConstraint = constraint; }
    OptObjective_t GetPrimaryObjective() const { return m_objective; }
    void SetPrimaryObjective(OptObjective_t objective) { m_objective = objective; }
    bool IsStockSelectionPrimary() const { return m_objective == StockSelectionPrimary; }
    bool IsPartDistributionPrimary() const { return m_objective == PartDistributionPrimary; }

    std::int32_t CompareGeneral(const CLayoutSet& a, const CLayoutSet& b,
                                const ParLocalOpt& policy,
                                const ParStockComparer& stock) const;
    // A stock that a sheet uses must be in the tracker map; a missing one
    // raises std::out_of_range.
    std::int32_t CompareGeneral(const OptTopLevelLayout& a, const OptTopLevelLayout& b,
                                const ParLocalOpt& policy, const ParStockComparer& stock,
                                const StockTrackerMap& trackers) const;
    std::int32_t CompareSameParts(const OptTopLevelLayout& a, const OptTopLevelLayout& b,
                                  const ParLocalOpt& policy, const ParStockComparer& stock,
                                  const StockTrackerMap& trackers) const;
    // -1 keeps a and b apart, 1 prefers the combined sheet that holds both.
    std::int32_t CompareCombineLayouts(const OptTopLevelLayout& a,
                                       const OptTopLevelLayout& b,
                                       const OptTopLevelLayout& combined,
                                       const ParLocalOpt& policy,
                                       const ParStockComparer& stock,
                                       const StockTrackerMap& trackers) const;

private:
    std::int32_t ComparePartsSet(const CLayoutSet& a, const CLayoutSet& b,
                                 bool& sameParts) const;
    std::int32_t ComparePartsArea(const CLayoutSet& a, const CLayoutSet& b) const;
    std::int32_t CompareObjective(const CLayoutSet& a, const CLayoutSet& b,
                                  const ParLocalOpt& policy,
                                  const ParStockComparer& stock) const;
    std::int32_t CompareObjective(const OptTopLevelLayout& a, const OptTopLevelLayout& b,
                                  bool stockFirst, const ParLocalOpt& policy,
                                  const ParStockComparer& stock,
                                  const StockTrackerMap& trackers) const;

    double m_wasteConstraint;
    OptObjective_t m_objective;
};

} // namespace optimization

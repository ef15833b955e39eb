#include <nestcore/CLayoutsComparer.h>

#include "CLayoutSet.h"
#include "CompareValues.h"
#include "OptTopLevelLayout.h"
#include "ParLocalOpt.h"
#include "ParStockComparer.h"
#include "UsageTrackers.h"

#include <nestcore/ProxyOrder.h>

#include <algorithm>

namespace optimization {

namespace {
// -1 when the first sheet passes the waste gate and the second does not.
std::int32_t WasteGate(double wasteA, double wasteB, double constraint)
{
    const bool overA = wasteA > constraint;
    const bool overB = wasteB > constraint;
    if (overA && !overB)
        return 1;
    if (overB && !overA)
        return -1;
    return 0;
}

bool ExactlyEqual(double a, double b)
{
    return !(a < b) && !(b < a);
}
} // namespace

CLayoutsComparer::CLayoutsComparer() : m_wasteConstraint(0.1), m_objective(StockSelectionPrimary) {}

bool CLayoutsComparer::operator!=(const CLayoutsComparer& other) const
{
    return !ExactlyEqual(m_wasteConstraint, other.m_wasteConstraint)
           || m_objective != other.m_objective;
}

std::int32_t CLayoutsComparer::ComparePartsSet(const CLayoutSet& a, const CLayoutSet& b,
                                               bool& sameParts) const
{
    const auto copiesA = a.SortedCopies();
    const auto copiesB = b.SortedCopies();
    sameParts = copiesA == copiesB;
    if (sameParts)
        return 0;
    if (std::includes(copiesA.begin(), copiesA.end(), copiesB.begin(), copiesB.end(), ProxyOrder()))
        return -1;
    if (std::includes(copiesB.begin(), copiesB.end(), copiesA.begin(), copiesA.end(), ProxyOrder()))
        return 1;
    return 0;
}

std::int32_t CLayoutsComparer::ComparePartsArea(const CLayoutSet& a, const CLayoutSet& b) const
{
    // The larger placed area wins.
    return LowerWins(-a.PlacedArea(), -b.PlacedArea());
}

std::int32_t CLayoutsComparer::CompareObjective(const CLayoutSet& a, const CLayoutSet& b,
                                                const ParLocalOpt& policy,
                                                const ParStockComparer& stock) const
{
    if (IsStockSelectionPrimary()) {
        if (std::int32_t r = stock.CompareSets(a, b))
            return r;
        return policy.CompareSets(a, b);
    }
    if (std::int32_t r = policy.CompareSets(a, b))
        return r;
    return stock.CompareSets(a, b);
}

std::int32_t CLayoutsComparer::CompareGeneral(const CLayoutSet& a, const CLayoutSet& b,
                                              const ParLocalOpt& policy,
                                              const ParStockComparer& stock) const
{
    bool sameParts = false;
    if (std::int32_t r = ComparePartsSet(a, b, sameParts))
        return r;
    if (!sameParts) {
        if (std::int32_t r = ComparePartsArea(a, b))
            return r;
    }
    if (std::int32_t r = stock.ComparePreferences(a, b))
        return r;
    return CompareObjective(a, b, policy, stock);
}

std::int32_t CLayoutsComparer::CompareObjective(const OptTopLevelLayout& a,
                                                const OptTopLevelLayout& b, bool stockFirst,
                                                const ParLocalOpt& policy,
                                                const ParStockComparer& stock,
                                                const StockTrackerMap& trackers) const
{
    const StockUsageTracker& ta = *TrackerOf(trackers, a.GetStockProxy());
    const StockUsageTracker& tb = *TrackerOf(trackers, b.GetStockProxy());
    auto stockSide = [&]() -> std::int32_t {
        if (std::int32_t r = stock.ComparePreferences(ta, tb))
            return r;
        if (std::int32_t r = stock.CompareSheets(a, b))
            return r;
        return 0;
    };
    auto cheaperStock = [&]() -> std::int32_t {
        if (!ExactlyEqual(a.GetWaste(), b.GetWaste()))
            return 0;
        const double costA = a.GetStockProxy()->GetCanvas().GetFullStockCost();
        const double costB = b.GetStockProxy()->GetCanvas().GetFullStockCost();
        if (costA < costB)
            return -1;
        if (costB < costA)
            return 1;
        return 0;
    };
    if (stockFirst) {
        if (std::int32_t r = stockSide())
            return r;
        if (std::int32_t r = policy.CompareSheets(a, b))
            return r;
        return cheaperStock();
    }
    if (std::int32_t r = policy.CompareSheets(a, b))
        return r;
    if (std::int32_t r = stockSide())
        return r;
    return cheaperStock();
}

std::int32_t CLayoutsComparer::CompareGeneral(const OptTopLevelLayout& a,
                                              const OptTopLevelLayout& b,
                                              const ParLocalOpt& policy,
                                              const ParStockComparer& stock,
                                              const StockTrackerMap& trackers) const
{
    const double wasteA = a.GetWaste();
    const double wasteB = b.GetWaste();
    if (std::int32_t r = WasteGate(wasteA, wasteB, m_wasteConstraint))
        return r;
    const StockUsageTracker& ta = *TrackerOf(trackers, a.GetStockProxy());
    const StockUsageTracker& tb = *TrackerOf(trackers, b.GetStockProxy());
    if (std::int32_t r = stock.ComparePreferences(ta, tb))
        return r;
    const bool bothOver = wasteA > m_wasteConstraint && wasteB > m_wasteConstraint;
    return CompareObjective(a, b, bothOver || IsStockSelectionPrimary(), policy, stock, trackers);
}

std::int32_t CLayoutsComparer::CompareSameParts(const OptTopLevelLayout& a,
                                                const OptTopLevelLayout& b,
                                                const ParLocalOpt& policy,
                                                const ParStockComparer& stock,
                                                const StockTrackerMap& trackers) const
{
    const double wasteA = a.GetWaste();
    const double wasteB = b.GetWaste();
    if (std::int32_t r = WasteGate(wasteA, wasteB, m_wasteConstraint))
        return r;
    const StockUsageTracker& ta = *TrackerOf(trackers, a.GetStockProxy());
    const StockUsageTracker& tb = *TrackerOf(trackers, b.GetStockProxy());
    auto stockSide = [&]() -> std::int32_t {
        if (std::int32_t r = stock.ComparePreferences(ta, tb))
            return r;
        return stock.CompareTrackers(ta, tb);
    };
    const bool bothOver = wasteA > m_wasteConstraint && wasteB > m_wasteConstraint;
    if (bothOver || IsStockSelectionPrimary()) {
        if (std::int32_t r = stockSide())
            return r;
        return policy.CompareSameParts(a, b);
    }
    if (std::int32_t r = policy.CompareSameParts(a, b))
        return r;
    return stockSide();
}

std::int32_t CLayoutsComparer::CompareCombineLayouts(const OptTopLevelLayout& a,
                                                     const OptTopLevelLayout& b,
                                                     const OptTopLevelLayout& combined,
                                                     const ParLocalOpt& policy,
                                                     const ParStockComparer& stock,
                                                     const StockTrackerMap& trackers) const
{
    const bool overA = a.GetWaste() > m_wasteConstraint;
    const bool overB = b.GetWaste() > m_wasteConstraint;
    const bool overC = combined.GetWaste() > m_wasteConstraint;
    if ((overA || overB) && !overC)
        return 1;
    const StockUsageTracker& ta = *TrackerOf(trackers, a.GetStockProxy());
    const StockUsageTracker& tb = *TrackerOf(trackers, b.GetStockProxy());
    const StockUsageTracker& tc = *TrackerOf(trackers, combined.GetStockProxy());
    // The stock preferences come before any comparison.
    if (stock.RefusesCombine(ta, tb, tc))
        return -1;
    if ((overC && (overA || overB)) || IsStockSelectionPrimary()) {
        if (std::int32_t r = stock.CompareCombine(a, b, combined))
            return r;
        return policy.CompareCombine(a, b, combined);
    }
    if (std::int32_t r = policy.CompareCombine(a, b, combined))
        return r;
    return stock.CompareCombine(a, b, combined);
}

} // namespace optimization

#include "SplitIntoCheaperSheets.h"

#include "CLayoutSet.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "Placement.h"
#include "RegionFit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <utility>

namespace optimization {

namespace {

constexpr double kCostEpsilon = 0.00001;

// Sheets a limited stock still has within its count (0 once used up).
std::uint32_t SheetsLeft(const StockUsageTracker& tracker)
{
    const InitialInventory& inventory = tracker.GetStock()->GetInventory();
    return tracker.GetSheetsUsed() < inventory.available ? inventory.available - tracker.GetSheetsUsed() : 0;
}

struct Candidate {
    const StockUsageTracker* tracker;
    double cost;
    double area;
    std::uint32_t maxCount;
};

// What any combination needs to hold the sheet's copies: `need` must not
// exceed the sum over the combination's sheets of `perSheet` of their stock.
// A copy can only go on a sheet of a stock it fits, so the copies that fit
// only some stocks need area there; and copies whose shorter side is at least
// s each cover their own s by s square, of which a sheet holds no more than
// fit in a grid. Combinations short of a bound cannot take the parts; trying
// them first would spend the capped trials on cheap sheets too small for the
// larger parts.
struct Bound {
    std::vector<double> perSheet; // per candidate
    double need = 0.0;
};

struct CopyKind {
    const PartProxy* part;
    std::vector<bool> fits; // per candidate
    std::int64_t shorterSide;
    double area;   // of all its copies on the sheet
    double copies; // on the sheet
};

// The copies to move, one entry per copy on the sheet.
std::vector<const PartProxy*> CopiesOnSheet(const OptTopLevelLayout& sheet)
{
    std::vector<const PartProxy*> parts = sheet.GetPlacedCopies();
    if (parts.size() != sheet.GetPlacedParts().size()) {
        parts.clear();
        for (const PlacedPart* placed : sheet.GetPlacedParts())
            parts.push_back(placed->GetPartProxy());
    }
    return parts;
}

// Squares of side `side` counts that fit a sheet of the stock, on the loose
// side: placed copies may stand out of their region by the 2-count tolerance.
double SquaresPerSheet(const StockProxy& stock, std::int64_t side)
{
    constexpr std::int64_t kSlack = 4 * OptDim::INTERNAL_EPSILON;
    const std::int64_t inner = side - kSlack;
    const std::int64_t w = stock.GetCanvas().GetTrimmedWidth().ToEncodedInt() + kSlack;
    const std::int64_t l = stock.GetCanvas().GetTrimmedLength().ToEncodedInt() + kSlack;
    if (inner <= 0)
        return std::numeric_limits<double>::infinity();
    const double across = static_cast<double>(std::max<std::int64_t>(w, 0) / inner);
    const double along = static_cast<double>(std::max<std::int64_t>(l, 0) / inner);
    return across * along;
}

bool Within(const std::vector<bool>& inner, const std::vector<bool>& outer)
{
    for (std::size_t i = 0; i < inner.size(); ++i)
        if (inner[i] && !outer[i])
            return false;
    return true;
}

// One kind per distinct part, in the order the copies lie on the sheet.
std::vector<CopyKind> KindsOnSheet(const OptTopLevelLayout& sheet, const std::vector<Candidate>& candidates)
{
    std::vector<CopyKind> kinds;
    for (const PartProxy* part : CopiesOnSheet(sheet)) {
        auto known = std::find_if(kinds.begin(), kinds.end(), [part](const CopyKind& k) { return k.part == part; });
        if (known == kinds.end()) {
            const PartDescriptor& d = part->GetDescriptor();
            std::vector<bool> fits(candidates.size());
            for (std::size_t i = 0; i < candidates.size(); ++i)
                fits[i] = FitsStock(*part, *candidates[i].tracker->GetStock());
            kinds.push_back({part, std::move(fits), std::min(d.width.ToEncodedInt(), d.length.ToEncodedInt()), 0.0, 0.0});
            known = kinds.end() - 1;
        }
        known->area += part->GetDescriptor().area;
        known->copies += 1.0;
    }
    return kinds;
}

// For each kind: the area of the copies that fit only where it fits, and the
// number of those copies whose shorter side is at least its own.
std::vector<Bound> BoundsOf(const std::vector<CopyKind>& kinds, const std::vector<Candidate>& candidates)
{
    std::vector<Bound> bounds;
    auto add = [&bounds](Bound bound) {
        if (bound.need > 0.0 && std::find_if(bounds.begin(), bounds.end(), [&bound](const Bound& b) {
                                    return !(b.need < bound.need || bound.need < b.need) && b.perSheet == bound.perSheet;
                                }) == bounds.end())
            bounds.push_back(std::move(bound));
    };
    for (const CopyKind& outer : kinds) {
        Bound byArea{std::vector<double>(candidates.size(), 0.0), 0.0};
        Bound byCount{std::vector<double>(candidates.size(), 0.0), 0.0};
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            if (!outer.fits[i])
                continue;
            byArea.perSheet[i] = candidates[i].area;
            byCount.perSheet[i] = SquaresPerSheet(*candidates[i].tracker->GetStock(), outer.shorterSide);
        }
        for (const CopyKind& inner : kinds) {
            if (!Within(inner.fits, outer.fits))
                continue;
            byArea.need += inner.area;
            if (inner.shorterSide >= outer.shorterSide)
                byCount.need += inner.copies;
        }
        add(std::move(byArea));
        if (std::none_of(byCount.perSheet.begin(), byCount.perSheet.end(), [](double n) { return std::isinf(n); }))
            add(std::move(byCount));
    }
    return bounds;
}

// Lists the combinations in order of rising total cost (best first): a
// combination is grown one sheet at a time, each growth only on a candidate
// at or after the one grown last, so that every combination comes up once.
// The cheapest ones therefore come first whatever the cap cuts off. A state
// keeps only its parent and the candidate it grew, so the open list stays
// small even with many candidates.
class Enumerator
{
public:
    Enumerator(const std::vector<Candidate>& candidates, const std::vector<Bound>& bounds, double budget,
               double partArea, std::uint32_t maxSheets, const SplitLimits& limits)
        : m_candidates(candidates)
        , m_bounds(bounds)
        , m_budget(budget)
        , m_partArea(partArea)
        , m_maxSheets(maxSheets)
        , m_limits(limits)
        , m_bestRatioFrom(candidates.size() + 1, 0.0)
        , m_boundRatioFrom(bounds.size(), std::vector<double>(candidates.size() + 1, 0.0))
    {
        // Best area per unit of cost among the candidates from i on: with the
        // budget left, no growth there can add more area than that. The same
        // for what each bound counts.
        for (std::size_t i = candidates.size(); i-- > 0;) {
            m_bestRatioFrom[i] = std::max(m_bestRatioFrom[i + 1], candidates[i].area / candidates[i].cost);
            for (std::size_t b = 0; b < bounds.size(); ++b)
                m_boundRatioFrom[b][i] =
                    std::max(m_boundRatioFrom[b][i + 1], bounds[b].perSheet[i] / candidates[i].cost);
        }
    }

    void Run()
    {
        std::vector<double> room(m_bounds.size(), 0.0); // what each bound counts
        std::vector<double> grownRoom;
        Push(State{kNoParent, 0, 0.0, 0.0, 0, 0}, room);
        std::vector<std::uint32_t> counts(m_candidates.size());
        while (!m_open.empty() && m_steps < m_limits.maxSteps && m_kept.size() < m_limits.maxKept) {
            std::pop_heap(m_open.begin(), m_open.end(), [this](std::size_t a, std::size_t b) { return Later(a, b); });
            const std::size_t index = m_open.back();
            m_open.pop_back();
            ++m_steps;
            const State state = m_states[index];
            CountsOf(index, counts);
            RoomOf(counts, room);
            if (state.sheets > 0 && state.area >= m_partArea && Covers(room, 0.0, state.last))
                m_kept.push_back({counts, state.cost});
            for (std::size_t j = state.last; j < m_candidates.size(); ++j) {
                const Candidate& c = m_candidates[j];
                if (counts[j] >= c.maxCount || state.sheets >= m_maxSheets)
                    continue;
                const double cost = state.cost + c.cost;
                if (cost > m_budget)
                    continue;
                grownRoom = room;
                for (std::size_t b = 0; b < m_bounds.size(); ++b)
                    grownRoom[b] += m_bounds[b].perSheet[j];
                Push(State{index, j, cost, state.area + c.area, state.sheets + 1, 0}, grownRoom);
            }
        }
    }

    std::vector<SplitCandidate> Take() { return std::move(m_kept); }
    std::size_t Steps() const { return m_steps; }

private:
    static constexpr std::size_t kNoParent = static_cast<std::size_t>(-1);

    struct State {
        std::size_t parent; // kNoParent for the empty combination
        std::size_t last;   // the candidate grown last
        double cost;
        double area;
        std::uint32_t sheets;
        std::size_t sequence; // order of discovery, for ties in cost
    };

    // Heap order: the cheaper state first, ties in discovery order.
    bool Later(std::size_t a, std::size_t b) const
    {
        const State& x = m_states[a];
        const State& y = m_states[b];
        if (x.cost < y.cost || y.cost < x.cost)
            return y.cost < x.cost;
        return x.sequence > y.sequence;
    }

    void CountsOf(std::size_t index, std::vector<std::uint32_t>& counts) const
    {
        std::fill(counts.begin(), counts.end(), 0u);
        for (std::size_t i = index; m_states[i].parent != kNoParent; i = m_states[i].parent)
            ++counts[m_states[i].last];
    }

    void RoomOf(const std::vector<std::uint32_t>& counts, std::vector<double>& room) const
    {
        for (std::size_t b = 0; b < m_bounds.size(); ++b) {
            room[b] = 0.0;
            for (std::size_t i = 0; i < counts.size(); ++i)
                room[b] += counts[i] * m_bounds[b].perSheet[i];
        }
    }

    // Every bound is met, counting what `budgetLeft` can still buy of the
    // candidates from `from` on.
    bool Covers(const std::vector<double>& room, double budgetLeft, std::size_t from) const
    {
        for (std::size_t b = 0; b < m_bounds.size(); ++b)
            if (room[b] + budgetLeft * m_boundRatioFrom[b][from] < m_bounds[b].need * (1.0 - 1e-12))
                return false;
        return true;
    }

    void Push(State state, const std::vector<double>& room)
    {
        // Even spending the whole budget left on the best candidate that may
        // still grow cannot cover the parts: drop the state.
        const double reachable = state.area + (m_budget - state.cost) * m_bestRatioFrom[state.last];
        if (reachable < m_partArea * (1.0 - 1e-12) || !Covers(room, m_budget - state.cost, state.last))
            return;
        state.sequence = m_states.size();
        m_states.push_back(state);
        m_open.push_back(m_states.size() - 1);
        std::push_heap(m_open.begin(), m_open.end(), [this](std::size_t a, std::size_t b) { return Later(a, b); });
    }

    const std::vector<Candidate>& m_candidates;
    const std::vector<Bound>& m_bounds;
    const double m_budget;
    const double m_partArea;
    const std::uint32_t m_maxSheets;
    const SplitLimits& m_limits;
    std::vector<double> m_bestRatioFrom;
    std::vector<std::vector<double>> m_boundRatioFrom;
    std::vector<State> m_states;
    std::vector<std::size_t> m_open;
    std::vector<SplitCandidate> m_kept;
    std::size_t m_steps = 0;
};

} // namespace

SplitPlan PlanCheaperSheets(const OptTopLevelLayout& sheet, const StockTrackerList& stocks,
                            const ParStockComparer& comparer, const SplitLimits& limits)
{
    SplitPlan plan;
    const StockProxy* own = sheet.GetStockProxy();
    const double sheetCost = own->GetCanvas().GetFullStockCost();
    const double partArea = sheet.PlacedArea();
    const std::uint32_t copies = static_cast<std::uint32_t>(sheet.GetPlacedParts().size());

    // The preferences hold only when the sheet itself is on what one of them
    // prefers; then both of the comparer's preferences limit the candidates.
    const StockUsageTracker* ownTracker = nullptr;
    for (const auto& tracker : stocks)
        if (tracker->GetStock() == own)
            ownTracker = tracker.get();
    const bool preferenceApplies =
        (comparer.IsOffCutsFirst() && own->GetInventory().offCut) ||
        (comparer.IsInventoryFirst() &&
         (own->GetInventory().unlimited || (ownTracker != nullptr && ownTracker->HasSheetsLeft())));
    const bool offCutsOnly = preferenceApplies && comparer.IsOffCutsFirst();
    const bool inventoryOnly = preferenceApplies && comparer.IsInventoryFirst();

    std::vector<Candidate> candidates;
    for (const auto& tracker : stocks) {
        const StockProxy* stock = tracker->GetStock();
        const double cost = stock->GetCanvas().GetFullStockCost();
        if (stock == own || !(cost < sheetCost - kCostEpsilon))
            continue;
        if (cost < kCostEpsilon) {
            plan.giveUp = true;
            plan.vectors.clear();
            plan.stocks.clear();
            return plan;
        }
        const InitialInventory& inventory = stock->GetInventory();
        // Prices add up in binary fractions: three sheets at 15.30 must count
        // as affordable for a sheet at 45.90.
        double byCost = std::floor((sheetCost + kCostEpsilon) / cost);
        std::uint32_t maxCount =
            byCost >= static_cast<double>(std::numeric_limits<std::uint32_t>::max()) ? std::numeric_limits<std::uint32_t>::max()
                                                                                    : static_cast<std::uint32_t>(byCost);
        // No use for more sheets than the sheet has copies.
        maxCount = std::min(maxCount, copies);
        if (!inventory.unlimited && !inventory.usableBeyondCount)
            maxCount = std::min(maxCount, SheetsLeft(*tracker));
        if (offCutsOnly && !inventory.offCut)
            maxCount = 0;
        if (inventoryOnly && !inventory.unlimited)
            maxCount = std::min(maxCount, SheetsLeft(*tracker));
        plan.stocks.push_back(tracker.get());
        candidates.push_back({tracker.get(), cost, stock->GetCanvas().GetTrimmedArea(), maxCount});
    }
    if (candidates.empty())
        return plan;

    // A stock that fits none of the parts would only add empty sheets.
    const std::vector<CopyKind> kinds = KindsOnSheet(sheet, candidates);
    for (std::size_t i = 0; i < candidates.size(); ++i)
        if (std::none_of(kinds.begin(), kinds.end(), [i](const CopyKind& k) { return k.fits[i]; }))
            candidates[i].maxCount = 0;
    const std::vector<Bound> bounds = BoundsOf(kinds, candidates);

    Enumerator enumerator(candidates, bounds, sheetCost + kCostEpsilon, partArea, copies, limits);
    enumerator.Run();
    plan.steps = enumerator.Steps();
    plan.vectors = enumerator.Take();
    return plan;
}

bool SplitIntoCheaperSheets(const OptTopLevelLayout& sheet, const StockTrackerList& stocks, CLayoutSet& out,
                            ParallelOptimizer& optimizer, const SplitLimits& limits)
{
    const JobPolicy& policy = optimizer.Job().Policy();
    const SplitPlan plan = PlanCheaperSheets(sheet, stocks, *policy.stockComparer, limits);
    if (plan.giveUp || plan.vectors.empty())
        return false;

    const std::int32_t kind = optimizer.Job().RunState().GetPartOrderKind();
    std::vector<const PartProxy*> parts = CopiesOnSheet(sheet);
    SortPartSequence(parts, kind);

    const std::size_t trials = std::min(plan.vectors.size(), limits.maxTrials);
    for (std::size_t v = 0; v < trials; ++v) {
        const SplitCandidate& candidate = plan.vectors[v];
        // The trial sheets stay owned here until the output set takes them,
        // so that a failed or cancelled trial, or an exception, frees them.
        std::vector<std::unique_ptr<OptTopLevelLayout>> made;
        PlacementRequest request;
        for (std::size_t i = 0; i < plan.stocks.size(); ++i) {
            const StockUsageTracker& tracker = *plan.stocks[i];
            for (std::uint32_t n = 0; n < candidate.counts[i]; ++n) {
                made.push_back(std::make_unique<OptTopLevelLayout>(tracker.GetStock(), kind, policy.localOpt));
                made.back()->Relay();
                made.back()->SetWithinInventory(tracker.HasSheetsLeft() ? 1 : 0);
                request.sheets.push_back(made.back().get());
            }
        }
        request.searchExistingSheets = true;
        request.optimizer = &optimizer;
        const bool all = PlaceEach(std::move(request), parts);
        if (optimizer.IsCancelRequested())
            return false;
        if (!all)
            continue;
        // A sheet that took nothing would only be paid for.
        for (std::unique_ptr<OptTopLevelLayout>& fresh : made) {
            if (fresh->HasNoBlock())
                continue;
            out.Add(fresh.get());
            fresh.release();
        }
        return true;
    }
    return false;
}

} // namespace optimization

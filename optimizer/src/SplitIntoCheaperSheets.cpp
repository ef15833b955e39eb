#include "SplitIntoCheaperSheets.h"

#include "CLayoutSet.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "Placement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

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

// Lists the combinations in order of rising total cost (best first): a
// combination is grown one sheet at a time, each growth only on a candidate
// at or after the one grown last, so that every combination comes up once.
// The cheapest ones therefore come first whatever the cap cuts off. A state
// keeps only its parent and the candidate it grew, so the open list stays
// small even with many candidates.
class Enumerator
{
public:
    Enumerator(const std::vector<Candidate>& candidates, double budget, double partArea, std::uint32_t maxSheets,
               const SplitLimits& limits)
        : m_candidates(candidates)
        , m_budget(budget)
        , m_partArea(partArea)
        , m_maxSheets(maxSheets)
        , m_limits(limits)
        , m_bestRatioFrom(candidates.size() + 1, 0.0)
    {
        // Best area per unit of cost among the candidates from i on: with the
        // budget left, no growth there can add more area than that.
        for (std::size_t i = candidates.size(); i-- > 0;)
            m_bestRatioFrom[i] = std::max(m_bestRatioFrom[i + 1], candidates[i].area / candidates[i].cost);
    }

    void Run()
    {
        Push(State{kNoParent, 0, 0.0, 0.0, 0, 0});
        std::vector<std::uint32_t> counts(m_candidates.size());
        while (!m_open.empty() && m_steps < m_limits.maxSteps && m_kept.size() < m_limits.maxKept) {
            std::pop_heap(m_open.begin(), m_open.end(), [this](std::size_t a, std::size_t b) { return Later(a, b); });
            const std::size_t index = m_open.back();
            m_open.pop_back();
            ++m_steps;
            const State state = m_states[index];
            CountsOf(index, counts);
            if (state.sheets > 0 && state.area >= m_partArea)
                m_kept.push_back({counts, state.cost});
            for (std::size_t j = state.last; j < m_candidates.size(); ++j) {
                const Candidate& c = m_candidates[j];
                if (counts[j] >= c.maxCount || state.sheets >= m_maxSheets)
                    continue;
                const double cost = state.cost + c.cost;
                if (cost > m_budget)
                    continue;
                Push(State{index, j, cost, state.area + c.area, state.sheets + 1, 0});
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

    void Push(State state)
    {
        // Even spending the whole budget left on the best candidate that may
        // still grow cannot cover the parts: drop the state.
        const double reachable = state.area + (m_budget - state.cost) * m_bestRatioFrom[state.last];
        if (reachable < m_partArea * (1.0 - 1e-12))
            return;
        state.sequence = m_states.size();
        m_states.push_back(state);
        m_open.push_back(m_states.size() - 1);
        std::push_heap(m_open.begin(), m_open.end(), [this](std::size_t a, std::size_t b) { return Later(a, b); });
    }

    const std::vector<Candidate>& m_candidates;
    const double m_budget;
    const double m_partArea;
    const std::uint32_t m_maxSheets;
    const SplitLimits& m_limits;
    std::vector<double> m_bestRatioFrom;
    std::vector<State> m_states;
    std::vector<std::size_t> m_open;
    std::vector<SplitCandidate> m_kept;
    std::size_t m_steps = 0;
};

// Frees sheets that this step made and nobody took over.
void DeleteSheets(std::vector<OptTopLevelLayout*>& sheets)
{
    for (OptTopLevelLayout* sheet : sheets)
        delete sheet;
    sheets.clear();
}

} // namespace

SplitPlan PlanCheaperSheets(const OptTopLevelLayout& sheet, const StockTrackerList& stocks,
                            const ParStockComparer& comparer, const SplitLimits& limits)
{
    SplitPlan plan;
    const StockProxy* own = sheet.GetStockProxy();
    const double sheetCost = own->GetCanvas().GetFullStockCost();
    const double partArea = sheet.PlacedArea();
    const std::uint32_t copies = static_cast<std::uint32_t>(sheet.GetPlacedParts().size());

    // The preferences hold only when the sheet itself is on what they prefer.
    const StockUsageTracker* ownTracker = nullptr;
    for (const auto& tracker : stocks)
        if (tracker->GetStock() == own)
            ownTracker = tracker.get();
    const bool offCutsOnly = comparer.IsOffCutsFirst() && own->GetInventory().offCut;
    const bool inventoryOnly = comparer.IsInventoryFirst() &&
                               (own->GetInventory().unlimited || (ownTracker != nullptr && ownTracker->HasSheetsLeft()));

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
        double byCost = std::floor(sheetCost / cost);
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

    Enumerator enumerator(candidates, sheetCost, partArea, copies, limits);
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
    std::vector<const PartProxy*> parts = sheet.GetPlacedCopies();
    if (parts.size() != sheet.GetPlacedParts().size()) {
        parts.clear();
        for (const PlacedPart* placed : sheet.GetPlacedParts())
            parts.push_back(placed->GetPartProxy());
    }
    SortPartSequence(parts, kind);

    const std::size_t trials = std::min(plan.vectors.size(), limits.maxTrials);
    for (std::size_t v = 0; v < trials; ++v) {
        const SplitCandidate& candidate = plan.vectors[v];
        std::vector<OptTopLevelLayout*> made;
        try {
            for (std::size_t i = 0; i < plan.stocks.size(); ++i) {
                const StockUsageTracker& tracker = *plan.stocks[i];
                for (std::uint32_t n = 0; n < candidate.counts[i]; ++n) {
                    auto fresh = std::make_unique<OptTopLevelLayout>(tracker.GetStock(), kind, policy.localOpt);
                    fresh->Relay();
                    fresh->SetWithinInventory(tracker.HasSheetsLeft() ? 1 : 0);
                    made.push_back(fresh.release());
                }
            }
            PlacementRequest request;
            request.searchExistingSheets = true;
            request.sheets = made;
            request.optimizer = &optimizer;
            bool all = true;
            for (const PartProxy* part : parts) {
                request.part = part;
                if (!PlacePart(request)) {
                    all = false;
                    break;
                }
            }
            if (optimizer.IsCancelRequested()) {
                DeleteSheets(made);
                return false;
            }
            if (!all) {
                DeleteSheets(made);
                continue;
            }
        } catch (...) {
            DeleteSheets(made);
            throw;
        }
        // A sheet that took nothing would only be paid for.
        for (OptTopLevelLayout*& fresh : made) {
            if (fresh->HasNoBlock()) {
                delete fresh;
                fresh = nullptr;
            }
        }
        for (OptTopLevelLayout* fresh : made)
            if (fresh != nullptr)
                out.Add(fresh);
        return true;
    }
    return false;
}

} // namespace optimization

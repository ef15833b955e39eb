#include "GatherIsolatedCopies.h"

#include "LayoutGrouping.h"
#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "Placement.h"
#include "RegionFit.h"
#include "RelayoutSheet.h"

#include <nestcore/PlacedPart.h>
#include <nestcore/ProxyOrder.h>
#include <nestcore/StockProxy.h>

#include <algorithm>
#include <map>

namespace optimization {

namespace {

using Records = std::vector<const PlacedPart*>;

// Marks, for each copy of one line (a row or a column), whether it stands
// alone in it, and collects the runs of exactly two joined copies. `start`
// and `end` give a copy's extent along the line.
template <typename Start, typename End>
void WalkLine(Records line, std::int64_t gap, Start start, End end, std::map<const PlacedPart*, bool>& alone,
              std::vector<std::pair<const PlacedPart*, const PlacedPart*>>& twoRuns)
{
    std::stable_sort(line.begin(), line.end(),
                     [&](const PlacedPart* a, const PlacedPart* b) { return end(a) < end(b); });
    std::size_t i = 0;
    while (i < line.size()) {
        // Copies that do not overlap by more than the gap are joined.
        std::size_t j = i;
        while (j + 1 < line.size() && std::int64_t(end(line[j])) - start(line[j + 1]) <= gap)
            ++j;
        const std::size_t run = j - i + 1;
        alone[line[i]] = run == 1;
        for (std::size_t k = i + 1; k <= j; ++k)
            alone[line[k]] = false;
        if (run == 2)
            twoRuns.emplace_back(line[i], line[j]);
        i = j + 1;
    }
}

bool IsOffCut(const OptTopLevelLayout& sheet)
{
    return sheet.GetStockProxy()->GetInventory().offCut;
}

OptTopLevelLayout* GroupHead(OptTopLevelLayout* sheet)
{
    return sheet->GetMaster() ? sheet->GetMaster() : sheet;
}

void NonDuplicatesFirst(CLayoutSet& set)
{
    std::partition(set.Layouts().begin(), set.Layouts().end(),
                   [](const OptTopLevelLayout* sheet) { return !sheet->IsDuplicate(); });
}

// A duplicate takes its master's counts.
IsolatedCopies CountsOf(OptTopLevelLayout* sheet, const PartProxy* part)
{
    return CountIsolatedCopies(*GroupHead(sheet), part);
}

void Erase(std::vector<OptTopLevelLayout*>& list, OptTopLevelLayout* sheet)
{
    list.erase(std::remove(list.begin(), list.end(), sheet), list.end());
}

struct Cancelled {};

class Gatherer
{
public:
    explicit Gatherer(ParallelOptimizer& optimizer)
        : m_optimizer(optimizer), m_comparer(*optimizer.Job().Policy().stockComparer)
    {
    }

    // False when cancelled.
    bool Run();

private:
    enum class Phase { Singles, Pairs };
    void HandlePart(const PartProxy* part);
    std::vector<OptTopLevelLayout*> Sources(const std::map<OptTopLevelLayout*, std::int64_t>& wanted,
                                            const PartProxy* part) const;
    void Exchange(std::vector<OptTopLevelLayout*>& sources, const PartProxy* part, Phase phase,
                  std::int64_t phaseTotal);
    std::int64_t Wanted(OptTopLevelLayout* sheet, const PartProxy* part, Phase phase) const;
    void CheckCancel() const
    {
        if (m_optimizer.IsCancelRequested())
            throw Cancelled();
    }
    void SortByRoom(std::vector<OptTopLevelLayout*>& sheets, const PartProxy* part, bool largestFirst) const;

    ParallelOptimizer& m_optimizer;
    const ParStockComparer& m_comparer;
    CLayoutSet m_saved{true};
    CLayoutSet m_work{true};
    std::vector<OptTopLevelLayout*> m_targets;
    bool m_changed = false;
};

void Gatherer::SortByRoom(std::vector<OptTopLevelLayout*>& sheets, const PartProxy* part, bool largestFirst) const
{
    // Ties keep the sheets' order in the set, so every run gives the same order.
    std::map<const OptTopLevelLayout*, std::int64_t> room;
    for (OptTopLevelLayout* sheet : sheets)
        room[sheet] = PartRoom(*sheet, part);
    std::stable_sort(sheets.begin(), sheets.end(), [&](const OptTopLevelLayout* a, const OptTopLevelLayout* b) {
        return largestFirst ? room[a] > room[b] : room[a] < room[b];
    });
}

std::int64_t Gatherer::Wanted(OptTopLevelLayout* sheet, const PartProxy* part, Phase phase) const
{
    const IsolatedCopies counts = CountsOf(sheet, part);
    return phase == Phase::Singles ? counts.singles : counts.singles + 2 * std::int64_t(counts.pairs);
}

std::vector<OptTopLevelLayout*> Gatherer::Sources(const std::map<OptTopLevelLayout*, std::int64_t>& wanted,
                                                  const PartProxy* part) const
{
    std::vector<OptTopLevelLayout*> sources;
    for (OptTopLevelLayout* sheet : m_work.Layouts())
        if (wanted.at(sheet) > 0)
            sources.push_back(sheet);
    SortByRoom(sources, part, false);
    m_comparer.SortSheets(sources, false);
    return sources;
}

void Gatherer::Exchange(std::vector<OptTopLevelLayout*>& sources, const PartProxy* part, Phase phase,
                        std::int64_t phaseTotal)
{
    const bool costRestriction = m_comparer.GetUnitAreaFlag();
    std::size_t position = 0;
    while (position < sources.size()) {
        OptTopLevelLayout* source = sources[position];
        std::int64_t wanted = Wanted(source, part, phase);
        bool sourceDone = false;
        while (wanted > 0 && !sourceDone) {
            OptTopLevelLayout* head = GroupHead(source);
            const bool offCutRestriction = m_comparer.IsOffCutsFirst() && IsOffCut(*source);
            const double sourceCost = source->GetStockProxy()->GetCanvas().GetUnitAreaCost();
            std::vector<const PartProxy*> keep = source->GetPlacedCopies();
            std::vector<const PartProxy*> moved;

            const std::vector<OptTopLevelLayout*> targets = m_targets;
            for (OptTopLevelLayout* target : targets) {
                if (std::int64_t(moved.size()) >= wanted)
                    break;
                if (GroupHead(target) == head)
                    continue;
                if (offCutRestriction && !IsOffCut(*target))
                    continue;
                if (costRestriction && target->GetStockProxy()->GetCanvas().GetUnitAreaCost() > sourceCost)
                    continue;
                const auto& onTarget = target->GetPlacedCopies();
                if (phaseTotal == 1 && std::find(onTarget.begin(), onTarget.end(), part) == onTarget.end())
                    continue;
                if (phase == Phase::Pairs && PartRoom(*target, part) < 2)
                    continue;

                std::unique_ptr<OptTopLevelLayout> copy = target->Copy();
                PlacementRequest request;
                request.part = part;
                request.searchExistingSheets = false;
                request.sheets = {copy.get()};
                request.optimizer = &m_optimizer;
                std::int64_t took = 0;
                while (std::int64_t(moved.size()) < wanted) {
                    const bool placed = PlacePart(request);
                    CheckCancel();
                    if (!placed)
                        break;
                    keep.erase(std::find(keep.begin(), keep.end(), part));
                    moved.push_back(part);
                    ++took;
                }
                if (took == 0)
                    continue;
                auto it = std::find(sources.begin(), sources.end(), target);
                if (it != sources.end()) {
                    if (std::size_t(it - sources.begin()) < position)
                        --position;
                    sources.erase(it);
                }
                copy->SetMaster(nullptr);
                copy->SetDuplicateCount(0);
                copy->ResetStyleMap();
                RebuildSheet(*copy, copy->GetPlacedCopies(), m_optimizer);
                CheckCancel();
                target->AssignFrom(*copy);
                TakeOutOfGroup(*target, m_work, false);
                target->ResetStyleMap();
            }
            if (moved.empty()) {
                // A source that already gave copies has left the list, and
                // the next sheet stands at this position now.
                if (position < sources.size() && sources[position] == source)
                    ++position;
                sourceDone = true;
                break;
            }

            std::unique_ptr<OptTopLevelLayout> fallback = source->Copy();
            if (!RebuildSheet(*source, keep, m_optimizer)) {
                RemoveCopies(*fallback, moved);
                source->AssignFrom(*fallback);
            }
            CheckCancel();
            TakeOutOfGroup(*source, m_work, false);
            source->ResetStyleMap();
            m_saved.DeleteAll();
            m_work.CopyInto(m_saved, true);
            wanted = Wanted(source, part, phase);
            Erase(m_targets, source);
            // The next sheet moves up to the current position.
            auto it = std::find(sources.begin(), sources.end(), source);
            if (it != sources.end())
                sources.erase(it);
            m_changed = true;
            if (wanted <= 0)
                sourceDone = true;
        }
    }
}

void Gatherer::HandlePart(const PartProxy* part)
{
    const std::shared_ptr<PartUsageTracker>& tracker =
        TrackerOf(m_optimizer.Job().RunState().PartTrackers(), part);
    if (tracker->GetUnplacedCopiesCount() == 1)
        return;
    m_work.DeleteAll();
    m_saved.CopyInto(m_work, true);
    NonDuplicatesFirst(m_work);

    std::map<OptTopLevelLayout*, std::int64_t> singles;
    std::int64_t total = 0;
    for (OptTopLevelLayout* sheet : m_work.Layouts()) {
        singles[sheet] = CountsOf(sheet, part).singles;
        total += singles[sheet];
    }
    m_targets = m_work.Layouts();
    if (total > 0) {
        SortByRoom(m_targets, part, true);
        std::vector<OptTopLevelLayout*> sources = Sources(singles, part);
        Exchange(sources, part, Phase::Singles, total);
    }

    NonDuplicatesFirst(m_work);
    std::map<OptTopLevelLayout*, std::int64_t> pairs;
    std::int64_t pairTotal = 0;
    for (OptTopLevelLayout* sheet : m_work.Layouts()) {
        const IsolatedCopies counts = CountsOf(sheet, part);
        pairs[sheet] = counts.pairs;
        pairTotal += counts.pairs;
    }
    if (pairTotal > 0) {
        std::vector<OptTopLevelLayout*> sources = Sources(pairs, part);
        Exchange(sources, part, Phase::Pairs, pairTotal);
    }
}

bool Gatherer::Run()
{
    CLayoutSet& running = m_optimizer.Job().RunState().Layouts();
    running.CopyInto(m_saved, true);

    std::vector<const PartProxy*> order;
    for (const OptTopLevelLayout* sheet : running.Layouts())
        for (const PartProxy* part : sheet->GetPlacedCopies())
            order.push_back(part);
    std::stable_sort(order.begin(), order.end(), [](const PartProxy* a, const PartProxy* b) {
        return a->GetDescriptor().partNumber < b->GetDescriptor().partNumber;
    });
    std::stable_sort(order.begin(), order.end(), [](const PartProxy* a, const PartProxy* b) {
        return a->GetDescriptor().areaCounts > b->GetDescriptor().areaCounts;
    });
    const PartProxy* handled = nullptr;
    try {
        for (const PartProxy* part : order) {
            if (part == handled)
                continue;
            handled = part;
            HandlePart(part);
        }
    } catch (const Cancelled&) {
        m_work.DeleteAll();
        m_saved.DeleteAll();
        return false;
    }
    m_work.DeleteAll();
    if (!m_changed) {
        m_saved.DeleteAll();
        return true;
    }
    running.DeleteAll();
    running.Layouts().swap(m_saved.Layouts());
    running.RemoveLayoutsWithoutBlock();
    GroupIdenticalSheets(running);
    m_optimizer.Job().RunState().MarkInventory();
    return true;
}

} // namespace

IsolatedCopies CountIsolatedCopies(const OptTopLevelLayout& sheet, const PartProxy* part)
{
    const std::int64_t gap = std::int64_t(sheet.GetStockProxy()->GetRules().GetKerf().ToEncodedInt()) + 1;
    std::map<std::int32_t, Records> rows;
    std::map<std::int32_t, Records> columns;
    for (const PlacedPart* placed : sheet.GetPlacedParts()) {
        if (placed->GetPart() != part)
            continue;
        rows[placed->GetRect().bottom].push_back(placed);
        columns[placed->GetRect().right].push_back(placed);
    }
    std::map<const PlacedPart*, bool> aloneInRow;
    std::map<const PlacedPart*, bool> aloneInColumn;
    std::vector<std::pair<const PlacedPart*, const PlacedPart*>> rowPairs;
    std::vector<std::pair<const PlacedPart*, const PlacedPart*>> columnPairs;
    for (auto& [bottom, line] : rows)
        WalkLine(line, gap, [](const PlacedPart* p) { return p->GetRect().left; },
                 [](const PlacedPart* p) { return p->GetRect().right; }, aloneInRow, rowPairs);
    for (auto& [right, line] : columns)
        WalkLine(line, gap, [](const PlacedPart* p) { return p->GetRect().top; },
                 [](const PlacedPart* p) { return p->GetRect().bottom; }, aloneInColumn, columnPairs);

    IsolatedCopies result;
    for (const PlacedPart* placed : sheet.GetPlacedParts()) {
        if (placed->GetPart() == part && aloneInRow[placed] && aloneInColumn[placed]) {
            ++result.singles;
            result.singleCopies.push_back(placed);
        }
    }
    for (const auto& [a, b] : rowPairs) {
        if (aloneInColumn[a] && aloneInColumn[b]) {
            ++result.pairs;
            result.pairMembers.push_back(a);
            result.pairMembers.push_back(b);
        }
    }
    for (const auto& [a, b] : columnPairs) {
        if (aloneInRow[a] && aloneInRow[b]) {
            ++result.pairs;
            result.pairMembers.push_back(a);
            result.pairMembers.push_back(b);
        }
    }
    return result;
}

std::int64_t PartRoom(const OptTopLevelLayout& sheet, const PartProxy* part)
{
    const RegionList& regions = sheet.GetRegions();
    if (regions.empty())
        return 0;
    const CFreeRectangle* largest = &regions.front();
    for (const CFreeRectangle& region : regions)
        if (region.Area() > largest->Area())
            largest = &region;
    const auto& copies = sheet.GetPlacedCopies();
    return std::count(copies.begin(), copies.end(), part) + std::int64_t(GridCount(*largest, *part));
}

void RemoveCopies(OptTopLevelLayout& sheet, std::vector<const PartProxy*> copies)
{
    std::stable_sort(copies.begin(), copies.end(), ProxyOrder());
    sheet.SortPlacedCopies();
    for (auto first = copies.begin(); first != copies.end();) {
        const PartProxy* part = *first;
        const auto last = std::find_if(first, copies.end(), [part](const PartProxy* p) { return p != part; });
        const std::ptrdiff_t wanted = last - first;
        first = last;
        const auto& onSheet = sheet.GetPlacedCopies();
        std::ptrdiff_t out = 0;
        if (std::count(onSheet.begin(), onSheet.end(), part) != wanted) {
            // The copies that stand alone go first: the ones that remain stay
            // in their rows and columns. The records stay valid while other
            // leaves are taken out.
            const IsolatedCopies isolated = CountIsolatedCopies(sheet, part);
            Records loose = isolated.singleCopies;
            loose.insert(loose.end(), isolated.pairMembers.begin(), isolated.pairMembers.end());
            for (const PlacedPart* placed : loose)
                if (out < wanted && sheet.TakeCopyOut(placed))
                    ++out;
        }
        for (; out < wanted; ++out)
            if (!sheet.TakeCopyOut(part))
                break;
    }
    sheet.RebuildLists();
    sheet.Relay();
}

void GatherIsolatedCopies(ParallelOptimizer& optimizer)
{
    Gatherer(optimizer).Run();
}

} // namespace optimization

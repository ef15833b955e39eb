#include "ImprovementPass.h"

#include "GatherIsolatedCopies.h"
#include "LayoutGrouping.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "PartInsertion.h"
#include "PlaceInAnyStyle.h"
#include "Placement.h"
#include "RelayoutSheet.h"
#include "StyleVariants.h"
#include "TryOCD.h"

#include <nestcore/IOptProgressDlg.h>

#include <nestcore/StockProxy.h>

#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>

namespace optimization {

void RefreshSheets(CLayoutSet& set)
{
    for (OptTopLevelLayout* sheet : set.Layouts()) {
        sheet->RebuildLists();
        sheet->Relay();
        ResetRegionEvaluation(*sheet);
        DropStaleVariants(*sheet);
    }
}

void OrderSheetsForPass(std::vector<OptTopLevelLayout*>& sheets, bool duplicatesFirst, SheetMeasure measure,
    bool arrangementFlag, const ParallelOptimizer& optimizer)
{
    std::partition(sheets.begin(), sheets.end(), [duplicatesFirst](const OptTopLevelLayout* sheet) {
        return sheet->IsDuplicate() == duplicatesFirst;
    });
    if (measure == SheetMeasure::PlacedAreaSmallestFirst)
        std::stable_sort(
            sheets.begin(), sheets.end(), [](const OptTopLevelLayout* a, const OptTopLevelLayout* b) {
                return a->PlacedArea() < b->PlacedArea();
            });
    else
        std::stable_sort(sheets.begin(), sheets.end(), SheetByWasteHighestFirst);
    optimizer.Job().Policy().stockComparer->SortSheets(sheets, arrangementFlag);
}

namespace {

void OrderForImprovement(ParallelOptimizer& optimizer, ImprovementMode mode)
{
    const bool cleanup = mode == ImprovementMode::Cleanup;
    OrderSheetsForPass(optimizer.Job().RunState().Layouts().Layouts(), true,
        cleanup ? SheetMeasure::PlacedAreaSmallestFirst : SheetMeasure::WasteHighestFirst, cleanup,
        optimizer);
}

// Offers one part to the sheets after it; true when it moved.
bool OfferPart(const PartProxy* part, const std::vector<OptTopLevelLayout*>& following, ImprovementMode mode,
    ParallelOptimizer& optimizer)
{
    CLayoutSet& set = optimizer.Job().RunState().Layouts();
    if (mode == ImprovementMode::Cleanup)
        return PlaceInAnyStyle(part, following, false, optimizer, set);
    PlacementRequest request;
    request.part = part;
    request.searchExistingSheets = true;
    request.sheets = following;
    request.regroupSet = &set;
    request.regroup = true;
    request.optimizer = &optimizer;
    return PlacePart(request);
}

} // namespace

// A copy never stands on two sheets: when the greedy re-lay fails, the old
// tree stays but without the moved copies.
void KeepStayedCopies(OptTopLevelLayout& sheet, const std::vector<const PartProxy*>& stayed,
    const std::vector<const PartProxy*>& moved, ParallelOptimizer& optimizer)
{
    CLayoutSet& set = optimizer.Job().RunState().Layouts();
    TakeOutOfGroup(sheet, set, false);
    sheet.ResetStyleMap();
    std::unique_ptr<OptTopLevelLayout> fresh = sheet.EmptyCopy();
    if (PlaceAllInto(*fresh, stayed, optimizer)) {
        sheet.AssignFrom(*fresh);
    } else {
        for (const PartProxy* part : moved)
            sheet.TakeCopyOut(part);
        sheet.RebuildLists();
        sheet.Relay();
    }
    // Laid anew like a cleared sheet: its marks start over, so Local
    // Optimization takes it up again.
    sheet.SetTriedMark(nullptr);
    sheet.SetDoneMark(0);
}

void RunTargetedImprovement(ParallelOptimizer& optimizer, ImprovementMode mode)
{
    OptRunState& state = optimizer.Job().RunState();
    CLayoutSet& set = state.Layouts();
    auto& layouts = set.Layouts();
    const bool cleanup = mode == ImprovementMode::Cleanup;
    OrderForImprovement(optimizer, mode);

    bool anyMoved = false;
    bool cancelled = false;
    for (std::ptrdiff_t i = std::ptrdiff_t(layouts.size()) - 2; i >= 0 && !cancelled; --i) {
        if (i + 1 >= std::ptrdiff_t(layouts.size()))
            continue;
        OptTopLevelLayout* sheet = layouts[std::size_t(i)];
        if (sheet->IsDuplicate())
            continue;
        std::vector<const PartProxy*> parts = sheet->GetPlacedCopies();
        SortPartSequence(parts, state.GetPartOrderKind());
        const std::vector<OptTopLevelLayout*> following(layouts.begin() + i + 1, layouts.end());

        std::vector<const PartProxy*> stayed;
        std::vector<const PartProxy*> moved;
        for (const PartProxy* part : parts) {
            if (!cancelled && cleanup && optimizer.IsCancelRequested())
                cancelled = true;
            const bool ok = !cancelled && OfferPart(part, following, mode, optimizer);
            (ok ? moved : stayed).push_back(part);
            if (!cancelled && optimizer.IsCancelRequested())
                cancelled = true;
        }
        if (!moved.empty()) {
            anyMoved = true;
            KeepStayedCopies(*sheet, stayed, moved, optimizer);
            if (cleanup) {
                sheet->Policy() = optimizer.Job().Policy().localOpt;
                sheet->Policy().SetStyleWord(StandardLayout);
                sheet->FileStyleLayout(StandardLayout, sheet);
            }
            cancelled = cancelled || optimizer.IsCancelRequested();
        }
        if (cancelled)
            break;
        GroupIdenticalSheets(set);
        if (optimizer.IsCancelRequested())
            break;
        if (cleanup && !moved.empty() && !sheet->IsDuplicate() && !sheet->HasNoBlock()) {
            RunSpecialLocalSteps(*sheet, optimizer);
            if (optimizer.IsCancelRequested())
                break;
        }
        OrderForImprovement(optimizer, mode);
        if (optimizer.IsCancelRequested())
            break;
    }
    if (!anyMoved)
        return;
    // Whole sheets only: an emptied sheet leaves the set, the counts follow.
    set.RemoveLayoutsWithoutBlock();
    GroupIdenticalSheets(set);
    state.MarkInventory();
    if (mode == ImprovementMode::Third && !optimizer.IsCancelRequested())
        RunLocalOptimization(optimizer);
}

namespace {

bool EveryPartHasRoom(const std::vector<const PartProxy*>& parts,
    const std::vector<OptTopLevelLayout*>& sheets, bool offCutOnly)
{
    return std::all_of(parts.begin(), parts.end(), [&](const PartProxy* part) {
        return std::any_of(sheets.begin(), sheets.end(), [&](const OptTopLevelLayout* sheet) {
            return (!offCutOnly || sheet->GetStockProxy()->GetInventory().offCut)
                && LeavesRoomFor(*sheet, *part);
        });
    });
}

} // namespace

namespace {

// One sheet whose copies are offered to the other sheets.
struct EliminationAttempt
{
    std::size_t index = 0;
    std::vector<const PartProxy*> parts;
    bool offCutOnly = false;
    // The other sheets' copies, with the offered copies placed when `all`.
    CLayoutSet trial { true };
    bool all = false;
};

// The attempt for the sheet at `index` of the ordered set, or null when the
// sheet is passed over; the set is only read.
std::unique_ptr<EliminationAttempt> PrepareElimination(
    const CLayoutSet& set, std::size_t index, const ParallelOptimizer& optimizer)
{
    const std::vector<OptTopLevelLayout*>& layouts = set.Layouts();
    OptTopLevelLayout* sheet = layouts[index];
    if (sheet->IsDuplicate())
        return nullptr;
    if (set.FreeAreaOfOthers(*sheet) < sheet->PlacedArea())
        return nullptr;
    std::vector<OptTopLevelLayout*> others;
    for (OptTopLevelLayout* other : layouts)
        if (other != sheet)
            others.push_back(other);
    std::vector<const PartProxy*> parts = sheet->GetPlacedCopies();
    SortPartSequence(parts, optimizer.Job().RunState().GetPartOrderKind());
    const ParStockComparer& comparer = *optimizer.Job().Policy().stockComparer;
    const bool offCutOnly = comparer.IsOffCutsFirst() && sheet->GetStockProxy()->GetInventory().offCut;
    // Placing copies only takes room: a part that no other sheet has the
    // area for now will find none later either, so the attempt would fail;
    // it is not made.
    if (!EveryPartHasRoom(parts, others, offCutOnly))
        return nullptr;
    auto attempt = std::make_unique<EliminationAttempt>();
    attempt->index = index;
    attempt->parts = std::move(parts);
    attempt->offCutOnly = offCutOnly;
    return attempt;
}

// The cancel question of one attempt of a round: besides the user's cancel,
// an attempt after one that placed every copy can no longer be chosen, so
// whatever it does is stopped at the next cancel point.
class AttemptCancel final : public IOptProgressDlg
{
public:
    AttemptCancel(const ParallelOptimizer& run, const std::atomic<std::size_t>& winner, std::size_t index)
        : m_run(run)
        , m_winner(winner)
        , m_index(index)
    { }
    bool IsCancelRequested() const override
    {
        return m_winner.load(std::memory_order_relaxed) < m_index || m_run.IsCancelRequested();
    }

private:
    const ParallelOptimizer& m_run;
    const std::atomic<std::size_t>& m_winner;
    std::size_t m_index;
};

// Offers every copy of the attempt's sheet to copies of the other sheets;
// the set itself is only read. `winner` holds the lowest index of an attempt
// of the round that placed every copy so far: an attempt after it cannot be
// chosen, so it stops.
// With `light` (the set holds no duplicate sheets) the trial holds light
// copies of the other sheets, which read the set's trees in place: most
// sheets of an attempt only take a tried mark, and the few that take a copy
// get a tree of their own as they change. A set with duplicates is copied
// whole, group links and all.
void RunEliminationAttempt(EliminationAttempt& attempt, const std::vector<OptTopLevelLayout*>& layouts,
    ParallelOptimizer& optimizer, std::atomic<std::size_t>& winner, bool light)
{
    if (winner.load(std::memory_order_relaxed) < attempt.index)
        return;
    if (light) {
        attempt.trial.DeleteAll();
        for (OptTopLevelLayout* other : layouts)
            if (other != layouts[attempt.index])
                attempt.trial.Add(other->LightCopy().release());
    } else {
        CLayoutSet others(false);
        for (OptTopLevelLayout* other : layouts)
            if (other != layouts[attempt.index])
                others.Add(other);
        others.CopyInto(attempt.trial, true);
    }
    attempt.all = true;
    for (const PartProxy* part : attempt.parts) {
        if (winner.load(std::memory_order_relaxed) < attempt.index
            || !PlaceInAnyStyle(
                part, attempt.trial.Layouts(), attempt.offCutOnly, optimizer, attempt.trial)) {
            attempt.all = false;
            return;
        }
    }
    std::size_t current = winner.load(std::memory_order_relaxed);
    while (attempt.index < current && !winner.compare_exchange_weak(current, attempt.index))
        ;
}

} // namespace

void RunEliminateLayouts(ParallelOptimizer& optimizer)
{
    OptRunState& state = optimizer.Job().RunState();
    CLayoutSet& set = state.Layouts();
    if (set.Size() < 2)
        return;
    // The attempts of one round read the set and write only their own
    // copies, so as many run side by side as there are threads, each with a
    // scratch optimizer of its own (the rebuilds of a sheet set the run
    // state's part order for a while). The first attempt in order that
    // places every copy wins, as one after the other would have it; the
    // later ones of its round are dropped.
    const std::size_t batch = static_cast<std::size_t>(std::max(1, tbb::this_task_arena::max_concurrency()));
    bool eliminated = false;
    bool restart = true;
    while (restart) {
        restart = false;
        auto& layouts = set.Layouts();
        OrderSheetsForPass(layouts, false, SheetMeasure::PlacedAreaSmallestFirst, true, optimizer);
        std::size_t i = 0;
        while (i + 1 < layouts.size() && !restart) {
            if (optimizer.IsCancelRequested())
                break;
            std::vector<std::unique_ptr<EliminationAttempt>> round;
            // Which sheets are worth an attempt is read off the set for a
            // few sheets at a time, side by side; the round takes them in
            // order.
            while (i + 1 < layouts.size() && round.size() < batch) {
                const std::size_t end = std::min(layouts.size() - 1, i + batch - round.size());
                std::vector<std::unique_ptr<EliminationAttempt>> chunk(end - i);
                tbb::parallel_for(std::size_t(i), end,
                    [&](std::size_t k) { chunk[k - i] = PrepareElimination(set, k, optimizer); });
                for (std::unique_ptr<EliminationAttempt>& attempt : chunk)
                    if (attempt)
                        round.push_back(std::move(attempt));
                i = end;
            }
            std::atomic<std::size_t> winner { std::numeric_limits<std::size_t>::max() };
            const bool light = std::none_of(layouts.begin(), layouts.end(), [](const OptTopLevelLayout* sheet) {
                return sheet->IsDuplicate() || sheet->GetDuplicateCount() > 0;
            });
            if (round.size() == 1) {
                RunEliminationAttempt(*round.front(), layouts, optimizer, winner, light);
            } else if (round.size() > 1) {
                std::vector<std::unique_ptr<AttemptCancel>> cancels;
                std::vector<std::unique_ptr<ParallelOptimizer>> own;
                for (std::size_t k = 0; k < round.size(); ++k) {
                    cancels.push_back(std::make_unique<AttemptCancel>(optimizer, winner, round[k]->index));
                    own.push_back(std::make_unique<ParallelOptimizer>(
                        optimizer.Job().CloneWithoutSheets(), cancels.back().get()));
                }
                tbb::parallel_for(std::size_t(0), round.size(),
                    [&](std::size_t k) { RunEliminationAttempt(*round[k], layouts, *own[k], winner, light); });
            }
            for (std::unique_ptr<EliminationAttempt>& attempt : round) {
                if (!attempt->all)
                    continue; // the copies go with its trial set
                // The copies replace the whole set; the old sheets go with
                // the trial set, so the copies that still read their trees
                // take copies of their own first.
                for (OptTopLevelLayout* sheet : attempt->trial.Layouts())
                    sheet->OwnTree();
                layouts.swap(attempt->trial.Layouts());
                GroupIdenticalSheets(set);
                eliminated = true;
                restart = true;
                break;
            }
        }
    }
    if (eliminated)
        state.MarkInventory();
}

void RunImprovementDispatcher(ParallelOptimizer& optimizer, ImprovementMode mode)
{
    CLayoutSet& set = optimizer.Job().RunState().Layouts();
    if (set.Size() < 2)
        return;
    const JobPolicy& policy = optimizer.Job().Policy();
    const bool unitArea = policy.stockComparer->GetUnitAreaFlag();
    if (mode == ImprovementMode::EliminateLayouts) {
        RunEliminateLayouts(optimizer);
    } else if (policy.localOpt.GetMode() == 1
        || (policy.layoutsComparer.IsStockSelectionPrimary() && unitArea)) {
        RunTargetedImprovement(optimizer, mode);
    } else {
        GatherIsolatedCopies(optimizer);
    }
    if (mode == ImprovementMode::Third)
        return;
    RefreshSheets(optimizer.Job().RunState().Layouts());
}

} // namespace optimization

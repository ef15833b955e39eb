#include "ResizeSheets.h"

#include "CLayoutSet.h"
#include "CombineSheetPair.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "OptimizationJob.h"
#include "ParallelOptimizer.h"
#include "RelayoutSheet.h"
#include "UsageTrackers.h"

#include <algorithm>

namespace optimization {

namespace {

void HandOnInventoryMark(CLayoutSet& set, const StockProxy* stock)
{
    for (OptTopLevelLayout* layout : set.Layouts()) {
        if (layout->GetStockProxy() == stock && layout->GetWithinInventory() == 0) {
            layout->SetWithinInventory(1);
            return;
        }
    }
}

void CountOneSheet(StockUsageTracker& tracker, int delta)
{
    tracker.SetSheetsUsed(tracker.GetSheetsUsed() + static_cast<std::uint32_t>(delta));
}

// A new sheet of `stock` holding every copy of `sheet`, or null.
std::unique_ptr<OptTopLevelLayout> RebuildOn(
    ParallelOptimizer& optimizer, const OptTopLevelLayout& sheet, const StockUsageTracker& stock)
{
    OptimizationJob& job = optimizer.Job();
    const std::int32_t kind = job.RunState().GetPartOrderKind();
    auto fresh = std::make_unique<OptTopLevelLayout>(stock.GetStock(), kind, job.Policy().localOpt);
    fresh->SetWithinInventory(stock.HasSheetsLeft() ? 1 : 0);
    fresh->Relay();
    std::vector<const PartProxy*> copies = sheet.GetPlacedCopies();
    SortPartSequence(copies, kind);
    if (!PlaceAllInto(*fresh, copies, optimizer))
        return nullptr;
    return fresh;
}

// Moves the sheet at `index` to an earlier stock when one takes it.
void ResizeOne(ParallelOptimizer& optimizer, std::size_t index, StockTrackerList& stocks)
{
    OptimizationJob& job = optimizer.Job();
    OptRunState& state = job.RunState();
    CLayoutSet& set = state.Layouts();
    const JobPolicy& policy = job.Policy();
    const ParStockComparer& comparer = *policy.stockComparer;
    OptTopLevelLayout* sheet = set.Layouts()[index];

    comparer.SortStockTrackers(stocks, true);
    StockUsageTracker& oldStock = *TrackerOf(state.StockTrackers(), sheet->GetStockProxy());
    const auto own = std::find_if(
        stocks.begin(), stocks.end(), [&](const auto& tracker) { return tracker.get() == &oldStock; });
    const bool offCutOnly = comparer.IsOffCutsFirst() && oldStock.IsOffCut();
    const bool costCapped = comparer.GetUnitAreaFlag();
    const double ownUnitCost = oldStock.GetStock()->GetCanvas().GetUnitAreaCost();

    for (auto it = stocks.begin(); it != own; ++it) {
        StockUsageTracker& newStock = **it;
        if (!newStock.IsUsable() || (offCutOnly && !newStock.IsOffCut())
            || (costCapped && newStock.GetStock()->GetCanvas().GetUnitAreaCost() > ownUnitCost))
            continue;
        std::unique_ptr<OptTopLevelLayout> fresh = RebuildOn(optimizer, *sheet, newStock);
        if (!fresh)
            continue;

        const InitialInventory& inventory = oldStock.GetStock()->GetInventory();
        CountOneSheet(oldStock, -1);
        if (sheet->GetWithinInventory() != 0 && !inventory.unlimited
            && oldStock.GetSheetsUsed() + 1 >= inventory.available) {
            const ParLocalOpt policyCopy(policy.localOpt);
            if (policy.layoutsComparer.CompareSameParts(
                    *sheet, *fresh, policyCopy, comparer, state.StockTrackers())
                == -1) {
                CountOneSheet(oldStock, 1);
                return;
            }
        }
        CountOneSheet(newStock, 1);

        // The sheet's duplicates follow while the new stock has room and the
        // preferences do not hold them on the old stock; the rest stay
        // behind as a group of their own.
        std::vector<std::size_t> duplicates;
        for (std::size_t i = 0; i < set.Size(); ++i)
            if (set.Layouts()[i]->GetMaster() == sheet)
                duplicates.push_back(i);
        fresh->SetDuplicateCount(0);
        OptTopLevelLayout* leftMaster = nullptr;
        for (std::size_t i : duplicates) {
            OptTopLevelLayout* duplicate = set.Layouts()[i];
            if (!leftMaster && newStock.IsUsable() && comparer.ComparePreferences(newStock, oldStock) != 1) {
                std::unique_ptr<OptTopLevelLayout> follower = fresh->Copy();
                follower->SetMaster(fresh.get());
                follower->SetDuplicateCount(0);
                follower->ShareStyleMap(fresh->GetStyleMap());
                follower->SetWithinInventory(duplicate->GetWithinInventory());
                fresh->SetDuplicateCount(fresh->GetDuplicateCount() + 1);
                CountOneSheet(oldStock, -1);
                CountOneSheet(newStock, 1);
                set.Layouts()[i] = follower.release();
                delete duplicate;
            } else if (!leftMaster) {
                leftMaster = duplicate;
                duplicate->SetMaster(nullptr);
                duplicate->SetDuplicateCount(0);
            } else {
                duplicate->SetMaster(leftMaster);
                duplicate->SetDuplicateCount(0);
                duplicate->ShareStyleMap(leftMaster->GetStyleMap());
                leftMaster->SetDuplicateCount(leftMaster->GetDuplicateCount() + 1);
            }
        }

        // The new sheet takes the old one's place (and its layout style).
        fresh->Policy() = sheet->Policy();
        const bool wasWithin = sheet->GetWithinInventory() != 0;
        const StockProxy* oldProxy = sheet->GetStockProxy();
        set.Layouts()[index] = fresh.release();
        delete sheet;
        if (wasWithin)
            HandOnInventoryMark(set, oldProxy);
        return;
    }
}

} // namespace

void ResizeSheets(ParallelOptimizer& optimizer)
{
    OptRunState& state = optimizer.Job().RunState();
    StockTrackerList stocks;
    for (const auto& [stock, tracker] : state.StockTrackers())
        stocks.push_back(tracker);
    // Sheets are replaced in place, so the walk goes by position; duplicates
    // are passed over (they follow their master).
    for (std::size_t i = 0; i < state.Layouts().Size(); ++i)
        if (!state.Layouts().Layouts()[i]->IsDuplicate())
            ResizeOne(optimizer, i, stocks);
}

void EmptySheets(ParallelOptimizer& optimizer)
{
    OptRunState& state = optimizer.Job().RunState();
    auto& layouts = state.Layouts().Layouts();
    bool restart = true;
    while (restart) {
        restart = false;
        for (std::size_t i = 0; i < layouts.size(); ++i) {
            if (layouts[i]->GetDuplicateCount() != 0)
                continue;
            // The sheet leaves the set for the attempt, so that the set never
            // holds a deleted sheet; it goes back to its place on failure.
            std::unique_ptr<OptTopLevelLayout> sheet(layouts[i]);
            layouts.erase(layouts.begin() + static_cast<std::ptrdiff_t>(i));
            const StockProxy* oldStock = sheet->GetStockProxy();
            const bool wasWithin = sheet->GetWithinInventory() != 0;
            bool combined = false;
            try {
                combined = CombineSheetPair(optimizer, sheet, false);
            } catch (...) {
                if (sheet)
                    layouts.insert(layouts.begin() + static_cast<std::ptrdiff_t>(std::min(i, layouts.size())),
                        sheet.release());
                throw;
            }
            if (!combined) {
                layouts.insert(layouts.begin() + static_cast<std::ptrdiff_t>(i), sheet.release());
                continue;
            }
            CountOneSheet(*TrackerOf(state.StockTrackers(), oldStock), -1);
            CountOneSheet(*TrackerOf(state.StockTrackers(), sheet->GetStockProxy()), 1);
            layouts.push_back(sheet.release());
            if (wasWithin)
                HandOnInventoryMark(state.Layouts(), oldStock);
            restart = true;
            break;
        }
    }
}

} // namespace optimization

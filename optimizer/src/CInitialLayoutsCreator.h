#pragma once
// The initial layout creators seed a run: they decide in which order the
// stock sizes are used, which stock a new sheet goes on, when a finished
// sheet moves to another stock and when it is repeated as identical sheets.
// Filling one sheet with the remaining parts is the placement's job.
//
// This base holds what both strategies share: the creator's own order of the
// run's stock trackers, opening a sheet, counting a sheet's copies, making a
// duplicate and committing a sheet to the run's layout set. It reads the
// job's policy record and writes the run state (layout set, part and stock
// trackers); placing never counts, only these steps do.

#include "ParStockComparer.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace optimization {

class OptimizationJob;
class OptRunState;
class OptTopLevelLayout;
class ParallelOptimizer;
class StockUsageTracker;

class CInitialLayoutsCreator
{
public:
    explicit CInitialLayoutsCreator(ParallelOptimizer& optimizer);
    CInitialLayoutsCreator(const CInitialLayoutsCreator&) = delete;
    CInitialLayoutsCreator& operator=(const CInitialLayoutsCreator&) = delete;
    virtual ~CInitialLayoutsCreator();

    // Runs the creator on its optimizer copy; the seed stays in that copy's
    // run state. Ends early, keeping what was committed, on a cancel.
    virtual void Create() = 0;
    // Orders the stock list (here: the stock comparer's tracker sort).
    virtual void Prepare();

    const StockTrackerList& Stocks() const { return m_stocks; }

protected:
    // Called with the stock whose use took its last available sheet.
    using LastSheetHook = std::function<void(const StockProxy*)>;

    // A new empty sheet on the stock, within inventory unless the stock is
    // limited and used up.
    std::unique_ptr<OptTopLevelLayout> OpenSheet(const StockUsageTracker& stock) const;
    // Counts (or takes back) one placed copy per copy on the sheet.
    void CountCopies(const OptTopLevelLayout& sheet);
    void UncountCopies(const OptTopLevelLayout& sheet);
    // Sheet `next` replaces `sheet`: copies taken back, counted again, old deleted.
    void ReplaceSheet(std::unique_ptr<OptTopLevelLayout>& sheet, std::unique_ptr<OptTopLevelLayout> next);
    // Another sheet cut like `sheet`, with its copies counted; null when the
    // stock has no sheet for it or its parts have too few copies left.
    std::unique_ptr<OptTopLevelLayout> MakeDuplicate(OptTopLevelLayout& sheet);
    // Runs the combine attempt on the sheet for as long as it succeeds;
    // true when at least once.
    bool CombineWhilePossible(std::unique_ptr<OptTopLevelLayout>& sheet);
    // Commits a filled sheet and then its duplicates. False on a cancel.
    bool CommitSheet(std::unique_ptr<OptTopLevelLayout> sheet, const LastSheetHook& onLastSheet);
    // Appends the sheet to the layout set and counts one use of its stock;
    // true when that use took the stock's last available sheet.
    bool AppendAndUse(std::unique_ptr<OptTopLevelLayout> sheet);
    // Stock selection primary, comparer by cost, unit-area flag clear.
    bool WantsCheaperCombination() const;
    // Replaces the sheet by cheaper sheets when it can: each new sheet is
    // combined, appended and counted, and the sheet is deleted. False when
    // no split happened; `tookLast` tells whether a use took a stock's last sheet.
    bool SplitIntoCheaper(std::unique_ptr<OptTopLevelLayout>& sheet, bool& tookLast);
    // Stock preferences, then the comparer's tracker comparison.
    std::int32_t CompareStocks(const StockUsageTracker& a, const StockUsageTracker& b) const;
    bool IsCancelRequested() const;

    ParallelOptimizer& m_optimizer;
    OptimizationJob& m_job;
    OptRunState& m_state;
    StockTrackerList m_stocks;
};

} // namespace optimization

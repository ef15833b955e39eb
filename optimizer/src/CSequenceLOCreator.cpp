#include "CSequenceLOCreator.h"

#include "CLayoutSet.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "OptimizationJob.h"
#include "ParallelOptimizer.h"
#include "Placement.h"
#include "RelayoutSheet.h"
#include "UsageTrackers.h"

#include <algorithm>

namespace optimization {

namespace {

template <typename Less> void StableSortStocks(StockTrackerList& stocks, Less less)
{
    std::stable_sort(stocks.begin(), stocks.end(),
        [&](const std::shared_ptr<StockUsageTracker>& a, const std::shared_ptr<StockUsageTracker>& b) {
            return less(*a->GetStock(), *b->GetStock());
        });
}

} // namespace

void CSequenceLOCreator::Create()
{
    Prepare();
    ApplyPreferences();
    m_position = 0;
    m_restart = false;
    const double wasteConstraint = m_job.Policy().layoutsComparer.GetWasteConstraint();
    const LastSheetHook reposition = [this](const StockProxy* stock) { Reposition(stock); };

    while (m_position < m_stocks.size()) {
        const std::shared_ptr<StockUsageTracker> current = m_stocks[m_position];
        while (current->IsUsable()) {
            std::unique_ptr<OptTopLevelLayout> sheet = OpenSheet(*current);
            FillSheet(*sheet, m_optimizer);
            CountCopies(*sheet);
            if (sheet->HasNoBlock())
                break; // this stock takes nothing more: on to the next

            if (MovesSheetsToLaterStocks())
                MoveToLaterStocks(sheet, *current);
            if (sheet->GetWaste() > wasteConstraint) {
                const bool strict = !AnyUnplaced(m_state.PartTrackers());
                if (std::unique_ptr<OptTopLevelLayout> better = TryLaterStocks(*sheet, strict))
                    sheet = std::move(better);
            }

            bool split = false;
            if (WantsCheaperCombination()) {
                const StockProxy* stock = sheet->GetStockProxy();
                bool tookLast = false;
                split = SplitIntoCheaper(sheet, tookLast);
                if (split) {
                    if (tookLast)
                        Reposition(stock);
                    if (IsCancelRequested())
                        return;
                }
            }
            if (!split && !CommitSheet(std::move(sheet), reposition))
                return;
            if (m_restart)
                break;
        }
        if (m_restart) {
            m_restart = false;
            m_position = 0;
            continue;
        }
        ++m_position;
    }
}

void CSequenceLOCreator::ApplyPreferences()
{
    const ParStockComparer& comparer = *m_job.Policy().stockComparer;
    if (comparer.IsInventoryFirst())
        std::stable_partition(m_stocks.begin(), m_stocks.end(),
            [](const std::shared_ptr<StockUsageTracker>& s) { return s->HasSheetsLeft(); });
    if (comparer.IsOffCutsFirst())
        std::stable_partition(m_stocks.begin(), m_stocks.end(),
            [](const std::shared_ptr<StockUsageTracker>& s) { return s->IsOffCut(); });
}

std::size_t CSequenceLOCreator::IndexOf(const StockProxy* stock) const
{
    for (std::size_t i = 0; i < m_stocks.size(); ++i)
        if (m_stocks[i]->GetStock() == stock)
            return i;
    return m_stocks.size();
}

void CSequenceLOCreator::MoveToLaterStocks(
    std::unique_ptr<OptTopLevelLayout>& sheet, const StockUsageTracker& current)
{
    for (std::size_t i = IndexOf(current.GetStock()) + 1; i < m_stocks.size(); ++i) {
        const StockUsageTracker& later = *m_stocks[i];
        if (CompareStocks(current, later) == -1)
            return;
        if (!later.IsUsable())
            continue;
        std::unique_ptr<OptTopLevelLayout> trial = OpenSheet(later);
        std::vector<const PartProxy*> copies = sheet->GetPlacedCopies();
        SortPartSequence(copies, m_state.GetPartOrderKind());
        if (!PlaceAllInto(*trial, copies, m_optimizer))
            continue;
        FillSheet(*trial, m_optimizer);
        ReplaceSheet(sheet, std::move(trial));
    }
}

std::unique_ptr<OptTopLevelLayout> CSequenceLOCreator::TryLaterStocks(
    const OptTopLevelLayout& sheet, bool strict)
{
    const JobPolicy& policy = m_job.Policy();
    const ParStockComparer& comparer = *policy.stockComparer;
    const double wasteConstraint = policy.layoutsComparer.GetWasteConstraint();

    std::vector<const PartProxy*> toMove = sheet.GetPlacedCopies();
    const OptTopLevelLayout* current = &sheet;
    std::unique_ptr<OptTopLevelLayout> best;
    auto replaceBy = [&](std::unique_ptr<OptTopLevelLayout> trial) {
        UncountCopies(*current);
        CountCopies(*trial);
        best = std::move(trial);
        current = best.get();
    };

    for (std::size_t i = IndexOf(sheet.GetStockProxy()) + 1; i < m_stocks.size(); ++i) {
        const StockUsageTracker& later = *m_stocks[i];
        const StockUsageTracker& own = *TrackerOf(m_state.StockTrackers(), current->GetStockProxy());
        if (!later.IsUsable())
            continue;
        if (comparer.IsOffCutsFirst() && own.IsOffCut() && !later.IsOffCut())
            continue;
        if (comparer.GetUnitAreaFlag()
            && later.GetStock()->GetCanvas().GetUnitAreaCost()
                > own.GetStock()->GetCanvas().GetUnitAreaCost())
            continue;

        std::unique_ptr<OptTopLevelLayout> trial = OpenSheet(later);
        CLayoutSet alone;
        alone.Add(trial.get());
        PlacementRequest request;
        request.searchExistingSheets = true;
        request.sheets = { trial.get() };
        request.regroupSet = &alone;
        request.regroup = true;
        request.optimizer = &m_optimizer;

        bool abandon = false;
        bool endSearch = false;
        bool first = true;
        const PartProxy* previous = nullptr;
        bool previousFailed = false;
        for (const PartProxy* part : toMove) {
            if (previousFailed && part == previous)
                continue; // the copy before it, of the same part, failed
            request.part = part;
            const bool placed = PlacePart(request);
            if (!placed && strict) {
                abandon = true;
                break;
            }
            if (!placed && first) {
                endSearch = true;
                break;
            }
            first = false;
            previous = part;
            previousFailed = !placed;
        }
        if (endSearch)
            break;
        if (abandon)
            continue;

        FillSheet(*trial, m_optimizer);
        if (trial->GetWaste() <= wasteConstraint) {
            replaceBy(std::move(trial));
            break;
        }
        std::int32_t verdict = comparer.ComparePreferences(own, later);
        if (verdict == 0)
            verdict = comparer.CompareSheets(*current, *trial);
        if (verdict == 1) {
            replaceBy(std::move(trial));
            toMove = current->GetPlacedCopies();
        }
    }
    return best;
}

void CSequenceLOCreator::Reposition(const StockProxy* stock)
{
    std::shared_ptr<StockUsageTracker> anchor;
    if (m_position > 0 && m_position < m_stocks.size())
        anchor = m_stocks[m_position]->GetStock() == stock ? m_stocks[m_position - 1] : m_stocks[m_position];
    Prepare();
    ApplyPreferences();
    if (anchor) {
        m_position = IndexOf(anchor->GetStock());
        m_restart = false;
    } else {
        m_position = 0;
        m_restart = true;
    }
}

void CLargestFirstSequenceCreator::Prepare()
{
    StableSortStocks(m_stocks, StockBySizeLargestFirst);
}

void CWidestFirstSequenceCreator::Prepare()
{
    StableSortStocks(m_stocks, StockWidestFirst);
}

void CLongestFirstSequenceCreator::Prepare()
{
    StableSortStocks(m_stocks, StockLongestFirst);
}

bool CLargestFirstSequenceCreator::MovesSheetsToLaterStocks() const
{
    return m_job.Policy().stockComparer->IsBySize() != 0;
}

bool CWidestFirstSequenceCreator::MovesSheetsToLaterStocks() const
{
    return m_job.Policy().stockComparer->IsBySize() != 0;
}

bool CLongestFirstSequenceCreator::MovesSheetsToLaterStocks() const
{
    return m_job.Policy().stockComparer->IsBySize() != 0;
}

} // namespace optimization

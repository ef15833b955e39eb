#include "CInitialLayoutsCreator.h"

#include "CLayoutSet.h"
#include "CombineSheetPair.h"
#include "LayoutOrders.h"
#include "OptTopLevelLayout.h"
#include "OptimizationJob.h"
#include "ParallelOptimizer.h"
#include "SplitIntoCheaperSheets.h"
#include "UsageTrackers.h"

namespace optimization {

CInitialLayoutsCreator::CInitialLayoutsCreator(ParallelOptimizer& optimizer)
    : m_optimizer(optimizer)
    , m_job(optimizer.Job())
    , m_state(optimizer.Job().RunState())
{
    for (const auto& [stock, tracker] : m_state.StockTrackers())
        m_stocks.push_back(tracker);
}

CInitialLayoutsCreator::~CInitialLayoutsCreator() = default;

void CInitialLayoutsCreator::Prepare()
{
    m_job.Policy().stockComparer->SortStockTrackers(m_stocks, false);
}

std::unique_ptr<OptTopLevelLayout> CInitialLayoutsCreator::OpenSheet(const StockUsageTracker& stock) const
{
    auto sheet = std::make_unique<OptTopLevelLayout>(
        stock.GetStock(), m_state.GetPartOrderKind(), m_job.Policy().localOpt);
    sheet->SetWithinInventory(stock.HasSheetsLeft() ? 1 : 0);
    sheet->Relay();
    return sheet;
}

void CInitialLayoutsCreator::CountCopies(const OptTopLevelLayout& sheet)
{
    for (const PartProxy* part : sheet.GetPlacedCopies())
        TrackerOf(m_state.PartTrackers(), part)->IncrementPlacedCount();
}

void CInitialLayoutsCreator::UncountCopies(const OptTopLevelLayout& sheet)
{
    for (const PartProxy* part : sheet.GetPlacedCopies())
        TrackerOf(m_state.PartTrackers(), part)->DecrementPlacedCount();
}

void CInitialLayoutsCreator::ReplaceSheet(
    std::unique_ptr<OptTopLevelLayout>& sheet, std::unique_ptr<OptTopLevelLayout> next)
{
    UncountCopies(*sheet);
    CountCopies(*next);
    sheet = std::move(next);
}

std::unique_ptr<OptTopLevelLayout> CInitialLayoutsCreator::MakeDuplicate(OptTopLevelLayout& sheet)
{
    StockUsageTracker& stock = *TrackerOf(m_state.StockTrackers(), sheet.GetStockProxy());
    const bool strict = m_job.Policy().stockComparer->IsInventoryFirst();
    if (!IsStockUsable(stock, strict) || !IsSheetStillPossible(sheet, m_state.PartTrackers()))
        return nullptr;

    OptTopLevelLayout* master = sheet.IsDuplicate() ? sheet.GetMaster() : &sheet;
    std::unique_ptr<OptTopLevelLayout> duplicate = sheet.Copy();
    duplicate->SetMaster(master);
    duplicate->SetDuplicateCount(0);
    duplicate->ShareStyleMap(master->GetStyleMap());
    if (!stock.HasSheetsLeft())
        duplicate->SetWithinInventory(0);
    CountCopies(*duplicate);
    return duplicate;
}

bool CInitialLayoutsCreator::CombineWhilePossible(std::unique_ptr<OptTopLevelLayout>& sheet)
{
    bool combined = false;
    while (CombineSheetPair(m_optimizer, sheet, false))
        combined = true;
    return combined;
}

bool CInitialLayoutsCreator::AppendAndUse(std::unique_ptr<OptTopLevelLayout> sheet)
{
    StockUsageTracker& stock = *TrackerOf(m_state.StockTrackers(), sheet->GetStockProxy());
    m_state.Layouts().Add(sheet.release());
    return stock.UseOneSheet();
}

bool CInitialLayoutsCreator::CommitSheet(
    std::unique_ptr<OptTopLevelLayout> sheet, const LastSheetHook& onLastSheet)
{
    for (;;) {
        // A duplicate counts in its master's group from here on: the combine
        // attempt takes it out again when it replaces the duplicate, so the
        // master never counts a sheet that was combined away.
        if (OptTopLevelLayout* master = sheet->GetMaster())
            master->SetDuplicateCount(master->GetDuplicateCount() + 1);
        CombineWhilePossible(sheet);

        const StockProxy* stock = sheet->GetStockProxy();
        OptTopLevelLayout* committed = sheet.get();
        if (AppendAndUse(std::move(sheet)) && onLastSheet)
            onLastSheet(stock);
        if (IsCancelRequested())
            return false;
        sheet = MakeDuplicate(*committed);
        if (!sheet)
            return true;
    }
}

bool CInitialLayoutsCreator::WantsCheaperCombination() const
{
    const JobPolicy& policy = m_job.Policy();
    return policy.layoutsComparer.IsStockSelectionPrimary() && policy.stockComparer->GetKind() == 2
        && !policy.stockComparer->GetUnitAreaFlag();
}

bool CInitialLayoutsCreator::SplitIntoCheaper(std::unique_ptr<OptTopLevelLayout>& sheet, bool& tookLast)
{
    tookLast = false;
    CLayoutSet out(true);
    if (!SplitIntoCheaperSheets(*sheet, m_stocks, out, m_optimizer))
        return false;
    std::vector<OptTopLevelLayout*> made;
    made.swap(out.Layouts());
    // Own them all before anything can throw.
    std::vector<std::unique_ptr<OptTopLevelLayout>> owned;
    for (OptTopLevelLayout* layout : made)
        owned.emplace_back(layout);
    // The new sheets hold the old sheet's copies, which stay counted.
    for (auto& next : owned) {
        CombineWhilePossible(next);
        tookLast = AppendAndUse(std::move(next)) || tookLast;
    }
    sheet.reset();
    return true;
}

std::int32_t CInitialLayoutsCreator::CompareStocks(
    const StockUsageTracker& a, const StockUsageTracker& b) const
{
    const ParStockComparer& comparer = *m_job.Policy().stockComparer;
    const std::int32_t preference = comparer.ComparePreferences(a, b);
    return preference != 0 ? preference : comparer.CompareTrackers(a, b);
}

bool CInitialLayoutsCreator::IsCancelRequested() const
{
    return m_optimizer.IsCancelRequested();
}

} // namespace optimization

#pragma once
// Hand-built layout sets for the tests of the improvement passes: sheets
// filled with chosen copies (counted on their trackers, as a pass would have
// left them), a dialog that cancels after a given number of queries, and a
// snapshot of a set to tell whether a pass changed it.

#include "PassCheck.h"
#include "RelayoutSheet.h"
#include "RunFixture.h"

#include <nestcore/IOptProgressDlg.h>

#include <atomic>
#include <limits>
#include <string>

namespace optimization::testing {

// Answers "cancelled" from the (n+1)-th query on; never before Arm().
class CancelAfter : public IOptProgressDlg
{
public:
    void Arm(long queries) { m_left = queries; }
    bool IsCancelRequested() const override
    {
        ++m_queries;
        return m_left.fetch_sub(1) <= 0;
    }
    long Queries() const { return m_queries; }

private:
    mutable std::atomic<long> m_left{std::numeric_limits<long>::max()};
    mutable std::atomic<long> m_queries{0};
};

// A new sheet of `stock` holding the given copies, counted on their trackers
// and appended to the running set. Null when a copy does not fit.
inline OptTopLevelLayout* AddSheet(ParallelOptimizer& optimizer, const StockProxy* stock,
                                   const std::vector<const PartProxy*>& copies)
{
    OptRunState& state = optimizer.Job().RunState();
    auto sheet = NewSheet(optimizer, stock);
    if (!PlaceAllInto(*sheet, copies, optimizer))
        return nullptr;
    for (const PartProxy* part : copies)
        TrackerOf(state.PartTrackers(), part)->IncrementPlacedCount();
    OptTopLevelLayout* raw = sheet.release();
    state.Layouts().Add(raw);
    state.MarkInventory();
    return raw;
}

inline std::vector<const PartProxy*> Copies(const std::shared_ptr<PartProxy>& part, int n)
{
    return std::vector<const PartProxy*>(std::size_t(n), part.get());
}

// Every sheet's stock position, group and copies with their rectangles.
inline std::string Snapshot(const ParallelOptimizer& optimizer)
{
    std::string text;
    for (const OptTopLevelLayout* sheet : optimizer.Job().RunState().Layouts().Layouts()) {
        text += "sheet stock=" + std::to_string(sheet->GetStockProxy()->GetPosition())
                + " dup=" + std::to_string(sheet->IsDuplicate()) + " count=" + std::to_string(sheet->GetDuplicateCount())
                + " style=" + std::to_string(sheet->GetGeometryStyle()) + ":";
        for (const PlacedPart* placed : sheet->GetPlacedParts()) {
            const OptRect& r = placed->GetRect();
            text += " " + std::to_string(placed->GetPart()->GetDescriptor().partNumber) + "@" + std::to_string(r.left)
                    + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom);
        }
        text += "\n";
    }
    return text;
}

} // namespace optimization::testing

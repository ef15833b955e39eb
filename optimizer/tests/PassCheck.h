#pragma once
// Checks that a layout set is consistent, for the tests of the passes: every
// copy lies inside its sheet, no two copies overlap, each sheet's lists agree
// with its tree, the part trackers count exactly the copies on the sheets,
// and group links agree with the duplicate counts.

#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"

#include <nestcore/PartProxy.h>
#include <nestcore/StockProxy.h>

#include <algorithm>
#include <map>
#include <string>

namespace optimization::testing {

inline std::string SetProblems(const ParallelOptimizer& optimizer)
{
    const OptRunState& state = optimizer.Job().RunState();
    std::string problems;
    int reported = 0;
    // A few findings tell where it broke; the rest would only repeat it.
    auto report = [&](std::size_t sheet, const std::string& what) {
        if (++reported <= 3)
            problems += "sheet " + std::to_string(sheet) + ": " + what + "\n";
    };
    std::map<const PartProxy*, std::int64_t> onSheets;
    const auto& layouts = state.Layouts().Layouts();
    for (std::size_t s = 0; s < layouts.size(); ++s) {
        const OptTopLevelLayout& sheet = *layouts[s];
        const auto& placed = sheet.GetPlacedParts();
        if (placed.size() != sheet.GetPlacedCopies().size())
            report(s, "lists disagree");
        const std::int64_t width = sheet.GetStockProxy()->GetCanvas().GetTrimmedWidth().ToEncodedInt();
        const std::int64_t length = sheet.GetStockProxy()->GetCanvas().GetTrimmedLength().ToEncodedInt();
        for (std::size_t i = 0; i < placed.size(); ++i) {
            const OptRect& a = placed[i]->GetRect();
            ++onSheets[placed[i]->GetPart()];
            if (a.left < 0 || a.top < 0 || a.right > length + 2 || a.bottom > width + 2)
                report(s, "copy outside the sheet");
            for (std::size_t j = i + 1; j < placed.size(); ++j) {
                const OptRect& b = placed[j]->GetRect();
                if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
                    report(s, "copies overlap: part " + std::to_string(placed[i]->GetPart()->GetDescriptor().partNumber)
                                  + " [" + std::to_string(a.left) + "," + std::to_string(a.top) + "," + std::to_string(a.right) + "," + std::to_string(a.bottom) + "] part "
                                  + std::to_string(placed[j]->GetPart()->GetDescriptor().partNumber) + " [" + std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.right) + "," + std::to_string(b.bottom) + "]");
            }
        }
        std::int32_t linked = 0;
        for (const OptTopLevelLayout* other : layouts)
            if (other->GetMaster() == &sheet)
                ++linked;
        if (!sheet.IsDuplicate() && linked != sheet.GetDuplicateCount())
            report(s, "duplicate count " + std::to_string(sheet.GetDuplicateCount()) + " but "
                          + std::to_string(linked) + " duplicates");
        if (sheet.IsDuplicate()) {
            if (std::find(layouts.begin(), layouts.end(), sheet.GetMaster()) == layouts.end())
                report(s, "master not in the set");
            else if (!sheet.SamePartsAs(*sheet.GetMaster()))
                report(s, "duplicate differs from its master");
        }
    }
    std::map<const StockProxy*, std::uint32_t> sheetsOf;
    for (const OptTopLevelLayout* sheet : layouts)
        ++sheetsOf[sheet->GetStockProxy()];
    for (const auto& [stock, tracker] : state.StockTrackers())
        if (sheetsOf[stock] != tracker->GetSheetsUsed())
            problems += "stock " + std::to_string(stock->GetPosition()) + ": tracker counts "
                        + std::to_string(tracker->GetSheetsUsed()) + " sheets, the set holds "
                        + std::to_string(sheetsOf[stock]) + "\n";
    for (const auto& [part, tracker] : state.PartTrackers())
        if (onSheets[part] != std::int64_t(tracker->GetPlacedCopiesCount()))
            problems += "part " + std::to_string(part->GetDescriptor().partNumber) + ": tracker counts "
                        + std::to_string(tracker->GetPlacedCopiesCount()) + ", sheets hold "
                        + std::to_string(onSheets[part]) + "\n";
    return problems;
}

} // namespace optimization::testing

// Special Local Pass: every sheet gets its alternative layouts in the layout
// styles (kept in its style map for the program) and takes the style that
// suits it; duplicates follow their master.

#include "ImprovementPass.h"
#include "LayoutGrouping.h"
#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "RunPasses.h"
#include "StyleVariants.h"

#include <algorithm>

namespace optimization {

void RunSpecialLocalPass(ParallelOptimizer& optimizer)
{
    CLayoutSet& set = optimizer.Job().RunState().Layouts();
    GroupIdenticalSheets(set);
    auto& layouts = set.Layouts();
    std::stable_partition(layouts.begin(), layouts.end(),
                          [](const OptTopLevelLayout* sheet) { return !sheet->IsDuplicate(); });
    const std::vector<OptTopLevelLayout*> sheets = layouts;
    for (OptTopLevelLayout* sheet : sheets) {
        if (sheet->IsDuplicate())
            continue;
        if (optimizer.IsCancelRequested())
            break;
        RunSpecialLocalSteps(*sheet, optimizer);
    }
    RefreshSheets(set);
}

} // namespace optimization

// Local Optimization: every sheet is laid again by itself with the local
// re-layout loop, and the rebuilt sheet is taken when the sheet's policy does
// not prefer the old one. A sheet dealt with gets the done mark and is not
// rebuilt again by a later call. Duplicates follow their master.

#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "RelayoutSheet.h"
#include "RunPasses.h"

#include <algorithm>

namespace optimization {

void RunLocalOptimization(ParallelOptimizer& optimizer)
{
    auto& layouts = optimizer.Job().RunState().Layouts().Layouts();
    std::stable_partition(layouts.begin(), layouts.end(),
                          [](const OptTopLevelLayout* sheet) { return !sheet->IsDuplicate(); });
    const std::vector<OptTopLevelLayout*> sheets = layouts;

    RelayoutFlags flags;
    flags.compare = true;
    flags.rulesOrientation = true;
    for (OptTopLevelLayout* sheet : sheets) {
        if (sheet->IsDuplicate())
            continue;
        if (optimizer.IsCancelRequested())
            return;
        if (sheet->GetDoneMark() != 0)
            continue;
        std::unique_ptr<OptTopLevelLayout> better =
            RelayoutSheet(sheet->Policy(), sheet->GetPartOrderKind(), *sheet, optimizer, flags);
        sheet->SetDoneMark(1);
        if (!better)
            continue;
        // Duplicates take the new arrangement too; their links, counts and
        // within-inventory marks stay as they are. The old style variants
        // show the old arrangement, so the group gets a fresh map.
        sheet->ResetStyleMap();
        for (OptTopLevelLayout* other : sheets) {
            if (other->GetMaster() != sheet)
                continue;
            auto copy = better->Copy();
            other->AssignFrom(*copy);
            other->SetDoneMark(1);
            other->ShareStyleMap(sheet->GetStyleMap());
        }
        sheet->AssignFrom(*better);
    }
}

} // namespace optimization

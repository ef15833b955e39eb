#pragma once
// Rebuilding one sheet by itself. The local re-layout loop lays the sheet's
// parts again into a new empty sheet of the same stock, strip by strip of
// equal-dimension parts, promoting a part that does not fit to a priority
// list that is placed first in the next try (at most 50 tries). Rebuild a
// sheet first tries the four part orders one after the other and then runs
// the loop. Local Optimization, the style variants, the off-cut builder and
// Gather isolated copies use them.
//
// Reads the sheet's own policy copy and part order kind, the job policy's
// mode option, and the cancel query (a cancel ends a loop with no result).

#include "IsoDimGroup.h"
#include "OptLayout.h"

#include <memory>
#include <vector>

namespace optimization {

class OptTopLevelLayout;
class ParallelOptimizer;
class ParLocalOpt;
class PartProxy;

// The loop never starts a 51st iteration.
constexpr int kRelayoutMaxIterations = 50;

struct RelayoutFlags {
    // Keep the new sheet only when the policy's same-parts comparison does
    // not prefer the input sheet.
    bool compare = false;
    // The new sheet keeps the input's cut orientation or off-cut setting
    // (and a shortened usable region); otherwise it is a plain sheet.
    bool keepStyle = false;
    // The new sheet's root takes the cut direction of the rules' first cut.
    bool rulesOrientation = false;
};

// Sets the run's part order kind to `partOrderKind` (re-sorting the part
// sequence when it changes), then lays the sheet's parts anew. Null when the
// loop found no layout (or was cancelled, or the comparison preferred the
// input). The new sheet stands alone (no group links, a fresh style map).
std::unique_ptr<OptTopLevelLayout> RelayoutSheet(const ParLocalOpt& policy, std::int32_t partOrderKind,
                                                 const OptTopLevelLayout& sheet,
                                                 ParallelOptimizer& optimizer, const RelayoutFlags& flags);

// Lays `parts` anew on a sheet of the same stock and copies the result over
// `sheet`. False, with `sheet` untouched, when neither a part order nor the
// re-layout loop placed them all.
bool RebuildSheet(OptTopLevelLayout& sheet, const std::vector<const PartProxy*>& parts,
                  ParallelOptimizer& optimizer);

// The strip of either group map that the rectangle preference favours over
// the regions, compared with `chosen` when `found` (the first of equally
// preferred ones stays); true when there is one.
bool ChooseStrip(const RegionList& regions, const IsoDimGroupMap& byWidth, const IsoDimGroupMap& byLength,
                 CFreeRectangle& chosen, bool found);

// Places each copy into `sheet` alone, in the given order (search existing
// sheets, TryOCD allowed, no regrouping); false at the first copy that fails.
bool PlaceAllInto(OptTopLevelLayout& sheet, const std::vector<const PartProxy*>& parts,
                  ParallelOptimizer& optimizer);

} // namespace optimization

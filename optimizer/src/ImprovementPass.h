#pragma once
// The improvement dispatcher behind the Third Pass (mode 0), the CLEANUP
// Pass (mode 1) and the ELIMINATE LAYOUTS Pass (mode 2). Modes 0 and 1 run
// either the targeted improvement, which empties sheets from the back of the
// order into the sheets after them, or Gather isolated copies, by the
// policy; mode 2 tries to spread each sheet's parts over the other sheets
// and drops the sheet when that works.
//
// Reads the policy's local-optimization mode, the primary objective, the
// stock comparer (sheet arrangement, unit-area and off-cuts-first flags)
// and the run state's part order kind.

#include "RunPasses.h"

#include <vector>

namespace optimization {

class CLayoutSet;
class OptTopLevelLayout;
class ParallelOptimizer;
class PartProxy;

// Re-lays every sheet of the set and rebuilds its lists (the finishing
// refresh after a pass that changed sheets).
void RefreshSheets(CLayoutSet& set);

// The passes' sheet order: duplicates first or last (an exchange partition),
// then a stable sort by the pass's measure, then the stock comparer's
// arrangement with the given flag.
enum class SheetMeasure { PlacedAreaSmallestFirst, WasteHighestFirst };
void OrderSheetsForPass(std::vector<OptTopLevelLayout*>& sheets, bool duplicatesFirst, SheetMeasure measure,
                        bool arrangementFlag, const ParallelOptimizer& optimizer);

// After some of a sheet's copies moved to other sheets, the sheet keeps only
// the copies that stayed: laid anew on an empty sheet when they all fit one,
// else the moved copies are taken out of its present tree.
void KeepStayedCopies(OptTopLevelLayout& sheet, const std::vector<const PartProxy*>& stayed,
                      const std::vector<const PartProxy*>& moved, ParallelOptimizer& optimizer);

void RunTargetedImprovement(ParallelOptimizer& optimizer, ImprovementMode mode);
void RunEliminateLayouts(ParallelOptimizer& optimizer);

} // namespace optimization

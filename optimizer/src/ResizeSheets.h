#pragma once
// The two refreshes of a layout set after a pass adopted it: moving each
// sheet to an earlier (smaller or cheaper) stock of the stock comparer's
// order that takes all its copies ("Move sheets to cheaper stock"), and
// combining sheets of the same size onto one double sheet ("Empty sheets").
// Both keep the stock trackers' used counts and the within-inventory marks
// in step with the set.
//
// Reads the stock comparer's order, preferences and unit-area flag, the run
// state's part order kind, and the layouts comparer's same-parts comparison.

namespace optimization {

class ParallelOptimizer;

// "Move sheets to cheaper stock".
void ResizeSheets(ParallelOptimizer& optimizer);
// "Empty sheets".
void EmptySheets(ParallelOptimizer& optimizer);

} // namespace optimization

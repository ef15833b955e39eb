#pragma once
// Second Pass: all parts are placed again into emptied copies of the
// current sheets, once sheet by sheet (search mode 1) and once into the
// pooled free regions of all sheets (search mode 0); each trial then moves
// its sheets to cheaper stock and combines sheets. The better trial replaces
// the running set only when the layouts comparer prefers it.

namespace optimization {

class ParallelOptimizer;

// Places, for each tracker of the trial's part sequence, as many copies as it
// counts placed into the trial's (emptied) sheets. False at the first copy
// that does not fit or on a cancel; on success the sheets left empty are
// dropped.
bool ReplaceAllParts(ParallelOptimizer& trial, int searchMode);

} // namespace optimization

#pragma once
// TryOCD: forces a part into a sheet (or just improves the sheet) by
// rebuilding one branch of its cut tree in the other cut direction. Every
// inner node of the tree is one candidate (work unit): its parts are taken
// out, the first goes into a region of the other direction and the rest are
// placed again. The candidate with the lowest traversal index that succeeds
// wins, whether the units run one by one or, from 15 units on, in parallel;
// so the answer never depends on the number of threads.
//
// Reads the run state's part order kind, the policy's mode option and the
// sheet's own policy (its same-parts comparison decides when no part is
// forced in).

#include <cstddef>
#include <memory>
#include <vector>

namespace optimization {

class OptLayout;
class OptTopLevelLayout;
class ParallelOptimizer;
class PartProxy;

struct MemoKey;

struct TryOCDContext {
    ParallelOptimizer* optimizer = nullptr;
    const PartProxy* forcedPart = nullptr; // null: improve only
    // The content key of the sheet (TryOCDMemo.h): when given, the units
    // consult and feed the run's memory of failed probes.
    const MemoKey* sheetKey = nullptr;
};

struct TryOCDWorkUnit {
    OptLayout* node = nullptr;
    std::size_t index = 0; // place in the traversal order
};

struct TryOCDResultUnit {
    std::size_t index = 0;
    std::shared_ptr<OptTopLevelLayout> sheet; // the rebuilt copy on success
    bool success = false;
    bool cancelled = false;
};

// From this many work units on they are evaluated in parallel.
constexpr std::size_t kTryOCDParallelFrom = 15;

// The inner nodes of the sheet's tree in traversal order (a node, then its
// block, length remainder and width remainder), numbered from 0.
std::vector<TryOCDWorkUnit> MakeTryOCDWorkUnits(OptTopLevelLayout& sheet);

// False when the part's area exceeds what the sheet's stock leaves beside
// the copies on the sheet: copies never overlap, so no layout of the sheet,
// however rebuilt, takes the part. (The 2-count tolerance of the edges is
// allowed for.)
bool LeavesRoomFor(const OptTopLevelLayout& sheet, const PartProxy& part);

// Evaluates one unit on its own copy of the sheet; the sheet is only read.
TryOCDResultUnit EvaluateTryOCDUnit(const OptTopLevelLayout& sheet, const TryOCDWorkUnit& unit,
                                    const TryOCDContext& context);

// A success beats a failure; of two successes the lower index wins; of two
// failures the second stays (carrying a cancellation of either).
TryOCDResultUnit ReduceTryOCD(TryOCDResultUnit a, TryOCDResultUnit b);

// True when the sheet was replaced by a better rebuilt copy (with the forced
// part in it, when one was given).
bool TryOCD(OptTopLevelLayout& sheet, const TryOCDContext& context);

} // namespace optimization

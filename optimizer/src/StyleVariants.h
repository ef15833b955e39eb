#pragma once
// The alternative layouts of one sheet in the layout styles: the two cut
// orientations (styles 1 and 2) and the two off-cut styles (3 keeps an
// off-cut at the end of the length, 4 along the width). They are kept in the
// sheet's style map, where the program reads them, and the per-sheet special
// local steps choose the style the sheet itself takes.
//
// Reads the job policy's local-optimization mode and layout comparison, the
// first-cut rule of the cutting rules and the run state's part order kind.

#include <nestcore/CuttingRules.h>

namespace optimization {

class OptTopLevelLayout;
class ParallelOptimizer;

// Styles that the first-cut rule admits: 1 admits 0, 1 and 4;
// 2 admits 0, 2 and 3; none admits all.
bool IsStyleAdmitted(GeometryStyle style, FirstCutSpecification firstCut);

// Gives every duplicate of `sheet` (found in the running set) its own copy of
// the variant, then gives the sheet the variant's tree and policy. Group
// links, counts and within-inventory marks stay as they are.
void PutVariantInPlace(OptTopLevelLayout& sheet, const OptTopLevelLayout& variant, ParallelOptimizer& optimizer);

// Orientation 1 gives style 1, orientation 0 style 2. True when the variant
// exists (built now or found in the map) and, unless keepInMapOnly, was put
// in the sheet's place.
bool MakeOrientationVariant(int orientation, OptTopLevelLayout& sheet, ParallelOptimizer& optimizer,
                            bool compare, bool keepInMapOnly);

// Setting 0 gives style 3, setting 1 style 4; `offCutMeasure` receives the
// off-cut's area in square inches.
bool MakeOffcutVariant(int setting, OptTopLevelLayout& sheet, ParallelOptimizer& optimizer,
                       bool keepInMapOnly, double& offCutMeasure);

// Builds the four variants into the map and lets the sheet take one style.
// Stops after the first cancel. The variants the map lacks are built side by
// side (each on a scratch optimizer) and filed in the serial order.
void RunSpecialLocalSteps(OptTopLevelLayout& sheet, ParallelOptimizer& optimizer);

// Empties the style-map entries whose layout no longer holds the sheet's
// parts (the sheet changed since they were made): the program reads them as
// the sheet's other styles, and a pass must never place into them.
void DropStaleVariants(OptTopLevelLayout& sheet);

} // namespace optimization

#pragma once

#include "foundation/UIStringTable.h"

#include <span>

// Ids of the UI strings the preference pages show (the unit names, the
// captions and the pickers' "Default" and "Custom..." are the foundation's).
enum PrefsStringId : int {
    // Reports page.
    kStrAreaUnitsLabel = 88,
    kStrLinealUnitsLabel = 140,
    kStrMaxDiagramsLabel = 442,
    // Fonts page.
    kStrBoldDimsFontLabel = 197,
    kStrBoldPartColorLabel = 206,
    kStrVerySmallPartsLabel = 4702,
    kStrListsGroup = 4701,
    kStrLayoutDiagramsGroup = 4700,
    // Shading page.
    kStrShowGrainInWaste = 278,
    kStrShadeWaste = 279,
    kStrPatternDwnDiagonal = 4626,
    kStrPatternCrosshatch = 4627,
    kStrPatternDiagCrosshatch = 4628,
    kStrPatternUpDiagonal = 4629,
    kStrPatternHorizontal = 4630,
    kStrPatternHollow = 4631,
    kStrPatternSolid = 4632,
    kStrPatternVertical = 4633,
    kStrShadingNormal = 4728,
    kStrShadingOnScreen = 4729,
    kStrShadingParts = 4730,
    kStrShadingPrintedPart = 4731,
    kStrShadingSelected = 4732,
    kStrShadingWaste = 4733,
    kStrShadingPrintedWaste = 4734,
    // Numeric display styles page.
    kStrCadStyle = 3013,
    kStrAlignmentLabel = 4671,
    kStrUnitCentimeters = 4673,
    kStrUnitDecimalInches = 4676,
    kStrDimensionStyleGroup = 4678,
    kStrUnitFeetInches = 4679,
    kStrHideUnits = 4680,
    kStrUnitInches = 4682,
    kStrAlignLeft = 4683,
    kStrUnitMillimeters = 4684,
    kStrDecimalsLabel = 4686,
    kStrPrecisionLabel = 4689,
    kStrAlignRight = 4690,
    kStrDimensionsGroup = 4720,
    kStrLengthByWidth = 4722,
    kStrWidthByLength = 4725,
    // B.O.M. page.
    kStrProRateCosts = 4704,
    kStrRoundingGroup = 4705,
    kStrRoundUpCosts = 4706,
    kStrWarnSkippedParts = 4707,
    // File locations page (its folder fields' texts are the controls').
    kStrProjectFilesLabel = 4698,
    kStrRawMaterialsLabel = 4699,
};

// The pages' string table, handed to the string service at start-up.
std::span<const StringResource> PrefsStringResources();

#include "shell/prefs/PrefsStrings.h"

namespace {

// Section, key and text joined by underscores.
const StringResource g_prefsStrings[] = {
    { kStrAreaUnitsLabel, u"ReportsPrefs_AreaUnits_Units for area (on reports):" },
    { kStrLinealUnitsLabel, u"ReportsPrefs_LinealUnits_Units for lineal dimensions:" },
    { kStrMaxDiagramsLabel, u"ReportsPrefs_MaxDiagrams_Maximum number of diagrams to report for each part" },
    { kStrBoldDimsFontLabel, u"FontsPrefs_BoldDims_For dimensions when bold diagram style is used:" },
    { kStrBoldPartColorLabel, u"FontsPrefs_BoldPartColor_Color of part number in bold diagram style:" },
    { kStrVerySmallPartsLabel, u"FontsPrefs_SmallParts_For very small parts:" },
    { kStrListsGroup, u"FontsPrefs_Lists_Lists" },
    { kStrLayoutDiagramsGroup, u"FontsPrefs_Diagrams_Layout Diagrams" },
    { kStrShowGrainInWaste, u"ShadingPrefs_ShowGrain_Show material grain direction in waste area." },
    { kStrShadeWaste, u"ShadingPrefs_ShadeWaste_Shade waste area using these settings:" },
    { kStrPatternDwnDiagonal, u"Patterns_DwnDiagonal_Dwn Diagonal" },
    { kStrPatternCrosshatch, u"Patterns_Crosshatch_Crosshatch" },
    { kStrPatternDiagCrosshatch, u"Patterns_DiagCrosshatch_Diag Crosshatch" },
    { kStrPatternUpDiagonal, u"Patterns_UpDiagonal_Up Diagonal" },
    { kStrPatternHorizontal, u"Patterns_Horizontal_Horizontal" },
    { kStrPatternHollow, u"Patterns_Hollow_Hollow" },
    { kStrPatternSolid, u"Patterns_Solid_Solid" },
    { kStrPatternVertical, u"Patterns_Vertical_Vertical" },
    { kStrShadingNormal, u"ShadingPrefs_Normal_Normal" },
    { kStrShadingOnScreen, u"ShadingPrefs_OnScreen_On Screen" },
    { kStrShadingParts, u"ShadingPrefs_Parts_Parts" },
    { kStrShadingPrintedPart, u"ShadingPrefs_PrintedPart_Printed" },
    { kStrShadingSelected, u"ShadingPrefs_Selected_Selected" },
    { kStrShadingWaste, u"ShadingPrefs_Waste_Waste" },
    { kStrShadingPrintedWaste, u"ShadingPrefs_PrintedWaste_Printed" },
    { kStrCadStyle, u"DisplayPrefs_CadStyle_CAD style (1'1-1/2\" or 1'1.25\")" },
    { kStrAlignmentLabel, u"DisplayPrefs_Alignment_Alignment:" },
    { kStrUnitCentimeters, u"DisplayPrefs_Centimeters_Centimeters (34.29cm)" },
    { kStrUnitDecimalInches, u"DisplayPrefs_DecimalInches_Decimal Inches (13.5\")" },
    { kStrDimensionStyleGroup, u"DisplayPrefs_DimensionStyle_Dimension Style" },
    { kStrUnitFeetInches, u"DisplayPrefs_FeetInches_Feet and Inches (1' 1 1/2\")" },
    { kStrHideUnits, u"DisplayPrefs_HideUnits_Don't display units" },
    { kStrUnitInches, u"DisplayPrefs_Inches_Inches (13 1/2\")" },
    { kStrAlignLeft, u"DisplayPrefs_Left_Left" },
    { kStrUnitMillimeters, u"DisplayPrefs_Millimeters_Millimeters (342.9mm)" },
    { kStrDecimalsLabel, u"DisplayPrefs_Decimals_Number of Decimals" },
    { kStrPrecisionLabel, u"DisplayPrefs_Precision_Display Precision" },
    { kStrAlignRight, u"DisplayPrefs_Right_Right" },
    { kStrDimensionsGroup, u"DisplayPrefs_Dimensions_Dimensions" },
    { kStrLengthByWidth, u"DisplayPrefs_LxW_Length x Width" },
    { kStrWidthByLength, u"DisplayPrefs_WxL_Width x Length" },
    { kStrProRateCosts,
        u"BOMPrefs_ProRate_Pro-rate costs based on the actual usage (allow fractional boards and sheets)" },
    { kStrRoundingGroup, u"BOMPrefs_Rounding_Rounding" },
    { kStrRoundUpCosts, u"BOMPrefs_RoundUp_Round up costs to the next whole board or sheet" },
    { kStrWarnSkippedParts, u"BOMPrefs_WarnSkipped_Warn when there are skipped parts" },
    { kStrProjectFilesLabel, u"FolderPrefs_Projects_Project Files:" },
    { kStrRawMaterialsLabel, u"FolderPrefs_RawMaterials_Raw Materials:" },
};

} // namespace

std::span<const StringResource> PrefsStringResources()
{
    return g_prefsStrings;
}

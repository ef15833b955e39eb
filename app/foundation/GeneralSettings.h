#pragma once

#include <QString>

#include <cstdint>

// A snapshot of the display, printing, folder, font and colour preferences
// that the preferences sheet edits. The sheet's pages change a copy; OK
// applies the copy as one undoable step, so a change of preferences can be
// undone like an edit of the project. The comments give each field's
// preference id.
struct GeneralSettings
{
    std::int32_t dimensionsStyle = 1; // 3016
    std::int32_t dimensionsPrecision = 4; // 3017
    std::int32_t dimensionsDecimals = 2; // 3018
    bool hideDimensionUnits = false; // 2009
    std::int32_t dimensionAlignment = 34; // 3021
    bool cadStyle = false; // 2095
    bool fancyPartAnnotation = false; // 2113
    bool originBottomLeft = false; // 2118
    bool showOuterDims = true; // 2125
    bool enableAutoManualEdit = true; // 2124
    bool showGrain = true; // 2093
    double minSliceDisplayDim = 2.0; // 4019
    bool rotateSliceDims = false; // 2131
    bool showOffsets = false; // 2132
    bool proRateCosts = false; // 2026
    bool skippedPartsAlert = true; // 2047
    bool layoutWithTakeOff = true; // 2033, kept in the print settings
    std::int32_t layoutsPageConfig = 1; // 3087, kept in the print settings
    bool shadeRowsForGridlines = false; // 2110
    bool printCoverPage = true; // 2055
    bool printPartsList = true; // 2054
    bool printReports = true; // 2101
    bool printLayouts = true; // 2060
    bool printBOM = true; // 2061
    bool printTakeOffs = true; // 2071
    bool printRawMaterials = true; // 2081
    QString projectsFolder; // 1004
    QString materialsFolder; // 1002
    QString exportFolder; // 1006
    QString gridFace; // 1008
    std::int32_t gridHeight = 85; // 3002, tenths of a point
    QString diagramFace; // 1009
    std::int32_t diagramHeight = 80; // 3003
    std::int32_t smallPartsHeight = 80; // 3004
    std::int32_t boldDiagramDimsHeight = 80; // 3059
    std::int32_t boldPartColor = 0x808080; // 3060
    // Colours (0xBBGGRR) and fill patterns, 3005 to 3014.
    std::int32_t normalPartColor = 0; // 3005
    std::int32_t normalPartPattern = 0; // 3006
    std::int32_t selectedPartColor = 0; // 3007
    std::int32_t selectedPartPattern = 0; // 3008
    std::int32_t printedPartColor = 0; // 3009
    std::int32_t printedPartPattern = 0; // 3010
    std::int32_t screenWasteColor = 0; // 3011
    std::int32_t screenWastePattern = 0; // 3012
    std::int32_t printedWasteColor = 0; // 3013
    std::int32_t printedWastePattern = 0; // 3014
    bool displayWxL = true; // 2007
    std::int32_t areaUnits = 1; // 3050
    std::int32_t linealUnits = 1; // 3051
    std::int32_t maxDiagramsList = 5; // 3086

    bool operator==(const GeneralSettings&) const = default;
};

// The record of the installed preferences (the defaults above without one).
GeneralSettings TakeGeneralSettingsSnapshot();
// Writes the record back through the preference setters, so only changed
// keys reach the file; hands the length formats to the length formatter and
// the two print values to the print settings.
void ApplyGeneralSettings(const GeneralSettings& settings);

// Which views refresh when the preferences change from oldSettings to
// newSettings: the change mask of the views and the detail mask of the
// layouts window. A new materials folder refreshes everything.
std::uint64_t GeneralSettingsChangeMask(const GeneralSettings& oldSettings, const GeneralSettings& newSettings);
std::uint64_t GeneralSettingsDetailMask(const GeneralSettings& oldSettings, const GeneralSettings& newSettings);

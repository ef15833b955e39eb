#include "foundation/GeneralSettings.h"

#include "foundation/DimensionFormatSettings.h"
#include "foundation/PrintSettings.h"
#include "foundation/UpdateMasks.h"
#include "foundation/UserPrefsBase.h"

#include <functional>
#include <variant>

namespace {

using GS = GeneralSettings;
using Member = std::variant<std::int32_t GS::*, bool GS::*, double GS::*, QString GS::*>;

struct Field
{
    int id;
    Member member;
};

// The fields kept as preferences, in the record's order (the two print
// values live in the print settings record and are handled apart).
const Field kFields[] = {
    { 3016, &GS::dimensionsStyle },
    { 3017, &GS::dimensionsPrecision },
    { 3018, &GS::dimensionsDecimals },
    { 2009, &GS::hideDimensionUnits },
    { 3021, &GS::dimensionAlignment },
    { 2095, &GS::cadStyle },
    { 2113, &GS::fancyPartAnnotation },
    { 2118, &GS::originBottomLeft },
    { 2125, &GS::showOuterDims },
    { 2124, &GS::enableAutoManualEdit },
    { 2093, &GS::showGrain },
    { 4019, &GS::minSliceDisplayDim },
    { 2131, &GS::rotateSliceDims },
    { 2132, &GS::showOffsets },
    { 2026, &GS::proRateCosts },
    { 2047, &GS::skippedPartsAlert },
    { 2110, &GS::shadeRowsForGridlines },
    { 2055, &GS::printCoverPage },
    { 2054, &GS::printPartsList },
    { 2101, &GS::printReports },
    { 2060, &GS::printLayouts },
    { 2061, &GS::printBOM },
    { 2071, &GS::printTakeOffs },
    { 2081, &GS::printRawMaterials },
    { 1004, &GS::projectsFolder },
    { 1002, &GS::materialsFolder },
    { 1006, &GS::exportFolder },
    { 1008, &GS::gridFace },
    { 3002, &GS::gridHeight },
    { 1009, &GS::diagramFace },
    { 3003, &GS::diagramHeight },
    { 3004, &GS::smallPartsHeight },
    { 3059, &GS::boldDiagramDimsHeight },
    { 3060, &GS::boldPartColor },
    { 3005, &GS::normalPartColor },
    { 3006, &GS::normalPartPattern },
    { 3007, &GS::selectedPartColor },
    { 3008, &GS::selectedPartPattern },
    { 3009, &GS::printedPartColor },
    { 3010, &GS::printedPartPattern },
    { 3011, &GS::screenWasteColor },
    { 3012, &GS::screenWastePattern },
    { 3013, &GS::printedWasteColor },
    { 3014, &GS::printedWastePattern },
    { 2007, &GS::displayWxL },
    { 3050, &GS::areaUnits },
    { 3051, &GS::linealUnits },
    { 3086, &GS::maxDiagramsList },
};

struct Reader
{
    const UserPrefsBase& prefs;
    GS& record;
    int id;
    void operator()(std::int32_t GS::*m) const { record.*m = prefs.GetInt(id); }
    void operator()(bool GS::*m) const { record.*m = prefs.GetFlag(id); }
    void operator()(double GS::*m) const { record.*m = prefs.GetReal(id); }
    void operator()(QString GS::*m) const { record.*m = prefs.GetString(id); }
};

struct Writer
{
    UserPrefsBase& prefs;
    const GS& record;
    int id;
    void operator()(std::int32_t GS::*m) const { prefs.SetInt(id, record.*m); }
    void operator()(bool GS::*m) const { prefs.SetFlag(id, record.*m); }
    void operator()(double GS::*m) const { prefs.SetReal(id, record.*m); }
    void operator()(QString GS::*m) const { prefs.SetString(id, record.*m); }
};

bool DimensionFormatDiffers(const GS& a, const GS& b)
{
    return a.dimensionsStyle != b.dimensionsStyle || a.dimensionsPrecision != b.dimensionsPrecision
        || a.dimensionsDecimals != b.dimensionsDecimals || a.hideDimensionUnits != b.hideDimensionUnits
        || a.dimensionAlignment != b.dimensionAlignment || a.cadStyle != b.cadStyle
        || a.fancyPartAnnotation != b.fancyPartAnnotation || a.originBottomLeft != b.originBottomLeft
        || a.showOuterDims != b.showOuterDims || a.areaUnits != b.areaUnits || a.linealUnits != b.linealUnits;
}

bool GridFontDiffers(const GS& a, const GS& b)
{
    return a.gridFace != b.gridFace || a.gridHeight != b.gridHeight;
}

bool DiagramFontDiffers(const GS& a, const GS& b)
{
    return a.diagramFace != b.diagramFace || a.diagramHeight != b.diagramHeight
        || a.smallPartsHeight != b.smallPartsHeight || a.boldDiagramDimsHeight != b.boldDiagramDimsHeight
        || a.boldPartColor != b.boldPartColor;
}

// The colours on screen; the printed ones do not touch any view.
bool ScreenColorsDiffer(const GS& a, const GS& b)
{
    return a.normalPartColor != b.normalPartColor || a.normalPartPattern != b.normalPartPattern
        || a.selectedPartColor != b.selectedPartColor || a.selectedPartPattern != b.selectedPartPattern
        || a.screenWasteColor != b.screenWasteColor || a.screenWastePattern != b.screenWastePattern
        || a.showGrain != b.showGrain;
}

bool SliceDisplayDiffers(const GS& a, const GS& b)
{
    return a.showOuterDims != b.showOuterDims
        || !std::equal_to<double>()(a.minSliceDisplayDim, b.minSliceDisplayDim)
        || a.rotateSliceDims != b.rotateSliceDims || a.showOffsets != b.showOffsets;
}

} // namespace

GeneralSettings TakeGeneralSettingsSnapshot()
{
    GeneralSettings record;
    const UserPrefsBase* prefs = GetUserPrefs();
    if (!prefs)
        return record;
    for (const Field& field : kFields)
        std::visit(Reader { *prefs, record, field.id }, field.member);
    const PrintSettings& print = prefs->GetPrintSettings();
    record.layoutWithTakeOff = print.takeOffOnLayoutPage == 1;
    record.layoutsPageConfig = print.diagramsPerPage;
    return record;
}

void ApplyGeneralSettings(const GeneralSettings& settings)
{
    UserPrefsBase* prefs = GetUserPrefs();
    if (!prefs)
        return;
    for (const Field& field : kFields)
        std::visit(Writer { *prefs, settings, field.id }, field.member);

    // The length formatter takes the values as the user set them; its own
    // rule caps the decimals of centimetres and millimetres.
    DimensionFormatSettings formats = GetDimensionFormatSettings();
    formats.style = settings.dimensionsStyle;
    formats.precision = settings.dimensionsPrecision;
    formats.decimals = settings.dimensionsDecimals;
    formats.hideUnits = settings.hideDimensionUnits;
    formats.alignment = settings.dimensionAlignment;
    formats.cadStyle = settings.cadStyle;
    SetDimensionFormatSettings(formats);

    PrintSettings print = prefs->GetPrintSettings();
    print.takeOffOnLayoutPage = settings.layoutWithTakeOff ? 1 : 0;
    print.diagramsPerPage = settings.layoutsPageConfig;
    prefs->SetPrintSettings(print);
}

std::uint64_t GeneralSettingsChangeMask(const GeneralSettings& oldSettings, const GeneralSettings& newSettings)
{
    using namespace UpdateMask;
    if (oldSettings.materialsFolder != newSettings.materialsFolder)
        return ChangeDefault;
    std::uint64_t mask = 0;
    if (DimensionFormatDiffers(oldSettings, newSettings))
        mask |= Change800449;
    if (oldSettings.proRateCosts != newSettings.proRateCosts)
        mask |= Change0008;
    if (GridFontDiffers(oldSettings, newSettings))
        mask |= Change800049 | Change80000;
    if (DiagramFontDiffers(oldSettings, newSettings))
        mask |= Change80000;
    return mask;
}

std::uint64_t GeneralSettingsDetailMask(const GeneralSettings& oldSettings, const GeneralSettings& newSettings)
{
    using namespace UpdateMask;
    if (oldSettings.materialsFolder != newSettings.materialsFolder)
        return DetailAll;
    std::uint64_t mask = 0;
    if (GridFontDiffers(oldSettings, newSettings))
        mask |= Detail1000;
    if (DiagramFontDiffers(oldSettings, newSettings))
        mask |= Detail0010;
    if (ScreenColorsDiffer(oldSettings, newSettings))
        mask |= Detail2000;
    if (DimensionFormatDiffers(oldSettings, newSettings) || oldSettings.displayWxL != newSettings.displayWxL)
        mask |= Detail0040 | Detail0008;
    if (oldSettings.originBottomLeft != newSettings.originBottomLeft)
        mask |= Detail0002;
    if (SliceDisplayDiffers(oldSettings, newSettings))
        mask |= Detail0008;
    return mask;
}

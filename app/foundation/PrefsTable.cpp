#include "foundation/PrefsTable.h"

#include "foundation/PrintSettings.h"

namespace {

PrefDefinition Text(int id, const char* section, const char* key, const char* text)
{
    return { id, PrefType::Text, section, key, text };
}

PrefDefinition Folder(int id, const char* section, const char* key, PrefTextDefault folder)
{
    PrefDefinition d { id, PrefType::Text, section, key };
    d.textDefault = folder;
    return d;
}

PrefDefinition Flag(int id, const char* section, const char* key, bool on)
{
    PrefDefinition d { id, PrefType::Flag, section, key };
    d.intDefault = on ? 1 : 0;
    return d;
}

PrefDefinition Int(int id, const char* section, const char* key, int value)
{
    PrefDefinition d { id, PrefType::Int, section, key };
    d.intDefault = value;
    return d;
}

PrefDefinition Clamped(int id, const char* section, const char* key, int value, int minimum, int maximum)
{
    PrefDefinition d { id, PrefType::ClampedInt, section, key };
    d.intDefault = value;
    d.minimum = minimum;
    d.maximum = maximum;
    return d;
}

PrefDefinition Real(
    int id, const char* section, const char* key, double value, double minimum, double maximum)
{
    PrefDefinition d { id, PrefType::Real, section, key };
    d.realDefault = value;
    d.realMinimum = minimum;
    d.realMaximum = maximum;
    return d;
}

std::vector<PrefDefinition> BuildTable()
{
    const PrintSettings print;
    const PageSetup& page = print.GetPrinterPageSetup();
    constexpr int MaxInt = 0x7FFFFFFF;
    constexpr int MaxColor = 0xFFFFFF;
    constexpr double LargestLength = 12000.0; // inches, the largest length there is

    const char* const printOptions = "Print Options";
    const char* const folders = "Folder Locations";
    const char* const fonts = "Font Options";
    const char* const colors = "Colors and Shading";
    const char* const numbers = "Numbers and Dimensions";
    const char* const layouts = "UI Layouts";
    const char* const printOrientation = "Print Orientation";

    return {
        Clamped(3087, printOptions, "Layouts Page Config SG", print.diagramsPerPage, 0, 3),
        Flag(2033, printOptions, "Layout With TakeOff", print.takeOffOnLayoutPage == 1),
        Text(1016, printOptions, "MRU Device", ""),
        Text(1017, printOptions, "Driver", ""),
        Text(1018, printOptions, "Port", ""),
        Clamped(3045, printOptions, "StdPaperSize", page.paperSize, 0, 65535),
        Clamped(3046, printOptions, "Bin", page.paperBin, 0, 65535),
        Clamped(3048, printOptions, "Duplex Mode", page.duplex, 0, 65535),
        Clamped(3030, printOptions, "Margin Top", page.topMargin, 0, 2000),
        Clamped(3031, printOptions, "Margin Left", page.leftMargin, 0, 2000),
        Clamped(3032, printOptions, "Margin Bottom", page.bottomMargin, 0, 2000),
        Clamped(3033, printOptions, "Margin Right", page.rightMargin, 0, 2000),
        Clamped(3034, printOptions, "Orientation", page.orientation, 1, 2),
        Flag(2110, printOptions, "Shade Rows For Gridlines", false),
        Flag(2119, printOptions, "Init on Startup", true),
        Flag(2114, printOptions, "Ignore Prefs", false),
        Flag(2115, printOptions, "Ignore Prefs Always", false),
        Clamped(3061, "Misc", "MRU Count", 9, 1, 15),
        Folder(1002, folders, "Raw Materials", PrefTextDefault::AppDataFolder),
        Folder(1004, folders, "Projects", PrefTextDefault::DocumentsFolder),
        Folder(1006, folders, "Export", PrefTextDefault::DocumentsFolder),
        Folder(1012, folders, "Materials Backup", PrefTextDefault::DocumentsFolder),
        Text(1008, fonts, "Grid Face", "Verdana"),
        Clamped(3002, fonts, "Grid Height", 85, 20, 300),
        Text(1009, fonts, "Diagram Face", "Verdana"),
        Clamped(3003, fonts, "Diagram Height", 80, 20, 300),
        Clamped(3004, fonts, "Small Parts Height", 80, 20, 300),
        Text(1035, fonts, "Diagram Stats Face", "Verdana"),
        Clamped(3058, fonts, "Ex Large Diagram Height", 160, 20, 300),
        Clamped(3059, fonts, "Bold Diagram Dims Height", 80, 20, 300),
        Clamped(3060, fonts, "Bold Part Color", 0x808080, 0, MaxColor),
        Text(1044, fonts, "Main Tab Face", "Tahoma"),
        Clamped(3005, colors, "Normal Part Color", 0xFEDCD3, 0, MaxColor),
        Int(3006, colors, "Normal Part Pattern", 65535),
        Clamped(3007, colors, "Selected Part Color", 0xCAFFFF, 0, MaxColor),
        Int(3008, colors, "Selected Part Pattern", 65535),
        Clamped(3009, colors, "Printed Part Color", 0xFFFFFF, 0, MaxColor),
        Int(3010, colors, "Printed Part Pattern", 65535),
        Clamped(3011, colors, "Screen Waste Color", 0xFFFFFF, 0, MaxColor),
        Int(3012, colors, "Screen Waste Pattern", 65535),
        Clamped(3013, colors, "Printed Waste Color", 0x808080, 0, MaxColor),
        Int(3014, colors, "Printed Waste Pattern", 3),
        Flag(2007, "Regional Settings", "Display WxL", true),
        Clamped(3050, "Reports", "Area Units", 1, 0, 2),
        Clamped(3051, "Reports", "Lineal Units", 1, 0, 3),
        Clamped(3015, numbers, "Part Number Style", 1, 1, 3),
        Clamped(3016, numbers, "Dimensions Style", 1, 1, 5),
        Clamped(3017, numbers, "Dimensions Precision", 4, 1, 4),
        Clamped(3018, numbers, "Dimensions Decimals", 2, 0, 4),
        Flag(2009, numbers, "Hide Dimension Units", false),
        Int(3021, numbers, "Dimension Alignment", 34),
        Flag(2095, numbers, "CAD Style", false),
        Flag(2036, "Grid Options", "Gridlines", true),
        Flag(2037, "Grid Options", "Abbreviated Headers", false),
        Clamped(3085, "Grid Options", "Fit Mode", 0, 0, 3),
        Flag(2047, "Alerts", "Skipped Parts", true),
        Flag(2026, "Pick List Options", "Pro-Rate Costs", false),
        Flag(2027, layouts, "Show Part IDs", true),
        Flag(2028, layouts, "Stretch", false),
        Flag(2029, layouts, "Show Dimensions", false),
        Flag(2034, layouts, "Hide Layout Dupes", true),
        Clamped(3071, layouts, "TakeOff Mode", 0, 0, 2),
        Flag(2082, layouts, "Large Screen", false),
        Flag(2093, layouts, "Show Grain", true),
        Flag(2106, layouts, "Show User Info", false),
        Flag(2108, layouts, "Show Part Descriptions", false),
        Flag(2109, layouts, "Show Sub-Assemblies", false),
        Flag(2113, layouts, "Fancy Part Annotation SG", false),
        Flag(2118, layouts, "Origin Bottom Left", false),
        Clamped(3062, layouts, "Wide Tree Width", 250, 100, MaxInt),
        Clamped(3063, layouts, "Wide Grid Height", 250, 75, MaxInt),
        Clamped(3064, layouts, "Tall Tree Width", 250, 100, MaxInt),
        Clamped(3065, layouts, "Tall Grid Height", 250, 75, MaxInt),
        Flag(2124, layouts, "Enable Auto Manual Edit", true),
        Flag(2125, layouts, "Show Outer Dims", true),
        Flag(2126, layouts, "Snap to Kerf", true),
        Real(4019, layouts, "Min Slice Display Dim", 2.0, 0.0, LargestLength),
        Flag(2131, layouts, "Rotate Slice Dims", false),
        Flag(2132, layouts, "Show Offsets", false),
        Clamped(3054, "UI Raw Materials", "Horz Resize Bar", -1, -1, 10000),
        Clamped(3086, "UI Parts List", "Max Diagrams List", 5, 1, MaxInt),
        Flag(2055, printOrientation, "Cover Page", true),
        Flag(2054, printOrientation, "Parts List", true),
        Flag(2060, printOrientation, "Layouts", true),
        Flag(2061, printOrientation, "BOM", true),
        Flag(2071, printOrientation, "TakeOffs", true),
        Flag(2081, printOrientation, "Raw Materials", true),
        Flag(2101, printOrientation, "Reports", true),
        Clamped(3066, "Optimization", "Primary Objective", 1, 0, 2),
        Clamped(3067, "Optimization", "Packing Other", 1, 0, 3),
        Flag(2121, "Optimization", "OffCuts First", false),
        Flag(2122, "Optimization", "Inventory First", false),
    };
}

} // namespace

const std::vector<PrefDefinition>& GetPrefDefinitions()
{
    static const std::vector<PrefDefinition> table = BuildTable();
    return table;
}

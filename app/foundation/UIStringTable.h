#pragma once

#include <span>

// One string resource: section, key and text joined by underscores
// ("Units_AbbrFt_ft"); "\n" and "\t" stand for a line feed and a tab.
struct StringResource
{
    int id;
    const char16_t* text;
};

// The foundation's own strings; every module of the program keeps its own
// table and the start-up hands all of them to the string service.
std::span<const StringResource> FoundationStringResources();

// Ids of the foundation's strings.
namespace UIStringId {
constexpr int AbbrSquareFeet = 77;
constexpr int AbbrSquareInches = 78;
constexpr int AbbrSquareMeters = 79;
constexpr int SquareFeet = 89;
constexpr int SquareMeters = 90;
constexpr int SquareInches = 91;
constexpr int Inches = 141;
constexpr int Feet = 142;
constexpr int Yards = 143;
constexpr int Meters = 144;
constexpr int AbbrInches = 146;
constexpr int AbbrFeet = 147;
constexpr int AbbrYards = 148;
constexpr int AbbrMeters = 149;
constexpr int SessionLogWriteFailed = 331;
constexpr int CantRedoMenu = 4211;
constexpr int CantUndoMenu = 4212;
constexpr int RedoMenu = 4221;
constexpr int UndoMenu = 4222;
constexpr int Cancel = 4539;
constexpr int Help = 4543;
constexpr int Ok = 4549;
constexpr int EditGeneralSettings = 5175;
// The alert dialog, and the alert that offers to unpin layouts an edit would change.
constexpr int Alert = 235;
constexpr int DontRemindAgain = 4140;
constexpr int UnpinDiagrams = 310;
constexpr int PinnedEditNeedsUnpin = 229;
constexpr int PinnedEditCopiesNeedUnpin = 230;
// The preferences sheet's title and page captions, the colour pickers.
constexpr int ColorAqua = 4065;
constexpr int ColorBlack = 4066;
constexpr int ColorBlue = 4067;
constexpr int ColorBlueGrey = 4068;
constexpr int ColorBrightGreen = 4069;
constexpr int ColorBrown = 4070;
constexpr int ColorDarkBlue = 4071;
constexpr int ColorDarkGreen = 4072;
constexpr int ColorDarkGrey = 4073;
constexpr int ColorDarkOliveGreen = 4074;
constexpr int ColorDarkRed = 4075;
constexpr int ColorDarkTeal = 4076;
constexpr int ColorDarkYellow = 4077;
constexpr int ColorGold = 4078;
constexpr int ColorGreen = 4079;
constexpr int ColorGrey50Pct = 4080;
constexpr int ColorGrey60Pct = 4081;
constexpr int ColorIndigo = 4082;
constexpr int ColorLavender = 4083;
constexpr int ColorLime = 4084;
constexpr int ColorLightBlue = 4085;
constexpr int ColorLightGrey = 4086;
constexpr int ColorLightOrange = 4087;
constexpr int ColorLightYellow = 4088;
constexpr int ColorOrange = 4089;
constexpr int ColorPaleBlue = 4090;
constexpr int ColorPaleGreen = 4091;
constexpr int ColorPaleTurquoise = 4092;
constexpr int ColorPink = 4093;
constexpr int ColorPlum = 4094;
constexpr int ColorRed = 4095;
constexpr int ColorRose = 4096;
constexpr int ColorSeaGreen = 4097;
constexpr int ColorSkyBlue = 4098;
constexpr int ColorTan = 4099;
constexpr int ColorTeal = 4100;
constexpr int ColorTurquoise = 4101;
constexpr int ColorViolet = 4102;
constexpr int ColorWhite = 4103;
constexpr int ColorYellow = 4104;
constexpr int PrefsReports = 145;
constexpr int PrefsLayoutDisplay = 195;
constexpr int PrefsNumericDisplay = 4663;
constexpr int PrefsSheetTitle = 4664;
constexpr int PrefsFileLocations = 4665;
constexpr int PrefsFonts = 4666;
constexpr int PrefsBOM = 4667;
constexpr int PrefsPrintOptions = 4668;
constexpr int PrefsShading = 4670;
constexpr int ColorPickerCustom = 4726;
constexpr int ColorPickerDefault = 4727;
constexpr int PrefsPrintOrientation = 4818;
} // namespace UIStringId

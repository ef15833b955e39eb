#include "foundation/NamedColors.h"

#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"

namespace {

struct ColorEntry
{
    int red, green, blue;
    int nameId;
};

// Row by row as the picker shows them.
constexpr ColorEntry kColors[kNamedColorCount] = {
    { 0, 0, 0, UIStringId::ColorBlack },
    { 165, 42, 42, UIStringId::ColorBrown },
    { 0, 64, 64, UIStringId::ColorDarkOliveGreen },
    { 0, 85, 0, UIStringId::ColorDarkGreen },
    { 0, 0, 94, UIStringId::ColorDarkTeal },
    { 0, 0, 139, UIStringId::ColorDarkBlue },
    { 75, 0, 130, UIStringId::ColorIndigo },
    { 40, 40, 40, UIStringId::ColorDarkGrey },
    { 139, 0, 0, UIStringId::ColorDarkRed },
    { 255, 104, 32, UIStringId::ColorOrange },
    { 139, 139, 0, UIStringId::ColorDarkYellow },
    { 0, 147, 0, UIStringId::ColorGreen },
    { 56, 142, 142, UIStringId::ColorTeal },
    { 0, 0, 255, UIStringId::ColorBlue },
    { 123, 123, 192, UIStringId::ColorBlueGrey },
    { 102, 102, 102, UIStringId::ColorGrey60Pct },
    { 255, 0, 0, UIStringId::ColorRed },
    { 255, 173, 91, UIStringId::ColorLightOrange },
    { 50, 205, 50, UIStringId::ColorLime },
    { 60, 179, 113, UIStringId::ColorSeaGreen },
    { 127, 255, 212, UIStringId::ColorAqua },
    { 125, 158, 192, UIStringId::ColorLightBlue },
    { 128, 0, 128, UIStringId::ColorViolet },
    { 127, 127, 127, UIStringId::ColorGrey50Pct },
    { 255, 192, 203, UIStringId::ColorPink },
    { 255, 215, 0, UIStringId::ColorGold },
    { 255, 255, 0, UIStringId::ColorYellow },
    { 0, 255, 0, UIStringId::ColorBrightGreen },
    { 64, 224, 208, UIStringId::ColorTurquoise },
    { 192, 255, 255, UIStringId::ColorSkyBlue },
    { 72, 0, 72, UIStringId::ColorPlum },
    { 192, 192, 192, UIStringId::ColorLightGrey },
    { 255, 228, 225, UIStringId::ColorRose },
    { 210, 180, 140, UIStringId::ColorTan },
    { 255, 255, 224, UIStringId::ColorLightYellow },
    { 152, 251, 152, UIStringId::ColorPaleGreen },
    { 175, 238, 238, UIStringId::ColorPaleTurquoise },
    { 104, 131, 139, UIStringId::ColorPaleBlue },
    { 230, 230, 250, UIStringId::ColorLavender },
    { 255, 255, 255, UIStringId::ColorWhite },
};

constexpr std::array<platform::ColorRef, kNamedColorCount> MakeColorValues()
{
    std::array<platform::ColorRef, kNamedColorCount> values {};
    for (int i = 0; i < kNamedColorCount; ++i)
        values[i] = platform::MakeColorRef(kColors[i].red, kColors[i].green, kColors[i].blue);
    return values;
}

constexpr std::array<platform::ColorRef, kNamedColorCount> kColorValues = MakeColorValues();

} // namespace

const std::array<platform::ColorRef, kNamedColorCount>& NamedColorValues()
{
    return kColorValues;
}

void BuildNamedColorList(NamedColorList& list)
{
    for (int i = 0; i < kNamedColorCount; ++i)
        list[i] = { kColorValues[i], LoadUIString(kColors[i].nameId) };
}

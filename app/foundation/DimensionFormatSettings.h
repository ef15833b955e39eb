#pragma once

// The user's length display settings, read by every formatting call that
// does not override them. Loaded from the preferences at start-up and again
// when the user applies new settings.
struct DimensionFormatSettings
{
    enum Style { FractionalInches = 1, FeetInches = 2, DecimalInches = 3, Centimetres = 4, Millimetres = 5 };

    int style = FractionalInches;
    int precision = 4; // index into the denominator table 1, 8, 16, 32, 64
    int decimals = 2;
    bool hideUnits = false;
    bool cadStyle = false;
    int alignment = 34; // "Dimension Alignment": how length cells align their text
};

const DimensionFormatSettings& GetDimensionFormatSettings();
// Takes new settings; in centimetres the decimals are capped at 2, in
// millimetres a value of 2 or more becomes 1.
void SetDimensionFormatSettings(const DimensionFormatSettings& settings);
void SetCadStyle(bool cadStyle);
// True when the style is centimetres or millimetres.
bool IsMetricDimensionStyle();
// The unit a bare number is read in: 2 centimetres, 1 millimetres, 0 inches.
int GetMetricParseUnit();

#include "foundation/DimensionFormatSettings.h"

namespace {
DimensionFormatSettings g_settings;
}

const DimensionFormatSettings& GetDimensionFormatSettings()
{
    return g_settings;
}

void SetDimensionFormatSettings(const DimensionFormatSettings& settings)
{
    g_settings = settings;
    if (g_settings.style == DimensionFormatSettings::Centimetres && g_settings.decimals > 2)
        g_settings.decimals = 2;
    else if (g_settings.style == DimensionFormatSettings::Millimetres && g_settings.decimals >= 2)
        g_settings.decimals = 1;
}

void SetCadStyle(bool cadStyle)
{
    g_settings.cadStyle = cadStyle;
}

bool IsMetricDimensionStyle()
{
    return g_settings.style == DimensionFormatSettings::Centimetres
        || g_settings.style == DimensionFormatSettings::Millimetres;
}

int GetMetricParseUnit()
{
    switch (g_settings.style) {
    case DimensionFormatSettings::Centimetres:
        return 2;
    case DimensionFormatSettings::Millimetres:
        return 1;
    default:
        return 0;
    }
}

#include "foundation/DimensionFormatPrefs.h"

#include "foundation/DimensionFormatSettings.h"
#include "foundation/UserPrefsBase.h"

namespace {

PartNumberStyleReceiver& Receiver()
{
    static PartNumberStyleReceiver receiver;
    return receiver;
}

} // namespace

void SetPartNumberStyleReceiver(PartNumberStyleReceiver receiver)
{
    Receiver() = std::move(receiver);
}

void ApplyDimensionFormats(const UserPrefsBase& prefs)
{
    if (Receiver())
        Receiver()(prefs.GetInt(PrefId::PartNumberStyle));

    DimensionFormatSettings settings = GetDimensionFormatSettings();
    settings.style = prefs.GetInt(PrefId::DimensionsStyle);
    settings.cadStyle = prefs.GetFlag(PrefId::CadStyle);
    settings.precision = prefs.GetInt(PrefId::DimensionsPrecision);
    settings.decimals = prefs.GetInt(PrefId::DimensionsDecimals);
    settings.hideUnits = prefs.GetFlag(PrefId::HideDimensionUnits);
    settings.alignment = prefs.GetInt(PrefId::DimensionAlignment);
    // Caps the decimals for centimetres and millimetres.
    SetDimensionFormatSettings(settings);
}

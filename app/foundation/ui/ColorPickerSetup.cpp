#include "foundation/ui/ColorPickerSetup.h"

#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"

namespace {
constexpr int kCellSize = 18;
}

void SetUpColorPicker(
    const NamedColorList& colors, IColorPickerButton& picker, platform::ColorRef color, platform::ColorRef defaultColor)
{
    picker.SetDefaultColor(defaultColor);
    picker.SetColor(color, true);
    picker.EnableToolTip(true);
    picker.SetTrackLook(true);
    picker.SetPopupFlags(kNoTearOffBar);
    picker.SetDefaultButtonText(LoadUIString(UIStringId::ColorPickerDefault));
    picker.SetCustomButtonText(LoadUIString(UIStringId::ColorPickerCustom));
    std::vector<std::pair<platform::ColorRef, QString>> texts;
    texts.reserve(colors.size());
    for (const NamedColor& entry : colors)
        texts.emplace_back(entry.color, entry.name);
    picker.SetToolTipTexts(texts);
    picker.SetCellSize(kCellSize, kCellSize);
}

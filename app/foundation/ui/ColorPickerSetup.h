#pragma once

#include "foundation/NamedColors.h"

#include <QString>

#include <utility>
#include <vector>

// A colour picker button as the pages and SetUpColorPicker see it; the
// program's colour picker control implements it. Colours are 0x00BBGGRR.
class IColorPickerButton
{
public:
    virtual ~IColorPickerButton() = default;

    // The colour that "Default" picks.
    virtual void SetDefaultColor(platform::ColorRef color) = 0;
    // kDefaultColorValue stands for the default colour.
    virtual void SetColor(platform::ColorRef color, bool redraw) = 0;
    // The colour shown; the default colour as itself, never as its marker.
    virtual platform::ColorRef GetColor() const = 0;
    // Both answer whether the setting was taken.
    virtual bool EnableToolTip(bool on) = 0;
    // The hovered cell is tracked while the popup bar is open.
    virtual bool SetTrackLook(bool on) = 0;
    // Flags of the popup bar (kNoTearOffBar).
    virtual void SetPopupFlags(unsigned flags) = 0;
    virtual void SetDefaultButtonText(const QString& text) = 0;
    virtual void SetCustomButtonText(const QString& text) = 0;
    // The cells' colours, each with its name as tool tip, in cell order.
    virtual void SetToolTipTexts(const std::vector<std::pair<platform::ColorRef, QString>>& texts) = 0;
    virtual void SetCellSize(int width, int height) = 0;
};

inline constexpr platform::ColorRef kDefaultColorValue = 0xFF000000;
inline constexpr unsigned kNoTearOffBar = 0x10;

// Gives a picker the named colours, the button texts and the two colours.
void SetUpColorPicker(
    const NamedColorList& colors, IColorPickerButton& picker, platform::ColorRef color, platform::ColorRef defaultColor);

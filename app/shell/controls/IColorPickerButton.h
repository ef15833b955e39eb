#pragma once

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

// What the pages' colour-picker set-up needs of a colour picker button.
// Colours are 0x00BBGGRR words; 0xFF000000 stands for the default colour.
class IColorPickerButton
{
public:
    virtual ~IColorPickerButton() = default;

    virtual void SetDefaultColor(std::uint32_t color) = 0;
    virtual void SetColor(std::uint32_t color, bool redraw) = 0;
    virtual std::uint32_t GetColor() const = 0;
    virtual bool EnableToolTip(bool enable) = 0;
    virtual bool SetTrackLook(bool trackLook) = 0;
    // Flags of the popup bar (0x10: no tear-off bar).
    virtual void SetPopupFlags(std::uint32_t flags) = 0;
    virtual void SetButtonTexts(const QString& defaultText, const QString& customText) = 0;
    // (colour, name) pairs: the cells' tooltips.
    virtual void SetColorToolTips(const std::vector<std::pair<std::uint32_t, QString>>& names) = 0;
    virtual void SetCellSize(int width, int height) = 0;
};

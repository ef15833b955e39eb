#pragma once

#include "shell/controls/SwatchBarCtrl.h"

#include <span>

// The colour bar: cells filled with their colours, a default button with a
// swatch of the default colour and a custom button that asks the colour
// dialog. Values are 0x00BBGGRR colours.
class COXColorPickerCtrl : public SwatchBarCtrl
{
    Q_OBJECT

public:
    COXColorPickerCtrl(int buttonCount, int rowCount, std::uint32_t defaultValue, int buttonWidth,
        int buttonHeight, const QString& defaultButtonText = {}, const QString& customButtonText = {});

    // The 40 named colours, offered when the bar has none of its own, row by row.
    static std::span<const std::uint32_t> StandardPalette();

    bool Pick(int alignment, const QRect* rect, int dx, int dy) override;

protected:
    void FillSwatch(QPainter& painter, const QRect& rect, std::uint32_t value) const override;
    bool OnCustomButton() override;
};

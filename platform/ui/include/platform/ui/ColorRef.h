#pragma once
// Colour values as the stored settings and the cell records keep them: one
// 32-bit word 0x00BBGGRR (red in the low byte). Every conversion to and from
// Qt's colours goes through these helpers, so no caller ever swaps red and
// blue by hand.

#include <QBrush>
#include <QColor>

#include <cstdint>

namespace platform {

using ColorRef = std::uint32_t;

constexpr ColorRef MakeColorRef(int red, int green, int blue)
{
    return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8)
        | (static_cast<ColorRef>(blue & 0xFF) << 16);
}

// The high byte is ignored; the colour is always opaque.
QColor ToQColor(ColorRef value);
ColorRef FromQColor(const QColor& color);

// The desktop's named colours, read from the application palette at the call.
enum class SystemColor {
    WindowText, // text in windows and cells
    Window, // background of windows and cells
    HighlightText, // text of selected items
    Highlight, // background of selected items
    ButtonFace, // face of buttons and headings
    ButtonHighlight, // lit edge of raised frames
    ButtonShadow, // shaded edge of raised frames
    ButtonLight, // face of cells that cannot be edited: a shade below the button face
};
ColorRef SystemColorRef(SystemColor which);

// Hatch patterns by number: 0 horizontal, 1 vertical, 2 forward diagonal,
// 3 backward diagonal, 4 cross, 5 diagonal cross; other numbers fill solid.
Qt::BrushStyle HatchBrushStyle(int hatch);

// The hatch code of a brush style, -1 for a style that is no hatch.
int HatchFromBrushStyle(Qt::BrushStyle style);

} // namespace platform

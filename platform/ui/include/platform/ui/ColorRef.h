#pragma once

#include <QColor>

#include <cstdint>

namespace platform {

// Colours as stored in preferences and files: 0x00BBGGRR, red in the low
// byte. The one place where they meet Qt's colours.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeColorRef(int red, int green, int blue)
{
    return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8)
        | (static_cast<ColorRef>(blue & 0xFF) << 16);
}

// Opaque; the high byte is ignored.
QColor ColorFromColorRef(ColorRef value);
// The colour's red, green and blue; alpha is dropped.
ColorRef ColorRefFromColor(const QColor& color);

} // namespace platform

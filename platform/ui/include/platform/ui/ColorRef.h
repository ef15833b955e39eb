#pragma once
// Colours and hatches as the program stores them: a colour is a 32-bit value
// 0x00BBGGRR (red in the low byte); a hatch is a code 0 to 5 for horizontal,
// vertical, forward diagonal, backward diagonal, cross and diagonal cross.

#include <QColor>

#include <cstdint>

namespace platform {

QColor ColorFromColorRef(std::uint32_t colorRef);
std::uint32_t ColorRefFromColor(const QColor& color);

// A hatch code outside 0 to 5 gives Qt::NoBrush.
Qt::BrushStyle BrushStyleFromHatch(int hatch);
// The hatch code of a Qt hatch style, -1 for any other style.
int HatchFromBrushStyle(Qt::BrushStyle style);

} // namespace platform

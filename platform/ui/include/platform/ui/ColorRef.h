#pragma once

#include <QBrush>
#include <QColor>

#include <cstdint>

namespace platform::ui {

// Colours are stored and exchanged as 0x00BBGGRR words; these are the only
// places that turn them into Qt colours and back. The high byte is ignored
// when reading and written as 0.
QColor ColorFromColorRef(std::uint32_t colorRef);
std::uint32_t ColorRefFromColor(const QColor& color);

// Hatch codes 0 to 5: horizontal, vertical, forward diagonal, backward
// diagonal, cross, diagonal cross. Any other code gives Qt::NoBrush.
Qt::BrushStyle HatchStyle(int code);

} // namespace platform::ui

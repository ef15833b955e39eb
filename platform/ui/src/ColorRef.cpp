#include "platform/ui/ColorRef.h"

namespace platform {

QColor ColorFromColorRef(ColorRef value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
        static_cast<int>((value >> 16) & 0xFF));
}

ColorRef ColorRefFromColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return MakeColorRef(rgb.red(), rgb.green(), rgb.blue());
}

} // namespace platform

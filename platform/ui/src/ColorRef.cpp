#include "platform/ui/ColorRef.h"

namespace platform::ui {

QColor ColorFromColorRef(std::uint32_t colorRef)
{
    return QColor(static_cast<int>(colorRef & 0xFFu), static_cast<int>((colorRef >> 8) & 0xFFu),
        static_cast<int>((colorRef >> 16) & 0xFFu));
}

std::uint32_t ColorRefFromColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return static_cast<std::uint32_t>(rgb.red()) | (static_cast<std::uint32_t>(rgb.green()) << 8)
        | (static_cast<std::uint32_t>(rgb.blue()) << 16);
}

Qt::BrushStyle HatchStyle(int code)
{
    // Forward diagonal lines fall from top left to bottom right, backward
    // ones rise; Qt's two patterns run the same way.
    switch (code) {
    case 0:
        return Qt::HorPattern;
    case 1:
        return Qt::VerPattern;
    case 2:
        return Qt::FDiagPattern;
    case 3:
        return Qt::BDiagPattern;
    case 4:
        return Qt::CrossPattern;
    case 5:
        return Qt::DiagCrossPattern;
    default:
        return Qt::NoBrush;
    }
}

} // namespace platform::ui

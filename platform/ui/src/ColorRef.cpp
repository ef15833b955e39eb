#include "platform/ui/ColorRef.h"

#include <array>

namespace platform {

namespace {
constexpr std::array<Qt::BrushStyle, 6> kHatchStyles = {
    Qt::HorPattern,
    Qt::VerPattern,
    Qt::FDiagPattern,
    Qt::BDiagPattern,
    Qt::CrossPattern,
    Qt::DiagCrossPattern,
};
} // namespace

QColor ColorFromColorRef(std::uint32_t colorRef)
{
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
        static_cast<int>((colorRef >> 16) & 0xFF));
}

std::uint32_t ColorRefFromColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return static_cast<std::uint32_t>(rgb.red()) | (static_cast<std::uint32_t>(rgb.green()) << 8)
        | (static_cast<std::uint32_t>(rgb.blue()) << 16);
}

Qt::BrushStyle BrushStyleFromHatch(int hatch)
{
    if (hatch < 0 || hatch >= static_cast<int>(kHatchStyles.size()))
        return Qt::NoBrush;
    return kHatchStyles[static_cast<std::size_t>(hatch)];
}

int HatchFromBrushStyle(Qt::BrushStyle style)
{
    for (std::size_t i = 0; i < kHatchStyles.size(); ++i) {
        if (kHatchStyles[i] == style)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace platform

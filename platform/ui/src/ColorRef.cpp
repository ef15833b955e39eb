#include "platform/ui/ColorRef.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace platform {

namespace {
// Hatch codes 0-5: horizontal, vertical, forward diagonal, backward diagonal,
// cross, diagonal cross. Forward diagonal lines fall from top left to bottom
// right, backward ones rise; Qt's two patterns run the same way.
constexpr std::array<Qt::BrushStyle, 6> kHatchStyles = {
    Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern,
};
// Per cent: the button face this much darker (about 240 to 226 in grey).
constexpr int kReadOnlyShade = 106;
} // namespace

QColor ToQColor(ColorRef value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

ColorRef FromQColor(const QColor& color)
{
    return MakeColorRef(color.red(), color.green(), color.blue());
}

ColorRef SystemColorRef(SystemColor which)
{
    const QPalette palette = QGuiApplication::palette();
    switch (which) {
    case SystemColor::WindowText: return FromQColor(palette.color(QPalette::Text));
    case SystemColor::Window: return FromQColor(palette.color(QPalette::Base));
    case SystemColor::HighlightText: return FromQColor(palette.color(QPalette::HighlightedText));
    case SystemColor::Highlight: return FromQColor(palette.color(QPalette::Highlight));
    case SystemColor::ButtonFace: return FromQColor(palette.color(QPalette::Button));
    case SystemColor::ButtonHighlight: return FromQColor(palette.color(QPalette::Light));
    case SystemColor::ButtonShadow: return FromQColor(palette.color(QPalette::Dark));
    case SystemColor::ButtonLight:
        // The desktop's own "light" roles are as white as an editable cell
        // under the default style; a read-only cell must look shaded, so it
        // takes the button face a step darker, which stays apart from the
        // cell background in light and dark palettes alike.
        return FromQColor(palette.color(QPalette::Button).darker(kReadOnlyShade));
    }
    return 0;
}

Qt::BrushStyle HatchBrushStyle(int hatch)
{
    if (hatch < 0 || hatch >= static_cast<int>(kHatchStyles.size()))
        return Qt::NoBrush; // an unknown hatch paints nothing
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

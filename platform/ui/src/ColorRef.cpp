#include "platform/ui/ColorRef.h"

#include <QGuiApplication>
#include <QPalette>

namespace platform {

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
    }
    return 0;
}

Qt::BrushStyle HatchBrushStyle(int hatch)
{
    switch (hatch) {
    case 0: return Qt::HorPattern;
    case 1: return Qt::VerPattern;
    // Forward diagonal lines fall from top left to bottom right, backward
    // ones rise; Qt's two patterns run the same way.
    case 2: return Qt::FDiagPattern;
    case 3: return Qt::BDiagPattern;
    case 4: return Qt::CrossPattern;
    case 5: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush; // an unknown hatch paints nothing
    }
}

} // namespace platform

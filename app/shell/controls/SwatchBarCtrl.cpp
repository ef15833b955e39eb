#include "shell/controls/SwatchBarCtrl.h"

#include <QPainter>

namespace {

// A frame in the shadow colour; rect shrinks to its inside.
void DrawSwatchFrame(QPainter& painter, QRect& rect, const QColor& shadow)
{
    painter.setPen(shadow);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    rect.adjust(1, 1, -1, -1);
}

} // namespace

bool SwatchBarCtrl::PickFrom(std::span<const std::uint32_t> standard, std::uint32_t pad, int alignment,
    const QRect* rect, int dx, int dy)
{
    if (Values().empty())
        SetButtons(std::vector<std::uint32_t>(standard.begin(), standard.end()));
    PadValues(pad);
    return COXPopupBarCtrl::Pick(alignment, rect, dx, dy);
}

void SwatchBarCtrl::DrawButton(QPainter& painter, int cell, QRect rect)
{
    DrawItemFrame(painter, rect, cell + 1);
    rect.adjust(2, 2, -2, -2);
    DrawSwatchFrame(painter, rect, palette().color(QPalette::Dark));
    FillSwatch(painter, rect, Values()[static_cast<std::size_t>(cell)]);
}

void SwatchBarCtrl::DrawDefaultButton(QPainter& painter, QRect rect)
{
    DrawItemFrame(painter, rect, 0);
    rect.adjust(2, 2, -2, -2);
    const QColor shadow = palette().color(QPalette::Dark);
    DrawSwatchFrame(painter, rect, shadow);
    if (DefaultValue() != kNoValue) {
        QRect swatch(rect.topLeft(), QSize(rect.height(), rect.height()));
        swatch.adjust(1, 1, -1, -1);
        DrawSwatchFrame(painter, swatch, shadow);
        FillSwatch(painter, swatch, DefaultValue());
        rect.setLeft(rect.left() + swatch.width());
    }
    DrawButtonTextIn(painter, rect, DefaultButtonText());
}

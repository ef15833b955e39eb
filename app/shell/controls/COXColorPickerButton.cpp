#include "shell/controls/COXColorPickerButton.h"

#include "platform/ui/ColorRef.h"

#include <QPainter>

COXColorPickerButton::COXColorPickerButton(QWidget* parent)
    : BandPickerButton(parent)
    , m_colorBar(40, 4, 0x00000000, 18, 18)
{
    m_colorBar.Create(this, COXPopupBarCtrl::NoTearOff);
    FollowFloatingBar();
}

platform::ColorRef COXColorPickerButton::Resolved(platform::ColorRef color) const
{
    // The default colour is stored as itself, never as its marker.
    return color == kDefaultColor ? m_colorBar.DefaultValue() : color;
}

void COXColorPickerButton::SetDefaultColor(platform::ColorRef color)
{
    m_colorBar.SetDefaultValue(color);
}

void COXColorPickerButton::SetColor(platform::ColorRef color, bool redraw)
{
    m_color = Resolved(color);
    if (redraw)
        update();
}

void COXColorPickerButton::SetToolTipTexts(const std::vector<std::pair<platform::ColorRef, QString>>& texts)
{
    m_colorBar.SetToolTipTexts(texts);
}

void COXColorPickerButton::FillBand(QPainter& painter, const QRect& band) const
{
    if (m_color != kNoColor)
        painter.fillRect(band, platform::ToQColor(m_color));
}

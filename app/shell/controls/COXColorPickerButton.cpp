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

std::uint32_t COXColorPickerButton::Resolved(std::uint32_t color) const
{
    // The default colour is stored as itself, never as its marker.
    return color == kDefaultColor ? m_colorBar.DefaultValue() : color;
}

void COXColorPickerButton::SetDefaultColor(std::uint32_t color)
{
    m_colorBar.SetDefaultValue(color);
}

void COXColorPickerButton::SetColor(std::uint32_t color, bool redraw)
{
    m_color = Resolved(color);
    if (redraw)
        update();
}

void COXColorPickerButton::SetButtonTexts(const QString& defaultText, const QString& customText)
{
    m_colorBar.SetDefaultButtonText(defaultText);
    m_colorBar.SetCustomButtonText(customText);
}

void COXColorPickerButton::SetColorToolTips(const std::vector<std::pair<std::uint32_t, QString>>& names)
{
    m_colorBar.SetToolTipTexts(names);
}

void COXColorPickerButton::FillBand(QPainter& painter, const QRect& band) const
{
    if (m_color != kNoColor)
        painter.fillRect(band, platform::ToQColor(m_color));
}

#include "shell/prefs/ShadingPreview.h"

#include "platform/ui/ColorRef.h"
#include "shell/controls/CTCPPatternPickerCtrl.h"

#include <QPainter>

ShadingPreview::ShadingPreview(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(48, 20);
}

void ShadingPreview::SetShading(std::uint32_t color, std::uint32_t pattern, bool shown)
{
    if (color == m_color && pattern == m_pattern && shown == m_shown)
        return;
    m_color = color;
    m_pattern = pattern;
    m_shown = shown;
    update();
}

void ShadingPreview::paintEvent(QPaintEvent*)
{
    if (!m_shown)
        return;
    QPainter painter(this);
    FillPattern(painter, rect(), m_pattern, platform::ToQColor(m_color));
    // A one-pixel black frame inside the rectangle.
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

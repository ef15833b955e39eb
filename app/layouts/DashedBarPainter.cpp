#include "layouts/DashedBarPainter.h"

#include "layouts/GDIScopes.h"

#include <algorithm>

void DashedBarPainter::Draw(bool vertical, const platform::Rect& rect)
{
    const QColor color = platform::ToQColor(kColor);
    QPen pen(color, 1);
    pen.setCapStyle(Qt::FlatCap);
    CGDIObject<QPen> penScope(m_dc, pen);
    CGDIObject<QBrush> brushScope(m_dc, QBrush(color));
    const int end = vertical ? rect.bottom : rect.right;
    for (int pos = vertical ? rect.top : rect.left; pos < end; pos += kDash + kGap) {
        const int stop = std::min(pos + kDash, end);
        const QRect dash = vertical ? QRect(rect.left, pos, rect.Width(), stop - pos)
                                    : QRect(pos, rect.top, stop - pos, rect.Height());
        m_dc->fillRect(dash, color);
    }
}

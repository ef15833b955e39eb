#pragma once
// Small conversions the grid's windows and cell types paint with.

#include "platform/Rect.h"

#include <QPaintDevice>
#include <QPainter>
#include <QRect>

#include <algorithm>

namespace gridctrl {

// Our rectangles exclude their right and bottom edges, as QRect's size does.
inline QRect ToQRect(const platform::Rect& r)
{
    return QRect(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
}

// Marks meant for the screen only are left out on a printer.
inline bool PaintsOnPrinter(const QPainter* dc)
{
    return dc->device() && dc->device()->devType() == QInternal::Printer;
}

} // namespace gridctrl

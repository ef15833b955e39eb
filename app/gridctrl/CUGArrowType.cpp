#include "gridctrl/CUGArrowType.h"
#include "gridctrl/CUGSortArrowType.h"

#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGCtrl.h"
#include "gridctrl/PaintHelpers.h"

#include <QApplication>
#include <QPainter>
#include <QPolygon>
#include <QStyle>

#include <algorithm>

namespace {

int styleOf(const CUGCell* cell, int fallback)
{
    return cell->IsPropertySet(CUGCell::kCellTypeStyle) && cell->GetCellTypeStyle() >= 0 ? cell->GetCellTypeStyle()
                                                                                          : fallback;
}

// A filled triangle pointing left or right with its tip at x.
void horizontalArrow(QPainter* dc, int tipX, int centreY, int half, bool right, const QColor& color)
{
    for (int i = 0; i <= half; ++i) {
        const int x = right ? tipX - i : tipX + i;
        dc->fillRect(QRect(x, centreY - i, 1, 2 * i + 1), color);
    }
}

} // namespace

// ---- side arrows ----------------------------------------------------------------------

CUGArrowType::CUGArrowType()
{
    m_drawsNormally = 0;
}

QString CUGArrowType::GetName() const
{
    return QStringLiteral("Side Arrows");
}

CUGCellType::Guid CUGArrowType::GetTypeGuid() const
{
    return {0x41, 0x52, 0x52, 0x4F, 0x57, 0x53, 0x00, 0x04, 0x9A, 0x51, 0x3C, 0x27, 0x61, 0x0B, 0xD4, 0x10};
}

void CUGArrowType::Draw(QPainter* dc, const Rect& rect, int column, int row, CUGCell* cell, int selected, int current)
{
    Rect inner;
    DrawBorder(dc, rect, &inner, cell);
    const CUGGridInfo* gi = m_ctrl ? m_ctrl->GetSheetInfo() : nullptr;
    const bool highlighted = selected || (current && gi && (gi->m_highlightRowFlag & 2));
    DrawBackground(dc, inner, highlighted ? cell->GetHighlightBackColor() : cell->GetBackColor());
    const int style = styleOf(cell, kRight);
    if (gridctrl::PaintsOnPrinter(dc) || inner.Width() < 4)
        return;
    const QColor color = platform::ToQColor(highlighted ? cell->GetHighlightTextColor() : cell->GetTextColor());
    const int half = std::max(1, std::min(inner.Height() / 2 - 2, 4));
    const int cx = inner.left + inner.Width() / 2;
    const int cy = inner.top + inner.Height() / 2;
    switch (style) {
    case 0:
    case kRight: horizontalArrow(dc, cx + half / 2, cy, half, true, color); break;
    case kLeft: horizontalArrow(dc, cx - half / 2, cy, half, false, color); break;
    case kDoubleRight:
        horizontalArrow(dc, cx, cy, half, true, color);
        horizontalArrow(dc, cx + half + 1, cy, half, true, color);
        break;
    case kDoubleLeft:
        horizontalArrow(dc, cx, cy, half, false, color);
        horizontalArrow(dc, cx - half - 1, cy, half, false, color);
        break;
    default: break;
    }
}

void CUGArrowType::GetBestSize(QPainter*, QSize* size, CUGCell* cell)
{
    const int style = styleOf(cell, kRight);
    size->setWidth(style == kDoubleRight || style == kDoubleLeft ? 14 : 10);
}

// ---- sort arrow -------------------------------------------------------------------------

CUGSortArrowType::CUGSortArrowType()
    : m_arrowWidth(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent))
{ }

QString CUGSortArrowType::GetName() const
{
    return QStringLiteral("Sort Arrow");
}

CUGCellType::Guid CUGSortArrowType::GetTypeGuid() const
{
    return {0x53, 0x4F, 0x52, 0x54, 0x41, 0x52, 0x00, 0x05, 0x9A, 0x51, 0x3C, 0x27, 0x61, 0x0B, 0xD4, 0x10};
}

void CUGSortArrowType::Draw(QPainter* dc, const Rect& rect, int column, int row, CUGCell* cell, int selected,
                            int current)
{
    Rect inner;
    DrawBorder(dc, rect, &inner, cell);
    DrawBackground(dc, inner, cell->GetBackColor());
    const int style = styleOf(cell, kAscending);
    Rect arrow(std::max(inner.left, inner.right - m_arrowWidth), inner.top, inner.right, inner.bottom);
    if (inner.Width() < m_arrowWidth)
        arrow = Rect(inner.left, inner.top, std::min(inner.right, inner.left + m_arrowWidth), inner.bottom);
    if (!gridctrl::PaintsOnPrinter(dc)) {
        const int half = std::max(1, std::min(m_arrowWidth / 4, inner.Height() - 1));
        const int cx = arrow.left + arrow.Width() / 2;
        const int cy = arrow.top + arrow.Height() / 2;
        dc->save();
        dc->setRenderHint(QPainter::Antialiasing, false);
        const bool up = style == kAscending;
        const QPoint tip(cx, up ? cy - half : cy + half);
        const QPoint left(cx - half, up ? cy + half : cy - half);
        const QPoint right(cx + half, up ? cy + half : cy - half);
        // Lit and shaded edges give the triangle its raised look.
        dc->setPen(up ? Qt::black : Qt::white);
        dc->drawLine(left, right);
        dc->setPen(Qt::white);
        dc->drawLine(tip, left);
        dc->setPen(Qt::black);
        dc->drawLine(tip, right);
        dc->restore();
    }
    Rect text = inner;
    text.right = arrow.left;
    DrawText(dc, text, 0, column, row, cell, selected, current);
}

void CUGSortArrowType::GetBestSize(QPainter* dc, QSize* size, CUGCell* cell)
{
    CUGCellType::GetBestSize(dc, size, cell);
    size->setWidth(size->width() + m_arrowWidth);
}

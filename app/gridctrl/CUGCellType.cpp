#include "gridctrl/CUGCellType.h"

#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGDataSource.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

using platform::ColorRef;
using platform::ToQColor;

CUGCellType::CUGCellType() = default;
CUGCellType::~CUGCellType() = default;

QString CUGCellType::GetName() const
{
    return QStringLiteral("Normal Cell Type (default)");
}

CUGCellType::Guid CUGCellType::GetTypeGuid() const
{
    return {0x4E, 0x4F, 0x52, 0x4D, 0x41, 0x4C, 0x00, 0x01, 0x9A, 0x51, 0x3C, 0x27, 0x61, 0x0B, 0xD4, 0x10};
}

int CUGCellType::Notify(int typeIndex, int column, int row, int message, long long parameter)
{
    return m_ctrl ? m_ctrl->OnCellTypeMessage(typeIndex, column, row, message, parameter) : 0;
}

void CUGCellType::DrawBackground(QPainter* dc, const Rect& rect, ColorRef color)
{
    if (!rect.IsEmpty())
        dc->fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(color));
    dc->setBackgroundMode(Qt::TransparentMode);
}

namespace {

void vLine(QPainter* dc, int x, int top, int bottom, const QColor& color)
{
    if (bottom > top)
        dc->fillRect(QRect(x, top, 1, bottom - top), color);
}

void hLine(QPainter* dc, int y, int left, int right, const QColor& color)
{
    if (right > left)
        dc->fillRect(QRect(left, y, right - left, 1), color);
}

int linesFor(int style, int thin, int medium, int thick)
{
    if (style & thick) return 3;
    if (style & medium) return 2;
    if (style & thin) return 1;
    return 0;
}

} // namespace

void CUGCellType::DrawBorder(QPainter* dc, const Rect& rect, Rect* inner, CUGCell* cell)
{
    *inner = rect;
    const CUGGridInfo* gi = m_ctrl ? m_ctrl->GetSheetInfo() : nullptr;
    bool gridLines = gi && gi->m_gridLines;
    const bool hasStyle = cell->IsPropertySet(CUGCell::kBorderStyle);
    if (!hasStyle && !gridLines)
        return;
    const int style = cell->GetBorderStyle();
    const QPen* pen = cell->GetBorderPen();
    const QColor borderColor = pen ? pen->color() : QColor(Qt::black);

    if (style & (kBorderRecessed | kBorderRaised)) {
        gridLines = false;
        const int width = gi ? std::max(1, gi->m_threeDWidth) : 1;
        const QColor shadow = ToQColor(platform::SystemColorRef(platform::SystemColor::ButtonShadow));
        const QColor light = ToQColor(platform::SystemColorRef(platform::SystemColor::ButtonHighlight));
        const bool recessed = style & kBorderRecessed;
        const QColor topLeft = recessed ? shadow : light;
        const QColor bottomRight = recessed ? light : shadow;
        for (int i = 0; i < width; ++i) {
            hLine(dc, inner->top, inner->left, inner->right, topLeft);
            vLine(dc, inner->left, inner->top, inner->bottom, topLeft);
            hLine(dc, inner->bottom - 1, inner->left, inner->right, bottomRight);
            vLine(dc, inner->right - 1, inner->top, inner->bottom, bottomRight);
            inner->Deflate(1, 1);
        }
    }

    const int left = linesFor(style, kBorderThinLeft, kBorderMediumLeft, kBorderThickLeft);
    const int top = linesFor(style, kBorderThinTop, kBorderMediumTop, kBorderThickTop);
    const int right = linesFor(style, kBorderThinRight, kBorderMediumRight, kBorderThickRight);
    const int bottom = linesFor(style, kBorderThinBottom, kBorderMediumBottom, kBorderThickBottom);
    const QColor gridColor = gi ? gi->m_gridLinePen.color() : QColor(220, 220, 220);

    // Right and bottom first, so that the grid line sits on the cell's edge.
    if (right > 0) {
        for (int i = 0; i < right; ++i)
            vLine(dc, inner->right - 1 - i, inner->top, inner->bottom, borderColor);
        inner->right -= right;
    } else if (gridLines) {
        vLine(dc, inner->right - 1, inner->top, inner->bottom, gridColor);
        inner->right -= 1;
    }
    if (bottom > 0) {
        for (int i = 0; i < bottom; ++i)
            hLine(dc, inner->bottom - 1 - i, inner->left, inner->right, borderColor);
        inner->bottom -= bottom;
    } else if (gridLines) {
        hLine(dc, inner->bottom - 1, inner->left, inner->right, gridColor);
        inner->bottom -= 1;
    }
    for (int i = 0; i < left; ++i)
        vLine(dc, inner->left + i, inner->top, inner->bottom, borderColor);
    inner->left += left;
    for (int i = 0; i < top; ++i)
        hLine(dc, inner->top + i, inner->left, inner->right, borderColor);
    inner->top += top;
}

int CUGCellType::DrawBitmap(QPainter* dc, const QPixmap* bitmap, const Rect& rect, ColorRef backColor)
{
    if (!bitmap || bitmap->isNull())
        return 0;
    int width = bitmap->width();
    int height = bitmap->height();
    const int room = rect.Height() - 4;
    if (height > room && room > 0) {
        width = std::min(width * room / std::max(1, height), rect.Width() - 4);
        height = room;
    }
    const int y = height > room ? rect.top + 2 : rect.top + (rect.Height() - height) / 2;
    DrawBackground(dc, Rect(rect.left, rect.top, std::min(rect.right, rect.left + width + 6), rect.bottom), backColor);
    const bool printer = dc->device() && dc->device()->devType() == QInternal::Printer;
    if (!printer && width > 0 && height > 0)
        dc->drawPixmap(QRect(rect.left + 2, std::max(rect.top + 2, y), width, height), *bitmap);
    return width + 4;
}

void CUGCellType::drawCellText(QPainter* dc, const Rect& rect, int offset, CUGCell* cell, bool highlighted)
{
    const CUGGridInfo* gi = m_ctrl ? m_ctrl->GetSheetInfo() : nullptr;
    const int margin = gi ? gi->m_cellMargin : 2;
    const int style = cell->GetCellTypeStyle();
    const bool useLabel = m_showLabel || (style & kStyleLabel);
    QString text;
    if (!useLabel && cell->IsPropertySet(CUGCell::kText))
        text = cell->GetText();
    else if (useLabel && cell->IsPropertySet(CUGCell::kLabel))
        text = cell->GetLabelText();

    dc->save();
    if (const QFont* font = cell->GetFont())
        dc->setFont(*font);
    const ColorRef textColor = highlighted ? cell->GetHighlightTextColor() : cell->GetTextColor();
    const ColorRef backColor = highlighted ? cell->GetHighlightBackColor() : cell->GetBackColor();
    DrawBackground(dc, rect, backColor);

    Rect textRect = rect;
    int start = rect.left + margin + offset;
    if (const QPixmap* bitmap = cell->GetBitmap()) {
        const int used = DrawBitmap(dc, bitmap, Rect(rect.left + std::max(0, offset), rect.top, rect.right, rect.bottom), backColor);
        start += used;
        textRect.left += used;
    }
    if (text.isEmpty()) {
        dc->restore();
        return;
    }
    const QFontMetrics fm(dc->font());
    const int textWidth = fm.horizontalAdvance(text);
    const int textHeight = fm.height();
    const int alignment = cell->GetAlignment();
    int x = start;
    if (alignment & CUGCell::kAlignCenter)
        x = rect.left + (rect.Width() - textWidth) / 2;
    else if (alignment & CUGCell::kAlignRight)
        x = rect.right - margin - textWidth;
    x = std::max(x, start);
    int y = rect.top + 1;
    if (alignment & CUGCell::kAlignVCenter)
        y = rect.top + (rect.Height() - textHeight) / 2;
    else if (alignment & CUGCell::kAlignBottom)
        y = rect.bottom - textHeight - 1;

    QRect clip(textRect.left, textRect.top, textRect.Width(), textRect.Height());
    if (offset < 0)
        clip.setLeft(clip.left() - 1);
    dc->setClipRect(clip, Qt::IntersectClip);
    dc->setPen(ToQColor(textColor));
    if (style & kStyleMultiLine) {
        int flags = Qt::TextWordWrap;
        flags |= (alignment & CUGCell::kAlignCenter) ? Qt::AlignHCenter
                 : (alignment & CUGCell::kAlignRight) ? Qt::AlignRight : Qt::AlignLeft;
        flags |= (alignment & CUGCell::kAlignVCenter) ? Qt::AlignVCenter
                 : (alignment & CUGCell::kAlignBottom) ? Qt::AlignBottom : Qt::AlignTop;
        const QRect area(textRect.left + margin + offset, textRect.top,
                         textRect.Width() - 2 * margin - offset, textRect.Height());
        dc->drawText(area, flags, text);
    } else if (style & kStyleEllipsis) {
        const int left = std::max(x, textRect.left + 3);
        const QString elided = fm.elidedText(text, Qt::ElideRight, std::max(0, textRect.right - left));
        dc->drawText(QPoint(left, y + fm.ascent()), elided);
    } else {
        dc->drawText(QPoint(x, y + fm.ascent()), text);
    }
    dc->restore();
}

void CUGCellType::DrawText(QPainter* dc, const Rect& rect, int offset, int column, int row, CUGCell* cell,
                           int selected, int current)
{
    const CUGGridInfo* gi = m_ctrl ? m_ctrl->GetSheetInfo() : nullptr;
    const bool currentHighlighted = current && gi && (gi->m_highlightRowFlag & 2);
    drawCellText(dc, rect, offset, cell, selected || currentHighlighted);
}

void CUGCellType::Draw(QPainter* dc, const Rect& rect, int column, int row, CUGCell* cell, int selected,
                       int current)
{
    const CUGGridInfo* gi = m_ctrl ? m_ctrl->GetSheetInfo() : nullptr;
    const bool mayOverflow = gi && gi->m_enableExpandingEditor && m_canOverflow
        && !cell->IsPropertySet(CUGCell::kCellTypeStyle) && !cell->IsPropertySet(CUGCell::kJoin)
        && cell->IsPropertySet(CUGCell::kAlignment) && (cell->GetAlignment() & CUGCell::kAlignLeft);
    Rect inner;
    if (mayOverflow) {
        if (cell->GetTextLength() > 0) {
            // Its text may run into the next cell, which must draw it again.
            m_ctrl->QueueCellRepaint(column + 1, row);
        } else {
            int source = -1;
            CUGCell sourceCell;
            const int offset = GetOverflowSource(dc, column, row, &source, &sourceCell);
            if (offset != 0) {
                DrawBorder(dc, rect, &inner, cell);
                DrawText(dc, inner, offset, source, row, &sourceCell, selected, current);
                m_ctrl->QueueCellRepaint(column + 1, row);
                return;
            }
        }
    }
    DrawBorder(dc, rect, &inner, cell);
    DrawText(dc, inner, 0, column, row, cell, selected, current);
}

int CUGCellType::GetOverflowSource(QPainter* dc, int column, int row, int* sourceColumn, CUGCell* scratch)
{
    const bool printer = dc && dc->device() && dc->device()->devType() == QInternal::Printer;
    if (!printer)
        m_printScale = 1.0;
    if (!m_ctrl || !m_ctrl->GetSheetInfo()->m_enableExpandingEditor)
        return 0;
    CUGDataSource* source = m_ctrl->GetCurrentDataSource();
    int found = m_ctrl->GetColumnMapping(column);
    if (!source || source->FindTextColumnLeft(&found, row) != 0)
        return 0;
    // Back from the data column to the first grid column that shows it.
    int gridColumn = found;
    for (int c = 0; c < m_ctrl->GetColumnCount(); ++c)
        if (m_ctrl->GetColumnMapping(c) == found) {
            gridColumn = c;
            break;
        }
    if (gridColumn < 0 || gridColumn >= column)
        return 0;
    m_ctrl->GetCellWithDefaults(gridColumn, row, scratch);
    CUGCellType* type = m_ctrl->GetCellTypeByIndex(scratch->IsPropertySet(CUGCell::kCellType) ? scratch->GetCellType() : 0);
    const bool overflows = type->MayOverflow() && !scratch->IsPropertySet(CUGCell::kCellTypeStyle)
        && !scratch->IsPropertySet(CUGCell::kJoin) && scratch->IsPropertySet(CUGCell::kAlignment)
        && (scratch->GetAlignment() & CUGCell::kAlignLeft);
    QSize size;
    type->GetBestSize(dc, &size, scratch);
    if (!overflows || size.width() <= m_ctrl->GetColumnWidth(gridColumn))
        return 0;
    int sum = 0;
    int c = gridColumn;
    while (c < column && sum + m_ctrl->GetColumnWidth(c) <= size.width()) {
        sum += m_ctrl->GetColumnWidth(c);
        ++c;
    }
    if (c != column)
        return 0;
    *sourceColumn = gridColumn;
    return -static_cast<int>(sum * m_printScale);
}

void CUGCellType::GetBestSize(QPainter* dc, QSize* size, CUGCell* cell)
{
    QFont font;
    if (const QFont* own = cell->GetFont())
        font = *own;
    else if (m_ctrl && m_ctrl->GetDefaultFont())
        font = *m_ctrl->GetDefaultFont();
    else if (dc)
        font = dc->font();
    const QFontMetrics fm(font);
    const QString text = cell->GetDisplayText();
    const int style = cell->GetCellTypeStyle();
    QRect bounds;
    if (style == 0 || (style & 1))
        bounds = QRect(0, 0, fm.horizontalAdvance(text), fm.height());
    else
        bounds = fm.boundingRect(QRect(0, 0, 1000, 10000), Qt::TextWordWrap, text);
    int bitmapWidth = 0;
    if (const QPixmap* bitmap = cell->GetBitmap(); bitmap && bitmap->height() > 0)
        bitmapWidth = bitmap->width() * std::max(bounds.height(), size->height()) / bitmap->height();
    *size = QSize(bounds.width() + bitmapWidth + 6, bounds.height() + 2);
}

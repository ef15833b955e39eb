#include "layouts/ui/DiagramIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

void DrawCheck(QPainter& p, const QRectF& box)
{
    QPainterPath tick;
    tick.moveTo(box.left() + box.width() * 0.2, box.top() + box.height() * 0.5);
    tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.75);
    tick.lineTo(box.left() + box.width() * 0.8, box.top() + box.height() * 0.22);
    p.setPen(QPen(QColor(0x10, 0x60, 0x10), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void DrawBox(QPainter& p, int size)
{
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(Qt::white);
    p.drawRect(0, 0, size - 1, size - 1);
}

} // namespace

QPixmap MakeDiagramPixmap(DiagramIcon kind, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, kind != DiagramIcon::Checked && kind != DiagramIcon::Unchecked);
    const QColor ink(0x30, 0x30, 0x60);
    switch (kind) {
    case DiagramIcon::Turn:
        // A sheet standing and the same sheet lying, joined by an arrow.
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(0xD3, 0xDC, 0xFE));
        p.drawRect(1, 1, 5, 10);
        p.drawRect(5, 10, 10, 5);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 1, 10, 10), 0, 90 * 16);
        p.drawLine(QPointF(14, 6), QPointF(12, 4));
        p.drawLine(QPointF(14, 6), QPointF(15.5, 4));
        break;
    case DiagramIcon::LabelStyle: {
        QFont font = p.font();
        font.setPixelSize(13);
        font.setBold(true);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("A"));
        break;
    }
    case DiagramIcon::CheckAll:
    case DiagramIcon::Checked:
        DrawBox(p, size);
        DrawCheck(p, QRectF(0, 0, size, size));
        break;
    case DiagramIcon::UncheckAll:
    case DiagramIcon::Unchecked:
        DrawBox(p, size);
        break;
    case DiagramIcon::QuickPrint:
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 8, 6);
        p.setBrush(QColor(0xB0, 0xB0, 0xB0));
        p.drawRect(1, 6, 14, 6);
        p.setBrush(Qt::white);
        p.drawRect(4, 10, 8, 5);
        break;
    case DiagramIcon::PinAll:
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(0xE0, 0x30, 0x30));
        p.drawEllipse(QRectF(4, 1, 8, 8));
        p.drawLine(QPointF(8, 9), QPointF(8, 15));
        break;
    }
    return pixmap;
}

QIcon MakeDiagramIcon(DiagramIcon kind)
{
    return QIcon(MakeDiagramPixmap(kind));
}

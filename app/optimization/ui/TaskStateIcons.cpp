#include "optimization/ui/TaskStateIcons.h"

#include "optimization/RunProgressDialog.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 16;

void DrawWaiting(QPainter& p)
{
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.5));
    p.setBrush(QColor(0xF0, 0xF0, 0xF0));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 8));
}

void DrawRunning(QPainter& p)
{
    QPainterPath arrow;
    arrow.moveTo(4, 2);
    arrow.lineTo(13, 8);
    arrow.lineTo(4, 14);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0x10, 0x30, 0x90), 1));
    p.setBrush(QColor(0x30, 0x70, 0xE0));
    p.drawPath(arrow);
}

void DrawFinished(QPainter& p)
{
    QPainterPath tick;
    tick.moveTo(2.5, 8.5);
    tick.lineTo(6.5, 12.5);
    tick.lineTo(13.5, 3.5);
    p.setPen(QPen(QColor(0x10, 0x90, 0x20), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

} // namespace

QIcon MakeTaskStateIcon(int state)
{
    if (state < TaskProgressRow::Waiting || state > TaskProgressRow::Finished)
        return {};
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (state == TaskProgressRow::Waiting)
        DrawWaiting(p);
    else if (state == TaskProgressRow::Running)
        DrawRunning(p);
    else
        DrawFinished(p);
    p.end();
    return QIcon(pixmap);
}

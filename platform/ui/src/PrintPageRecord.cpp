#include "PrintPageRecord.h"

#include "PrintTextLayout.h"
#include "platform/ui/ColorRef.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr double kTwipsPerPoint = 20.0;
constexpr double kHatchSpacing = 90.0; // 1/16 inch between hatch lines
constexpr double kHeaderGap = 90.0; // between the header and the body

// PDF output takes a new paper for every page; other print engines (a
// printer's own, the preview's) refuse it once the job has begun.
bool CanChangePaperWithinJob(QPagedPaintDevice& device)
{
    auto* printer = dynamic_cast<QPrinter*>(&device);
    if (!printer)
        return true;
    const QPaintEngine* engine = printer->paintEngine();
    return engine && engine->type() == QPaintEngine::Pdf;
}

QPageLayout LayoutOf(const PageGeometry& geometry)
{
    return QPageLayout(geometry.paper,
        geometry.orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

QTransform FrameOf(QPointF origin, int angle)
{
    QTransform frame;
    frame.translate(origin.x(), origin.y());
    if (angle != 0)
        frame.rotate(-angle / 10.0);
    return frame;
}

Qt::PenStyle PenStyleOf(int style)
{
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

QPen PenOf(const DrawSettings& draw)
{
    QPen pen(ToQColor(draw.penColor));
    pen.setStyle(PenStyleOf(draw.penStyle));
    pen.setWidthF(draw.penWidth);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Hatch lines in the brush colour over white, clipped to the rectangle.
void DrawHatch(QPainter& painter, const QRectF& rect, int hatch, const QColor& color)
{
    painter.fillRect(rect, Qt::white);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    QPen pen(color);
    pen.setWidthF(0);
    painter.setPen(pen);
    const bool horizontal = hatch == 0 || hatch == 4;
    const bool vertical = hatch == 1 || hatch == 4;
    const bool falling = hatch == 2 || hatch == 5; // top-left to bottom-right
    const bool rising = hatch == 3 || hatch == 5;
    if (horizontal) {
        for (double y = rect.top() + kHatchSpacing / 2; y < rect.bottom(); y += kHatchSpacing)
            painter.drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
    }
    if (vertical) {
        for (double x = rect.left() + kHatchSpacing / 2; x < rect.right(); x += kHatchSpacing)
            painter.drawLine(QPointF(x, rect.top()), QPointF(x, rect.bottom()));
    }
    const double h = rect.height();
    for (double x = rect.left() - h; x < rect.right(); x += kHatchSpacing) {
        if (falling)
            painter.drawLine(QPointF(x, rect.top()), QPointF(x + h, rect.bottom()));
        if (rising)
            painter.drawLine(QPointF(x, rect.bottom()), QPointF(x + h, rect.top()));
    }
    painter.restore();
}

void DrawShape(QPainter& painter, const ShapeItem& shape)
{
    if (shape.kind == ShapeItem::Line) {
        painter.setPen(PenOf(shape.draw));
        painter.drawLine(shape.line);
        return;
    }
    QRectF rect = shape.rect.normalized();
    const QColor brushColor = ToQColor(shape.draw.brushColor);
    QPainterPath outline;
    outline.addRoundedRect(rect, shape.corner.x() / 2, shape.corner.y() / 2);
    if (shape.draw.brushStyle == 0) {
        painter.fillPath(outline, brushColor);
    } else if (shape.draw.brushStyle >= 2 && shape.draw.brushStyle <= 7) {
        painter.save();
        painter.setClipPath(outline, Qt::IntersectClip);
        DrawHatch(painter, rect, shape.draw.brushStyle - 2, brushColor);
        painter.restore();
    }
    if (shape.draw.penStyle == 5)
        return;
    if (shape.draw.penStyle == 6 && shape.draw.penWidth > 0) {
        const double half = shape.draw.penWidth / 2.0;
        rect.adjust(half, half, -half, -half);
    }
    painter.setPen(PenOf(shape.draw));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect, shape.corner.x() / 2, shape.corner.y() / 2);
}

void DrawText(QPainter& painter, const TextItem& text)
{
    painter.setFont(TwipsFont(text.font));
    painter.setPen(ToQColor(text.color));
    painter.drawText(text.baseline, text.text);
}

// "left|centre|right" above the top margin.
void DrawHeader(QPainter& painter, const PageRecord& page)
{
    if (page.header.isEmpty())
        return;
    const PageGeometry& geometry = page.geometry;
    const QStringList parts = page.header.split(QLatin1Char('|'));
    const double lineHeight = TwipsLineHeight(page.headerFont);
    const double top = std::max(0.0, geometry.marginTop - lineHeight - kHeaderGap);
    const double baseline = top + TwipsAscent(page.headerFont);
    const double left = geometry.BodyLeft();
    const double right = geometry.BodyRight();
    painter.setFont(TwipsFont(page.headerFont));
    painter.setPen(Qt::black);
    for (qsizetype i = 0; i < std::min<qsizetype>(parts.size(), 3); ++i) {
        const double width = TwipsTextWidth(page.headerFont, parts[i]);
        double x = left;
        if (i == 1)
            x = (left + right - width) / 2;
        else if (i == 2)
            x = right - width;
        painter.drawText(QPointF(x, baseline), parts[i]);
    }
}

void DrawPage(QPainter& painter, const PageRecord& page, const QTransform& toDevice)
{
    painter.setWorldTransform(toDevice);
    DrawHeader(painter, page);
    for (const PageItem& item : page.items) {
        painter.save();
        if (const auto* text = std::get_if<TextItem>(&item)) {
            painter.setWorldTransform(FrameOf(text->origin, text->angle) * toDevice);
            DrawText(painter, *text);
        } else if (const auto* shape = std::get_if<ShapeItem>(&item)) {
            painter.setWorldTransform(FrameOf(shape->origin, shape->angle) * toDevice);
            DrawShape(painter, *shape);
        } else if (const auto* picture = std::get_if<PictureItem>(&item)) {
            // Playing a picture scales it from its own resolution to the
            // device's; its units are twips already, so undo that scale.
            const QPicture& recorded = *picture->picture;
            painter.scale(static_cast<double>(recorded.logicalDpiX()) / painter.device()->logicalDpiX(),
                static_cast<double>(recorded.logicalDpiY()) / painter.device()->logicalDpiY());
            painter.drawPicture(0, 0, recorded);
        }
        painter.restore();
    }
}
} // namespace

double PageGeometry::Width() const
{
    const QSizeF size = paper.size(QPageSize::Point) * kTwipsPerPoint;
    return orientation == 1 ? size.height() : size.width();
}

double PageGeometry::Height() const
{
    const QSizeF size = paper.size(QPageSize::Point) * kTwipsPerPoint;
    return orientation == 1 ? size.width() : size.height();
}

double PageGeometry::BodyBottom() const
{
    return Height() - std::max(marginBottom, footerMargin);
}

bool RenderPages(const std::vector<PageRecord>& pages, QPagedPaintDevice& device, const PageGate& gate)
{
    if (pages.empty())
        return true;
    if (auto* printer = dynamic_cast<QPrinter*>(&device))
        printer->setFullPage(true);
    device.setPageLayout(LayoutOf(pages.front().geometry));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QTransform toDevice
        = QTransform::fromScale(device.logicalDpiX() / 1440.0, device.logicalDpiY() / 1440.0);
    const int count = static_cast<int>(pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (gate && !gate(static_cast<int>(i), count)) {
            // The pages already sent stay sent; a printer drops the job.
            if (auto* printer = dynamic_cast<QPrinter*>(&device))
                printer->abort();
            painter.end();
            return true;
        }
        // A page's paper and orientation are set before it begins, where the
        // device can change them within a job (PDF output can; a printer or
        // the preview keep the first page's paper and only warn).
        if (i > 0) {
            const QPageLayout layout = LayoutOf(pages[i].geometry);
            if (!layout.isEquivalentTo(device.pageLayout()) && CanChangePaperWithinJob(device))
                device.setPageLayout(layout);
            device.newPage();
        }
        DrawPage(painter, pages[i], toDevice);
    }
    return painter.end();
}

} // namespace platform

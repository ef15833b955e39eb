#include "layouts/BadgePainter.h"

#include <QPainter>

#include <cmath>

namespace {

// A drawing pin seen from the side: a red head over a grey needle, on a
// transparent ground with softened edges.
QImage MakePinImage()
{
    QImage image(BadgePainter::kSize, BadgePainter::kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb head = qRgba(0xD0, 0x20, 0x20, 0xFF);
    const QRgb rim = qRgba(0xD0, 0x20, 0x20, 0x80);
    const QRgb needle = qRgba(0x60, 0x60, 0x60, 0xFF);
    for (int y = 0; y < BadgePainter::kSize; ++y) {
        for (int x = 0; x < BadgePainter::kSize; ++x) {
            const double dx = x - 7.5, dy = y - 5.5;
            const double r = std::sqrt(dx * dx + dy * dy);
            if (r <= 4.5)
                image.setPixel(x, y, head);
            else if (r <= 5.5)
                image.setPixel(x, y, rim);
            else if ((x == 7 || x == 8) && y > 10)
                image.setPixel(x, y, needle);
        }
    }
    return image;
}

// Colour channels times alpha / 255, rounded to the nearest integer.
QImage Premultiplied(const QImage& straight)
{
    QImage out(straight.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < straight.height(); ++y) {
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb p = straight.pixel(x, y);
            const int a = qAlpha(p);
            auto scale = [a](int c) { return (c * a + 127) / 255; };
            reinterpret_cast<QRgb*>(out.scanLine(y))[x]
                = qRgba(scale(qRed(p)), scale(qGreen(p)), scale(qBlue(p)), a);
        }
    }
    return out;
}

} // namespace

const std::shared_ptr<BadgePainter>& BadgePainter::Get()
{
    static const std::shared_ptr<BadgePainter> instance = std::make_shared<BadgePainter>();
    return instance;
}

BadgePainter::BadgePainter()
    : m_badge(Premultiplied(MakePinImage()))
{ }

void BadgePainter::Draw(QPainter& dc, const platform::Rect& rect) const
{
    dc.save();
    dc.setCompositionMode(QPainter::CompositionMode_SourceOver);
    dc.drawImage(QPoint(rect.right - kSize, rect.bottom - kSize), m_badge);
    dc.restore();
}

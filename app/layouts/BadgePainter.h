#pragma once
// The pin badge of pinned diagrams: a 16 x 16 picture with per-pixel alpha,
// blended into the bottom-right corner of a rectangle.

#include "platform/Rect.h"

#include <QImage>

#include <memory>

class QPainter;

class BadgePainter
{
public:
    static constexpr int kSize = 16;

    // The one instance, made on first use.
    static const std::shared_ptr<BadgePainter>& Get();

    BadgePainter();
    // The badge's right and bottom edges meet the rectangle's, even when
    // the rectangle is smaller than the badge.
    void Draw(QPainter& dc, const platform::Rect& rect) const;
    const QImage& GetImage() const { return m_badge; }

private:
    QImage m_badge; // premultiplied ARGB
};

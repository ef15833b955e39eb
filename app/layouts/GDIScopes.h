#pragma once
// Painter state changed for one drawing step, restored when the scope ends,
// so no painter leaves a font, pen or brush behind for the next one. Text is
// drawn with the painter's pen, so the text colour is the pen's colour.

#include "platform/Rect.h"
#include "platform/ui/ColorRef.h"

#include <QBrush>
#include <QFont>
#include <QPainter>
#include <QPen>

class CGDI
{
public:
    explicit CGDI(QPainter* dc)
        : m_dc(dc)
    { }
    virtual ~CGDI() = default;
    CGDI(const CGDI&) = delete;
    CGDI& operator=(const CGDI&) = delete;

protected:
    QPainter* m_dc;
};

class CGDITextColor : public CGDI
{
public:
    CGDITextColor(QPainter* dc, platform::ColorRef color);
    ~CGDITextColor() override;

private:
    QPen m_previous;
};

class CGDIBackColor : public CGDI
{
public:
    CGDIBackColor(QPainter* dc, platform::ColorRef color);
    ~CGDIBackColor() override;

private:
    QBrush m_previous;
};

// Opaque: text and hatch gaps are filled with the background colour.
class CGDIBackMode : public CGDI
{
public:
    CGDIBackMode(QPainter* dc, Qt::BGMode mode);
    ~CGDIBackMode() override;

private:
    Qt::BGMode m_previous;
};

template <class T> class CGDIObject;

template <> class CGDIObject<QFont> : public CGDI
{
public:
    CGDIObject(QPainter* dc, const QFont& font)
        : CGDI(dc)
        , m_previous(dc->font())
    {
        dc->setFont(font);
    }
    ~CGDIObject() override { m_dc->setFont(m_previous); }

private:
    QFont m_previous;
};

template <> class CGDIObject<QPen> : public CGDI
{
public:
    CGDIObject(QPainter* dc, const QPen& pen)
        : CGDI(dc)
        , m_previous(dc->pen())
    {
        dc->setPen(pen);
    }
    ~CGDIObject() override { m_dc->setPen(m_previous); }

private:
    QPen m_previous;
};

template <> class CGDIObject<QBrush> : public CGDI
{
public:
    CGDIObject(QPainter* dc, const QBrush& brush)
        : CGDI(dc)
        , m_previous(dc->brush())
    {
        dc->setBrush(brush);
    }
    ~CGDIObject() override { m_dc->setBrush(m_previous); }

private:
    QBrush m_previous;
};

enum class StockObject { NullPen, NullBrush, WhiteBrush, BlackPen };

class CGDIStockObject : public CGDI
{
public:
    CGDIStockObject(QPainter* dc, StockObject object);
    ~CGDIStockObject() override;

private:
    bool m_isPen;
    QPen m_previousPen;
    QBrush m_previousBrush;
};

// The same rectangle for Qt (right and bottom stay outside).
inline QRect ToQRect(const platform::Rect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// A brush from a stored colour and pattern: 65535 solid, -1 solid white,
// any other value the hatch of that number.
QBrush MakePatternBrush(platform::ColorRef color, int pattern);
// True for a pattern that is drawn as a hatch.
bool IsHatchPattern(int pattern);

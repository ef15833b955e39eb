#include "layouts/GDIScopes.h"
#include "layouts/LayoutPrefs.h"

CGDITextColor::CGDITextColor(QPainter* dc, platform::ColorRef color)
    : CGDI(dc)
    , m_previous(dc->pen())
{
    QPen pen = m_previous;
    if (pen.style() == Qt::NoPen)
        pen.setStyle(Qt::SolidLine);
    pen.setColor(platform::ToQColor(color));
    dc->setPen(pen);
}

CGDITextColor::~CGDITextColor()
{
    m_dc->setPen(m_previous);
}

CGDIBackColor::CGDIBackColor(QPainter* dc, platform::ColorRef color)
    : CGDI(dc)
    , m_previous(dc->background())
{
    dc->setBackground(QBrush(platform::ToQColor(color)));
}

CGDIBackColor::~CGDIBackColor()
{
    m_dc->setBackground(m_previous);
}

CGDIBackMode::CGDIBackMode(QPainter* dc, Qt::BGMode mode)
    : CGDI(dc)
    , m_previous(dc->backgroundMode())
{
    dc->setBackgroundMode(mode);
}

CGDIBackMode::~CGDIBackMode()
{
    m_dc->setBackgroundMode(m_previous);
}

CGDIStockObject::CGDIStockObject(QPainter* dc, StockObject object)
    : CGDI(dc)
    , m_isPen(object == StockObject::NullPen || object == StockObject::BlackPen)
    , m_previousPen(dc->pen())
    , m_previousBrush(dc->brush())
{
    switch (object) {
    case StockObject::NullPen:
        dc->setPen(Qt::NoPen);
        break;
    case StockObject::BlackPen:
        dc->setPen(QPen(Qt::black, 1));
        break;
    case StockObject::NullBrush:
        dc->setBrush(Qt::NoBrush);
        break;
    case StockObject::WhiteBrush:
        dc->setBrush(QBrush(Qt::white));
        break;
    }
}

CGDIStockObject::~CGDIStockObject()
{
    if (m_isPen)
        m_dc->setPen(m_previousPen);
    else
        m_dc->setBrush(m_previousBrush);
}

bool IsHatchPattern(int pattern)
{
    return pattern != LayoutPref::SolidPattern && pattern != LayoutPref::WhitePattern;
}

QBrush MakePatternBrush(platform::ColorRef color, int pattern)
{
    if (pattern == LayoutPref::WhitePattern)
        return QBrush(Qt::white);
    if (pattern == LayoutPref::SolidPattern)
        return QBrush(platform::ToQColor(color));
    return QBrush(platform::ToQColor(color), platform::HatchBrushStyle(pattern));
}

#include "layouts/CDCScreenDriver.h"

#include "foundation/UIResources.h"
#include "layouts/GDIScopes.h"
#include "layouts/LayoutPrefs.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kDefaultSmallPartsHeight = 80;
constexpr int kDefaultExLargeHeight = 160;
constexpr int kTallMeasure = 1 << 20;

QFontMetrics Metrics(QPainter* dc)
{
    return QFontMetrics(dc->font(), dc->device());
}

QString JoinLines(QString text)
{
    return text.replace(QStringLiteral("\n"), QStringLiteral(" - "));
}

// Text turned 90 degrees, read upwards: in the turned frame x runs up the
// rectangle from its bottom edge and y rightwards from its left edge. With
// the painter's background mode opaque, Qt fills behind the glyphs, as
// the desktop's device contexts do.
void DrawTurned(QPainter* dc, const platform::Rect& rect, int flags, const QString& text)
{
    const platform::Rect r = rect.Normalized();
    dc->save();
    dc->setClipRect(ToQRect(r), Qt::IntersectClip);
    dc->translate(r.left, r.bottom);
    dc->rotate(-90.0);
    dc->drawText(QRect(0, 0, r.Height(), r.Width()), flags, text);
    dc->restore();
}

void DrawOneLine(QPainter* dc, const platform::Rect& rect, int alignment, const QString& text, bool elide)
{
    const QRect box = ToQRect(rect);
    const QString shown
        = elide ? Metrics(dc).elidedText(text, Qt::ElideRight, std::max(0, box.width())) : text;
    dc->drawText(box, alignment | Qt::TextSingleLine, shown);
}

// The reference height belongs to one face and size: when either preference
// changes, the next part number is measured again.
struct PartNumberReference
{
    QString face;
    int size = 0;
    int dpi = 0;
    int height = 0;
};

PartNumberReference& Reference()
{
    static PartNumberReference reference;
    return reference;
}

} // namespace

CDCScreenDriver::CDCScreenDriver(QPainter* dc)
    : m_dc(dc)
{
    m_dc->setPen(QPen(Qt::black, 1));
    m_dc->setBrush(Qt::NoBrush);
    m_dc->setBackground(QBrush(Qt::white));
    m_dc->setBackgroundMode(Qt::OpaqueMode);
    m_dc->setRenderHint(QPainter::Antialiasing, false);
}

int CDCScreenDriver::GetTextHeight()
{
    return Metrics(m_dc).height();
}

int CDCScreenDriver::GetSmallTextHeight()
{
    m_dc->setFont(GetUIResources()->GetSmallPartsFont());
    return GetTextHeight();
}

int CDCScreenDriver::GetTextWidth(const QString& text)
{
    return Metrics(m_dc).horizontalAdvance(text) + 2 * GetTextMarginX();
}

void CDCScreenDriver::DrawFramedText(platform::Rect rect, const QString& text)
{
    // A sunken edge: shadow on the top and left, light on the bottom and
    // right, two lines deep.
    const QRect box = ToQRect(rect);
    if (box.width() > 0 && box.height() > 0) {
        const QColor outerDark(0xA0, 0xA0, 0xA0), innerDark(0x69, 0x69, 0x69);
        const QColor outerLight(Qt::white), innerLight(0xE3, 0xE3, 0xE3);
        const int l = box.left(), t = box.top(), r = box.right(), b = box.bottom();
        m_dc->fillRect(QRect(l, t, box.width(), 1), outerDark);
        m_dc->fillRect(QRect(l, t, 1, box.height()), outerDark);
        m_dc->fillRect(QRect(l, b, box.width(), 1), outerLight);
        m_dc->fillRect(QRect(r, t, 1, box.height()), outerLight);
        m_dc->fillRect(QRect(l + 1, t + 1, box.width() - 2, 1), innerDark);
        m_dc->fillRect(QRect(l + 1, t + 1, 1, box.height() - 2), innerDark);
        m_dc->fillRect(QRect(l + 1, b - 1, box.width() - 2, 1), innerLight);
        m_dc->fillRect(QRect(r - 1, t + 1, 1, box.height() - 2), innerLight);
    }
    rect.left += GetTextMarginX();
    DrawOneLine(m_dc, rect, Qt::AlignLeft | Qt::AlignVCenter, text, true);
}

void CDCScreenDriver::DrawLabel(const QString& text, const platform::Rect& rect, bool vertical, int)
{
    if (!vertical) {
        m_dc->drawText(ToQRect(rect), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
        return;
    }
    const QString line = JoinLines(text);
    const int width = Metrics(m_dc).horizontalAdvance(line);
    const int along = Qt::TextSingleLine | Qt::AlignTop
        | (width < std::abs(rect.Height()) ? Qt::AlignHCenter : Qt::AlignLeft);
    DrawTurned(m_dc, rect, along, line);
}

bool CDCScreenDriver::TextFitsHeight(const QString& text, const platform::Rect& rect, bool vertical)
{
    const int across = std::abs(vertical ? rect.Height() : rect.Width());
    const int limit = std::abs(vertical ? rect.Width() : rect.Height());
    const QRect measured = Metrics(m_dc).boundingRect(
        QRect(0, 0, across, kTallMeasure), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
    return std::abs(measured.height()) < limit;
}

bool CDCScreenDriver::TextFitsWidth(const QString& text, const platform::Rect& rect)
{
    return Metrics(m_dc).horizontalAdvance(text) * 1.5 < std::abs(rect.Width());
}

void CDCScreenDriver::DrawRectangle(const platform::Rect& rect)
{
    const QRect box = ToQRect(rect.Normalized());
    if (box.isEmpty())
        return;
    const QBrush brush = m_dc->brush();
    if (brush.style() != Qt::NoBrush) {
        // Hatch gaps show the background colour in opaque mode.
        if (brush.style() != Qt::SolidPattern && m_dc->backgroundMode() == Qt::OpaqueMode)
            m_dc->fillRect(box, m_dc->background());
        m_dc->fillRect(box, brush);
    }
    const QPen pen = m_dc->pen();
    if (pen.style() == Qt::NoPen)
        return;
    // The outline lies inside the rectangle, as wide as the pen.
    const int w = std::max(1, pen.width());
    const QColor color = pen.color();
    m_dc->fillRect(QRect(box.left(), box.top(), box.width(), std::min(w, box.height())), color);
    m_dc->fillRect(
        QRect(box.left(), std::max(box.top(), box.bottom() + 1 - w), box.width(), std::min(w, box.height())),
        color);
    m_dc->fillRect(QRect(box.left(), box.top(), std::min(w, box.width()), box.height()), color);
    m_dc->fillRect(
        QRect(std::max(box.left(), box.right() + 1 - w), box.top(), std::min(w, box.width()), box.height()),
        color);
}

void CDCScreenDriver::DrawLine(int x1, int y1, int x2, int y2)
{
    m_dc->drawLine(x1, y1, x2, y2);
}

void CDCScreenDriver::DrawFittedLabel(const QString& text, const platform::Rect& rect, int value)
{
    const platform::Rect r = rect.Normalized();
    CGDITextColor color(m_dc, static_cast<platform::ColorRef>(value));
    CGDIBackMode mode(m_dc, Qt::TransparentMode);
    // Sized to the part's height; a part too narrow for that and taller
    // than wide gets the number turned, sized to its width.
    CGDIObject<QFont> font(m_dc, FancyPartNumberFont(r.Height(), m_dc->device()));
    const bool turned = !TextFitsWidth(text, r) && r.Height() > r.Width();
    if (turned)
        m_dc->setFont(FancyPartNumberFont(r.Width(), m_dc->device()));
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    if (turned) {
        DrawTurned(m_dc, r, flags, text);
        return;
    }
    m_dc->drawText(ToQRect(r), flags, text);
}

void CDCScreenDriver::DrawRightText(const QString& text, const platform::Rect& rect, bool opaque)
{
    CGDIBackColor back(m_dc, 0xFFFFFF);
    CGDIBackMode mode(m_dc, opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    DrawOneLine(m_dc, rect, Qt::AlignRight | Qt::AlignTop, text, true);
}

void CDCScreenDriver::DrawVerticalLabel(const QString& text, const platform::Rect& rect, bool opaque)
{
    CGDIBackColor back(m_dc, 0xFFFFFF);
    CGDIBackMode mode(m_dc, opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    DrawTurned(m_dc, rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void CDCScreenDriver::DrawAlignedText(const QString& text, int mode, const platform::Rect& rect)
{
    CGDIObject<QFont> font(m_dc, GetUIResources()->GetSmallPartsFont());
    CGDIBackColor back(m_dc, 0xFFFFFF);
    CGDIBackMode opaque(m_dc, Qt::OpaqueMode);
    const int along = Qt::AlignHCenter | Qt::TextSingleLine;
    const int flags = along | ((mode == 0 || mode == 2) ? Qt::AlignBottom : Qt::AlignTop);
    if (mode >= 2)
        DrawTurned(m_dc, rect, flags, text);
    else
        m_dc->drawText(ToQRect(rect), flags, text);
}

void CDCScreenDriver::DrawTextInRect(const QString& text, const platform::Rect& rect, bool vertical)
{
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    if (vertical)
        DrawTurned(m_dc, rect, flags, text);
    else
        m_dc->drawText(ToQRect(rect), flags, text);
}

void CDCScreenDriver::DrawVerticalText(const QString& text, const platform::Rect& rect)
{
    DrawTurned(m_dc, rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void CDCScreenDriver::DrawRightCentredText(const QString& text, const platform::Rect& rect)
{
    DrawOneLine(m_dc, rect, Qt::AlignRight | Qt::AlignVCenter, text, false);
}

int FancyPartNumberReferenceHeight(QPaintDevice* device)
{
    const QString face = LayoutPrefText(LayoutPref::DiagramFace, QStringLiteral("Verdana"));
    const int size = LayoutPrefInt(LayoutPref::ExLargeDiagramHeight, kDefaultExLargeHeight);
    const int dpi = device ? device->logicalDpiY() : 0;
    PartNumberReference& reference = Reference();
    if (reference.height <= 0 || reference.face != face || reference.size != size || reference.dpi != dpi) {
        const QFont font = MakePointFont(face, size, 700);
        const int height = device ? QFontMetrics(font, device).height() : QFontMetrics(font).height();
        reference = { face, size, dpi, static_cast<int>(height * 1.2) };
    }
    return reference.height;
}

QFont FancyPartNumberFont(int extent, QPaintDevice* device)
{
    const QString face = LayoutPrefText(LayoutPref::DiagramFace, QStringLiteral("Verdana"));
    const int size = LayoutPrefInt(LayoutPref::ExLargeDiagramHeight, kDefaultExLargeHeight);
    const int reference = FancyPartNumberReferenceHeight(device);
    if (reference <= 0 || extent >= reference)
        return MakePointFont(face, size, 700);
    const double ratio = static_cast<double>(size) / reference;
    const int scaled = static_cast<int>(extent * ratio);
    const int smallest = LayoutPrefInt(LayoutPref::SmallPartsHeight, kDefaultSmallPartsHeight);
    if (scaled < smallest)
        return MakePointFont(face, smallest);
    return MakePointFont(face, scaled, 700);
}

#include "gridctrl/CUGCheckBoxType.h"

#include "gridctrl/CUGCtrl.h"
#include "gridctrl/PaintHelpers.h"
#include "gridctrl/GridKeys.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

using platform::ColorRef;
using platform::SystemColor;
using platform::SystemColorRef;
using platform::ToQColor;

namespace {

constexpr ColorRef kLightGrey = 0xE1E1E1;

// Alternating pixels of face and highlight: the look of the third state and
// of read-only boxes.
QBrush makePatternBrush()
{
    QImage image(8, 8, QImage::Format_RGB32);
    const QRgb face = ToQColor(SystemColorRef(SystemColor::ButtonFace)).rgb();
    const QRgb light = ToQColor(SystemColorRef(SystemColor::ButtonHighlight)).rgb();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, ((x + y) % 2) ? light : face);
    return QBrush(image);
}

} // namespace

CUGCheckBoxType::CUGCheckBoxType()
    : m_patternBrush(makePatternBrush())
{
    m_drawsNormally = 0;
    m_canOverflow = 0;
}

QString CUGCheckBoxType::GetName() const
{
    return QStringLiteral("CheckBox");
}

CUGCellType::Guid CUGCheckBoxType::GetTypeGuid() const
{
    return {0x43, 0x48, 0x45, 0x43, 0x4B, 0x42, 0x00, 0x02, 0x9A, 0x51, 0x3C, 0x27, 0x61, 0x0B, 0xD4, 0x10};
}

void CUGCheckBoxType::OnSystemColorsChanged()
{
    m_patternBrush = makePatternBrush();
}

CUGCellType::Rect CUGCheckBoxType::BoxRect(const Rect& cell, int style, int alignment)
{
    const int size = std::min(cell.Height() - 6, 12);
    const int width = size + ((style & kRound) ? 1 : 0);
    int left = cell.left + 3;
    int top = cell.top + (cell.Height() - size) / 2;
    if (style & kAligned) {
        if (alignment & CUGCell::kAlignCenter)
            left = cell.left + (cell.Width() - width) / 2;
        else if (alignment & CUGCell::kAlignRight)
            left = cell.right - 6 - width;
        if (alignment & CUGCell::kAlignTop)
            top = cell.top + 3;
        else if (alignment & CUGCell::kAlignBottom)
            top = cell.bottom - 6 - size;
    }
    return Rect(left, top, left + width, top + size);
}

int CUGCheckBoxType::NextValue(double value, int style)
{
    const int modulus = (style & kThreeState) ? 3 : 2;
    const long long whole = static_cast<long long>(std::trunc(value));
    return static_cast<int>(((whole + 1) % modulus + modulus) % modulus);
}

void CUGCheckBoxType::Draw(QPainter* dc, const Rect& rect, int column, int row, CUGCell* cell, int selected,
                           int current)
{
    const CUGGridInfo* gi = m_ctrl ? m_ctrl->GetSheetInfo() : nullptr;
    const bool highlighted = selected || (current && gi && (gi->m_highlightRowFlag & 2));
    Rect inner;
    DrawBorder(dc, rect, &inner, cell);
    DrawBackground(dc, inner, highlighted ? cell->GetHighlightBackColor() : cell->GetBackColor());

    const int style = cell->GetCellTypeStyle() < 0 ? 0 : cell->GetCellTypeStyle();
    const Rect box = BoxRect(inner, style, cell->GetAlignment());
    if (box.Height() >= 6) {
        dc->save();
        dc->setRenderHint(QPainter::Antialiasing, false);
        const QColor shadow = ToQColor(SystemColorRef(SystemColor::ButtonShadow));
        const QColor face = ToQColor(SystemColorRef(SystemColor::ButtonFace));
        const QColor light = ToQColor(SystemColorRef(SystemColor::ButtonHighlight));
        const QRect r = gridctrl::ToQRect(box);
        const double value = cell->GetNumber();
        const bool readOnly = cell->GetReadOnly();
        if (style & kRound) {
            dc->setRenderHint(QPainter::Antialiasing, true);
            dc->setBrush(readOnly ? m_patternBrush : QBrush(Qt::white));
            dc->setPen(highlighted ? Qt::white : Qt::black);
            dc->drawEllipse(r.adjusted(0, 0, -1, -1));
        } else {
            dc->fillRect(r, (value > 1 || readOnly) ? m_patternBrush : QBrush(Qt::white));
            if (style & kSunken) {
                dc->setPen(shadow);
                dc->drawLine(r.topLeft(), r.topRight());
                dc->drawLine(r.topLeft(), r.bottomLeft());
                dc->setPen(light);
                dc->drawLine(r.bottomLeft(), r.bottomRight());
                dc->drawLine(r.topRight(), r.bottomRight());
                const QRect in = r.adjusted(1, 1, -1, -1);
                dc->setPen(Qt::black);
                dc->drawLine(in.topLeft(), in.topRight());
                dc->drawLine(in.topLeft(), in.bottomLeft());
                dc->setPen(face);
                dc->drawLine(in.bottomLeft(), in.bottomRight());
                dc->drawLine(in.topRight(), in.bottomRight());
            } else if (style & kRaised) {
                dc->setPen(light);
                dc->drawLine(r.topLeft(), r.topRight());
                dc->drawLine(r.topLeft(), r.bottomLeft());
                dc->setPen(Qt::black);
                dc->drawLine(r.bottomLeft(), r.bottomRight());
                dc->drawLine(r.topRight(), r.bottomRight());
                const QRect in = r.adjusted(1, 1, -1, -1);
                dc->setPen(ToQColor(kLightGrey));
                dc->drawLine(in.topLeft(), in.topRight());
                dc->drawLine(in.topLeft(), in.bottomLeft());
                dc->setPen(shadow);
                dc->drawLine(in.bottomLeft(), in.bottomRight());
                dc->drawLine(in.topRight(), in.bottomRight());
            } else {
                dc->setPen(Qt::black);
                dc->setBrush(Qt::NoBrush);
                dc->drawRect(r.adjusted(0, 0, -1, -1));
            }
        }
        if (value > 0) {
            const QColor mark = value >= 2 ? shadow : QColor(Qt::black);
            const QRect m = r.adjusted(3, 3, -3, -3);
            const int lineWidth = box.Height() > 9 ? 2 : 1;
            dc->setRenderHint(QPainter::Antialiasing, false);
            if (style & kRound) {
                dc->setPen(Qt::NoPen);
                dc->setBrush(value >= 2 ? shadow : (highlighted ? QColor(Qt::white) : QColor(Qt::black)));
                dc->drawEllipse(m);
            } else if (style & kCheckMark) {
                dc->setPen(QPen(mark, lineWidth));
                const QPoint a(m.left(), m.top() + m.height() / 2);
                const QPoint b(m.left() + m.width() / 3, m.bottom());
                dc->drawLine(a, b);
                dc->drawLine(b, m.topRight());
            } else {
                dc->setPen(QPen(mark, lineWidth));
                dc->drawLine(m.topLeft(), m.bottomRight());
                dc->drawLine(m.bottomLeft(), m.topRight());
            }
        }
        dc->restore();
    }
    if (!(style & kAligned)) {
        m_showLabel = 1;
        Rect label = inner;
        label.left = std::min(inner.right, inner.left + std::max(0, box.Height()) + 6);
        DrawText(dc, label, 0, column, row, cell, selected, current);
        m_showLabel = 0;
    }
}

bool CUGCheckBoxType::toggle(int column, int row, long long parameter)
{
    if (!m_ctrl)
        return false;
    m_ctrl->GetCellWithDefaults(column, row, &m_scratch);
    if (m_scratch.GetReadOnly())
        return false;
    const int value = NextValue(m_scratch.GetNumber(), m_scratch.GetCellTypeStyle() < 0 ? 0 : m_scratch.GetCellTypeStyle());
    CUGCell stored;
    m_ctrl->GetCell(column, row, &stored);
    stored.SetNumber(value);
    m_ctrl->SetCell(column, row, &stored);
    Notify(m_typeIndex, column, row, kMessageChanged, parameter < 0 ? value : parameter);
    m_ctrl->RedrawCell(column, row);
    return true;
}

int CUGCheckBoxType::OnLeftButton(int column, int row, int down, const Rect& rect, const Point& point)
{
    if (!down || !m_ctrl)
        return 0;
    m_ctrl->GetCellWithDefaults(column, row, &m_scratch);
    const int style = m_scratch.GetCellTypeStyle() < 0 ? 0 : m_scratch.GetCellTypeStyle();
    const Rect box = BoxRect(rect, style, m_scratch.GetAlignment());
    if (point.x < box.left || point.x >= box.right || point.y < box.top || point.y >= box.bottom)
        return 0;
    return toggle(column, row, -1) ? 1 : 0;
}

int CUGCheckBoxType::OnDoubleClick(int column, int row, const Rect& rect, const Point& point)
{
    return OnLeftButton(column, row, 1, rect, point);
}

int CUGCheckBoxType::OnChar(int column, int row, int* character)
{
    if (!character || *character != gridkey::Space)
        return 0;
    toggle(column, row, *character);
    return 1;
}

void CUGCheckBoxType::GetBestSize(QPainter* dc, QSize* size, CUGCell* cell)
{
    const int style = cell->GetCellTypeStyle() < 0 ? 0 : cell->GetCellTypeStyle();
    if (style & kAligned) {
        *size = QSize(18, 2);
        return;
    }
    QFont font;
    if (const QFont* own = cell->GetFont())
        font = *own;
    else if (m_ctrl && m_ctrl->GetDefaultFont())
        font = *m_ctrl->GetDefaultFont();
    const QFontMetrics fm(font);
    const QString label = cell->GetLabelText();
    const int width = fm.horizontalAdvance(label);
    *size = QSize(width + 6 + 18, fm.height() + 2);
}

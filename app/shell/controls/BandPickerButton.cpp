#include "shell/controls/BandPickerButton.h"

#include <QPainter>

namespace {

constexpr int kBandInset = 5;
constexpr int kBandSpace = 2; // between the content and the band
constexpr int kBandOverlap = 4;

} // namespace

BandPickerButton::BandPickerButton(QWidget* parent)
    : COXBitmapButton(parent)
{
    SetExtendedStyle(DropDown, false);
}

void BandPickerButton::FollowFloatingBar()
{
    connect(&PopupBar(), &COXPopupBarCtrl::floatingPick, this, [this] {
        StoreBandValue(PopupBar().SelectedValue());
        update();
        Q_EMIT floatingPick();
    });
}

void BandPickerButton::OnDropDown()
{
    COXPopupBarCtrl& bar = PopupBar();
    bar.SetSelectedValue(BandValue());
    const int alignment = (GetExtendedStyle() & RightDropDown) ? 1 : 3;
    const QRect own(mapToGlobal(QPoint(0, 0)), size());
    if (bar.Pick(alignment, &own, 0, 0)) {
        StoreBandValue(bar.SelectedValue());
        update();
    }
}

QSize BandPickerButton::GetArrowSize() const
{
    QSize size = COXBitmapButton::GetArrowSize();
    if (m_colorBandHeight != 0)
        size.rheight() += m_colorBandHeight + kBandSpace;
    return size;
}

QRect BandPickerButton::BandRectFor(
    const QRect& item, const QRect& content, const ButtonLayoutResult& layout) const
{
    const int arrowLeft = HasDropDownArrow() ? ArrowArea(item, content).left() : content.right() + 1;
    if (layout.image.isNull() && layout.text.isNull())
        return QRect(QPoint(item.left(), item.top()), QPoint(arrowLeft - 1, item.bottom()))
            .adjusted(kBandInset, kBandInset, -kBandInset, -kBandInset);
    const int top = content.bottom() + 1 - kBandOverlap;
    return QRect(QPoint(item.left() + kBandInset, top),
        QPoint(arrowLeft - 1 - kBandInset, top + m_colorBandHeight - 1));
}

QRect BandPickerButton::BandRect() const
{
    const QRect item = rect();
    const QRect content(0, 0, item.width() - COXBitmapButton::GetArrowSize().width(),
        item.height() - m_colorBandHeight - kBandSpace);
    return BandRectFor(item, content, CalcLayout(content));
}

void BandPickerButton::DrawItem(QPainter& painter)
{
    const DrawState state = CurrentDrawState();
    const QRect item = rect();
    const QRect content(0, 0, item.width() - COXBitmapButton::GetArrowSize().width(),
        item.height() - m_colorBandHeight - kBandSpace);
    const ButtonLayoutResult layout = CalcLayout(content);
    DrawFrame(painter, item, state);
    DrawButtonText(painter, GetFirstTextLine(), layout.text, state);
    if (HasDropDownArrow())
        DrawArrow(painter, ArrowArea(item, content), state);
    if (m_colorBandHeight > 0)
        DrawColorBand(painter, BandRectFor(item, content, layout), state);
    if (state.focused)
        DrawFocus(painter, item, layout.image, state);
}

void BandPickerButton::DrawColorBand(QPainter& painter, QRect band, const DrawState& state)
{
    if ((GetToggleState() & ToggleOn) || state.pressed)
        band.translate(2, 2);
    painter.save();
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(band.adjusted(0, 0, -1, -1));
    band.adjust(1, 1, -1, -1);
    if (state.enabled)
        FillBand(painter, band);
    painter.restore();
}

#include "shell/controls/COXBitmapButton.h"

#include "platform/ui/ColorRef.h"
#include "shell/controls/COXToolTipCtrl.h"

#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

#include <utility>

namespace {

constexpr int kFocusInset = 4;
constexpr int kArrowExtraWidth = 2;
constexpr int kArrowInsetY = 5;
constexpr int kTextMarginsX = 14;
constexpr int kTextMarginsY = 12;

QString TextLine(const QString& text, int line)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    return line < lines.size() ? lines.at(line) : QString();
}

} // namespace

COXBitmapButton::COXBitmapButton(QWidget* parent)
    : QPushButton(parent)
{
    // The width of the arrow glyph, measured once: a square the height of a
    // menu check mark.
    m_arrowGlyphWidth = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
    connect(this, &QAbstractButton::clicked, this, &COXBitmapButton::OnClicked);
}

COXBitmapButton::~COXBitmapButton() = default;

bool COXBitmapButton::SetTrackLook(bool trackLook)
{
    if (trackLook != m_trackLook) {
        m_trackLook = trackLook;
        update();
    }
    if (trackLook)
        setMouseTracking(true);
    return true;
}

bool COXBitmapButton::EnableToolTip(bool enable)
{
    if (enable) {
        if (!m_toolTip)
            m_toolTip = new COXToolTipCtrl(this);
        setMouseTracking(true);
        RenewTool();
        return true;
    }
    if (m_toolTip) {
        m_toolTip->RemoveTool(this, kToolId);
        // Cleared first: deleting the child sends this button an event,
        // which must not relay to the tip being destroyed.
        delete std::exchange(m_toolTip, nullptr);
    }
    return true;
}

void COXBitmapButton::RenewTool()
{
    if (!m_toolTip)
        return;
    m_toolTip->RemoveTool(this, kToolId);
    const QString tip = GetSecondTextLine();
    if (!tip.isEmpty()) {
        const QRect client = rect();
        m_toolTip->AddTool(this, tip, &client, kToolId);
    }
}

void COXBitmapButton::SetExtendedStyle(std::uint32_t style, bool redraw)
{
    if (style == m_extendedStyle)
        return;
    m_extendedStyle = style;
    if (redraw)
        repaint();
}

bool COXBitmapButton::HasDropDownArrow() const
{
    return (m_extendedStyle & DropDown) && !(m_extendedStyle & NoArrow);
}

void COXBitmapButton::SetTextAlignment(Qt::Alignment alignment, bool multiLine)
{
    m_alignment = alignment;
    m_multiLine = multiLine;
    update();
}

void COXBitmapButton::SetButtonText(const QString& text)
{
    setText(text);
    RenewTool();
}

QString COXBitmapButton::GetFirstTextLine() const
{
    return TextLine(text(), 0);
}

QString COXBitmapButton::GetSecondTextLine() const
{
    return TextLine(text(), 1);
}

QSize COXBitmapButton::MeasureText(int availableWidth) const
{
    const QString line = GetFirstTextLine();
    if (line.isEmpty())
        return QSize();
    const QFontMetrics metrics(font());
    if (m_multiLine)
        return metrics.boundingRect(QRect(0, 0, std::max(availableWidth, 1), 100000), Qt::TextWordWrap, line)
            .size();
    return QSize(metrics.horizontalAdvance(line), metrics.height());
}

QSize COXBitmapButton::GetArrowSize() const
{
    return HasDropDownArrow() ? QSize(m_arrowGlyphWidth + kArrowExtraWidth, 0) : QSize(0, 0);
}

QSize COXBitmapButton::CalcFitSize() const
{
    return CalcButtonFitSize(QSize(), MeasureText(width()), m_alignment) + GetArrowSize();
}

void COXBitmapButton::SizeToContent()
{
    resize(CalcFitSize());
}

ButtonLayoutResult COXBitmapButton::CalcLayout(const QRect& content) const
{
    ButtonLayoutInput input;
    input.content = content.size();
    input.text = MeasureText(content.width() - kTextMarginsX);
    input.alignment = m_alignment;
    input.pressed = isDown();
    input.toggledOn = m_toggleState & ToggleOn;
    return CalcButtonLayout(input);
}

COXBitmapButton::DrawState COXBitmapButton::CurrentDrawState() const
{
    return DrawState { isEnabled(), isDown(), hasFocus() };
}

QRect COXBitmapButton::ArrowArea(const QRect& item, const QRect& content) const
{
    return QRect(QPoint(content.right() + 1, item.top() + kArrowInsetY),
        QPoint(content.right() + m_arrowGlyphWidth, item.bottom() - kArrowInsetY));
}

void COXBitmapButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawItem(painter);
}

void COXBitmapButton::DrawItem(QPainter& painter)
{
    const DrawState state = CurrentDrawState();
    const QRect item = rect();
    const QSize arrow = GetArrowSize();
    const QRect content(0, 0, item.width() - arrow.width(), item.height() - arrow.height());
    const ButtonLayoutResult layout = CalcLayout(content);
    DrawFrame(painter, item, state);
    DrawButtonText(painter, GetFirstTextLine(), layout.text, state);
    if (HasDropDownArrow())
        DrawArrow(painter, ArrowArea(item, content), state);
    if (state.focused)
        DrawFocus(painter, item, layout.image, state);
}

void COXBitmapButton::DrawFrame(QPainter& painter, const QRect& item, const DrawState& state)
{
    const QPalette& pal = palette();
    const QBrush face = pal.brush(QPalette::Button);
    const bool toggledOn = m_toggleState & ToggleOn;
    if ((m_toggleState & ToggleThird)
        || (toggledOn && ((m_trackLook && m_mouseOver) || (m_extendedStyle & DropDown)))
        || (!toggledOn && state.pressed)) {
        qDrawWinButton(&painter, item, pal, true, &face);
        return;
    }
    if (toggledOn) {
        // Checked: pushed in, with the light dither of a latched button.
        qDrawWinButton(&painter, item, pal, true, &face);
        painter.fillRect(item.adjusted(2, 2, -2, -2), QBrush(pal.color(QPalette::Light), Qt::Dense4Pattern));
        return;
    }
    if (m_trackLook && (!m_mouseOver || !state.enabled)) {
        painter.fillRect(item, face);
        return;
    }
    const QRect frame = (state.focused && !m_trackLook) ? item.adjusted(1, 1, -1, -1) : item;
    if (frame != item)
        painter.fillRect(item, face);
    qDrawWinButton(&painter, frame, pal, false, &face);
}

void COXBitmapButton::DrawButtonText(
    QPainter& painter, const QString& text, const QRect& rect, const DrawState& state)
{
    if (text.isEmpty() || rect.isNull())
        return;
    int flags = Qt::AlignVCenter | (m_multiLine ? Qt::TextWordWrap : Qt::TextSingleLine);
    if ((m_alignment & Qt::AlignLeft) && !(m_alignment & Qt::AlignRight))
        flags |= Qt::AlignLeft;
    else if ((m_alignment & Qt::AlignRight) && !(m_alignment & Qt::AlignLeft))
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignHCenter;
    painter.setFont(font());
    if (!state.enabled) {
        // Embossed, as disabled text is drawn.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(rect.translated(1, 1), flags, text);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(rect, flags, text);
        return;
    }
    if (m_toggleState & ToggleThird)
        painter.setPen(palette().color(QPalette::Dark));
    else if (m_trackLook && !m_mouseOver)
        painter.setPen(Qt::black);
    else
        painter.setPen(platform::ToQColor(m_textColor));
    painter.drawText(rect, flags, text);
}

void COXBitmapButton::DrawFocus(QPainter& painter, const QRect& item, const QRect&, const DrawState& state)
{
    painter.save();
    QPen dotted(palette().color(QPalette::WindowText), 1, Qt::DotLine);
    painter.setPen(dotted);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(item.adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
    if (!m_trackLook && !(m_toggleState & (ToggleOn | ToggleThird))) {
        // The default-button look.
        painter.setPen(Qt::black);
        painter.drawRect(item.adjusted(0, 0, -1, -1));
        if (state.pressed) {
            painter.setPen(palette().color(QPalette::Dark));
            painter.drawRect(item.adjusted(1, 1, -2, -2));
        }
    }
    painter.restore();
}

void COXBitmapButton::DrawArrow(QPainter& painter, const QRect& area, const DrawState& state)
{
    painter.save();
    if (m_arrowSeparator && (!m_trackLook || m_mouseOver)) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(area.left() - 3, area.top(), area.left() - 3, area.bottom());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(area.left() - 2, area.top(), area.left() - 2, area.bottom());
    }
    QRect glyph = area.translated(-1, 0);
    if (state.pressed)
        glyph.translate(2, 2);
    else if (m_toggleState & ToggleOn)
        glyph.translate(1, 1);
    // A small solid triangle, pointing down or, for a right drop-down, right.
    const int half = std::max(2, m_arrowGlyphWidth / 4);
    const QPoint c = glyph.center();
    QPolygon triangle;
    if (m_extendedStyle & RightDropDown)
        triangle << QPoint(c.x() - half / 2, c.y() - half) << QPoint(c.x() - half / 2, c.y() + half)
                 << QPoint(c.x() + half / 2 + 1, c.y());
    else
        triangle << QPoint(c.x() - half, c.y() - half / 2) << QPoint(c.x() + half, c.y() - half / 2)
                 << QPoint(c.x(), c.y() + half / 2 + 1);
    const QColor color = state.enabled ? QColor(Qt::black) : palette().color(QPalette::Dark);
    painter.setPen(color);
    painter.setBrush(color);
    painter.drawPolygon(triangle);
    painter.restore();
}

void COXBitmapButton::ToggleStep()
{
    if (!(m_extendedStyle & (DropDown | Toggle)))
        return;
    const std::uint32_t before = m_toggleState;
    const bool threeState = (m_extendedStyle & Toggle) && (m_extendedStyle & ThreeState);
    if (!(m_toggleState & ToggleOn))
        m_toggleState = ToggleOn;
    else if (threeState && !(m_toggleState & ToggleThird))
        m_toggleState = ToggleOn | ToggleThird;
    else
        m_toggleState = 0;
    if (m_toggleState != before)
        repaint();
}

void COXBitmapButton::OnClicked()
{
    if (m_extendedStyle & DropDown) {
        bool handled = false;
        Q_EMIT dropDownClicked(&handled);
        if (!handled)
            OnDropDown();
        ToggleStep();
        repaint();
    }
    if (m_extendedStyle & Toggle) {
        bool handled = false;
        Q_EMIT toggleClicked(&handled);
        if (!handled)
            OnToggle();
    }
}

bool COXBitmapButton::event(QEvent* event)
{
    if (m_toolTip)
        m_toolTip->RelayEvent(this, event);
    return QPushButton::event(event);
}

void COXBitmapButton::HoverCheck(QPoint globalPos)
{
    if (!m_trackLook)
        return;
    const bool inside = isEnabled() && rect().contains(mapFromGlobal(globalPos)) && isVisible();
    if (inside) {
        if (!m_mouseOver && !(hasFocus() && (m_toggleState & ToggleThird)))
            update();
        m_mouseOver = true;
    } else {
        if (m_mouseOver && !(m_toggleState & ToggleThird))
            update();
        m_mouseOver = false;
    }
}

void COXBitmapButton::AfterRelease()
{
    // Once the button lets go of the mouse, look again where it is.
    if (!m_trackLook || !m_mouseOver || m_mouseDown)
        return;
    m_mouseOver = false;
    if (!(m_toggleState & ToggleThird))
        update();
    QMetaObject::invokeMethod(
        this, [this] { HoverCheck(QCursor::pos()); }, Qt::QueuedConnection);
}

void COXBitmapButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_mouseDown = true;
    QPushButton::mousePressEvent(event);
}

void COXBitmapButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && isDown())
        ToggleStep();
    QPushButton::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        m_mouseDown = false;
    AfterRelease();
}

void COXBitmapButton::mouseMoveEvent(QMouseEvent* event)
{
    HoverCheck(event->globalPosition().toPoint());
    QPushButton::mouseMoveEvent(event);
}

void COXBitmapButton::enterEvent(QEnterEvent* event)
{
    HoverCheck(event->globalPosition().toPoint());
    QPushButton::enterEvent(event);
}

void COXBitmapButton::leaveEvent(QEvent* event)
{
    // While the left button is held the button keeps the mouse and follows
    // it through move events.
    if (!m_mouseDown)
        HoverCheck(QCursor::pos());
    QPushButton::leaveEvent(event);
}

void COXBitmapButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter clicks the focused button, as in a dialog.
        ToggleStep();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void COXBitmapButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && isDown())
        ToggleStep();
    QPushButton::keyReleaseEvent(event);
    AfterRelease();
}

void COXBitmapButton::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    RenewTool();
}

#include "shell/controls/COXPopupBarCtrl.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <qdrawutil.h>

#include <algorithm>

namespace {

constexpr int kTimerPeriod = 200;
// Margins of the window, the default and custom buttons and the tear-off bar.
constexpr int kWindowMarginX = 4;
constexpr int kWindowMarginY = 2;
constexpr int kTearOffHeight = 6;
constexpr int kTearOffSpace = 7;
constexpr int kButtonTextPadding = 8;

void DrawEdge(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

} // namespace

COXPopupBarCtrl::COXPopupBarCtrl(int buttonCount, int rowCount, std::uint32_t defaultValue, int buttonWidth,
    int buttonHeight, const QString& defaultButtonText, const QString& customButtonText)
    : QWidget(nullptr, Qt::Popup)
    , m_buttonCount(std::max(0, buttonCount))
    , m_rowCount(std::max(1, rowCount))
    , m_defaultValue(defaultValue)
    , m_buttonWidth(buttonWidth)
    , m_buttonHeight(buttonHeight)
    , m_defaultButtonText(defaultButtonText)
    , m_customButtonText(customButtonText)
{
    // A click outside is passed on by Pick itself, once.
    setAttribute(Qt::WA_NoMouseReplay);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_timer.setInterval(kTimerPeriod);
    connect(&m_timer, &QTimer::timeout, this, &COXPopupBarCtrl::OnTimer);
}

COXPopupBarCtrl::~COXPopupBarCtrl() = default;

bool COXPopupBarCtrl::Create(QWidget* owner, std::uint32_t flags)
{
    m_owner = owner;
    m_flags = flags;
    if (owner && parentWidget() != owner)
        setParent(owner, windowFlags());
    MakePopup();
    return true;
}

bool COXPopupBarCtrl::SetButtons(const std::vector<std::uint32_t>& values)
{
    if (m_floating)
        hide();
    m_values = values;
    return true;
}

bool COXPopupBarCtrl::SetToolTipTexts(const std::vector<std::pair<std::uint32_t, QString>>& texts)
{
    m_toolTipTexts.clear();
    for (const auto& [value, text] : texts)
        m_toolTipTexts.insert(value, text);
    return true;
}

void COXPopupBarCtrl::SetButtonSize(int width, int height)
{
    m_buttonWidth = width;
    m_buttonHeight = height;
}

int COXPopupBarCtrl::Columns() const
{
    return (m_buttonCount + m_rowCount - 1) / m_rowCount;
}

QPoint COXPopupBarCtrl::ClientOffset() const
{
    return m_floating ? QPoint(0, 0) : QPoint(kFrame, kFrame);
}

QFont COXPopupBarCtrl::ButtonFont() const
{
    return QApplication::font();
}

void COXPopupBarCtrl::PadValues(std::uint32_t with)
{
    if (m_values.size() < static_cast<std::size_t>(m_buttonCount))
        m_values.resize(static_cast<std::size_t>(m_buttonCount), with);
}

void COXPopupBarCtrl::LayOut()
{
    m_cellRects.clear();
    m_tearOffRect = m_defaultButtonRect = m_customButtonRect = QRect();
    const int cols = Columns();
    const int clientWidth = cols * m_buttonWidth + 2 * kWindowMarginX;
    int clientHeight = m_rowCount * m_buttonHeight + 2 * kWindowMarginY;
    const QFontMetrics metrics(ButtonFont());
    const int buttonHeight = metrics.height() + kButtonTextPadding;

    int cellsTop = kWindowMarginY;
    if (HasTearOffBar()) {
        m_tearOffRect = QRect(6, 1, clientWidth - 12, kTearOffHeight);
        clientHeight += kTearOffSpace;
        cellsTop += kTearOffSpace;
    }
    if (HasDefaultButton()) {
        m_defaultButtonRect = QRect(kWindowMarginX, cellsTop, clientWidth - 2 * kWindowMarginX, buttonHeight);
        clientHeight += buttonHeight + kWindowMarginY;
        cellsTop += buttonHeight + kWindowMarginY;
    }
    if (HasCustomButton()) {
        // Below the cells, with the window's bottom margin between.
        m_customButtonRect
            = QRect(kWindowMarginX, clientHeight, clientWidth - 2 * kWindowMarginX, buttonHeight);
        clientHeight += buttonHeight + kWindowMarginY;
    }
    for (int k = 0; k < m_buttonCount; ++k) {
        const int r = k / cols;
        const int c = k % cols;
        m_cellRects.emplace_back(
            kWindowMarginX + c * m_buttonWidth, cellsTop + r * m_buttonHeight, m_buttonWidth, m_buttonHeight);
    }
    const QPoint offset = ClientOffset();
    m_windowSize = QSize(clientWidth + 2 * offset.x(), clientHeight + 2 * offset.y());
}

QRect COXPopupBarCtrl::WorkArea() const
{
    QScreen* screen = m_owner ? m_owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return QRect();
    // Above a topmost main window the taskbar is no obstacle.
    const bool topmost = m_owner && (m_owner->window()->windowFlags() & Qt::WindowStaysOnTopHint);
    return topmost ? screen->geometry() : screen->availableGeometry();
}

QPoint COXPopupBarCtrl::PlaceBar(int alignment, const QRect& r, QSize size, int dx, int dy)
{
    const int left = r.x();
    const int top = r.y();
    const int right = r.x() + r.width();
    const int bottom = r.y() + r.height();
    const int w = size.width();
    const int h = size.height();
    switch (alignment) {
    case 0:
        return QPoint(left - w - dx, top + dy);
    case 1:
        return QPoint(right + dx, top + dy);
    case 2:
        return QPoint(left + dx, top - h - dy);
    case 3:
        return QPoint(left + dx, bottom + dy);
    case 4:
        return QPoint(left - w - dx, bottom - h - dy);
    case 5:
        return QPoint(right + dx, bottom - h - dy);
    case 6:
        return QPoint(right - w - dx, top - h - dy);
    case 7:
        return QPoint(right - w - dx, bottom + dy);
    default:
        return QPoint(0, 0);
    }
}

bool COXPopupBarCtrl::Pick(int alignment, const QRect* rect, int dx, int dy)
{
    if (m_loop)
        return false;
    if (m_floating)
        MakePopup();
    PadValues(0);
    LayOut();
    const QRect workArea = WorkArea();
    if (m_windowSize.width() > workArea.width() || m_windowSize.height() > workArea.height())
        return false;
    QRect around;
    if (rect)
        around = *rect;
    else if (m_owner)
        around = QRect(m_owner->mapToGlobal(QPoint(0, 0)), m_owner->size());

    m_hotIndex = -1;
    m_selectedIndex = m_selectedValue == kNoValue ? -1 : IndexOfValue(m_selectedValue);
    m_itemPressed = false;
    m_tearOffPressed = false;
    m_result = Running;
    m_hasPendingClick = false;
    m_lastMousePos = QPoint(-1, -1);

    setGeometry(QRect(PlaceBar(alignment, around, m_windowSize, dx, dy), m_windowSize));
    show();
    QEventLoop loop;
    m_loop = &loop;
    loop.exec();
    m_loop = nullptr;

    const Result result = m_result;
    if (result != TearOff)
        hide();
    const bool picked = result == Picked || (result == CustomPicked && OnCustomButton());
    if (m_hasPendingClick) {
        // The click that closed the bar still reaches the window under it.
        m_hasPendingClick = false;
        if (QWidget* target = QApplication::widgetAt(m_pendingClickPos)) {
            QCoreApplication::postEvent(target,
                new QMouseEvent(QEvent::MouseButtonPress, target->mapFromGlobal(m_pendingClickPos),
                    m_pendingClickPos, m_pendingClickButton, m_pendingClickButton, Qt::NoModifier));
        }
    }
    if (result == TearOff)
        StartTearOff();
    return picked;
}

int COXPopupBarCtrl::HitTest(QPoint client) const
{
    if (HasDefaultButton() && m_defaultButtonRect.contains(client))
        return 0;
    for (std::size_t i = 0; i < m_cellRects.size(); ++i)
        if (m_cellRects[i].contains(client))
            return static_cast<int>(i) + 1;
    if (HasCustomButton() && m_customButtonRect.contains(client))
        return m_buttonCount + 1;
    return -1;
}

int COXPopupBarCtrl::IndexOfValue(std::uint32_t value) const
{
    if (value == kNoValue)
        return -1;
    if (HasDefaultButton() && value == m_defaultValue)
        return 0;
    const auto found = std::find(m_values.begin(), m_values.end(), value);
    if (found != m_values.end() && found - m_values.begin() < m_buttonCount)
        return static_cast<int>(found - m_values.begin()) + 1;
    return HasCustomButton() ? m_buttonCount + 1 : -1;
}

QString COXPopupBarCtrl::ToolTipTextAt(QPoint client) const
{
    if (m_flags & NoToolTips)
        return {};
    if (HasTearOffBar() && m_tearOffRect.contains(client))
        return m_tearOffText;
    const int index = HitTest(client);
    if (index == 0)
        return m_defaultButtonText;
    if (index == m_buttonCount + 1)
        return m_customButtonText;
    if (index > 0 && static_cast<std::size_t>(index - 1) < m_values.size())
        return m_toolTipTexts.value(m_values[static_cast<std::size_t>(index - 1)]);
    return {};
}

QRect COXPopupBarCtrl::ItemRect(int index) const
{
    if (index == 0)
        return m_defaultButtonRect;
    if (index == m_buttonCount + 1)
        return m_customButtonRect;
    if (index > 0 && static_cast<std::size_t>(index) <= m_cellRects.size())
        return m_cellRects[static_cast<std::size_t>(index - 1)];
    return QRect();
}

void COXPopupBarCtrl::RepaintItem(int index)
{
    const QRect item = ItemRect(index);
    if (!item.isNull())
        update(item.translated(ClientOffset()));
}

void COXPopupBarCtrl::SetHotItem(int index)
{
    if (index == m_hotIndex)
        return;
    const int old = m_hotIndex;
    m_hotIndex = index;
    RepaintItem(old);
    RepaintItem(index);
}

void COXPopupBarCtrl::SetSelectedItem(int index)
{
    if (index == m_selectedIndex)
        return;
    const int old = m_selectedIndex;
    m_selectedIndex = index;
    RepaintItem(old);
    RepaintItem(index);
}

void COXPopupBarCtrl::Choose()
{
    if (m_hotIndex == m_buttonCount + 1 && HasCustomButton()) {
        PostResult(CustomPicked);
    } else if (m_hotIndex >= 0) {
        SetSelectedItem(m_hotIndex);
        m_selectedValue
            = m_hotIndex == 0 ? m_defaultValue : m_values[static_cast<std::size_t>(m_hotIndex - 1)];
        PostResult(Picked);
    } else if (!m_floating) {
        PostResult(Cancelled);
    }
}

void COXPopupBarCtrl::PostResult(Result result)
{
    if (m_floating) {
        // A torn-off bar stays open and tells its owner of every pick.
        if (result == CustomPicked) {
            if (OnCustomButton())
                Q_EMIT floatingPick();
        } else if (result == Cancelled) {
            hide();
        } else if (result == Picked) {
            Q_EMIT floatingPick();
        }
        return;
    }
    m_result = result;
    if (m_loop)
        m_loop->exit(0);
}

void COXPopupBarCtrl::MoveHot(int key, bool shift)
{
    const int n = m_buttonCount;
    const int cols = std::max(1, Columns());
    const bool hasDefault = HasDefaultButton();
    const bool hasCustom = HasCustomButton();
    const int first = hasDefault ? 0 : 1;
    const int last = hasCustom ? n + 1 : n;
    const int custom = n + 1;
    const int hot = m_hotIndex;
    const bool onCell = hot >= 1 && hot <= n;
    int next = hot;
    switch (key) {
    case Qt::Key_Down:
        if (hot == -1 || hot == last)
            next = first;
        else if (hot == 0)
            next = 1;
        else if (onCell)
            next = hot + cols <= n ? hot + cols : (hasCustom ? custom : first);
        break;
    case Qt::Key_Up:
        if (hot == -1 || hot == first)
            next = last;
        else if (hot == custom)
            next = n;
        else if (onCell && hot <= cols)
            next = hasDefault ? 0 : last;
        else if (onCell)
            next = hot - cols;
        break;
    case Qt::Key_Right:
        next = (hot == -1 || hot == last) ? first : hot + 1;
        break;
    case Qt::Key_Left:
        next = (hot == -1 || hot == first) ? last : hot - 1;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!shift && key == Qt::Key_Tab) {
            if (hot == -1 || hot == last)
                next = first;
            else if (hot == 0)
                next = 1;
            else if (onCell)
                next = hasCustom ? custom : first;
        } else {
            if (hot == -1)
                next = hasCustom ? custom : 1;
            else if (onCell)
                next = hasDefault ? 0 : (hasCustom ? custom : 1);
            else if (hot == 0)
                next = hasCustom ? custom : 1;
            else if (hot == custom)
                next = 1;
        }
        break;
    default:
        return;
    }
    SetHotItem(next);
}

bool COXPopupBarCtrl::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        // Tab moves between the bar's items, not the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = ToolTipTextAt(help->pos() - ClientOffset());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void COXPopupBarCtrl::keyPressEvent(QKeyEvent* event)
{
    if (m_dragging) {
        if (event->key() == Qt::Key_Escape)
            EndDrag(false);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Left:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        MoveHot(event->key(), event->modifiers() & Qt::ShiftModifier);
        if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Backtab)
            m_mouseMoved = false;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_mouseMoved = false;
        Choose();
        break;
    case Qt::Key_Space:
        m_mouseMoved = false;
        if (!event->isAutoRepeat()) {
            m_itemPressed = true;
            RepaintItem(m_hotIndex);
        }
        break;
    default:
        break;
    }
    event->accept();
}

void COXPopupBarCtrl::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return;
    if (event->key() == Qt::Key_Space && !m_dragging) {
        m_itemPressed = false;
        Choose();
    } else if (event->key() == Qt::Key_Escape && !m_dragging) {
        PostResult(Cancelled);
    }
    event->accept();
}

void COXPopupBarCtrl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (m_dragging) {
        if (event->button() == Qt::RightButton)
            EndDrag(false);
        return;
    }
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    const QPoint client = event->position().toPoint() - ClientOffset();
    m_lastGlobalPos = event->globalPosition().toPoint();
    if (rect().contains(event->position().toPoint())) {
        m_itemPressed = true;
        RepaintItem(HitTest(client));
        if (HasTearOffBar() && m_tearOffRect.contains(client))
            m_tearOffPressed = true;
    } else if (!m_floating) {
        if (event->button() == Qt::LeftButton) {
            m_hasPendingClick = true;
            m_pendingClickPos = m_lastGlobalPos;
            m_pendingClickButton = event->button();
        }
        PostResult(Cancelled);
    }
}

void COXPopupBarCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (m_dragging) {
        if (event->button() == Qt::LeftButton)
            EndDrag(true);
        return;
    }
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    m_tearOffPressed = false;
    if (m_itemPressed) {
        m_itemPressed = false;
        Choose();
    }
}

void COXPopupBarCtrl::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint global = event->globalPosition().toPoint();
    if (m_dragging) {
        move(m_dragStartWindow + (global - m_dragStartCursor));
        return;
    }
    const QPoint client = event->position().toPoint() - ClientOffset();
    m_lastGlobalPos = global;
    if (m_tearOffPressed && !m_tearOffRect.contains(client)) {
        m_tearOffPressed = false;
        PostResult(TearOff);
    }
    if (m_floating)
        m_mouseMoved = true;
    if (client != m_lastMousePos) {
        m_lastMousePos = client;
        SetHotItem(HitTest(client));
    }
}

void COXPopupBarCtrl::hideEvent(QHideEvent* event)
{
    // Losing the popup (another window took the mouse) ends Pick empty-handed.
    if (m_loop && m_result == Running) {
        m_result = Cancelled;
        m_loop->exit(0);
    }
    QWidget::hideEvent(event);
}

void COXPopupBarCtrl::OnTimer()
{
    if (!m_floating || !m_mouseMoved || !isVisible())
        return;
    if (HitTest(mapFromGlobal(QCursor::pos()) - ClientOffset()) == -1)
        SetHotItem(-1);
}

void COXPopupBarCtrl::MakePopup()
{
    m_floating = false;
    m_timer.stop();
    if (m_dragging)
        EndDrag(false);
    hide();
    setWindowFlags(Qt::Popup);
}

void COXPopupBarCtrl::MakeFloating()
{
    m_floating = true;
    // Only a floating bar watches the mouse between its own events.
    m_timer.start();
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(m_caption);
    LayOut();
    resize(m_windowSize);
}

void COXPopupBarCtrl::StartTearOff()
{
    const QRect popup(pos(), size());
    if (!popup.contains(m_lastGlobalPos)) {
        hide();
        return;
    }
    // The bar becomes a tool window that follows the mouse until the button
    // is released (Esc or the right button put it away).
    const QPoint where = pos();
    MakeFloating();
    move(where);
    show();
    m_dragging = true;
    m_dragStartCursor = m_lastGlobalPos;
    m_dragStartWindow = where;
    grabMouse();
}

void COXPopupBarCtrl::EndDrag(bool completed)
{
    m_dragging = false;
    releaseMouse();
    if (!completed)
        hide();
}

void COXPopupBarCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_floating) {
        painter.fillRect(rect(), palette().brush(QPalette::Button));
        qDrawWinPanel(&painter, rect(), palette(), false);
    }
    painter.translate(ClientOffset());
    DrawBackground(painter);
    for (std::size_t i = 0; i < m_cellRects.size(); ++i)
        DrawButton(painter, static_cast<int>(i), m_cellRects[i]);
    if (HasTearOffBar())
        DrawTearOffBar(painter);
    if (HasDefaultButton())
        DrawDefaultButton(painter, m_defaultButtonRect);
    if (HasCustomButton())
        DrawCustomButton(painter, m_customButtonRect);
}

void COXPopupBarCtrl::DrawBackground(QPainter& painter)
{
    const QPoint offset = ClientOffset();
    painter.fillRect(QRect(QPoint(0, 0), size() - QSize(2 * offset.x(), 2 * offset.y())),
        palette().brush(QPalette::Button));
}

void COXPopupBarCtrl::DrawButton(QPainter& painter, int cell, QRect rect)
{
    DrawItemFrame(painter, rect, cell + 1);
}

void COXPopupBarCtrl::DrawTearOffBar(QPainter& painter)
{
    painter.fillRect(m_tearOffRect, palette().brush(QPalette::Highlight));
}

void COXPopupBarCtrl::DrawButtonTextIn(QPainter& painter, const QRect& rect, const QString& text)
{
    painter.setFont(ButtonFont());
    painter.setPen(palette().color(QPalette::ButtonText));
    const QFontMetrics metrics(ButtonFont());
    painter.drawText(
        rect, Qt::AlignCenter | Qt::TextSingleLine, metrics.elidedText(text, Qt::ElideRight, rect.width()));
}

void COXPopupBarCtrl::DrawDefaultButton(QPainter& painter, QRect rect)
{
    DrawItemFrame(painter, rect, 0);
    rect.adjust(2, 2, -2, -2);
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    rect.adjust(1, 1, -1, -1);
    DrawButtonTextIn(painter, rect, m_defaultButtonText);
}

void COXPopupBarCtrl::DrawCustomButton(QPainter& painter, QRect rect)
{
    DrawItemFrame(painter, rect, m_buttonCount + 1);
    rect.adjust(3, 3, -3, -3);
    DrawButtonTextIn(painter, rect, m_customButtonText);
}

void COXPopupBarCtrl::DrawItemFrame(QPainter& painter, QRect& rect, int index)
{
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    if (index == m_selectedIndex)
        DrawEdge(painter, rect, shadow, light);
    else if (index == m_hotIndex)
        m_itemPressed ? DrawEdge(painter, rect, shadow, light) : DrawEdge(painter, rect, light, shadow);
    rect.adjust(1, 1, -1, -1);
    if (index == m_selectedIndex && index != m_hotIndex)
        painter.fillRect(rect, palette().brush(QPalette::Midlight));
}

#include "shell/controls/COXToolTipCtrl.h"

#include "platform/ui/ColorRef.h"

#include <QCursor>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

constexpr std::uint32_t kSystemColor = 0xFF000000;
const int kTipTextFlags = Qt::TextWordWrap | Qt::TextExpandTabs;

bool IsKeyOrOtherButton(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonDblClick:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        return static_cast<const QMouseEvent*>(event)->button() != Qt::LeftButton;
    default:
        return false;
    }
}

} // namespace

COXToolTipCtrl::COXToolTipCtrl(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , m_owner(owner)
    , m_tipFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont))
{
    // A tip never takes the focus or activates its window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    resize(10, 10);
    m_showTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, &COXToolTipCtrl::OnShowDelayElapsed);
    connect(&m_pollTimer, &QTimer::timeout, this, &COXToolTipCtrl::OnPoll);
}

COXToolTipCtrl::~COXToolTipCtrl() = default;

bool COXToolTipCtrl::AddTool(QWidget* tool, const QString& text, const QRect* rect, int id)
{
    if (!tool)
        return false;
    auto info = std::make_unique<COXToolTipInfo>();
    info->window = tool;
    info->id = id;
    const QRect local = rect ? *rect : tool->rect();
    info->rect = QRect(m_owner->mapFromGlobal(tool->mapToGlobal(local.topLeft())), local.size());
    info->text = text;
    info->textColor = kSystemColor;
    info->backColor = kSystemColor;
    m_tools.push_back(std::move(info));
    return true;
}

void COXToolTipCtrl::RemoveTool(QWidget* tool, int id)
{
    auto found = std::find_if(m_tools.begin(), m_tools.end(),
        [&](const auto& info) { return info->window == tool && info->id == id; });
    if (found == m_tools.end())
        return;
    if (found->get() == m_currentTool) {
        HideTip(true);
        m_currentTool = nullptr;
    }
    m_tools.erase(found);
}

void COXToolTipCtrl::SetTipFont(const QFont& font)
{
    m_tipFont = font;
}

void COXToolTipCtrl::SetTimerPeriods(int showDelay, int pollPeriod, int autoHideTime)
{
    m_showDelay = showDelay;
    m_pollPeriod = pollPeriod;
    m_autoHideTime = autoHideTime;
}

COXToolTipInfo* COXToolTipCtrl::ToolAt(QPoint globalPos) const
{
    const QPoint ownerPos = m_owner->mapFromGlobal(globalPos);
    if (!m_owner->rect().contains(ownerPos))
        return nullptr;
    QWidget* under = m_owner->childAt(ownerPos);
    if (!under)
        under = m_owner;
    for (const auto& info : m_tools) {
        QWidget* window = info->window;
        if (!window || (window != under && !window->isAncestorOf(under)))
            continue;
        if (info->rect.contains(ownerPos))
            return info.get();
    }
    return nullptr;
}

bool COXToolTipCtrl::CursorOnTip(QPoint globalPos) const
{
    return isVisible() && geometry().contains(globalPos);
}

void COXToolTipCtrl::RelayEvent(QWidget* receiver, QEvent* event)
{
    if (!receiver || !event)
        return;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        OnMouseMove(receiver->mapToGlobal(mouse->position().toPoint()));
        return;
    }
    case QEvent::Leave:
        // Leaving the owner is a move onto no tool.
        OnMouseMove(QCursor::pos());
        return;
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (!CursorOnTip(mouse->globalPosition().toPoint()))
                HideTip(false);
            return;
        }
        break;
    }
    default:
        break;
    }
    if (IsKeyOrOtherButton(event))
        HideTip(true);
}

void COXToolTipCtrl::OnMouseMove(QPoint globalPos)
{
    COXToolTipInfo* tool = ToolAt(globalPos);
    if (tool && tool == m_currentTool)
        return;
    if (m_currentTool && CursorOnTip(globalPos))
        return;
    if (!tool) {
        m_currentTool = nullptr;
        return;
    }
    m_currentTool = tool;
    KillTimers();
    hide();
    m_suppressed = false;
    m_showTimer.start(m_showDelay);
}

void COXToolTipCtrl::OnShowDelayElapsed()
{
    m_showTimer.stop();
    if (!m_currentTool || m_suppressed) {
        HideTip(true);
        return;
    }
    const QPoint cursor = QCursor::pos();
    if (ToolAt(cursor) != m_currentTool)
        return;
    ShowTip(cursor + m_cursorOffset);
    m_shownTime = 0;
    m_pollTimer.start(m_pollPeriod);
}

void COXToolTipCtrl::OnPoll()
{
    if (!m_currentTool || m_suppressed) {
        HideTip(true);
        return;
    }
    m_shownTime += m_pollPeriod;
    const QPoint cursor = QCursor::pos();
    const COXToolTipInfo* under = ToolAt(cursor);
    if (under && under != m_currentTool) {
        // The next mouse move makes that tool current.
        HideTip(true);
        return;
    }
    const bool stays = (under == m_currentTool && m_shownTime < m_autoHideTime) || CursorOnTip(cursor);
    if (!stays)
        HideTip(true);
}

void COXToolTipCtrl::ShowTip(QPoint globalPos)
{
    if (!m_active || !m_currentTool || m_currentTool->text.isEmpty())
        return;
    const QRect tip(QPoint(0, 0), CalcTipRect(m_currentTool->text));
    QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (!screen)
        screen = m_owner->screen();
    const QRect workArea = screen ? screen->availableGeometry() : QRect(globalPos, tip.size());
    QWidget* toolWindow = m_currentTool->window ? m_currentTool->window.data() : m_owner;
    const int toolTop = toolWindow->mapToGlobal(QPoint(0, 0)).y();
    setGeometry(CalcTipPosition(tip, globalPos, workArea, toolTop));
    show();
    update();
}

void COXToolTipCtrl::HideTip(bool suppress)
{
    KillTimers();
    hide();
    if (suppress)
        m_suppressed = true;
}

void COXToolTipCtrl::KillTimers()
{
    m_showTimer.stop();
    m_pollTimer.stop();
}

QSize COXToolTipCtrl::CalcTipRect(const QString& text) const
{
    const QFontMetrics metrics(m_tipFont);
    int width = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const QRect bounds = metrics.boundingRect(QRect(0, 0, std::max(width, 1), 100000), kTipTextFlags, text);
    return QSize(width + m_textMargins.left() + m_textMargins.right(),
        bounds.height() + m_textMargins.top() + m_textMargins.bottom());
}

QRect COXToolTipCtrl::CalcTipPosition(QRect tip, QPoint point, const QRect& workArea, int toolWindowTop)
{
    tip.moveTopLeft(point);
    if (tip.right() > workArea.right())
        tip.moveRight(workArea.right());
    if (tip.left() < workArea.left())
        tip.moveLeft(workArea.left());
    if (tip.bottom() > workArea.bottom())
        tip.moveBottom(toolWindowTop - 1);
    return tip;
}

void COXToolTipCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const std::uint32_t back = m_currentTool ? m_currentTool->backColor : kSystemColor;
    const std::uint32_t text = m_currentTool ? m_currentTool->textColor : kSystemColor;
    painter.fillRect(rect(), back == kSystemColor ? palette().color(QPalette::ToolTipBase)
                                                  : platform::ToQColor(back));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_currentTool)
        return;
    painter.setFont(m_tipFont);
    painter.setPen(text == kSystemColor ? palette().color(QPalette::ToolTipText)
                                        : platform::ToQColor(text));
    painter.drawText(rect().marginsRemoved(m_textMargins), kTipTextFlags, m_currentTool->text);
}

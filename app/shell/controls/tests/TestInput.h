#pragma once

#include "shell/controls/COXPopupBarCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <functional>

// Input sent straight to a widget, as the window system would deliver it.
inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
        ? Qt::MouseButtons(Qt::NoButton)
        : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : button,
        buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void SendKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(widget, &release);
}

// Runs action once the bar is showing inside Pick, from Pick's own loop.
inline void WhilePicking(COXPopupBarCtrl* bar, std::function<void()> action)
{
    auto* timer = new QTimer;
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, [timer, bar, action] {
        if (!bar->IsPicking() || !bar->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action();
    });
    timer->start();
}

// Moves the mouse over a cell of a showing bar and clicks it.
inline void ClickItem(COXPopupBarCtrl* bar, const QRect& clientRect)
{
    const QPoint at = clientRect.center() + bar->ClientOffset();
    SendMouse(bar, QEvent::MouseMove, at);
    SendMouse(bar, QEvent::MouseButtonPress, at);
    SendMouse(bar, QEvent::MouseButtonRelease, at);
}

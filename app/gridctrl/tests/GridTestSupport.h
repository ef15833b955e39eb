#pragma once
// A created grid of a known size for the control tests, and a recorder of
// the grid's messages.

#include "gridctrl/CUGCtrl.h"

#include <QStringList>

// Creates the grid (setup hooks, painting on) at 300 x 200 pixels with
// 75-pixel columns and 20-pixel rows.
inline void createGrid(CUGCtrl& grid, int columns, int rows, int width = 300, int height = 200)
{
    grid.CreateGrid(0, platform::Rect(0, 0, width, height), nullptr, 1);
    grid.SetColumnCount(columns);
    grid.SetRowCount(rows);
}

class MessageRecorder {
public:
    MessageRecorder()
    {
        m_previous = SetGridMessageHook([this](QWidget*, const QString& text, const QString& caption) {
            messages << caption + QStringLiteral(": ") + text;
        });
    }
    ~MessageRecorder() { SetGridMessageHook(m_previous); }
    QStringList messages;

private:
    GridMessageHook m_previous;
};

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

// Sends one mouse event with explicit buttons (a drag needs the held button
// on every move).
inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, modifiers);
    QCoreApplication::sendEvent(widget, &event);
}

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

#include <QImage>

#include <functional>

// The pixels of the area for which the test holds.
inline int countPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixel(x, y));
    return count;
}

// A font that every test machine has, so that text checks mean something.
inline void useDejaVu(CUGCtrl& grid)
{
    const int font = grid.AddFont(-12, 0, 0, 0, 400, false, false, false, 0, 0, 0, 0, 0, QStringLiteral("DejaVu Sans"));
    grid.SetDefaultFont(grid.GetFont(font));
    CUGCell heading;
    grid.GetHeadingDefault(&heading);
    heading.SetFont(grid.GetFont(font));
    grid.SetHeadingDefault(&heading);
}

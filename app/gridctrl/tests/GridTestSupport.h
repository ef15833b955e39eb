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

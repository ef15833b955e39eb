#pragma once
// The grid area: the window that shows the data cells. It paints the cells
// listed in its repaint list through their cell types, and turns keys and
// mouse input into moves of the current cell, selection changes and hooks.

#include "gridctrl/CUGCell.h"
#include "gridctrl/RedrawHintList.h"

#include "platform/Rect.h"

#include <QWidget>

class CUGCtrl;
class CUGGridInfo;

class CUGGrid : public QWidget {
    Q_OBJECT
public:
    explicit CUGGrid(CUGCtrl* ctrl);
    ~CUGGrid() override;

    RedrawHintList& DrawHints() { return m_drawHint; }
    // Repaints after the left column, top row or current cell changed.
    void RepaintAfterScroll();
    void RepaintCell(int column, int row);
    void RepaintRow(int row);
    void RepaintRange(int firstColumn, int firstRow, int lastColumn, int lastRow);
    bool HasFocusFlag() const { return m_hasFocus; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool next) override;

    // Key down without the Qt event: hooks first, then navigation.
    void onKeyDown(int key);

    CUGCtrl* m_ctrl;
    RedrawHintList m_drawHint;
    CUGCell m_cell;
    bool m_hasFocus = false;
    bool m_clickTaken = false;
    bool m_buttonDown = false;
};

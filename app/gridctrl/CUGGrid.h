#pragma once
// The grid area: the window that shows the data cells. It paints the cells
// listed in its repaint list through their cell types, and turns keys and
// mouse input into moves of the current cell, selection changes and hooks.

#include "gridctrl/CUGCell.h"
#include "gridctrl/RedrawHintList.h"

#include "platform/Rect.h"

#include <QTimer>
#include <QWidget>

class CUGCtrl;
class CUGGridInfo;
class QPainter;

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
    // One paint pass over the listed cells.
    void PaintCells(QPainter* painter);

    // A drag held outside the cells steps the current cell at this pace.
    static constexpr int kAutoScrollInterval = 60;
    bool IsAutoScrolling() const { return m_autoScroll.isActive(); }
    void OnAutoScrollTimer();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    // Key down without the Qt event: hooks first, then navigation.
    void onKeyDown(int key);

    CUGCtrl* m_ctrl;
    RedrawHintList m_drawHint;
    CUGCell m_cell;
    bool m_hasFocus = false;
    bool m_clickTaken = false;
    bool m_buttonDown = false;

private:
    // Does the grid area lie under a visible sibling higher in the stack?
    bool isCovered() const;
    void dragTo(const QPoint& point);
    void autoScrollStep();

    QTimer m_autoScroll;
    QPoint m_dragPoint;
    bool m_overRightColumn = false;
    bool m_overBottomRow = false;
    int m_wheelRemainder = 0;
};

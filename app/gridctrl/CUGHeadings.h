#pragma once
// The windows around the grid area: column headings above it, row headings
// at its left and the corner button where they meet. Their cells are grid
// cells with negative indexes, drawn by cell types. Edges are sized with
// the mouse; a column heading can be dragged to move its column. Drags are
// event-driven states, and every mark they show (size preview, drop marker)
// is drawn from that state by a paint event.

#include "gridctrl/CUGCell.h"
#include "gridctrl/RedrawHintList.h"

#include "platform/Rect.h"

#include <QTimer>
#include <QWidget>

class CUGCtrl;
class QPainter;

// What a sizing drag changes.
enum class CUGSizingKind { ColumnWidth, RowHeight, HeadingRowHeight, HeadingColumnWidth, TopHeading, SideHeading };

class CUGTopHdg : public QWidget {
    Q_OBJECT
public:
    explicit CUGTopHdg(CUGCtrl* ctrl);
    // Gives the heading rows the top-heading height (the outermost row takes what is left).
    void FitRows();
    void RepaintIfScrolled();
    int CellAtPoint(const QPoint& point, int* column, int* row, platform::Rect* rect) const;
    int GetCellRectangle(int column, int row, platform::Rect* rect) const;

    bool IsHovering() const { return m_hover; }
    bool IsSizing() const { return m_sizing; }
    int SizedIndex() const { return m_index; }
    // The drop position of a column drag (-1 none) and the x of its marker
    // on the grid area (-1 hidden).
    int DropPosition() const { return m_dropPos; }
    int DropMarkerX() const { return m_markerX; }
    // The x of the size preview line on the grid area (-1 none).
    int PreviewX() const { return m_previewX; }
    void OnColumnDragTimer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void checkEdges(const QPoint& point);
    void sizeTo(const QPoint& point);
    void finishColumnSizing();
    void moveColumnDrag(const QPoint& point);
    void setMarker(int x);

    CUGCtrl* m_ctrl;
    RedrawHintList m_drawHint;
    CUGCell m_cell;
    bool m_sizing = false;
    bool m_hover = false;
    CUGSizingKind m_kind = CUGSizingKind::ColumnWidth;
    int m_index = -1;
    int m_startSize = 0;
    int m_startPos = 0;
    int m_startHeadingSize = 0;
    int m_previewX = -1;
    int m_dragCol = -1;
    int m_dropPos = -1;
    int m_markerX = -1;
    int m_dragDirection = 0;
    QTimer m_dragTimer;
};

class CUGSideHdg : public QWidget {
    Q_OBJECT
public:
    explicit CUGSideHdg(CUGCtrl* ctrl);
    void FitColumns();
    void RepaintAfterScroll();
    int CellAtPoint(const QPoint& point, int* column, int* row, platform::Rect* rect) const;

    bool IsHovering() const { return m_hover; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void checkEdges(const QPoint& point);
    void sizeTo(const QPoint& point);

    CUGCtrl* m_ctrl;
    RedrawHintList m_drawHint;
    CUGCell m_cell;
    int m_lastRowPainted = 0;
    bool m_sizing = false;
    bool m_hover = false;
    CUGSizingKind m_kind = CUGSizingKind::RowHeight;
    int m_index = -1;
    int m_startSize = 0;
    int m_startPos = 0;
    int m_startHeadingSize = 0;
    int m_uniformDivisor = 0;
};

class CUGCnrBtn : public QWidget {
    Q_OBJECT
public:
    explicit CUGCnrBtn(CUGCtrl* ctrl);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    CUGCtrl* m_ctrl;
    CUGCell m_cell;
    bool m_sizing = false;
    bool m_hover = false;
    CUGSizingKind m_kind = CUGSizingKind::TopHeading;
};

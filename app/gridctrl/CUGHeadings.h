#pragma once
// The windows around the grid area: column headings above it, row headings
// at its left and the corner button where they meet. Their cells are grid
// cells with negative indexes, drawn by cell types.

#include "gridctrl/CUGCell.h"
#include "gridctrl/RedrawHintList.h"

#include <QWidget>

class CUGCtrl;

class CUGTopHdg : public QWidget {
    Q_OBJECT
public:
    explicit CUGTopHdg(CUGCtrl* ctrl);
    // Gives the heading rows the top-heading height (the outermost row takes what is left).
    void FitRows();
    void RepaintIfScrolled();

protected:
    void paintEvent(QPaintEvent* event) override;

    CUGCtrl* m_ctrl;
    RedrawHintList m_drawHint;
    CUGCell m_cell;
};

class CUGSideHdg : public QWidget {
    Q_OBJECT
public:
    explicit CUGSideHdg(CUGCtrl* ctrl);
    void FitColumns();
    void RepaintAfterScroll();

protected:
    void paintEvent(QPaintEvent* event) override;

    CUGCtrl* m_ctrl;
    RedrawHintList m_drawHint;
    CUGCell m_cell;
};

class CUGCnrBtn : public QWidget {
    Q_OBJECT
public:
    explicit CUGCnrBtn(CUGCtrl* ctrl);

protected:
    void paintEvent(QPaintEvent* event) override;

    CUGCtrl* m_ctrl;
};

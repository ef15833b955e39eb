#pragma once
// The grid's own scroll bars (rows and columns) and the sheet-tab strip,
// which in this program never holds tabs nor takes space. The vertical bar
// maps more than 1000 scrollable rows onto 1000 positions.

#include <QScrollBar>
#include <QWidget>

class CUGCtrl;

// Scroll codes the bars pass on, as the platform numbers them.
enum CUGScrollCode {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbPosition = 4, // thumb released
    kScrollThumbTrack = 5,    // thumb dragged
    kScrollTop = 6,
    kScrollBottom = 7,
    kScrollEnd = 8,
};

class CUGVScroll : public QScrollBar {
    Q_OBJECT
public:
    explicit CUGVScroll(CUGCtrl* ctrl);
    // Brings range, page and position up to date with the sheet.
    void Update();
    void OnScrollCode(int code, int position);

protected:
    void mousePressEvent(QMouseEvent* event) override;

    CUGCtrl* m_ctrl;
    int m_lastMaxTopRow = -2;
    int m_lastScrollMode = -2;
    int m_lastLockedRows = -2;
    double m_positionsPerRow = 1.0;
    double m_rowsPerPosition = 1.0;
};

class CUGHScroll : public QScrollBar {
    Q_OBJECT
public:
    explicit CUGHScroll(CUGCtrl* ctrl);
    void Update();
    void OnScrollCode(int code, int position);

protected:
    void mousePressEvent(QMouseEvent* event) override;

    CUGCtrl* m_ctrl;
    int m_lastMaxLeftCol = -1;
    int m_lastLockedColumns = -1;
};

class CUGTab : public QWidget {
    Q_OBJECT
public:
    explicit CUGTab(CUGCtrl* ctrl);
    void Refresh();

protected:
    CUGCtrl* m_ctrl;
};

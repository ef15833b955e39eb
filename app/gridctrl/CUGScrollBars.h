#pragma once
// The grid's own scroll bars (rows and columns) and the sheet-tab strip,
// which in this program never holds tabs nor takes space.

#include <QScrollBar>
#include <QWidget>

class CUGCtrl;

class CUGVScroll : public QScrollBar {
    Q_OBJECT
public:
    explicit CUGVScroll(CUGCtrl* ctrl);
    // Brings range, page and position up to date with the sheet.
    void Update();

protected:
    CUGCtrl* m_ctrl;
};

class CUGHScroll : public QScrollBar {
    Q_OBJECT
public:
    explicit CUGHScroll(CUGCtrl* ctrl);
    void Update();

protected:
    CUGCtrl* m_ctrl;
};

class CUGTab : public QWidget {
    Q_OBJECT
public:
    explicit CUGTab(CUGCtrl* ctrl);
    void Refresh();

protected:
    CUGCtrl* m_ctrl;
};

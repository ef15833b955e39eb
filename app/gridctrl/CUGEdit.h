#pragma once
// The grid's in-place editor: a line edit over the cell. Enter stores the
// text, Esc cancels, Tab stores and moves on to the next cell; every key is
// offered to the data source and the owner first.

#include <QLineEdit>

class CUGCtrl;

class CUGEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CUGEdit(CUGCtrl* ctrl);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

    CUGCtrl* m_ctrl;
};

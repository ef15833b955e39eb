#pragma once
// The program's tree window: a tree that reports a change of the selected
// item, a change of its size and a right click on an item to one target.
// A right click selects the item under the pointer first; a right click
// beside the items selects nothing and is not reported.

#include <QTreeWidget>

class QZTreeCtrl;

class QZTreeCtrlListener
{
public:
    virtual ~QZTreeCtrlListener() = default;
    virtual void OnSelChanged(QZTreeCtrl& tree) = 0;
    virtual void OnSize(QZTreeCtrl& tree) = 0;
    virtual void OnRightClick(QZTreeCtrl& tree, QTreeWidgetItem* item, const QPoint& screenPoint) = 0;
};

class QZTreeCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    explicit QZTreeCtrl(QWidget* parent = nullptr);

    // Null (the default) reports nothing.
    void SetNotifyTarget(QZTreeCtrlListener* target) { m_target = target; }
    QZTreeCtrlListener* GetNotifyTarget() const { return m_target; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QZTreeCtrlListener* m_target = nullptr;
};

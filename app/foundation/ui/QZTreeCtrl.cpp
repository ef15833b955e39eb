#include "foundation/ui/QZTreeCtrl.h"

#include <QMouseEvent>

QZTreeCtrl::QZTreeCtrl(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(this, &QTreeWidget::currentItemChanged, this, [this] {
        if (m_target)
            m_target->OnSelChanged(*this);
    });
}

void QZTreeCtrl::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    if (m_target)
        m_target->OnSize(*this);
}

void QZTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    // The view's own handling would move the selection on any right press;
    // here only a press on an item selects it, and only then is it reported.
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (!item)
        return;
    setCurrentItem(item);
    if (m_target)
        m_target->OnRightClick(*this, item, viewport()->mapToGlobal(event->position().toPoint()));
}

void QZTreeCtrl::focusInEvent(QFocusEvent* event)
{
    QTreeWidget::focusInEvent(event);
    viewport()->update();
}

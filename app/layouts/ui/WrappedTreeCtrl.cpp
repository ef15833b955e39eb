#include "layouts/ui/WrappedTreeCtrl.h"

namespace {
constexpr int kHandleRole = Qt::UserRole;
constexpr int kDataRole = Qt::UserRole + 1;
} // namespace

WrappedTreeCtrl::WrappedTreeCtrl() = default;

WrappedTreeCtrl::~WrappedTreeCtrl()
{
    if (m_tree) {
        m_tree->SetNotifyTarget(nullptr);
        delete m_tree.data();
    }
}

bool WrappedTreeCtrl::Create(QWidget* parent, const QRect& rect)
{
    if (m_tree)
        return false;
    m_tree = new QZTreeCtrl(parent);
    m_tree->setGeometry(rect);
    m_tree->SetNotifyTarget(this);
    m_tree->show();
    return true;
}

void WrappedTreeCtrl::SetWindowPos(const QRect& rect)
{
    if (m_tree)
        m_tree->setGeometry(rect);
}

QTreeWidgetItem* WrappedTreeCtrl::ItemOf(TreeItemHandle item) const
{
    // The window and its items may be gone with the window's parent.
    if (!m_tree)
        return nullptr;
    const auto it = m_items.find(item);
    return it == m_items.end() ? nullptr : it->second;
}

TreeItemHandle WrappedTreeCtrl::HandleOf(const QTreeWidgetItem* item) const
{
    return item ? item->data(0, kHandleRole).value<TreeItemHandle>() : 0;
}

ITreeCtrlListener* WrappedTreeCtrl::SetListener(ITreeCtrlListener* listener)
{
    m_listener = listener;
    return listener;
}

TreeItemHandle WrappedTreeCtrl::GetSelectedItem() const
{
    return m_tree ? HandleOf(m_tree->currentItem()) : 0;
}

QString WrappedTreeCtrl::GetSelectedItemText() const
{
    const QTreeWidgetItem* item = m_tree ? m_tree->currentItem() : nullptr;
    return item ? item->text(0) : QString();
}

TreeItemHandle WrappedTreeCtrl::GetChildItem(TreeItemHandle item) const
{
    if (!m_tree)
        return 0;
    if (item == 0 || item == TreeCtrl::Root)
        return HandleOf(m_tree->topLevelItem(0));
    const QTreeWidgetItem* parent = ItemOf(item);
    return parent && parent->childCount() > 0 ? HandleOf(parent->child(0)) : 0;
}

TreeItemHandle WrappedTreeCtrl::GetParentItem(TreeItemHandle item) const
{
    const QTreeWidgetItem* child = ItemOf(item);
    return child ? HandleOf(child->parent()) : 0;
}

unsigned WrappedTreeCtrl::GetItemState(TreeItemHandle item, unsigned mask) const
{
    const QTreeWidgetItem* node = ItemOf(item);
    if (!node)
        return 0;
    unsigned state = 0;
    if (node->isExpanded())
        state |= TreeCtrl::StateExpanded;
    if (node->isSelected())
        state |= TreeCtrl::StateSelected;
    return state & mask;
}

std::uintptr_t WrappedTreeCtrl::GetItemData(TreeItemHandle item) const
{
    const QTreeWidgetItem* node = ItemOf(item);
    return node ? node->data(0, kDataRole).value<std::uintptr_t>() : 0;
}

int WrappedTreeCtrl::GetCount() const
{
    return static_cast<int>(m_items.size());
}

bool WrappedTreeCtrl::ItemHasChildren(TreeItemHandle item) const
{
    const QTreeWidgetItem* node = ItemOf(item);
    return node && node->childCount() > 0;
}

bool WrappedTreeCtrl::SelectItem(TreeItemHandle item, int code)
{
    if (!m_tree || code != TreeCtrl::Caret)
        return false;
    QTreeWidgetItem* node = ItemOf(item);
    if (item != 0 && !node)
        return false;
    // Selecting an item inside a collapsed branch leaves the branch as the
    // user left it; the view would otherwise open it to show the item.
    const bool autoScroll = m_tree->hasAutoScroll();
    m_tree->setAutoScroll(false);
    m_tree->setCurrentItem(node);
    m_tree->setAutoScroll(autoScroll);
    // The listener hears of the change at once and may rebuild the tree
    // (the page optimizing its out-of-date results): the item may be gone.
    node = ItemOf(item);
    bool shown = node != nullptr;
    for (const QTreeWidgetItem* parent = node ? node->parent() : nullptr; parent && shown;
         parent = parent->parent())
        shown = parent->isExpanded();
    if (shown)
        m_tree->scrollToItem(node);
    return true;
}

bool WrappedTreeCtrl::Expand(TreeItemHandle item, int code)
{
    QTreeWidgetItem* node = ItemOf(item);
    if (!node)
        return false;
    switch (code) {
    case TreeCtrl::Expand:
        node->setExpanded(true);
        return true;
    case TreeCtrl::Collapse:
        node->setExpanded(false);
        return true;
    case TreeCtrl::Toggle:
        node->setExpanded(!node->isExpanded());
        return true;
    default:
        return false;
    }
}

TreeItemHandle WrappedTreeCtrl::InsertItem(unsigned mask, const QString& text, int, int, unsigned state,
    unsigned stateMask, std::uintptr_t data, TreeItemHandle parent, TreeItemHandle insertAfter)
{
    if (!m_tree)
        return 0;
    QTreeWidgetItem* parentItem = m_tree->invisibleRootItem();
    if (parent != 0 && parent != TreeCtrl::Root) {
        parentItem = ItemOf(parent);
        if (!parentItem)
            return 0;
    }
    int index = parentItem->childCount();
    if (insertAfter == TreeCtrl::First) {
        index = 0;
    } else if (insertAfter == TreeCtrl::Sort) {
        // After the last sibling whose text does not sort behind the new one.
        index = 0;
        while (index < parentItem->childCount()
            && parentItem->child(index)->text(0).compare(text, Qt::CaseInsensitive) <= 0)
            ++index;
    } else if (insertAfter != TreeCtrl::Last) {
        if (QTreeWidgetItem* after = ItemOf(insertAfter); after && after->parent() == parentItem)
            index = parentItem->indexOfChild(after) + 1;
        else if (after && !after->parent() && parentItem == m_tree->invisibleRootItem())
            index = m_tree->indexOfTopLevelItem(after) + 1;
    }
    auto* item = new QTreeWidgetItem;
    const TreeItemHandle handle = ++m_lastHandle;
    item->setData(0, kHandleRole, QVariant::fromValue(handle));
    if (mask & TreeCtrl::MaskText)
        item->setText(0, text);
    if (mask & TreeCtrl::MaskParam)
        item->setData(0, kDataRole, QVariant::fromValue(data));
    parentItem->insertChild(index, item);
    m_items[handle] = item;
    if (stateMask & TreeCtrl::StateExpanded)
        item->setExpanded((state & TreeCtrl::StateExpanded) != 0);
    return handle;
}

bool WrappedTreeCtrl::DeleteAllItems()
{
    if (!m_tree)
        return false;
    SetRedraw(false);
    m_tree->clear();
    m_items.clear();
    SetRedraw(true);
    return true;
}

void WrappedTreeCtrl::SetRedraw(bool on)
{
    if (m_tree)
        m_tree->setUpdatesEnabled(on);
}

void WrappedTreeCtrl::Invalidate()
{
    if (m_tree)
        m_tree->viewport()->update();
}

void WrappedTreeCtrl::RedrawNow()
{
    if (m_tree)
        m_tree->viewport()->repaint();
}

void WrappedTreeCtrl::OnSelChanged(QZTreeCtrl&)
{
    if (m_listener)
        m_listener->OnSelChanged(*this);
}

void WrappedTreeCtrl::OnSize(QZTreeCtrl&)
{
    if (m_listener)
        m_listener->OnSize(*this);
}

void WrappedTreeCtrl::OnRightClick(QZTreeCtrl&, QTreeWidgetItem* item, const QPoint& screenPoint)
{
    if (m_listener)
        m_listener->OnRightClick(*this, HandleOf(item), screenPoint);
}

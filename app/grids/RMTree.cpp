#include "grids/RMTree.h"

#include "grids/GridHooks.h"
#include "grids/RawMaterialsHost.h"

#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <utility>

namespace {

constexpr int kDataRole = Qt::UserRole;

// The typed label goes to the rename, never straight into the tree: the new
// name shows when the rename has refreshed the tree, a refused one never.
class LabelDelegate : public QStyledItemDelegate
{
public:
    explicit LabelDelegate(RMTree& tree)
        : QStyledItemDelegate(&tree)
        , m_tree(tree)
    { }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            m_tree.KeepTypedLabel(line->text());
    }

private:
    RMTree& m_tree;
};

} // namespace

RMTree::RMTree(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setItemDelegate(new LabelDelegate(*this));
    connect(this, &QTreeWidget::currentItemChanged, this, [this] { OnSelectionChanged(); });
}

RMTree::~RMTree() = default;

void RMTree::SetManager(std::shared_ptr<RMTreeMgr> manager)
{
    m_manager = std::move(manager);
}

void RMTree::Show(bool show)
{
    setVisible(show);
}

void RMTree::MoveTo(int x, int y, int width, int height)
{
    setGeometry(x, y, width, height);
    viewport()->update();
}

void RMTree::ClearSelection()
{
    setCurrentItem(nullptr);
}

void RMTree::SelectCategoryNode()
{
    setCurrentItem(m_categoryNode);
}

void RMTree::SelectItemByData(const CSheetGoodEx* material)
{
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; m_categoryNode && i < m_categoryNode->childCount() && !found; ++i) {
        QTreeWidgetItem* child = m_categoryNode->child(i);
        if (child->data(0, kDataRole).value<quintptr>() == reinterpret_cast<quintptr>(material))
            found = child;
    }
    setCurrentItem(found);
}

QString RMTree::GetSelectedItemText() const
{
    return currentItem() ? currentItem()->text(0) : QString();
}

QWidget* RMTree::EditSelectedLabel()
{
    QTreeWidgetItem* item = currentItem();
    // Asked before the view is, which would complain of a refused edit.
    if (!item || item == m_categoryNode || !CanEditLabel())
        return nullptr;
    editItem(item);
    // An editor closed before waits hidden for its deletion.
    const QList<QLineEdit*> editors = viewport()->findChildren<QLineEdit*>();
    for (auto it = editors.rbegin(); it != editors.rend(); ++it)
        if (!(*it)->isHidden())
            return *it;
    return nullptr;
}

bool RMTree::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // The "Sheet Goods" node is no material to rename.
    if (trigger != QAbstractItemView::NoEditTriggers && itemFromIndex(index) == m_categoryNode)
        return false;
    if (trigger != QAbstractItemView::NoEditTriggers && !CanEditLabel())
        return false;
    return QTreeWidget::edit(index, trigger, event);
}

void RMTree::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QString before = currentItem() ? currentItem()->text(0) : QString();
    QTreeWidget::closeEditor(editor, hint);
    // A label left as it was renames nothing.
    const std::optional<QString> typed = std::exchange(m_typedLabel, std::nullopt);
    if (typed && *typed != before)
        OnEndLabelEdit(*typed);
}

void RMTree::OnEndLabelEdit(const QString& text)
{
    if (m_manager)
        m_manager->OnEndLabelEdit(text);
}

void RMTree::OnSelectionChanged()
{
    if (m_busy)
        return;
    m_busy = true;
    if (m_manager)
        m_selection = m_manager->OnSelectionChanged();
    m_category = m_selection == RMTreeMgr::NoneSelected ? 0 : 1;
    if (m_host)
        m_host->RefreshRawMaterialsDisplay();
    m_busy = false;
}

void RMTree::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    ShowContextMenu(itemAt(point), viewport()->mapToGlobal(point));
}

void RMTree::ShowContextMenu(QTreeWidgetItem* item, const QPoint& screenPoint)
{
    if (!item)
        return;
    setCurrentItem(item);
    if (!IsSheetGoodsSelected())
        return;
    QMenu menu(m_host ? m_host->GetMainWindow() : this);
    const struct
    {
        Command id;
        const char* text;
    } entries[] = { { kNewMaterial, "New Material" }, { kDeleteMaterial, "Delete Material" },
        { kEditMaterialName, "Edit Material Name" } };
    for (const auto& entry : entries) {
        QAction* action = menu.addAction(QString::fromUtf8(entry.text));
        action->setData(static_cast<int>(entry.id));
        action->setEnabled(entry.id == kNewMaterial || IsMaterialSelected());
    }
    if (QAction* chosen = ExecMenu(menu, screenPoint))
        SendMainWindowCommand(chosen->data().toInt());
}

QAction* RMTree::ExecMenu(QMenu& menu, const QPoint& screenPoint)
{
    return menu.exec(screenPoint);
}

// ------------------------------------------------------------------ IRMTree

void RMTree::SetRedraw(bool on)
{
    setUpdatesEnabled(on);
}

void RMTree::DeleteAllItems()
{
    m_categoryNode = nullptr;
    clear();
}

IRMTree::Item RMTree::InsertItem(const QString& text, const CSheetGoodEx* material, Item parent)
{
    QTreeWidgetItem* item = parent ? new QTreeWidgetItem(ToItem(parent), QStringList { text })
                                   : new QTreeWidgetItem(this, QStringList { text });
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setData(0, kDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(material)));
    if (!parent)
        m_categoryNode = item;
    return item;
}

void RMTree::Expand(Item item)
{
    if (QTreeWidgetItem* node = ToItem(item))
        node->setExpanded(true);
}

void RMTree::SelectItem(Item item)
{
    setCurrentItem(ToItem(item));
}

IRMTree::Item RMTree::GetCaretItem() const
{
    return currentItem();
}

IRMTree::Item RMTree::GetParentItem(Item item) const
{
    const QTreeWidgetItem* node = ToItem(item);
    return node ? node->parent() : nullptr;
}

QString RMTree::GetItemText(Item item) const
{
    const QTreeWidgetItem* node = ToItem(item);
    return node ? node->text(0) : QString();
}

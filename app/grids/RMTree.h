#pragma once
// The tree of the Raw Materials page: a "Sheet Goods" node with one child
// per sheet good of the library. Selecting a material shows it in the
// size/cost grid and the strip; a right click offers the material menu; a
// material's label can be edited in place to rename it. The filling and
// the rename are the tree manager's; the tree reports its events to it and
// to the page's host.

#include "model/RMTreeMgr.h"

#include <QTreeWidget>

#include <memory>
#include <optional>

class IRawMaterialsHost;
class QMenu;

class RMTree : public QTreeWidget, public IRMTree
{
    Q_OBJECT
public:
    // The commands of the material menu.
    enum Command { kNewMaterial = 32814, kDeleteMaterial = 32815, kEditMaterialName = 32816 };

    explicit RMTree(QWidget* parent = nullptr);
    ~RMTree() override;

    // Replaces the manager (the previous one is released).
    void SetManager(std::shared_ptr<RMTreeMgr> manager);
    const std::shared_ptr<RMTreeMgr>& GetManager() const { return m_manager; }
    void SetHost(IRawMaterialsHost* host) { m_host = host; }

    // ---- the page's operations
    void Show(bool show);
    void MoveTo(int x, int y, int width, int height);
    bool IsMaterialSelected() const { return m_selection == RMTreeMgr::ItemSelected; }
    bool IsSheetGoodsSelected() const { return m_category == 1; }
    bool IsSheetGoodMaterialSelected() const { return IsMaterialSelected() && IsSheetGoodsSelected(); }
    bool CanEditLabel() const { return m_selection != RMTreeMgr::RootSelected; }
    void ClearSelection();
    void SelectCategoryNode();
    // Selects the first material node of the data; none when no node has it.
    void SelectItemByData(const CSheetGoodEx* material);
    QString GetSelectedItemText() const;
    // Starts editing the selected label; the editor, or null.
    QWidget* EditSelectedLabel();
    // Selects the item, then offers the material menu at the screen point.
    void ShowContextMenu(QTreeWidgetItem* item, const QPoint& screenPoint);
    void OnSelectionChanged();
    // An accepted label edit: the rename command names the node anew.
    void OnEndLabelEdit(const QString& text);
    // The editor's text, kept until the editor has closed (see closeEditor).
    void KeepTypedLabel(const QString& text) { m_typedLabel = text; }

    // ---- IRMTree
    void SetRedraw(bool on) override;
    void DeleteAllItems() override;
    Item InsertItem(const QString& text, const CSheetGoodEx* material, Item parent) override;
    void Expand(Item item) override;
    void SelectItem(Item item) override;
    Item GetCaretItem() const override;
    Item GetParentItem(Item item) const override;
    QString GetItemText(Item item) const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    // The rename rebuilds the tree: it runs once the editor is closed, since
    // the view can no longer close an editor whose item has gone.
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    // Runs the menu at the point and answers the chosen action (null: none).
    virtual QAction* ExecMenu(QMenu& menu, const QPoint& screenPoint);

private:
    static QTreeWidgetItem* ToItem(Item item)
    {
        return const_cast<QTreeWidgetItem*>(static_cast<const QTreeWidgetItem*>(item));
    }

    std::shared_ptr<RMTreeMgr> m_manager;
    IRawMaterialsHost* m_host = nullptr;
    QTreeWidgetItem* m_categoryNode = nullptr;
    bool m_busy = false;
    std::optional<QString> m_typedLabel;
    RMTreeMgr::Selection m_selection = RMTreeMgr::NoneSelected;
    int m_category = 0;
};

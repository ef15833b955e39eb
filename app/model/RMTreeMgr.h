#pragma once
// The manager of the raw-materials tree: fills the tree from the library,
// follows its selection and turns a finished label edit into a rename.
// The tree control itself belongs to the program's grids; the manager sees
// it through IRMTree.

#include <QString>

#include <memory>

class CSheetGoodEx;

class IRMTree
{
public:
    using Item = const void*; // null: no item
    virtual ~IRMTree() = default;
    virtual void SetRedraw(bool on) = 0;
    virtual void DeleteAllItems() = 0;
    virtual Item InsertItem(const QString& text, const CSheetGoodEx* data, Item parent) = 0;
    virtual void Expand(Item item) = 0;
    virtual void SelectItem(Item item) = 0;
    virtual Item GetCaretItem() const = 0;
    virtual Item GetParentItem(Item item) const = 0;
    virtual QString GetItemText(Item item) const = 0;
};

class RMTreeMgr
{
public:
    enum Selection { NoneSelected = 0, RootSelected = 1, ItemSelected = 2 };

    explicit RMTreeMgr(IRMTree& tree)
        : m_tree(tree)
    { }

    // Rebuilds the tree under "Sheet Goods" and selects the given material.
    void RefreshMaterialsViewLocked(const std::shared_ptr<CSheetGoodEx>& selected);
    // Called on every selection change.
    Selection OnSelectionChanged();
    // The material of a selected item directly under the root.
    std::shared_ptr<CSheetGoodEx> GetSelectedSheetGood() const;
    // The user finished editing a label: rename the selected material.
    void OnEndLabelEdit(const QString& newText);

private:
    IRMTree& m_tree;
    IRMTree::Item m_root = nullptr;
    Selection m_selection = NoneSelected;
    std::shared_ptr<CSheetGoodEx> m_selected;
};

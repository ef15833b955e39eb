#include "model/RMTreeMgr.h"

#include "model/CSheetGoodEx.h"
#include "model/MaterialCommands.h"
#include "model/MaterialsBase.h"
#include "model/ModelTexts.h"

namespace {
// Suspends the tree's redrawing while it is rebuilt.
class RedrawLock
{
public:
    explicit RedrawLock(IRMTree& tree)
        : m_tree(tree)
    {
        m_tree.SetRedraw(false);
    }
    ~RedrawLock() { m_tree.SetRedraw(true); }
    RedrawLock(const RedrawLock&) = delete;
    RedrawLock& operator=(const RedrawLock&) = delete;

private:
    IRMTree& m_tree;
};
} // namespace

void RMTreeMgr::RefreshMaterialsViewLocked(const std::shared_ptr<CSheetGoodEx>& selected)
{
    RedrawLock lock(m_tree);
    m_tree.DeleteAllItems();
    m_root = m_tree.InsertItem(UiText(kStrSheetGoods), nullptr, nullptr);
    IRMTree::Item selectedItem = nullptr;
    if (MaterialsBase* library = GetMaterialsLibrary()) {
        for (const auto& material : library->GetMaterials()) {
            IRMTree::Item item = m_tree.InsertItem(material->GetName(), material.get(), m_root);
            if (material == selected)
                selectedItem = item;
        }
    }
    m_tree.Expand(m_root);
    if (selectedItem) {
        m_tree.SelectItem(selectedItem);
    } else {
        m_selection = NoneSelected;
        m_selected.reset();
    }
}

RMTreeMgr::Selection RMTreeMgr::OnSelectionChanged()
{
    const IRMTree::Item caret = m_tree.GetCaretItem();
    if (!caret) {
        m_selection = NoneSelected;
        m_selected.reset();
    } else if (caret == m_root) {
        m_selection = RootSelected;
    } else {
        m_selection = ItemSelected;
        if (m_tree.GetParentItem(caret) == m_root) {
            const MaterialsBase* library = GetMaterialsLibrary();
            m_selected = library ? library->FindMaterial(m_tree.GetItemText(caret)) : nullptr;
        }
    }
    return m_selection;
}

std::shared_ptr<CSheetGoodEx> RMTreeMgr::GetSelectedSheetGood() const
{
    const IRMTree::Item caret = m_tree.GetCaretItem();
    if (m_selection == ItemSelected && caret && m_tree.GetParentItem(caret) == m_root)
        return m_selected;
    return {};
}

void RMTreeMgr::OnEndLabelEdit(const QString& newText)
{
    MaterialsBase* library = GetMaterialsLibrary();
    const auto material = GetSelectedSheetGood();
    if (newText.isEmpty() || !material || !library)
        return;
    if (auto command = MakeRenameCommand(material, library->GetMaterials(), newText))
        RunMaterialCommand(command);
}

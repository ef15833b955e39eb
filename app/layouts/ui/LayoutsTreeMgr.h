#pragma once
// The manager of the layouts tree: builds the items from the project's
// sheet-goods bill of materials, remembers which item stands for which
// material, target and results, restores a remembered selection after a
// rebuild, reports the user's selection to the page's view manager and
// offers the Pin All / Unpin All menu.

#include "layouts/ui/ILayoutsTreeMgr.h"
#include "layouts/ui/ITreeCtrl.h"

#include <map>
#include <memory>

class IOptimizationDoc;
class QAction;
class QMenu;

class LayoutsTreeMgr : public ITreeCtrlListener, public ILayoutsTreeMgr
{
public:
    static constexpr int kTargetKind = 3;

    // owner and document are not owned.
    LayoutsTreeMgr(ILayoutsTreeOwner* owner, IOptimizationDoc* document);
    ~LayoutsTreeMgr() override;

    // ---- ILayoutsTreeMgr
    void Rebuild(LayoutsTreeSelection& out, const LayoutsTreeSelection& toRestore) override;
    int GetSelectedTargetKind() const override;
    void ReselectCurrentItem() override;
    void AttachTreeCtrl(std::shared_ptr<ITreeCtrl> tree) override;
    void Reset() override;
    void Invalidate() override;
    bool IsRootSelected() const override;

    // ---- ITreeCtrlListener
    void OnSelChanged(ITreeCtrl& tree) override;
    void OnSize(ITreeCtrl& tree) override;
    void OnRightClick(ITreeCtrl& tree, TreeItemHandle item, const QPoint& screenPoint) override;

    // The selection as it stands in the tree.
    LayoutsTreeSelection GetSelection() const;
    TreeItemHandle GetRootItem() const { return m_root; }

protected:
    // Shows the menu at the point and answers the chosen entry (null for none).
    virtual QAction* TrackContextMenu(QMenu& menu, const QPoint& screenPoint);

private:
    struct TargetLess
    {
        bool operator()(const OptimizationTargetPtr& a, const OptimizationTargetPtr& b) const;
    };

    void BuildItems();
    int SelectionLevel() const;
    TreeItemHandle FirstTargetItem() const;
    void RestoreSelection(const LayoutsTreeSelection& toRestore);

    std::shared_ptr<ITreeCtrl> m_tree;
    ILayoutsTreeOwner* m_owner;
    IOptimizationDoc* m_document;
    bool m_busy = false;
    TreeItemHandle m_root = 0;
    bool m_rootExpanded = true;
    // Looked up only, never listed: the addresses order nothing visible.
    std::map<const OptimizationResults*, int> m_kindByResults;
    std::map<TreeItemHandle, OptimizationResultsPtr> m_resultsByItem;
    std::map<std::shared_ptr<IOptimizableMaterial>, TreeItemHandle> m_itemByMaterial;
    std::map<OptimizationTargetPtr, TreeItemHandle, TargetLess> m_itemByTarget;
};

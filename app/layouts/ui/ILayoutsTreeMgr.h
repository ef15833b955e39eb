#pragma once
// The layouts tree: one root, one item per optimized sheet-good material and
// one per target (a material at one thickness) below it. What the page's
// view manager calls, what the tree reports to it, and the selection they
// exchange.

#include "optimization/OptimizationResults.h"

#include <memory>

class IOptimizableMaterial;
class ITreeCtrl;
class QWidget;

// The tree's part of the page's selection.
struct LayoutsTreeSelection
{
    // 0 nothing selected (or no root), 1 the root, 2 a material, 3 a target.
    int level = 0;
    // Set only at level 3.
    OptimizationResultsPtr results;
    // Set only at level 2.
    std::shared_ptr<IOptimizableMaterial> material;
    // Set only at level 3.
    OptimizationTargetPtr target;

    friend bool operator==(const LayoutsTreeSelection&, const LayoutsTreeSelection&) = default;
};

// Context menu commands of the tree, which the layouts frame carries out.
namespace LayoutsTreeCommand {
constexpr int PinAll = 32928;
constexpr int UnpinAll = 32929;
} // namespace LayoutsTreeCommand

// What the tree asks of the page's view manager.
class ILayoutsTreeOwner
{
public:
    virtual ~ILayoutsTreeOwner() = default;
    // The user picked another item.
    virtual void OnTreeSelectionChanged(const LayoutsTreeSelection& selection) = 0;
    virtual void OnTreeResized() = 0;
    // The layouts frame's window: the owner of the tree's context menu.
    virtual QWidget* GetFrameWnd() const = 0;
    // A command of the tree's context menu goes to the layouts frame, which
    // handles it as it handles its own (Pin All, Unpin All).
    virtual void SendFrameCommand(int commandId) = 0;
};

class ILayoutsTreeMgr
{
public:
    virtual ~ILayoutsTreeMgr() = default;
    // Rebuilds every item from the document and selects what toRestore
    // names (an equal target will do); out is the selection that stands
    // afterwards. Nothing of it is reported to the owner.
    virtual void Rebuild(LayoutsTreeSelection& out, const LayoutsTreeSelection& toRestore) = 0;
    // 3 while a target is selected, else 0.
    virtual int GetSelectedTargetKind() const = 0;
    virtual void ReselectCurrentItem() = 0;
    // The manager becomes the tree's listener.
    virtual void AttachTreeCtrl(std::shared_ptr<ITreeCtrl> tree) = 0;
    // Leaves the root alone in the tree.
    virtual void Reset() = 0;
    virtual void Invalidate() = 0;
    virtual bool IsRootSelected() const = 0;
};

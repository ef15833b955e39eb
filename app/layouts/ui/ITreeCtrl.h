#pragma once
// The layouts tree's window behind a small interface, so that the tree's
// manager never touches the window itself, and what the window reports back.

#include <QString>

#include <cstdint>

class QPoint;
class QWidget;

// An item of the tree; 0 stands for none.
using TreeItemHandle = std::uint32_t;

namespace TreeCtrl {
// Parents and insert positions that name no item.
constexpr TreeItemHandle Root = 0xFFFF0000u;
constexpr TreeItemHandle First = 0xFFFF0001u;
constexpr TreeItemHandle Last = 0xFFFF0002u;
constexpr TreeItemHandle Sort = 0xFFFF0003u;
// Insert masks: the text and the item data are given.
constexpr unsigned MaskText = 0x1;
constexpr unsigned MaskParam = 0x4;
// Item states.
constexpr unsigned StateSelected = 0x2;
constexpr unsigned StateExpanded = 0x20;
// Selection and expansion codes.
constexpr int Caret = 0x9;
constexpr int Collapse = 0x1;
constexpr int Expand = 0x2;
constexpr int Toggle = 0x3;
} // namespace TreeCtrl

class ITreeCtrl;

class ITreeCtrlListener
{
public:
    virtual ~ITreeCtrlListener() = default;
    virtual void OnSelChanged(ITreeCtrl& tree) = 0;
    virtual void OnSize(ITreeCtrl& tree) = 0;
    // Only for a click on an item; the item is then already selected.
    virtual void OnRightClick(ITreeCtrl& tree, TreeItemHandle item, const QPoint& screenPoint) = 0;
};

class ITreeCtrl
{
public:
    virtual ~ITreeCtrl() = default;

    virtual ITreeCtrlListener* SetListener(ITreeCtrlListener* listener) = 0;
    // The window; null before it is created and after it is gone.
    virtual QWidget* GetSafeHwnd() const = 0;
    virtual TreeItemHandle GetSelectedItem() const = 0;
    virtual QString GetSelectedItemText() const = 0;
    virtual TreeItemHandle GetChildItem(TreeItemHandle item) const = 0;
    virtual TreeItemHandle GetParentItem(TreeItemHandle item) const = 0;
    // The item's state bits under the mask.
    virtual unsigned GetItemState(TreeItemHandle item, unsigned mask) const = 0;
    virtual std::uintptr_t GetItemData(TreeItemHandle item) const = 0;
    virtual int GetCount() const = 0;
    virtual bool ItemHasChildren(TreeItemHandle item) const = 0;
    // Code TreeCtrl::Caret makes the item (or none, for 0) the selected one.
    virtual bool SelectItem(TreeItemHandle item, int code) = 0;
    virtual bool Expand(TreeItemHandle item, int code) = 0;
    virtual TreeItemHandle InsertItem(unsigned mask, const QString& text, int image, int selectedImage,
        unsigned state, unsigned stateMask, std::uintptr_t data, TreeItemHandle parent,
        TreeItemHandle insertAfter)
        = 0;
    virtual bool DeleteAllItems() = 0;
    virtual void SetRedraw(bool on) = 0;
    virtual void Invalidate() = 0;
    virtual void RedrawNow() = 0;
};

#pragma once
// The layouts tree's window behind ITreeCtrl: each operation is one request
// to the embedded tree window, and the window's notifications go on to the
// listener. Items are named by handles that count up from 1 as they are
// inserted, never by addresses.

#include "foundation/ui/QZTreeCtrl.h"
#include "layouts/ui/ITreeCtrl.h"

#include <QPointer>
#include <QRect>

#include <map>

class WrappedTreeCtrl : public ITreeCtrl, public QZTreeCtrlListener
{
public:
    WrappedTreeCtrl();
    // The embedded window goes with this object.
    ~WrappedTreeCtrl() override;

    bool Create(QWidget* parent, const QRect& rect = QRect());
    void SetWindowPos(const QRect& rect);
    QZTreeCtrl* GetWindow() const { return m_tree; }
    // The item of a handle; null for none.
    QTreeWidgetItem* ItemOf(TreeItemHandle item) const;

    // ---- ITreeCtrl
    ITreeCtrlListener* SetListener(ITreeCtrlListener* listener) override;
    QWidget* GetSafeHwnd() const override { return m_tree; }
    TreeItemHandle GetSelectedItem() const override;
    QString GetSelectedItemText() const override;
    TreeItemHandle GetChildItem(TreeItemHandle item) const override;
    TreeItemHandle GetParentItem(TreeItemHandle item) const override;
    unsigned GetItemState(TreeItemHandle item, unsigned mask) const override;
    std::uintptr_t GetItemData(TreeItemHandle item) const override;
    int GetCount() const override;
    bool ItemHasChildren(TreeItemHandle item) const override;
    bool SelectItem(TreeItemHandle item, int code) override;
    bool Expand(TreeItemHandle item, int code) override;
    TreeItemHandle InsertItem(unsigned mask, const QString& text, int image, int selectedImage,
        unsigned state, unsigned stateMask, std::uintptr_t data, TreeItemHandle parent,
        TreeItemHandle insertAfter) override;
    bool DeleteAllItems() override;
    void SetRedraw(bool on) override;
    void Invalidate() override;
    void RedrawNow() override;

    // ---- QZTreeCtrlListener
    void OnSelChanged(QZTreeCtrl& tree) override;
    void OnSize(QZTreeCtrl& tree) override;
    void OnRightClick(QZTreeCtrl& tree, QTreeWidgetItem* item, const QPoint& screenPoint) override;

private:
    TreeItemHandle HandleOf(const QTreeWidgetItem* item) const;

    QPointer<QZTreeCtrl> m_tree;
    ITreeCtrlListener* m_listener = nullptr;
    std::map<TreeItemHandle, QTreeWidgetItem*> m_items;
    TreeItemHandle m_lastHandle = 0;
};

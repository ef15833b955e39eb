#include "ModelTestSupport.h"

#include "model/RMTreeMgr.h"

#include <list>

namespace {

// An in-memory tree: items are nodes of a list, the caret is set by the test.
class FakeTree : public IRMTree
{
public:
    struct Node
    {
        QString text;
        const CSheetGoodEx* data;
        Item parent;
    };

    void SetRedraw(bool on) override { redrawOn = on; }
    void DeleteAllItems() override
    {
        nodes.clear();
        caret = nullptr;
    }
    Item InsertItem(const QString& text, const CSheetGoodEx* data, Item parent) override
    {
        EXPECT_FALSE(redrawOn) << "the tree is filled with redrawing suspended";
        nodes.push_back({ text, data, parent });
        return &nodes.back();
    }
    void Expand(Item) override { }
    void SelectItem(Item item) override { caret = item; }
    Item GetCaretItem() const override { return caret; }
    Item GetParentItem(Item item) const override { return static_cast<const Node*>(item)->parent; }
    QString GetItemText(Item item) const override { return static_cast<const Node*>(item)->text; }

    Item Find(const QString& text) const
    {
        for (const Node& node : nodes)
            if (node.text == text)
                return &node;
        return nullptr;
    }

    std::list<Node> nodes;
    Item caret = nullptr;
    bool redrawOn = true;
};

class RMTreeMgrTest : public LibraryTest
{
protected:
    FakeTree m_tree;
    RMTreeMgr m_manager { m_tree };
};

TEST_F(RMTreeMgrTest, RefreshListsMaterialsAndSelectsTheGivenOne)
{
    AddSheetGood(QStringLiteral("Oak"));
    auto pine = AddSheetGood(QStringLiteral("Pine"));
    m_manager.RefreshMaterialsViewLocked(pine);
    ASSERT_EQ(m_tree.nodes.size(), 3u);
    EXPECT_TRUE(m_tree.redrawOn);
    EXPECT_EQ(m_tree.caret, m_tree.Find(QStringLiteral("Pine")));
    EXPECT_EQ(m_manager.OnSelectionChanged(), RMTreeMgr::ItemSelected);
    EXPECT_EQ(m_manager.GetSelectedSheetGood(), pine);

    m_tree.caret = m_tree.GetParentItem(m_tree.caret);
    EXPECT_EQ(m_manager.OnSelectionChanged(), RMTreeMgr::RootSelected);
    EXPECT_EQ(m_manager.GetSelectedSheetGood(), nullptr);
    m_tree.caret = nullptr;
    EXPECT_EQ(m_manager.OnSelectionChanged(), RMTreeMgr::NoneSelected);
}

TEST_F(RMTreeMgrTest, LabelEditRenamesOnlyToAFreeName)
{
    auto oak = AddSheetGood(QStringLiteral("Oak"));
    AddSheetGood(QStringLiteral("Pine"));
    m_manager.RefreshMaterialsViewLocked(oak);
    m_manager.OnSelectionChanged();

    m_manager.OnEndLabelEdit(QString());
    m_manager.OnEndLabelEdit(QStringLiteral("PINE"));
    EXPECT_EQ(oak->GetStoredName(), QStringLiteral("Oak"));
    EXPECT_EQ(m_messages.size(), 1);

    m_manager.OnEndLabelEdit(QStringLiteral("White Oak"));
    EXPECT_EQ(oak->GetStoredName(), QStringLiteral("White Oak"));
    HistoryUndo();
    EXPECT_EQ(oak->GetStoredName(), QStringLiteral("Oak"));
}

} // namespace

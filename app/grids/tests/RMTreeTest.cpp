// The raw-materials tree over a real library: selection kinds, the right
// click and its menu, in-place renaming through the rename command.
#include "RawMaterialsTestSupport.h"

#include "grids/GridHooks.h"
#include "grids/RMTree.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {

// Records the menu instead of running it, and picks a command from it.
class TestTree : public RMTree
{
public:
    struct Shown
    {
        std::map<int, bool> enabled;
    };
    std::vector<Shown> menus;
    int choose = 0;

protected:
    QAction* ExecMenu(QMenu& menu, const QPoint&) override
    {
        Shown shown;
        QAction* chosen = nullptr;
        for (QAction* action : menu.actions()) {
            shown.enabled[action->data().toInt()] = action->isEnabled();
            if (action->data().toInt() == choose)
                chosen = action;
        }
        menus.push_back(shown);
        return chosen;
    }
};

class RMTreeTest : public RawMaterialsTest
{
protected:
    void SetUp() override
    {
        RawMaterialsTest::SetUp();
        m_tree = std::make_unique<TestTree>();
        m_tree->resize(300, 400);
        m_manager = std::make_shared<RMTreeMgr>(*m_tree);
        m_tree->SetManager(m_manager);
        m_tree->SetHost(&m_host);
        m_manager->RefreshMaterialsViewLocked(nullptr);
        m_tree->show();
        QApplication::processEvents();
        m_host.events.clear();
        SetMainWindowCommandHook([this](int id) { m_commands.push_back(id); });
    }
    void TearDown() override
    {
        SetMainWindowCommandHook({});
        m_tree.reset();
        RawMaterialsTest::TearDown();
    }

    QTreeWidgetItem* Category() const { return m_tree->topLevelItem(0); }
    QTreeWidgetItem* Node(const QString& text) const
    {
        const auto found = m_tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }
    void RightClick(const QPoint& point)
    {
        QTest::mouseClick(m_tree->viewport(), Qt::RightButton, {}, point);
    }
    void RightClick(QTreeWidgetItem* item) { RightClick(m_tree->visualItemRect(item).center()); }

    std::unique_ptr<TestTree> m_tree;
    std::shared_ptr<RMTreeMgr> m_manager;
    std::vector<int> m_commands;
};

TEST_F(RMTreeTest, RightClickingEmptySpaceShowsNoMenu)
{
    m_tree->SelectItemByData(m_ash.get());
    m_host.events.clear();
    RightClick(QPoint(150, 380));
    EXPECT_TRUE(m_tree->menus.empty());
    EXPECT_EQ(m_tree->currentItem(), Node(QStringLiteral("Ash")));
    EXPECT_TRUE(m_host.events.isEmpty());
}

TEST_F(RMTreeTest, TheSheetGoodsNodeOffersOnlyNewMaterial)
{
    ASSERT_EQ(Category()->text(0), QStringLiteral("Sheet Goods"));
    RightClick(Category());
    ASSERT_EQ(m_tree->menus.size(), 1u);
    const auto& enabled = m_tree->menus.front().enabled;
    EXPECT_TRUE(enabled.at(RMTree::kNewMaterial));
    EXPECT_FALSE(enabled.at(RMTree::kDeleteMaterial));
    EXPECT_FALSE(enabled.at(RMTree::kEditMaterialName));
    EXPECT_TRUE(m_tree->IsSheetGoodsSelected());
    EXPECT_FALSE(m_tree->IsMaterialSelected());
    EXPECT_FALSE(m_tree->CanEditLabel());
}

TEST_F(RMTreeTest, ARightClickedMaterialIsSelectedBeforeItsMenu)
{
    m_tree->choose = RMTree::kEditMaterialName;
    RightClick(Node(QStringLiteral("Ash")));
    EXPECT_EQ(m_host.events, QStringList { QStringLiteral("refresh") });
    EXPECT_EQ(m_manager->GetSelectedSheetGood(), m_ash);
    EXPECT_TRUE(m_tree->IsSheetGoodMaterialSelected());
    ASSERT_EQ(m_tree->menus.size(), 1u);
    for (const auto& [id, enabled] : m_tree->menus.front().enabled)
        EXPECT_TRUE(enabled) << id;
    EXPECT_EQ(m_commands, std::vector<int> { RMTree::kEditMaterialName });
}

TEST_F(RMTreeTest, LabelsOfMaterialsAreRenamedThroughTheRenameCommand)
{
    m_tree->SelectCategoryNode();
    EXPECT_EQ(m_tree->EditSelectedLabel(), nullptr);

    m_tree->SelectItemByData(m_ash.get());
    EXPECT_EQ(m_tree->GetSelectedItemText(), QStringLiteral("Ash"));
    // Escape changes nothing.
    auto* editor = qobject_cast<QLineEdit*>(m_tree->EditSelectedLabel());
    ASSERT_TRUE(editor);
    editor->setText(QStringLiteral("Elm"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(m_ash->GetName(), QStringLiteral("Ash"));
    EXPECT_EQ(Steps(), 0u);

    editor = qobject_cast<QLineEdit*>(m_tree->EditSelectedLabel());
    ASSERT_TRUE(editor);
    editor->setText(QStringLiteral("Walnut"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the delegate commits in a queued call
    EXPECT_EQ(m_ash->GetName(), QStringLiteral("Walnut"));
    EXPECT_EQ(Steps(), 1u);
    // The tree shows the name once the rename has refreshed it.
    EXPECT_TRUE(Node(QStringLiteral("Ash")));
    m_manager->RefreshMaterialsViewLocked(m_ash);
    EXPECT_TRUE(Node(QStringLiteral("Walnut")));
    EXPECT_EQ(m_tree->GetSelectedItemText(), QStringLiteral("Walnut"));
}

TEST_F(RMTreeTest, SelectionByDataAndAChangeDuringAChangeIsIgnored)
{
    m_tree->SelectItemByData(m_oak.get());
    EXPECT_EQ(m_tree->GetSelectedItemText(), QStringLiteral("Oak"));
    m_tree->SelectItemByData(nullptr);
    EXPECT_TRUE(m_tree->GetSelectedItemText().isEmpty());
    EXPECT_FALSE(m_tree->IsSheetGoodsSelected());

    m_host.events.clear();
    m_host.onRefresh = [this] { m_tree->SelectItemByData(m_ash.get()); };
    m_tree->SelectItemByData(m_oak.get());
    m_host.onRefresh = nullptr;
    EXPECT_EQ(m_host.events.size(), 1);
    EXPECT_EQ(m_manager->GetSelectedSheetGood(), m_oak);

    m_tree->ClearSelection();
    EXPECT_FALSE(m_tree->IsMaterialSelected());
    m_tree->MoveTo(5, 6, 200, 100);
    EXPECT_EQ(m_tree->geometry(), QRect(5, 6, 200, 100));
    m_tree->Show(false);
    EXPECT_FALSE(m_tree->isVisible());
}

} // namespace

// The layouts tree over an optimized project: its items, the selection it
// restores and reports, the root's expansion, the context menu.
#include "LayoutsProjectFixture.h"

#include "layouts/ui/LayoutsTreeMgr.h"
#include "layouts/ui/WrappedTreeCtrl.h"
#include "optimization/DiagramIndex.h"
#include "optimization/PinnedUsage.h"

#include <QMenu>
#include <QTest>

namespace {

// Records the menu instead of showing it, and picks an entry.
class MenuRecordingTreeMgr : public LayoutsTreeMgr
{
public:
    using LayoutsTreeMgr::LayoutsTreeMgr;
    QStringList menuTexts;
    int menus = 0;
    int choice = -1;

protected:
    QAction* TrackContextMenu(QMenu& menu, const QPoint&) override
    {
        ++menus;
        menuTexts.clear();
        for (QAction* action : menu.actions())
            menuTexts << action->text();
        return choice >= 0 ? menu.actions().at(choice) : nullptr;
    }
};

// A window that grows by a pixel with every item inserted.
class ResizingTree : public WrappedTreeCtrl
{
public:
    TreeItemHandle InsertItem(unsigned mask, const QString& text, int image, int selectedImage,
        unsigned state, unsigned stateMask, std::uintptr_t data, TreeItemHandle parent,
        TreeItemHandle insertAfter) override
    {
        const TreeItemHandle item = WrappedTreeCtrl::InsertItem(
            mask, text, image, selectedImage, state, stateMask, data, parent, insertAfter);
        GetWindow()->resize(GetWindow()->width() + 1, GetWindow()->height());
        return item;
    }
};

class LayoutsTreeTest : public LayoutsProjectTest
{
protected:
    void SetUp() override
    {
        LayoutsProjectTest::SetUp();
        AddRow(*m_oak, 0.5, 48, 96)->SetUnlimited();
        Append(m_oak, 10, 20, 2, QStringLiteral("Side"));
        auto thin = MakePart(1, 8, 8, 1, m_oak, 0.5);
        thin->SetDescription(QStringLiteral("Back"));
        m_doc->AppendPart(thin.release());
        Append(m_ash, 12, 12, 1, QStringLiteral("Door"));
        // A material without stock: its parts stay unplaced.
        m_maple = AddMaterial(QStringLiteral("Maple"));
        Append(m_maple, 5, 5, 1, QStringLiteral("Peg"));

        m_treeCtrl = std::make_shared<ResizingTree>();
        m_treeCtrl->Create(nullptr, QRect(0, 0, 240, 400));
        m_tree = std::make_unique<MenuRecordingTreeMgr>(&m_owner, m_doc.get());
        m_tree->AttachTreeCtrl(m_treeCtrl);
    }

    LayoutsTreeSelection Rebuild(const LayoutsTreeSelection& toRestore = {})
    {
        LayoutsTreeSelection out;
        m_tree->Rebuild(out, toRestore);
        return out;
    }

    QStringList ChildTexts(TreeItemHandle parent) const
    {
        QStringList texts;
        const QTreeWidgetItem* item = m_treeCtrl->ItemOf(parent);
        for (int i = 0; item && i < item->childCount(); ++i)
            texts << item->child(i)->text(0);
        return texts;
    }

    TreeItemHandle ChildNamed(TreeItemHandle parent, const QString& text) const
    {
        const QTreeWidgetItem* item = m_treeCtrl->ItemOf(parent);
        for (int i = 0; item && i < item->childCount(); ++i)
            if (item->child(i)->text(0) == text)
                return item->child(i)->data(0, Qt::UserRole).value<TreeItemHandle>();
        return 0;
    }

    bool IsExpanded(TreeItemHandle item) const
    {
        return m_treeCtrl->GetItemState(item, TreeCtrl::StateExpanded) != 0;
    }

    QString TargetText(const std::shared_ptr<CSheetGoodEx>& material, double thickness) const
    {
        const OptimizationResultsPtr results = ResultsOf(material, thickness);
        return GetDiagramIndex().FindTargetLetter(results->GetTarget().get()) + QStringLiteral(". ")
            + results->GetName();
    }

    std::shared_ptr<CSheetGoodEx> m_maple;
    std::shared_ptr<ResizingTree> m_treeCtrl;
    std::unique_ptr<MenuRecordingTreeMgr> m_tree;
};

TEST_F(LayoutsTreeTest, WithoutResultsTheRootStandsAlone)
{
    LayoutsTreeSelection target;
    target.level = 3;
    EXPECT_EQ(Rebuild(target).level, 0);
    EXPECT_EQ(m_treeCtrl->GetCount(), 1);
    EXPECT_EQ(m_treeCtrl->ItemOf(m_tree->GetRootItem())->text(0), QStringLiteral("Sheet Goods"));
    LayoutsTreeSelection root;
    root.level = 1;
    EXPECT_EQ(Rebuild(root), root);
}

TEST_F(LayoutsTreeTest, MaterialsAlphabeticallyAndTheThinnerTargetFirst)
{
    Optimize();
    const LayoutsTreeSelection out = Rebuild();
    const TreeItemHandle root = m_tree->GetRootItem();
    EXPECT_EQ(ChildTexts(root), (QStringList { "Ash", "Oak" }));
    const TreeItemHandle oak = ChildNamed(root, QStringLiteral("Oak"));
    EXPECT_EQ(ChildTexts(oak), (QStringList { TargetText(m_oak, 0.5), TargetText(m_oak, 0.75) }));
    EXPECT_FALSE(GetDiagramIndex().FindTargetLetter(ResultsOf(m_oak, 0.5)->GetTarget().get()).isEmpty());
    // The first target is selected, and nothing of the rebuild was reported.
    EXPECT_EQ(out.level, 3);
    EXPECT_EQ(out.results, ResultsOf(m_ash));
    EXPECT_EQ(out.target, ResultsOf(m_ash)->GetTarget());
    EXPECT_TRUE(m_owner.treeReports.empty());
    EXPECT_EQ(m_owner.resized, 0);

    m_treeCtrl->SelectItem(oak, TreeCtrl::Caret);
    m_treeCtrl->SelectItem(root, TreeCtrl::Caret);
    ASSERT_EQ(m_owner.treeReports.size(), 2u);
    EXPECT_EQ(m_owner.treeReports[0].level, 2);
    EXPECT_EQ(m_owner.treeReports[0].material, ResultsOf(m_oak)->GetTarget()->GetMaterial());
    EXPECT_FALSE(m_owner.treeReports[0].results);
    EXPECT_EQ(m_owner.treeReports[1], (LayoutsTreeSelection { 1, nullptr, nullptr, nullptr }));
    m_treeCtrl->GetWindow()->resize(300, 400);
    EXPECT_EQ(m_owner.resized, 1);
}

TEST_F(LayoutsTreeTest, ARememberedTargetIsFoundAgain)
{
    Optimize();
    Rebuild();
    const OptimizationResultsPtr thick = ResultsOf(m_oak, 0.75);
    // An equal target made anew stands for the same item.
    PinnedUsage usage;
    LayoutsTreeSelection equal;
    equal.level = 3;
    equal.target = std::make_shared<OptimizationTarget>(thick->GetTarget()->GetCriteria()->Clone(), usage);
    LayoutsTreeSelection out = Rebuild(equal);
    EXPECT_EQ(out.target, thick->GetTarget());

    // After a re-optimization of the project.
    CMilledPart* part = m_doc->GetPartList().front();
    CMilledPart values(*part);
    values.SetCopies(part->GetCopies() + 1);
    m_doc->UpdatePart(part, values);
    Optimize();
    out = Rebuild(out);
    ASSERT_EQ(out.level, 3);
    EXPECT_EQ(out.results, ResultsOf(m_oak, 0.75));
    EXPECT_EQ(m_treeCtrl->GetSelectedItemText(), TargetText(m_oak, 0.75));
}

TEST_F(LayoutsTreeTest, TheRootKeepsItsExpansionAMaterialDoesNot)
{
    Optimize();
    Rebuild();
    TreeItemHandle root = m_tree->GetRootItem();
    EXPECT_TRUE(IsExpanded(root));
    m_treeCtrl->Expand(root, TreeCtrl::Collapse);
    Rebuild();
    root = m_tree->GetRootItem();
    EXPECT_FALSE(IsExpanded(root));
    m_treeCtrl->Expand(root, TreeCtrl::Expand);
    m_treeCtrl->Expand(ChildNamed(root, QStringLiteral("Oak")), TreeCtrl::Collapse);
    Rebuild();
    root = m_tree->GetRootItem();
    EXPECT_TRUE(IsExpanded(root));
    EXPECT_TRUE(IsExpanded(ChildNamed(root, QStringLiteral("Oak"))));
}

TEST_F(LayoutsTreeTest, RightClickOnAnItemOnlySelectsAndOffersPinning)
{
    Optimize();
    Rebuild();
    QZTreeCtrl* window = m_treeCtrl->GetWindow();
    window->show();
    const TreeItemHandle selected = m_treeCtrl->GetSelectedItem();
    QTest::mouseClick(window->viewport(), Qt::RightButton, {}, QPoint(20, window->viewport()->height() - 5));
    EXPECT_EQ(m_tree->menus, 0);
    EXPECT_EQ(m_treeCtrl->GetSelectedItem(), selected);

    const TreeItemHandle oak = ChildNamed(m_tree->GetRootItem(), QStringLiteral("Oak"));
    m_tree->choice = 0;
    QTest::mouseClick(
        window->viewport(), Qt::RightButton, {}, window->visualItemRect(m_treeCtrl->ItemOf(oak)).center());
    EXPECT_EQ(m_tree->menus, 1);
    EXPECT_EQ(m_tree->menuTexts, (QStringList { "Pin All", "Unpin All" }));
    EXPECT_EQ(m_treeCtrl->GetSelectedItem(), oak);
    EXPECT_EQ(m_owner.frameCommands, std::vector<int> { LayoutsTreeCommand::PinAll });
}

TEST_F(LayoutsTreeTest, UnletteredTargetsAndMaterialsWithoutTargetsAreShownQuietly)
{
    Optimize();
    const OptimizationResultsPtr ash = ResultsOf(m_ash);
    for (const StackPtr& stack : StackList(ash->GetStacks()))
        ash->RemoveStack(stack);
    GetDiagramIndex().Clear();
    Rebuild();
    const TreeItemHandle root = m_tree->GetRootItem();
    const TreeItemHandle ashItem = ChildNamed(root, QStringLiteral("Ash"));
    ASSERT_NE(ashItem, 0u);
    EXPECT_FALSE(m_treeCtrl->ItemHasChildren(ashItem));
    EXPECT_EQ(ChildTexts(ChildNamed(root, QStringLiteral("Oak"))),
        (QStringList { ResultsOf(m_oak, 0.5)->GetName(), ResultsOf(m_oak, 0.75)->GetName() }));

    m_treeCtrl->SelectItem(ashItem, TreeCtrl::Caret);
    ASSERT_FALSE(m_owner.treeReports.empty());
    EXPECT_EQ(m_owner.treeReports.back(), (LayoutsTreeSelection { 2, nullptr, nullptr, nullptr }));
    EXPECT_EQ(m_tree->GetSelectedTargetKind(), 0);
}

} // namespace

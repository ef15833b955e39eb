// The group edit dialog offscreen over a real project: shared values, one
// "Group Edit" step, the lock, dragged-off copies, and the unpinning that
// runs on OK and never on Cancel.
#include "PartsGridTestSupport.h"

#include "foundation/ui/SmallControls.h"
#include "grids/CGroupEditDlg.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/IdenticalDiagramStack.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

class GroupEditDlgTest : public PartsGridTest
{
protected:
    std::unique_ptr<CGroupEditDlg> Open(const std::vector<CMilledPart*>& parts)
    {
        return std::make_unique<CGroupEditDlg>(*m_doc, parts, nullptr, &m_prompt);
    }
    static void Enter(CGroupEditDlg& dlg, int id, const QString& text) { dlg.GetEdit(id)->setText(text); }

    // Optimizes the project and pins every diagram; the part counts a copy
    // placed by hand.
    StackList PinDiagramsOf(CMilledPart* part)
    {
        RunJobs(*m_doc);
        StackList all;
        m_doc->GetBOMOptMgr()->GetAllUnpinnedStacks(all);
        for (const StackPtr& stack : all)
            m_doc->GetBOMOptMgr()->PinDiagram(stack);
        StackList stacks;
        m_doc->GetBOMOptMgr()->GetPinnedStacksWithPart(part, stacks);
        part->AddHandPlacedCopies(1);
        GetCmdHistory()->Clear();
        return stacks;
    }
};

TEST_F(GroupEditDlgTest, FieldsStartWithSharedValuesAndEmptyBoxesChangeNothing)
{
    const auto parts = AddParts({ QStringLiteral("Rail"), QStringLiteral("Stile") });
    parts[1]->SetLength(CDimension::FromInches(30));
    parts[1]->SetMaterial(m_ash);
    auto dlg = Open(parts);
    EXPECT_EQ(dlg->GetIntro()->text(),
        QStringLiteral("2 parts are selected for editing. Enter the new values below."));
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Group Edit"));
    EXPECT_TRUE(dlg->GetEdit(CGroupEditDlg::kDescription)->text().isEmpty());
    EXPECT_TRUE(dlg->GetEdit(CGroupEditDlg::kLength)->text().isEmpty());
    EXPECT_EQ(dlg->GetEdit(CGroupEditDlg::kCopies)->text(), QStringLiteral("2"));
    EXPECT_EQ(dlg->GetEdit(CGroupEditDlg::kWidth)->text(), CDimension::FromInches(10).FormatDimension());
    EXPECT_EQ(dlg->GetMaterialBox()->currentIndex(), -1);
    EXPECT_TRUE(dlg->GetLockNotice()->isHidden());
    dlg->OnDescriptionLeft();
    dlg->OnLengthLeft();
    dlg->OnWidthLeft();
    dlg->accept();
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
    EXPECT_EQ(parts[0]->GetLength().GetInches(), 20.0);
    EXPECT_EQ(parts[1]->GetLength().GetInches(), 30.0);
    EXPECT_EQ(parts[1]->GetDescription(), QStringLiteral("Stile"));
}

TEST_F(GroupEditDlgTest, FiveDescriptionsAreOneGroupEditStep)
{
    const auto parts = AddNumberedParts(5);
    parts[2]->SetMaterial(m_ash);
    parts[3]->SetLength(CDimension::FromInches(40));
    auto dlg = Open(parts);
    Enter(*dlg, CGroupEditDlg::kDescription, QStringLiteral("Shelf"));
    dlg->OnDescriptionLeft();
    dlg->accept();
    ASSERT_EQ(GetCmdHistory()->GetStepCount(), 1U);
    EXPECT_EQ(GetUndoMenuText(), QStringLiteral("&Undo Group Edit\tCtrl+Z"));
    EXPECT_EQ(Descriptions(), (QStringList { "Shelf", "Shelf", "Shelf", "Shelf", "Shelf" }));
    EXPECT_EQ(parts[2]->GetMaterial(), m_ash);
    EXPECT_EQ(parts[3]->GetLength().GetInches(), 40.0);
    EXPECT_EQ(parts[0]->GetMaterial(), m_oak);
    HistoryUndo();
    EXPECT_EQ(Descriptions(), (QStringList { "P1", "P2", "P3", "P4", "P5" }));
    HistoryRedo();
    EXPECT_EQ(Descriptions(), (QStringList { "Shelf", "Shelf", "Shelf", "Shelf", "Shelf" }));
}

TEST_F(GroupEditDlgTest, LockedProjectLeavesOnlyInfoEnabledAndShowsTheNotice)
{
    const auto parts = AddNumberedParts(2);
    RunJobs(*m_doc);
    ASSERT_TRUE(m_doc->LockProject());
    auto dlg = Open(parts);
    dlg->show();
    EXPECT_TRUE(dlg->GetEdit(CGroupEditDlg::kUserInfo)->isEnabled());
    for (int id : { CGroupEditDlg::kDescription, CGroupEditDlg::kCopies, CGroupEditDlg::kThickness,
             CGroupEditDlg::kWidth, CGroupEditDlg::kLength })
        EXPECT_FALSE(dlg->GetEdit(id)->isEnabled()) << id;
    EXPECT_FALSE(dlg->GetMaterialBox()->isEnabled());
    EXPECT_TRUE(dlg->GetLockNotice()->isVisible());
    EXPECT_EQ(dlg->GetLockNotice()->palette().color(QPalette::WindowText), QColor(0, 0, 200));
    dlg->reject();
}

TEST_F(GroupEditDlgTest, LoweringCopiesLowersDraggedOffCopiesByAtMostTheReduction)
{
    const auto parts = AddNumberedParts(3);
    for (CMilledPart* part : parts)
        part->SetCopies(5);
    parts[0]->SetDraggedOffCopies(3); // lowered by 2 of 3
    parts[1]->SetDraggedOffCopies(1); // lowered by 1 of 2
    auto dlg = Open(parts);
    Enter(*dlg, CGroupEditDlg::kCopies, QStringLiteral("3"));
    dlg->OnCopiesLeft();
    dlg->accept();
    for (const CMilledPart* part : parts)
        EXPECT_EQ(part->GetCopies(), 3U);
    EXPECT_EQ(parts[0]->GetDraggedOffCopies(), 1U);
    EXPECT_EQ(parts[1]->GetDraggedOffCopies(), 0U);
    EXPECT_EQ(parts[2]->GetDraggedOffCopies(), 0U);
    HistoryUndo();
    EXPECT_EQ(parts[0]->GetDraggedOffCopies(), 3U);
    EXPECT_EQ(parts[0]->GetCopies(), 5U);
}

TEST_F(GroupEditDlgTest, NumbersThatAreNoNumbersGiveTheSharedValueBack)
{
    const auto parts = AddNumberedParts(2);
    auto dlg = Open(parts);
    struct Case
    {
        int id;
        const char* text;
        QString shown;
    };
    const Case cases[] = {
        { CGroupEditDlg::kCopies, "abc", QStringLiteral("2") },
        { CGroupEditDlg::kCopies, "", QStringLiteral("2") },
        { CGroupEditDlg::kCopies, "-4", QStringLiteral("2") },
        { CGroupEditDlg::kLength, "long", CDimension::FromInches(20).FormatDimension() },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Enter(*dlg, c.id, QString::fromUtf8(c.text));
        if (c.id == CGroupEditDlg::kCopies)
            dlg->OnCopiesLeft();
        else
            dlg->OnLengthLeft();
        EXPECT_EQ(dlg->GetEdit(c.id)->text(), c.shown);
    }
    dlg->accept();
    EXPECT_EQ(parts[0]->GetCopies(), 2U);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
}

TEST_F(GroupEditDlgTest, AgreedUnpinRunsOnOkInTheSameStep)
{
    const auto parts = AddParts({ QStringLiteral("Rail"), QStringLiteral("Stile") });
    const StackList pinned = PinDiagramsOf(parts[0]);
    ASSERT_FALSE(pinned.empty());
    auto dlg = Open(parts);
    Enter(*dlg, CGroupEditDlg::kLength, QStringLiteral("30"));
    dlg->OnLengthLeft();
    EXPECT_EQ(m_prompt.asked, (std::vector<int> { kStrPinnedGroupGeometry }));
    EXPECT_TRUE(pinned.front()->IsPinned()); // remembered, not run
    std::vector<CMilledPart*> handPlaced;
    for (CMilledPart* part : parts)
        if (part->HasHandPlacedCopies())
            handPlaced.push_back(part);
    EXPECT_EQ(dlg->GetPartsToUnpin(), handPlaced);
    EXPECT_EQ(handPlaced.front(), parts[0]);
    dlg->accept();
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);
    EXPECT_FALSE(pinned.front()->IsPinned());
    EXPECT_EQ(parts[0]->GetLength().GetInches(), 30.0);
    EXPECT_EQ(parts[1]->GetLength().GetInches(), 30.0);
    HistoryUndo();
    EXPECT_TRUE(pinned.front()->IsPinned());
    EXPECT_EQ(parts[0]->GetLength().GetInches(), 20.0);
    HistoryRedo();
    EXPECT_FALSE(pinned.front()->IsPinned());
}

TEST_F(GroupEditDlgTest, CancelAfterAnAgreedUnpinLeavesTheDiagramsPinned)
{
    const auto parts = AddParts({ QStringLiteral("Rail"), QStringLiteral("Stile") });
    const StackList pinned = PinDiagramsOf(parts[0]);
    ASSERT_FALSE(pinned.empty());
    m_doc->SetModifiedFlag(false);
    auto dlg = Open(parts);
    Enter(*dlg, CGroupEditDlg::kCopies, QStringLiteral("0"));
    dlg->OnCopiesLeft();
    EXPECT_EQ(m_prompt.asked, (std::vector<int> { kStrPinnedGroupCopies }));
    dlg->reject();
    EXPECT_TRUE(pinned.front()->IsPinned());
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_TRUE(m_doc->IsFullyOptimized());
}

TEST_F(GroupEditDlgTest, DeclinedUnpinPutsTheFieldBack)
{
    const auto parts = AddParts({ QStringLiteral("Rail"), QStringLiteral("Stile") });
    PinDiagramsOf(parts[0]);
    m_prompt.answer = false;
    auto dlg = Open(parts);
    Enter(*dlg, CGroupEditDlg::kWidth, QStringLiteral("12"));
    dlg->OnWidthLeft();
    EXPECT_EQ(dlg->GetEdit(CGroupEditDlg::kWidth)->text(), CDimension::FromInches(10).FormatDimension());
    const int ash = dlg->GetMaterialBox()->findText(QStringLiteral("Ash"));
    ASSERT_GE(ash, 0);
    dlg->GetMaterialBox()->setCurrentIndex(ash);
    dlg->OnMaterialChosen(ash);
    EXPECT_EQ(dlg->GetMaterialBox()->currentText(), QStringLiteral("Oak"));
    dlg->accept();
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
    EXPECT_EQ(parts[0]->GetMaterial(), m_oak);

    // A part without hand-placed copies takes the material without a prompt.
    m_prompt.asked.clear();
    CMilledPart* loose = AddParts({ QStringLiteral("Loose") }).front();
    ASSERT_FALSE(loose->HasHandPlacedCopies());
    auto free = Open({ loose });
    free->OnMaterialChosen(free->GetMaterialBox()->findText(QStringLiteral("Ash")));
    free->accept();
    EXPECT_TRUE(m_prompt.asked.empty());
    EXPECT_EQ(loose->GetMaterial(), m_ash);
}

} // namespace

// A project's life through the program window: typed in, edited on the
// Layouts page, saved, reopened, renewed and stripped of a material. After
// each step every page must show what a save and reopen shows.
#include "JourneyTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/ShellCommands.h"
#include "shell/ViewMgr.h"

#include "document/CKWLDoc.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/PartsGridColumns.h"
#include "grids/RMTree.h"
#include "layouts/SnapToKerfMgr.h"
#include "layouts/ui/ILayoutsFrame.h"
#include "layouts/ui/ITreeCtrl.h"
#include "layouts/ui/InteractiveDiagramBase.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "layouts/ui/ManualEditMgr.h"
#include "optimization/DisplayDiagram.h"
#include "optimization/DrawnPart.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

class ProjectLifeJourney : public JourneyTest
{
protected:
    LayoutsViewMgr& Layouts() const { return *View().GetViewMgr()->GetLayoutsViewMgr(); }

    QTreeWidget& LayoutsTree() const
    {
        return *qobject_cast<QTreeWidget*>(Layouts().GetFrame()->GetTreeCtrl()->GetSafeHwnd());
    }

    QTemporaryDir m_folder;
};

constexpr std::int32_t kInch = 16384;

TEST_F(ProjectLifeJourney, EveryPageShowsAfterReopeningWhatItShowedBeforeTheSave)
{
    StartProgram();
    ASSERT_NO_FATAL_FAILURE(TypeParts());
    ASSERT_EQ(PartCount(), 3);

    // Layouts: the project is optimized; the first diagram's part (the 1/2"
    // back, 36" along the sheet's 96") moved by hand 40" along and 10"
    // across, into the free end of the sheet, which pins that diagram.
    ClickTab(CKWLView::LayoutsPage);
    ASSERT_TRUE(m_app->GetDocument()->IsFullyOptimized());
    const DisplayDiagramPtr edited = Layouts().GetCurrentDiagram();
    ASSERT_TRUE(edited);
    const platform::Rect from = GetCurrentParts(edited).front()->GetSheetRect();
    DragFirstPart({40 * kInch, 10 * kInch});
    const DisplayDiagramPtr shown = Layouts().GetCurrentDiagram();
    ASSERT_TRUE(shown);
    EXPECT_TRUE(IsPinned(shown));
    bool moved = true;
    for (const DrawnPartPtr& part : GetCurrentParts(shown))
        moved = moved && part->GetSheetRect() != from;
    EXPECT_TRUE(moved) << "no part left where the dragged part lay";

    // The other material's diagram, chosen in the tree, pinned from the menu.
    QTreeWidget& tree = LayoutsTree();
    QTreeWidgetItem* last = tree.topLevelItem(tree.topLevelItemCount() - 1);
    while (last->childCount() > 0)
        last = last->child(last->childCount() - 1);
    ClickTreeItem(tree, last);
    ASSERT_TRUE(Layouts().GetCurrentDiagram());
    ASSERT_NE(Layouts().GetCurrentDiagram()->GetStack(), shown->GetStack());
    EXPECT_TRUE(Choose(ShellCommand::PinDiagram));
    EXPECT_TRUE(IsPinned(Layouts().GetCurrentDiagram()));

    const PagesShown before = ReadEveryPage();
    ASSERT_GT(before.bom.size(), 1) << "the bill has rows before the save";
    ASSERT_FALSE(before.takeOffs.isEmpty());
    ASSERT_FALSE(before.reports.isEmpty());

    m_chosenPath = m_folder.filePath(QStringLiteral("Cabinet.kwxe"));
    ASSERT_TRUE(Choose(ShellCommand::FileSaveAs));
    ASSERT_TRUE(QFile::exists(m_chosenPath));
    Quit();

    StartProgram({m_chosenPath});
    ASSERT_EQ(m_app->GetDocument()->PathName(), m_chosenPath);
    const PagesShown after = ReadEveryPage();
    EXPECT_EQ(after.parts, before.parts);
    EXPECT_EQ(after.layoutsTree, before.layoutsTree);
    EXPECT_EQ(after.thumbnails, before.thumbnails);
    EXPECT_EQ(after.diagrams, before.diagrams) << "the part moved by hand";
    EXPECT_EQ(after.takeOffs, before.takeOffs);
    EXPECT_EQ(after.bom, before.bom) << "the B.O.M. page after the file was opened";
    EXPECT_EQ(after.reports, before.reports);
    EXPECT_EQ(after.rawMaterials, before.rawMaterials);
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ProjectLifeJourney, AfterFileNewTypedPartsAreAddedAndDeletingThemAllLeavesNone)
{
    StartProgram();
    ASSERT_NO_FATAL_FAILURE(TypeParts());
    m_chosenPath = m_folder.filePath(QStringLiteral("First.kwxe"));
    ASSERT_TRUE(Choose(ShellCommand::FileSaveAs));
    ASSERT_TRUE(Choose(ShellCommand::FileNew));
    ASSERT_EQ(PartCount(), 0);

    // Typed into "(Click here to add a part)": each row becomes a part.
    TypeIntoPartsGrid(kPartColDescription, 0, QStringLiteral("Leg\t4\t1/2\t3\t30\tP\n"));
    ASSERT_EQ(PartCount(), 1) << "typing into the append row after File > New\n"
                              << PartsRows().join(QLatin1Char('\n')).toStdString();
    ASSERT_NO_FATAL_FAILURE(TypePart(QStringLiteral("Rail\t2\t1/2\t3\t20\tP\n")));
    EXPECT_EQ(m_app->GetDocument()->GetPartList().size(), 2U);

    // Every row selected with a click and a shift-click, then deleted.
    CUGRowMode& grid = *View().GetPartsGrid();
    const auto centreOf = [&grid](int row) {
        int column = 1;
        platform::Rect cell;
        grid.GetCellRectangle(&column, &row, &cell);
        return QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    };
    QTest::mouseClick(grid.GetGridArea(), Qt::LeftButton, {}, centreOf(0));
    QTest::mouseClick(grid.GetGridArea(), Qt::LeftButton, Qt::ShiftModifier, centreOf(1));
    ASSERT_TRUE(Choose(ShellCommand::DeleteSelection));
    EXPECT_EQ(PartCount(), 0) << PartsRows().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(m_app->GetDocument()->GetPartList().empty());
    m_app->GetMainFrame()->GetCommands().UpdateActions();
    EXPECT_FALSE(m_app->GetMainFrame()->GetCommands().Find(ShellCommand::EditUndo)->text().contains(
        QStringLiteral("Insert")));
}

TEST_F(ProjectLifeJourney, AfterAMaterialInUseIsDeletedEveryPageMatchesTheReopenedFile)
{
    StartProgram();
    ASSERT_NO_FATAL_FAILURE(TypeParts());
    ClickTab(CKWLView::LayoutsPage);
    ASSERT_TRUE(m_app->GetDocument()->IsFullyOptimized());

    ClickTab(CKWLView::RawMaterialsPage);
    RMTree& materials = View().GetRMTree();
    const QList<QTreeWidgetItem*> found
        = materials.findItems(QStringLiteral("Plywood 1/2 in"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1) << TreeLines(materials).join(QLatin1Char('\n')).toStdString();
    ClickTreeItem(materials, found.front());
    m_answer = QMessageBox::Yes;
    // The part of the deleted material is skipped from now on.
    m_skippedPartsExpected = true;
    ASSERT_TRUE(Choose(ShellCommand::DeleteMaterial));
    ASSERT_TRUE(materials.findItems(QStringLiteral("Plywood 1/2 in"), Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
    m_messages.clear();

    const PagesShown shown = ReadEveryPage();
    m_chosenPath = m_folder.filePath(QStringLiteral("WithoutHalfInch.kwxe"));
    ASSERT_TRUE(Choose(ShellCommand::FileSaveAs));
    Quit();
    StartProgram({m_chosenPath});
    const PagesShown reopened = ReadEveryPage();
    EXPECT_EQ(shown.parts, reopened.parts);
    EXPECT_EQ(shown.layoutsTree, reopened.layoutsTree) << "the layouts of the deleted material";
    EXPECT_EQ(shown.thumbnails, reopened.thumbnails);
    EXPECT_EQ(shown.diagrams, reopened.diagrams);
    EXPECT_EQ(shown.takeOffs, reopened.takeOffs);
    EXPECT_EQ(shown.bom, reopened.bom);
    EXPECT_EQ(shown.reports, reopened.reports);
    EXPECT_EQ(shown.rawMaterials, reopened.rawMaterials);
}

} // namespace

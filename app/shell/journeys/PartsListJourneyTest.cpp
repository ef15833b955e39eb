// The parts list as a user walks it with the keyboard, and a locked project
// with a diagram edited by hand, saved and opened again: what the Parts page
// and every other page show must not change behind the user's back.
#include "JourneyTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/ShellCommands.h"
#include "shell/ViewMgr.h"

#include "document/CKWLDoc.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CGridColumnInfo.h"
#include "grids/CKerfwellGDM.h"
#include "grids/PartsGridColumns.h"
#include "layouts/SnapToKerfMgr.h"
#include "layouts/ui/ILayoutsFrame.h"
#include "layouts/ui/InteractiveDiagramBase.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "layouts/ui/ManualEditMgr.h"
#include "optimization/DisplayDiagram.h"
#include "optimization/DrawnPart.h"
#include "optimization/RunProgressDialog.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr std::int32_t kInch = 16384;

class PartsListJourney : public JourneyTest
{
protected:
    void TearDown() override
    {
        if (m_realMaker)
            SetRunProgressDialogMaker(m_realMaker);
        JourneyTest::TearDown();
    }

    // Every optimization run from now on is counted.
    void CountRuns()
    {
        m_realMaker = SetRunProgressDialogMaker(nullptr);
        SetRunProgressDialogMaker([this](RunStartLatch& start, TaskProgressRows rows) {
            ++m_runs;
            return m_realMaker(start, std::move(rows));
        });
    }

    void ClickPartsCell(int row)
    {
        CUGRowMode& grid = *View().GetPartsGrid();
        int column = View().GetPartsGridMgr()->GetColumn(kPartColDescription)->GetGridPosition();
        grid.ScrollToRow(row);
        platform::Rect cell;
        ASSERT_EQ(grid.GetCellRectangle(&column, &row, &cell), 0);
        QTest::mouseClick(grid.GetGridArea(), Qt::LeftButton, {},
                          QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
        Settle();
    }

    QTemporaryDir m_folder;
    RunProgressDialogMaker m_realMaker;
    int m_runs = 0;
};

TEST_F(PartsListJourney, PagingAndJumpingToTheEndOfTheListAddNoPart)
{
    StartProgram();
    ASSERT_NO_FATAL_FAILURE(TypeParts());
    const QStringList rows = PartsRows();
    CUGRowMode& grid = *View().GetPartsGrid();
    const struct
    {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {
        { "PageDown", Qt::Key_PageDown, {} },
        { "PageDown again", Qt::Key_PageDown, {} },
        { "Ctrl+End", Qt::Key_End, Qt::ControlModifier },
        { "End", Qt::Key_End, {} },
        { "Ctrl+PageDown", Qt::Key_PageDown, Qt::ControlModifier },
    };
    for (const int start : { 1, 2 }) {
        ASSERT_NO_FATAL_FAILURE(ClickPartsCell(start));
        for (const auto& k : keys) {
            SCOPED_TRACE(std::string(k.name) + " from row " + std::to_string(start));
            QTest::keyClick(grid.GetGridArea(), k.key, k.modifiers);
            Settle();
            EXPECT_EQ(PartCount(), 3);
            EXPECT_EQ(PartsRows(), rows);
        }
    }
    ClickTab(CKWLView::LayoutsPage);
    EXPECT_EQ(m_app->GetDocument()->GetPartList().size(), 3U);
}

TEST_F(PartsListJourney, ALockedHandEditedProjectReopensAsItWasSavedWithoutARun)
{
    StartProgram();
    ASSERT_NO_FATAL_FAILURE(TypeParts());
    // Too large for any sheet of the plywood: skipped.
    m_skippedPartsExpected = true;
    ASSERT_NO_FATAL_FAILURE(TypePart(QStringLiteral("Top\t1\t3/4\t60\t120\tP\x19\n")));
    ClickTab(CKWLView::LayoutsPage);
    ASSERT_TRUE(m_app->GetDocument()->IsFullyOptimized());
    ASSERT_NO_FATAL_FAILURE(DragFirstPart({40 * kInch, 10 * kInch}));
    ASSERT_TRUE(View().GetViewMgr()->GetLayoutsViewMgr()->GetCurrentDiagram());
    EXPECT_TRUE(IsPinned(View().GetViewMgr()->GetLayoutsViewMgr()->GetCurrentDiagram()));
    ASSERT_TRUE(Choose(ShellCommand::LockProject));
    ASSERT_TRUE(m_app->GetDocument()->IsProjectLocked());

    const PagesShown before = ReadEveryPage();
    ASSERT_TRUE(before.parts.filter(QStringLiteral("Skipped")).size() == 1)
        << before.parts.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(before.parts.filter(QStringLiteral("TBD")).isEmpty())
        << before.parts.join(QLatin1Char('\n')).toStdString();
    m_chosenPath = m_folder.filePath(QStringLiteral("Locked.kwxe"));
    ASSERT_TRUE(Choose(ShellCommand::FileSaveAs));
    Quit();

    CountRuns();
    StartProgram({m_chosenPath});
    ASSERT_EQ(m_app->GetDocument()->PathName(), m_chosenPath);
    EXPECT_TRUE(m_app->GetDocument()->IsProjectLocked());
    // The Parts page first, before any page could compute anything.
    EXPECT_EQ(PartsRows(), before.parts);
    const PagesShown after = ReadEveryPage();
    EXPECT_EQ(after, before);
    EXPECT_EQ(m_runs, 0);
    EXPECT_FALSE(m_app->GetDocument()->IsModified());
}

} // namespace

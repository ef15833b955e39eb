// The parts list's append row in the program window: a click on it and
// typing add a part after a start and after File > New, and deleting or
// cutting every part leaves an empty list.
#include "ShellTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/ShellCommands.h"

#include "document/CKWLDoc.h"
#include "foundation/CmdHistory.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CKerfwellGDM.h"
#include "grids/PartsGridColumns.h"

#include <QApplication>
#include <QTest>

namespace {

class PartsAppendRowTest : public ShellTest
{
protected:
    CKWLView& View() { return *m_app->GetView(); }
    CUGRowMode& Grid() { return *View().GetPartsGrid(); }
    platform::CommandActions& Commands() { return m_app->GetMainFrame()->GetCommands(); }
    const std::vector<CMilledPart*>& Parts() { return m_app->GetDocument()->GetPartList(); }

    void AddParts(int count)
    {
        for (int i = 0; i < count; ++i)
            AddBirchPart(*m_app);
        View().RebuildPartsGrid();
    }

    // A click on the description cell of the grid's row.
    void Click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        int column = View().GetPartsGridMgr()->FindGridColumn(kPartColDescription);
        ASSERT_GE(column, 0);
        platform::Rect rect;
        Grid().GetCellRectangle(&column, &row, &rect);
        QTest::mouseClick(Grid().GetGridArea(), Qt::LeftButton, modifiers,
                          QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
    }

    // A click on the grid's row, then the text typed, as the user does it.
    void ClickAndType(int row, const QString& text)
    {
        Click(row);
        QTest::keyClick(Grid().GetGridArea(), text.front().toLatin1());
        QWidget* editor = Grid().GetEditControl();
        ASSERT_TRUE(editor && editor->isVisible());
        QTest::keyClicks(editor, text.mid(1));
        // Tab takes the text; leaving the row commits it (Return would go on
        // to the append row).
        QTest::keyClick(editor, Qt::Key_Tab);
        View().FinishEditing();
        QApplication::processEvents();
    }
};

TEST_F(PartsAppendRowTest, AClickOnTheAppendRowAndTypingAddOnePart)
{
    struct Case
    {
        const char* name;
        bool newProjectFirst;
    };
    const Case cases[] = {
        { "after the start", false },
        { "after File > New over a project", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        m_app->GetMainFrame()->resize(1000, 800);
        m_app->GetMainFrame()->show();
        ASSERT_TRUE(Parts().empty());
        if (c.newProjectFirst) {
            AddParts(2);
            m_answer = QMessageBox::No; // the changes are not saved
            ASSERT_TRUE(Commands().Trigger(ShellCommand::FileNew));
            ASSERT_TRUE(Parts().empty());
        }
        ClickAndType(0, QStringLiteral("Shelf"));
        ASSERT_EQ(Parts().size(), 1U);
        EXPECT_EQ(Parts()[0]->GetDescription(), QStringLiteral("Shelf"));
        m_app.reset();
    }
}

TEST_F(PartsAppendRowTest, DeletingOrCuttingEveryPartLeavesAnEmptyList)
{
    for (int command : { ShellCommand::DeleteSelection, ShellCommand::EditCut }) {
        SCOPED_TRACE(command);
        Start();
        m_app->GetMainFrame()->show();
        ASSERT_TRUE(Parts().empty());
        AddParts(3);
        GetCmdHistory()->Clear();
        Click(0);
        Click(2, Qt::ShiftModifier);
        Commands().UpdateActions();
        ASSERT_TRUE(Commands().Trigger(command));
        QApplication::processEvents();
        EXPECT_EQ(Parts().size(), 0U);
        // One step, the removal: no part was made behind it.
        EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);
        EXPECT_FALSE(GetUndoMenuText().contains(QStringLiteral("Insert Part"))) << GetUndoMenuText().toStdString();
        m_app.reset();
    }
}

} // namespace

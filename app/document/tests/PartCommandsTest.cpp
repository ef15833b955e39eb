#include "ProjectDocumentFixture.h"

#include "foundation/CmdHistory.h"
#include "model/CMilledPart.h"
#include "model/PartCommands.h"

#include <gtest/gtest.h>

namespace {

class PartCommandsTest : public ProjectDocumentTest
{
protected:
    void SetUp() override
    {
        ProjectDocumentTest::SetUp();
        m_part = Append(m_oak, 10, 20, 2, QStringLiteral("Rail"));
        RunJobs(*m_doc);
        ASSERT_TRUE(m_doc->IsFullyOptimized());
        GetCmdHistory()->Clear();
    }

    std::shared_ptr<CPartEdit> Edit(const std::function<void(CMilledPart&)>& change)
    {
        auto values = std::unique_ptr<CMilledPart>(m_part->Clone());
        change(*values);
        return std::make_shared<CPartEdit>(m_part, std::move(values));
    }

    CMilledPart* m_part = nullptr;
};

TEST_F(PartCommandsTest, ALengthEditReTargetsThePartOnDoUndoAndRedo)
{
    const auto edit = Edit([](CMilledPart& part) { part.SetLength(Inches(30)); });
    EXPECT_EQ(edit->GetUpdateHint().GetChangeFlags(), 0x9U);
    EXPECT_EQ(edit->GetUpdateHint().GetDetailFlags(), 0x1U);
    EXPECT_EQ(edit->GetName(), QStringLiteral("Edit Part"));
    GetCmdHistory()->Add(edit);
    EXPECT_EQ(m_part->GetLength().GetInches(), 30.0);
    EXPECT_FALSE(m_doc->IsFullyOptimized());
    RunJobs(*m_doc);
    HistoryUndo();
    EXPECT_EQ(m_part->GetLength().GetInches(), 20.0);
    EXPECT_FALSE(m_doc->IsFullyOptimized());
    RunJobs(*m_doc);
    HistoryRedo();
    EXPECT_EQ(m_part->GetLength().GetInches(), 30.0);
    EXPECT_FALSE(m_doc->IsFullyOptimized());
}

TEST_F(PartCommandsTest, ANotesEditChangesNoMaskAndKeepsTheResults)
{
    const auto edit = Edit([](CMilledPart& part) { part.SetSpecialNotes(QStringLiteral("edge band")); });
    EXPECT_EQ(edit->GetUpdateHint().GetChangeFlags(), 0U);
    EXPECT_EQ(edit->GetUpdateHint().GetDetailFlags(), 0U);
    GetCmdHistory()->Add(edit);
    EXPECT_EQ(m_part->GetSpecialNotes(), QStringLiteral("edge band"));
    EXPECT_TRUE(m_doc->IsFullyOptimized());
}

TEST_F(PartCommandsTest, ReoptimizingForgetsDraggedOffCopiesUntilUndone)
{
    m_part->SetCopies(5);
    m_part->SetOptimizerPlacedCopies(2);
    m_part->SetDraggedOffCopies(3);
    GetCmdHistory()->Add(std::make_shared<ReoptimizeUnplacedPartsCmd>());
    EXPECT_EQ(m_part->GetDraggedOffCopies(), 0U);
    HistoryUndo();
    EXPECT_EQ(m_part->GetDraggedOffCopies(), 3U);
    HistoryRedo();
    EXPECT_EQ(m_part->GetDraggedOffCopies(), 0U);
    EXPECT_EQ(GetUndoMenuText(), QStringLiteral("&Undo Reoptimize Unplaced Parts\tCtrl+Z"));
}

} // namespace

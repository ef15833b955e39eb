// The parts grid's row edit state: cancelled edits, selection changes while
// an edit waits, the unpin step, and parts that leave the project while
// they are held.
#include "PartsGridTestSupport.h"

#include "grids/PartRowCommands.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/IdenticalDiagramStack.h"

namespace {

class PartRowEditStateTest : public PartsGridTest
{
protected:
    // Optimizes the project and pins every diagram that shows the part.
    StackList PinDiagramsOf(const CMilledPart* part)
    {
        RunJobs(*m_doc);
        StackList stacks;
        StackList all;
        m_doc->GetBOMOptMgr()->GetAllUnpinnedStacks(all);
        for (const StackPtr& stack : all)
            m_doc->GetBOMOptMgr()->PinDiagram(stack);
        m_doc->GetBOMOptMgr()->GetPinnedStacksWithPart(part, stacks);
        return stacks;
    }
    // Clears the history so that the commands it held, and the parts they
    // own, are destroyed: the next step replaces the one the history keeps
    // open for merging.
    static void FreeHistory()
    {
        GetCmdHistory()->Clear();
        GetCmdHistory()->Add(std::make_shared<CPartsRenumber<CMilledPart>>(std::vector<CMilledPart*>()));
        GetCmdHistory()->Clear();
    }
};

TEST_F(PartRowEditStateTest, CancelledEditLeavesThePartAndHoldsNothing)
{
    const auto parts = AddParts({ QStringLiteral("Rail") });
    Attach();
    EXPECT_EQ(Type(kPartColDescription, 0, QStringLiteral("Stile")), 1);
    EXPECT_TRUE(m_state->HasPendingEdit());
    m_mgr->CancelEditing();
    EXPECT_FALSE(m_state->HasData());
    EXPECT_FALSE(m_mgr->HasPendingRow());
    m_mgr->FinishEditing();
    EXPECT_EQ(parts[0]->GetDescription(), QStringLiteral("Rail"));
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
}

TEST_F(PartRowEditStateTest, ASelectionChangeKeepsThePendingClone)
{
    const auto parts = AddParts({ QStringLiteral("Rail"), QStringLiteral("Stile") });
    Attach();
    EXPECT_EQ(Type(kPartColDescription, 0, QStringLiteral("Top rail")), 1);
    CMilledPart* clone = m_state->GetHeldPart();
    Select({ 0, 1 });
    m_mgr->NotifySelection();
    EXPECT_EQ(m_state->GetHeldPart(), clone);
    EXPECT_EQ(m_state->GetMode(), PartRowEditState::kOnePart);
    m_mgr->FinishEditing();
    EXPECT_EQ(parts[0]->GetDescription(), QStringLiteral("Top rail"));
    Select({ 0, 1 });
    m_mgr->NotifySelection();
    EXPECT_EQ(m_state->GetMode(), PartRowEditState::kSeveralParts);
    EXPECT_EQ(m_state->GetHeldParts(), parts);
}

TEST_F(PartRowEditStateTest, CommitAsksOnlyForHandPlacedPartsAndUnpinsOnAgreement)
{
    const auto parts = AddParts({ QStringLiteral("Rail"), QStringLiteral("Stile") });
    Attach();
    Select({ 0 });
    m_mgr->NotifySelection();
    EXPECT_TRUE(m_state->Commit(kStrPinnedPartGeometry));
    EXPECT_TRUE(m_prompt.asked.empty());

    const StackList pinned = PinDiagramsOf(parts[0]);
    ASSERT_FALSE(pinned.empty());
    parts[0]->AddHandPlacedCopies(1);
    GetCmdHistory()->Clear();
    m_prompt.answer = false;
    EXPECT_FALSE(m_state->Commit(kStrPinnedPartGeometry));
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
    EXPECT_TRUE(pinned.front()->IsPinned());

    m_prompt.answer = true;
    EXPECT_TRUE(m_state->Commit(kStrPinnedPartGeometry));
    EXPECT_EQ(m_prompt.asked, (std::vector<int> { kStrPinnedPartGeometry, kStrPinnedPartGeometry }));
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);
    EXPECT_FALSE(pinned.front()->IsPinned());
    HistoryUndo();
    EXPECT_TRUE(pinned.front()->IsPinned());
}

TEST_F(PartRowEditStateTest, APendingEditUnpinsForThePartItWasMadeFrom)
{
    const auto parts = AddParts({ QStringLiteral("Rail") });
    const StackList pinned = PinDiagramsOf(parts[0]);
    ASSERT_FALSE(pinned.empty());
    parts[0]->AddHandPlacedCopies(1);
    GetCmdHistory()->Clear();
    Attach();
    EXPECT_EQ(Type(kPartColDescription, 0, QStringLiteral("Top rail")), 1);
    ASSERT_TRUE(m_state->HasPendingEdit());
    EXPECT_TRUE(m_state->Commit(kStrPinnedPartGeometry));
    EXPECT_FALSE(pinned.front()->IsPinned());
}

TEST_F(PartRowEditStateTest, DeletedSelectedPartIsDroppedBeforeTheHistoryFreesIt)
{
    const auto parts = AddNumberedParts(3);
    Attach();
    Select({ 1 });
    m_mgr->NotifySelection();
    ASSERT_EQ(m_state->GetHeldPart(), parts[1]);
    m_mgr->DeleteSelectedRows();
    FreeHistory(); // the delete command deletes the part
    EXPECT_TRUE(m_state->GetHeldParts().empty());
    EXPECT_FALSE(m_state->IsPlacedSingleRow());
    EXPECT_TRUE(m_state->Commit(kStrPinnedPartGeometry));
    m_mgr->NotifySelection();
    m_mgr->FinishEditing();

    // The same when another command removes the parts held by a selection.
    Select({ 0, 1 });
    m_mgr->NotifySelection();
    ASSERT_EQ(m_state->GetMode(), PartRowEditState::kSeveralParts);
    GetCmdHistory()->Add(std::make_shared<CPartDelete<CMilledPart>>(
        std::vector<std::pair<CMilledPart*, std::int32_t>> { { List()[0], 0 }, { List()[1], 1 } }));
    GetCmdHistory()->Clear();
    EXPECT_FALSE(m_state->IsPlacedSingleRow());
    EXPECT_TRUE(m_state->Commit(kStrPinnedPartGeometry));
    EXPECT_TRUE(m_state->GetHeldParts().empty());
    EXPECT_TRUE(List().empty());
}

} // namespace

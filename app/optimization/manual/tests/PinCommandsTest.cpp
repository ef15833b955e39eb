#include "ManualEditFixture.h"

#include "optimization/manual/PinCommands.h"

namespace {

class PinCommandsTest : public ManualEditCmdTest
{
protected:
    void SetUp() override
    {
        ManualEditCmdTest::SetUp();
        m_a = NewPart(4);
        m_b = NewPart(3);
        m_c = NewPart(1);
        m_three = NewStack({ m_a, m_b }, 3);
        m_one = NewStack({ m_a }, 1);
        m_other = NewStack({ m_c }, 1);
        Optimize({ m_three, m_one, m_other });
    }

    CMilledPart* m_a = nullptr;
    CMilledPart* m_b = nullptr;
    CMilledPart* m_c = nullptr;
    StackPtr m_three;
    StackPtr m_one;
    StackPtr m_other;
};

} // namespace

TEST_P(PinCommandsTest, PinningOneCopyOfThreeIdenticalSheets)
{
    const auto command = std::make_shared<PinDiagramCmd>(m_three, 1);
    const int three = IndexOf(m_three);
    EXPECT_EQ(command->GetName(), QStringLiteral("Pin Diagram"));
    EXPECT_EQ(command->GetUpdateHint().GetChangeFlags(), 0x1U);
    EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0x200U);
    DoUndoRedo(
        command,
        [&](const World& world) {
            if (HideDupes()) {
                // The stack stands for all three sheets: all three are pinned.
                ASSERT_EQ(world.stacks.size(), 3U);
                EXPECT_TRUE(world.stacks[three].pinned);
                EXPECT_EQ(world.pinnedSheets, 3U);
                EXPECT_EQ(world.parts[0], (PartState { 3, 1, 0, 0 }));
                EXPECT_EQ(Shown(*command), std::make_pair(three, 1));
            } else {
                // The shown copy became a stack of one; the other two stay as they were.
                ASSERT_EQ(world.stacks.size(), 4U);
                EXPECT_EQ(world.stacks[three].count, 2U);
                EXPECT_FALSE(world.stacks[three].pinned);
                EXPECT_EQ(world.stacks[3].count, 1U);
                EXPECT_TRUE(world.stacks[3].pinned);
                EXPECT_EQ(world.stacks[3].parts, world.stacks[three].parts);
                EXPECT_EQ(world.pinnedSheets, 1U);
                EXPECT_EQ(world.parts[0], (PartState { 1, 3, 0, 0 }));
                EXPECT_EQ(world.parts[1], (PartState { 1, 2, 0, 0 }));
                EXPECT_EQ(Shown(*command), std::make_pair(3, 0));
            }
            EXPECT_EQ(world.pinnedLayouts, 1U);
            EXPECT_TRUE(world.materialPinned);
        },
        std::make_pair(three, 1));
    EXPECT_TRUE(m_bom->IsFullyOptimized()) << "pinning keeps the results";
}

TEST_P(PinCommandsTest, UnpinningOneCopySendsTheTargetBackForOptimization)
{
    m_bom->PinDiagram(m_three);
    const auto command = std::make_shared<UnpinDiagramCmd>(m_three, 2);
    EXPECT_EQ(command->GetName(), QStringLiteral("Unpin Diagram"));
    EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0x1U);
    GetCmdHistory()->Add(command);
    EXPECT_FALSE(m_bom->IsFullyOptimized());
    if (HideDupes()) {
        EXPECT_FALSE(m_three->IsPinned());
        EXPECT_FALSE(command->GetSpawnedStack());
        EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 0U);
    } else {
        ASSERT_TRUE(command->GetSpawnedStack());
        EXPECT_FALSE(command->GetSpawnedStack()->IsPinned());
        EXPECT_TRUE(m_three->IsPinned());
        EXPECT_EQ(m_three->GetCount(), 2U);
        EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 2U);
        EXPECT_EQ(m_target->GetPinnedLayouts(), StackList { m_three });
    }
    HistoryUndo();
    EXPECT_TRUE(m_three->IsPinned());
    EXPECT_EQ(m_three->GetCount(), 3U);
    EXPECT_EQ(m_three->GetAllCopyFlags().size(), 3U);
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 3U);
    EXPECT_EQ(m_target->GetPinnedLayouts(), StackList { m_three });
    EXPECT_EQ(m_a->GetHandPlacedCopies(), 3U);
    HistoryRedo();
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), HideDupes() ? 0U : 2U);
}

TEST_P(PinCommandsTest, UnpinningTheDiagramsOfTwoPartsUnpinsASharedDiagramOnce)
{
    m_bom->PinDiagram(m_three);
    m_bom->PinDiagram(m_one);
    m_bom->PinDiagram(m_other);
    const auto command = std::make_shared<UnpinDiagramsWithPartCmd>(std::vector<CMilledPart*> { m_b, m_a });
    EXPECT_EQ(command->GetName(), QStringLiteral("Unpin Diagram"));
    EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0x1U);
    const World before = Snapshot();
    GetCmdHistory()->Add(command);
    EXPECT_EQ(command->GetUnpinnedStacks(), (StackList { m_three, m_one }));
    EXPECT_FALSE(m_three->IsPinned());
    EXPECT_FALSE(m_one->IsPinned());
    EXPECT_TRUE(m_other->IsPinned());
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 1U);
    EXPECT_EQ(m_a->GetHandPlacedCopies(), 0U);
    EXPECT_EQ(m_a->GetOptimizerPlacedCopies(), 4U);
    EXPECT_EQ(m_b->GetOptimizerPlacedCopies(), 3U);
    EXPECT_TRUE(m_doc.modified);
    HistoryUndo();
    EXPECT_EQ(Snapshot(), before);
    HistoryRedo();
    EXPECT_EQ(command->GetUnpinnedStacks().size(), 2U);
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 1U);

    // The one-part form.
    HistoryUndo();
    GetCmdHistory()->Add(std::make_shared<UnpinDiagramsWithPartCmd>(m_c));
    EXPECT_FALSE(m_other->IsPinned());
    EXPECT_TRUE(m_three->IsPinned());
}

TEST_P(PinCommandsTest, PinAllOverAPartlyPinnedTargetPinsOnlyTheOthers)
{
    m_bom->PinDiagram(m_one);
    const StackList targetNode = m_results->GetStacks();
    StackList unpinned;
    std::copy_if(targetNode.begin(), targetNode.end(), std::back_inserter(unpinned),
        [&](const StackPtr& stack) { return stack != m_one; });
    const auto pinAll = std::make_shared<PinAllDiagramsCmd>(targetNode);
    EXPECT_EQ(pinAll->GetName(), QStringLiteral("Pin All Diagrams"));
    EXPECT_EQ(pinAll->GetUpdateHint().GetDetailFlags(), 0x1U);
    EXPECT_EQ(pinAll->GetStacks(), unpinned);
    DoUndoRedo(pinAll, [&](const World& world) {
        for (const StackState& stack : world.stacks)
            EXPECT_TRUE(stack.pinned);
        EXPECT_EQ(world.pinnedSheets, 5U);
        EXPECT_EQ(world.pinnedLayouts, 3U);
        EXPECT_EQ(world.parts[0], (PartState { 4, 0, 0, 0 }));
    });
    HistoryUndo();
    EXPECT_TRUE(m_one->IsPinned()) << "the undo unpins only what the command pinned";

    const auto unpinAll = std::make_shared<UnpinAllDiagramsCmd>(targetNode);
    EXPECT_EQ(unpinAll->GetName(), QStringLiteral("Unpin All Diagrams"));
    EXPECT_EQ(unpinAll->GetStacks(), StackList { m_one });
    GetCmdHistory()->Add(unpinAll);
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 0U);
    HistoryUndo();
    EXPECT_TRUE(m_one->IsPinned());
    EXPECT_FALSE(m_three->IsPinned());
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 1U);
}

TEST_P(PinCommandsTest, ScopeCommandsSettleTheirListAtTheFirstRun)
{
    m_bom->PinDiagram(m_one);
    const auto pinAll = std::make_shared<PinAllDiagramsCmd>();
    EXPECT_EQ(pinAll->GetUpdateHint().GetDetailFlags(), 0x200U);
    GetCmdHistory()->Add(pinAll);
    const StackList settled = pinAll->GetStacks();
    EXPECT_EQ(settled.size(), 2U);
    EXPECT_EQ(std::count(settled.begin(), settled.end(), m_one), 0);
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 5U);
    HistoryUndo();
    // Unpinned elsewhere in between: the redo still works on the first list.
    m_bom->UnpinDiagram(m_one);
    HistoryRedo();
    EXPECT_EQ(pinAll->GetStacks(), settled);
    EXPECT_FALSE(m_one->IsPinned());
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 4U);
    HistoryUndo();

    const auto pinMaterial
        = std::make_shared<PinAllDiagramsCmd>(std::shared_ptr<IOptimizableMaterial>(m_oak));
    EXPECT_EQ(pinMaterial->GetUpdateHint().GetDetailFlags(), 0x1U);
    GetCmdHistory()->Add(pinMaterial);
    EXPECT_EQ(pinMaterial->GetStacks().size(), 3U);
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 5U);

    const auto unpinFlag = std::make_shared<UnpinAllDiagramsCmd>(std::uint32_t { 0 });
    GetCmdHistory()->Add(unpinFlag);
    EXPECT_EQ(unpinFlag->GetStacks().size(), 3U);
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 0U);
    EXPECT_FALSE(m_bom->IsFullyOptimized());
    HistoryUndo();
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 5U);

    const auto unpinMaterial
        = std::make_shared<UnpinAllDiagramsCmd>(std::shared_ptr<IOptimizableMaterial>(m_oak));
    GetCmdHistory()->Add(unpinMaterial);
    EXPECT_EQ(unpinMaterial->GetStacks().size(), 3U);
    EXPECT_FALSE(m_bom->GetPinnedUsage().IsMaterialPinned(m_oak.get()));
    HistoryUndo();
    EXPECT_TRUE(m_bom->GetPinnedUsage().IsMaterialPinned(m_oak.get()));
}

INSTANTIATE_TEST_SUITE_P(HideLayoutDupes, PinCommandsTest, ::testing::Bool());

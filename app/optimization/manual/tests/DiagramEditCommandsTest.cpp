#include "ManualEditFixture.h"

#include "model/CSkippedPartInfo.h"
#include "optimization/DiagramIndex.h"
#include "optimization/manual/DiagramEditCommands.h"

namespace {

class DiagramEditTest : public ManualEditCmdTest
{
protected:
    void SetUp() override
    {
        ManualEditCmdTest::SetUp();
        m_a = NewPart(8);
        m_b = NewPart(3);
        m_c = NewPart(2);
        m_d = NewPart(9);
        m_three = NewStack({ m_a, m_b }, 3);
        m_five = NewStack({ m_a }, 5);
        m_empty = NewStack({}, 3);
        Optimize({ m_three, m_five, m_empty });
    }

    // The drawn part of the part in the stack's Manual Edit layout.
    static DrawnPartPtr ManualPartOf(const StackPtr& stack, const CMilledPart* part)
    {
        for (const DrawnPartPtr& drawn : stack->GetDiagram()->GetGeometryParts(GeometryStyles::ManualEdit))
            if (drawn->GetPart() == part)
                return drawn;
        return nullptr;
    }

    // The world with its stacks in an order of their own.
    static World Unordered(World world)
    {
        std::sort(world.stacks.begin(), world.stacks.end(), [](const StackState& a, const StackState& b) {
            return std::make_tuple(a.count, a.pinned, a.parts.size(), a.flags.size())
                < std::make_tuple(b.count, b.pinned, b.parts.size(), b.flags.size());
        });
        return world;
    }

    static std::vector<int> Styles(const StackState& stack)
    {
        std::vector<int> styles;
        for (const auto& entry : stack.parts)
            styles.push_back(entry.first);
        return styles;
    }

    CMilledPart* m_a = nullptr;
    CMilledPart* m_b = nullptr;
    CMilledPart* m_c = nullptr; // unplaced
    CMilledPart* m_d = nullptr; // unplaced
    StackPtr m_three;
    StackPtr m_five;
    StackPtr m_empty;
};

} // namespace

TEST_P(DiagramEditTest, MovingAPartOnThreeIdenticalSheets)
{
    MakeManual(m_three);
    const int three = IndexOf(m_three);
    const DrawnPartPtr dragged = ManualPartOf(m_three, m_b);
    const DrawnPartPtr placement = Drawn(m_b, 30, 20, 20, 10, true);
    const DrawnRecord moved { m_b->GetID().GetNumber(), true, placement->GetSheetRect() };
    const DrawnRecord old { m_b->GetID().GetNumber(), false, dragged->GetSheetRect() };
    const auto command = std::make_shared<PartMoveCmd>(m_three, 1, dragged, placement);
    EXPECT_EQ(command->GetName(), QStringLiteral("Move Part"));
    EXPECT_EQ(command->GetUpdateHint().GetChangeFlags(), 0x1U);
    EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0x4000U);
    DoUndoRedo(
        command,
        [&](const World& world) {
            const int edited = HideDupes() ? three : 3;
            ASSERT_GT(world.stacks.size(), static_cast<std::size_t>(edited));
            EXPECT_EQ(world.stacks[edited].parts.at(5).at(1), moved);
            EXPECT_EQ(world.stacks[edited].parts.at(0).at(1), old) << "only the Manual Edit layout changes";
            EXPECT_EQ(world.pinnedSheets, 3U);
            EXPECT_EQ(world.parts[1], (PartState { 3, 0, 0, 0 })) << "a move places no copy";
            if (HideDupes()) {
                EXPECT_EQ(world.stacks.size(), 3U);
                EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0x4000U);
                EXPECT_EQ(Shown(*command), std::make_pair(three, 1));
            } else {
                EXPECT_EQ(world.stacks[three].count, 2U);
                EXPECT_EQ(world.stacks[three].parts.at(5).at(1), old)
                    << "the other two sheets keep the layout";
                EXPECT_EQ(world.stacks[3].count, 1U);
                EXPECT_TRUE(world.stacks[3].pinned);
                EXPECT_EQ(world.pinnedLayouts, 2U);
                EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0x4002U);
                EXPECT_EQ(Shown(*command), std::make_pair(3, 0));
            }
        },
        std::make_pair(three, 1));
}

TEST_P(DiagramEditTest, RemovingAPartKeepsOnlyTheManualLayoutUntilUndone)
{
    MakeManual(m_three);
    const int three = IndexOf(m_three);
    const auto command = std::make_shared<PartRemoveCmd>(m_three, 2, ManualPartOf(m_three, m_b));
    EXPECT_EQ(command->GetName(), QStringLiteral("Remove Part"));
    EXPECT_EQ(command->GetUpdateHint().GetChangeFlags(), 0x800009U);
    EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0x4800U);
    ASSERT_TRUE(command->GetUpdateInfo());
    EXPECT_TRUE(command->GetUpdateInfo()->NeedsBOMRefresh());
    DoUndoRedo(
        command,
        [&](const World& world) {
            const int edited = HideDupes() ? three : 3;
            const StackState& stack = world.stacks.at(edited);
            EXPECT_EQ(Styles(stack), std::vector<int> { 5 });
            EXPECT_EQ(stack.statsStyles, std::vector<int> { 5 });
            ASSERT_EQ(stack.parts.at(5).size(), 1U);
            EXPECT_EQ(stack.parts.at(5).front().number, m_a->GetID().GetNumber());
            EXPECT_EQ(stack.style, 5);
            const std::uint32_t sheets = HideDupes() ? 3U : 1U;
            EXPECT_EQ(world.parts[1], (PartState { 3 - sheets, 0, sheets, 0 }));
            EXPECT_EQ(m_b->GetSkipInfo().GetReason(), CSkippedPartInfo::ManualEdit);
            EXPECT_EQ(m_b->GetUnplacedCopies(), sheets);
            if (!HideDupes()) {
                EXPECT_EQ(Styles(world.stacks[three]), (std::vector<int> { 0, 1, 2, 3, 4, 5 }));
                EXPECT_EQ(world.stacks[three].parts.at(5).size(), 2U);
            }
            EXPECT_EQ(Shown(*command), std::make_pair(edited, HideDupes() ? 2 : 0));
        },
        std::make_pair(three, 2));
    EXPECT_EQ(m_b->GetSkipInfo().GetReason(), CSkippedPartInfo::ManualEdit);
    HistoryUndo();
    EXPECT_EQ(m_b->GetSkipInfo().GetReason(), CSkippedPartInfo::None);
    EXPECT_EQ(Styles(Snapshot().stacks[three]), (std::vector<int> { 0, 1, 2, 3, 4, 5 }))
        << "the undo brings the optimizer's layouts back";
}

// A diagram never converted (nothing should remove a part from one) gets its
// Manual Edit layout from the command instead of failing.
TEST_P(DiagramEditTest, RemovingFromADiagramWithoutManualLayoutMakesOne)
{
    const DrawnPartPtr standard = m_three->GetDiagram()->GetGeometryParts(GeometryStyles::Standard).back();
    GetCmdHistory()->Add(std::make_shared<PartRemoveCmd>(m_three, 0, standard));
    const StackPtr edited = HideDupes() ? m_three : m_results->GetStacks().back();
    ASSERT_TRUE(edited->HasGeometry(GeometryStyles::ManualEdit));
    EXPECT_EQ(edited->GetCurrentParts().size(), 1U);
    EXPECT_EQ(edited->GetCurrentGeoStyle(), GeometryStyles::ManualEdit);
    HistoryUndo();
    EXPECT_EQ(
        m_three->GetCurrentGeoStyle(), HideDupes() ? GeometryStyles::ManualEdit : GeometryStyles::Standard);
    EXPECT_EQ(m_three->GetCurrentParts().size(), 2U);
    EXPECT_TRUE(m_three->HasGeometry(GeometryStyles::Standard));
    EXPECT_EQ(m_b->GetDraggedOffCopies(), 0U);
}

TEST_P(DiagramEditTest, AnUnplacedPartGoesOnAsManySheetsAsItHasCopiesLeft)
{
    MakeManual(m_five);
    CMilledPart* c = m_c;
    c->SetSkipReason(CSkippedPartInfo::NoInventory);
    c->SetDraggedOffCopies(1);
    const int five = IndexOf(m_five);
    const auto command = std::make_shared<UnplacedPartDragToDiagramCmd>(m_five, 0, Drawn(c, 30, 0, 10, 20));
    EXPECT_EQ(command->GetName(), QStringLiteral("Add Part to Diagram"));
    EXPECT_EQ(command->GetUpdateHint().GetChangeFlags(), 0x9U);
    EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0x4800U);
    EXPECT_TRUE(command->GetUpdateInfo()->NeedsBOMRefresh());
    DoUndoRedo(
        command,
        [&](const World& world) {
            // One diagram for five sheets takes the two copies on two of
            // them; with the sheets shown one by one the part lands on one.
            const std::uint32_t sheets = HideDupes() ? 2U : 1U;
            ASSERT_EQ(world.stacks.size(), 4U);
            const StackState& spawned = world.stacks[3];
            EXPECT_EQ(spawned.count, sheets);
            EXPECT_TRUE(spawned.pinned);
            EXPECT_EQ(Styles(spawned), std::vector<int> { 5 });
            ASSERT_EQ(spawned.parts.at(5).size(), 2U);
            EXPECT_EQ(spawned.parts.at(5).back().number, c->GetID().GetNumber());
            EXPECT_EQ(world.stacks[five].count, 5U - sheets);
            EXPECT_EQ(Styles(world.stacks[five]), (std::vector<int> { 0, 1, 2, 3, 4, 5 }));
            EXPECT_EQ(world.pinnedSheets, 5U);
            const std::uint32_t skip = sheets == 2 ? CSkippedPartInfo::None : CSkippedPartInfo::NoInventory;
            EXPECT_EQ(world.parts[2], (PartState { sheets, 0, 0, skip }));
            EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0x4802U);
            EXPECT_EQ(Shown(*command), std::make_pair(3, 0));
        },
        std::make_pair(five, 0));
    EXPECT_EQ(c->GetDraggedOffCopies(), 0U);
    HistoryUndo();
    EXPECT_EQ(c->GetDraggedOffCopies(), 1U);
    EXPECT_EQ(c->GetSkippedPartInfo().GetReason(), CSkippedPartInfo::NoInventory);
}

TEST_P(DiagramEditTest, ASheetWithEnoughCopiesLeftIsEditedInPlace)
{
    MakeManual(m_five);
    CMilledPart* c = m_d;
    const int five = IndexOf(m_five);
    const auto command = std::make_shared<UnplacedPartDragToDiagramCmd>(m_five, 0, Drawn(c, 30, 0, 10, 20));
    DoUndoRedo(command, [&](const World& world) {
        const int edited = HideDupes() ? five : 3;
        const std::uint32_t sheets = HideDupes() ? 5U : 1U;
        EXPECT_EQ(world.stacks.at(edited).count, sheets);
        EXPECT_EQ(world.stacks.at(edited).parts.at(5).size(), 2U);
        EXPECT_EQ(world.parts[3], (PartState { sheets, 0, 0, 0 }));
    });
}

TEST_P(DiagramEditTest, RemovingAnEmptyPinnedDiagramUnpinsItAndUndoPinsItAgain)
{
    m_bom->PinDiagram(m_empty);
    const auto command = std::make_shared<RemoveEmptyDiagramCmd>(m_empty, 1, m_results);
    EXPECT_EQ(command->GetName(), QStringLiteral("Remove Empty Diagram"));
    EXPECT_EQ(command->GetUpdateHint().GetChangeFlags(), 0x49U);
    EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0x1U);
    EXPECT_TRUE(command->GetUpdateInfo()->NeedsBOMRefresh());
    const World before = Snapshot();
    m_doc.modified = false;
    for (const char* step : { "done", "redone" }) {
        SCOPED_TRACE(step);
        if (std::string(step) == "done")
            GetCmdHistory()->Add(command);
        else
            HistoryRedo();
        const World world = Snapshot();
        EXPECT_EQ(Shown(*command), std::make_pair(-1, -1)) << "no diagram to show";
        if (HideDupes()) {
            EXPECT_EQ(world.stacks.size(), 2U) << "the whole stack leaves";
            EXPECT_EQ(world.pinnedSheets, 0U);
            EXPECT_EQ(world.pinnedLayouts, 0U);
            EXPECT_FALSE(m_empty->IsPinned());
        } else {
            // The shown sheet is split off, unpinned and dropped; two stay pinned.
            ASSERT_EQ(world.stacks.size(), 3U);
            EXPECT_EQ(m_empty->GetCount(), 2U);
            EXPECT_TRUE(m_empty->IsPinned());
            EXPECT_EQ(world.pinnedSheets, 2U);
            EXPECT_EQ(world.pinnedLayouts, 1U);
        }
        EXPECT_FALSE(m_doc.modified);
        HistoryUndo();
        EXPECT_EQ(Snapshot(), before);
        EXPECT_TRUE(m_empty->IsPinned());
        const auto shown = command->GetUpdateHint().GetDiagramToShow();
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->GetStack(), m_empty);
        EXPECT_EQ(shown->GetCopyIndex(), 1);
    }
}

// The pinned state is read on every run, so an undo never pins a diagram that
// the user unpinned after the first undo.
TEST_P(DiagramEditTest, AnUndoPinsOnlyWhatItsRunUnpinned)
{
    m_bom->PinDiagram(m_empty);
    const auto command = std::make_shared<RemoveEmptyDiagramCmd>(m_empty, 0, m_results);
    command->SetTarget(&m_doc);
    ExecuteCommand(*command);
    UndoCommand(*command);
    EXPECT_TRUE(m_empty->IsPinned());
    m_bom->UnpinDiagram(m_empty);
    RedoCommand(*command);
    UndoCommand(*command);
    EXPECT_FALSE(m_empty->IsPinned());
    EXPECT_EQ(m_empty->GetCount(), 3U);
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 0U);
    EXPECT_EQ(m_target->GetPinnedLayouts().size(), 0U);
}

TEST_P(DiagramEditTest, RemovingAnEmptyUnpinnedSheetNeverSplitsTheStack)
{
    const World before = Unordered(Snapshot());
    GetCmdHistory()->Add(std::make_shared<RemoveEmptyDiagramCmd>(m_empty, 2, m_results));
    const StackList& stacks = m_results->GetStacks();
    if (HideDupes()) {
        EXPECT_EQ(std::count(stacks.begin(), stacks.end(), m_empty), 0);
    } else {
        EXPECT_EQ(stacks.size(), 3U);
        EXPECT_EQ(m_empty->GetCount(), 2U);
    }
    HistoryUndo();
    EXPECT_EQ(Unordered(Snapshot()), before);
    EXPECT_EQ(m_empty->GetCount(), 3U);
}

// Undoing the removal of a whole stack puts it back where it stood, so the
// diagrams keep their order and their numbers; so does every later undo.
TEST_P(DiagramEditTest, UndoingARemovedDiagramPutsItBackInItsPlace)
{
    // The empty stack between the others.
    Optimize({ m_three, m_empty, m_five });
    GetDiagramIndex().AddTargetResults(m_target, m_results->GetStacks());
    const StackList order = m_results->GetStacks();
    ASSERT_EQ(order.size(), 3U);
    ASSERT_NE(order.back(), m_empty);
    auto labels = [this] {
        QStringList out;
        for (const StackPtr& stack : m_results->GetStacks())
            out << GetDiagramIndex().FindDiagramLabel(stack);
        return out;
    };
    const QStringList numbered = labels();
    for (const bool pinned : { false, true }) {
        SCOPED_TRACE(pinned ? "pinned" : "not pinned");
        if (pinned)
            m_bom->PinDiagram(m_empty);
        const World before = Snapshot();
        // The whole stack leaves: all its sheets are removed at once.
        const std::uint32_t copies = m_empty->GetCount();
        const auto command = std::make_shared<RemoveEmptyDiagramCmd>(m_empty, 0, m_results);
        GetCmdHistory()->Add(command);
        if (HideDupes())
            EXPECT_EQ(m_results->IndexOfStack(m_empty), -1);
        else
            EXPECT_EQ(m_empty->GetCount(), copies - 1);
        for (const char* step : { "undone", "redone and undone" }) {
            SCOPED_TRACE(step);
            if (std::string(step) != "undone") {
                HistoryRedo();
                HistoryUndo();
            } else {
                HistoryUndo();
            }
            EXPECT_EQ(m_results->GetStacks(), order);
            EXPECT_EQ(labels(), numbered);
            EXPECT_EQ(Snapshot(), before);
        }
        if (pinned)
            m_bom->UnpinDiagram(m_empty);
    }
}

INSTANTIATE_TEST_SUITE_P(HideLayoutDupes, DiagramEditTest, ::testing::Bool());

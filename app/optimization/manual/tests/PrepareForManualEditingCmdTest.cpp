#include "ManualEditFixture.h"

#include "optimization/manual/ManualEditStrings.h"
#include "optimization/manual/PinCommands.h"
#include "optimization/manual/PrepareForManualEditingCmd.h"

namespace {

class PrepareForManualEditingTest : public ManualEditCmdTest
{
protected:
    void SetUp() override
    {
        ManualEditCmdTest::SetUp();
        m_a = NewPart(4);
        m_b = NewPart(3);
        m_three = NewStack({ m_a, m_b }, 3);
        m_three->SetCurrentGeoStyle(GeometryStyles::PreferCrossCuts);
        m_one = NewStack({ m_a }, 1);
        Optimize({ m_three, m_one });
    }

    CMilledPart* m_a = nullptr;
    CMilledPart* m_b = nullptr;
    StackPtr m_three;
    StackPtr m_one;
};

} // namespace

TEST(LayoutStyleLabelTest, EveryKindHasItsLabelAndOthersAreStandard)
{
    const std::pair<int, const char*> cases[] = {
        { 0, "Standard Layout" },
        { 1, "Prefer Rip-Cuts" },
        { 2, "Prefer Cross-Cuts" },
        { 3, "Max. Side Off-Cut" },
        { 4, "Max. Bottom Off-Cut" },
        { 5, "Manual Edit" },
        { 6, "Standard Layout" },
        { -1, "Standard Layout" },
    };
    for (const auto& [style, label] : cases)
        EXPECT_EQ(GetLayoutStyleLabel(style), QString::fromLatin1(label)) << style;
}

TEST_P(PrepareForManualEditingTest, ConvertingAnUnpinnedDiagramPinsItUntilUndone)
{
    const auto command = std::make_shared<PrepareForManualEditingCmd>(m_three, 2);
    const int three = IndexOf(m_three);
    EXPECT_EQ(command->GetName(), QStringLiteral("Convert Diagram to Manual Edit"));
    EXPECT_EQ(command->GetUpdateHint().GetChangeFlags(), 0x1U);
    EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0x200U);
    EXPECT_EQ(command->GetPreviousStyle(), 2);
    DoUndoRedo(
        command,
        [&](const World& world) {
            const int edited = HideDupes() ? three : 2;
            ASSERT_EQ(world.stacks.size(), HideDupes() ? 2U : 3U);
            const StackState& converted = world.stacks[edited];
            EXPECT_EQ(converted.style, 5);
            EXPECT_TRUE(converted.pinned);
            EXPECT_EQ(converted.count, HideDupes() ? 3U : 1U);
            // The Manual Edit layout is the shown style's, beside the five others.
            ASSERT_EQ(converted.parts.size(), 6U);
            EXPECT_EQ(converted.parts.at(5), converted.parts.at(2));
            EXPECT_EQ(converted.statsStyles, (std::vector<int> { 0, 1, 2, 3, 4, 5 }));
            if (!HideDupes()) {
                EXPECT_EQ(world.stacks[three].style, 2) << "the other copies keep their style";
                EXPECT_EQ(world.stacks[three].parts.size(), 5U);
                EXPECT_FALSE(world.stacks[three].pinned);
            }
            EXPECT_EQ(world.pinnedSheets, converted.count);
            EXPECT_EQ(world.parts[0].handPlaced, converted.count);
            EXPECT_TRUE(command->IsPinnedByCommand());
            EXPECT_EQ(Shown(*command), std::make_pair(edited, HideDupes() ? 2 : 0));
        },
        std::make_pair(three, 2));
}

TEST_P(PrepareForManualEditingTest, ConvertingAPinnedDiagramLeavesItPinned)
{
    m_bom->PinDiagram(m_one);
    const auto command = std::make_shared<PrepareForManualEditingCmd>(m_one, 0);
    DoUndoRedo(command, [&](const World& world) {
        EXPECT_TRUE(world.stacks[IndexOf(m_one)].pinned);
        EXPECT_EQ(world.stacks[IndexOf(m_one)].style, 5);
        EXPECT_FALSE(command->IsPinnedByCommand());
    });
    HistoryUndo();
    EXPECT_TRUE(m_one->IsPinned());
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 1U);
}

// The pinned state is read on every run: a diagram that the user pinned
// after the undo stays pinned when the redone conversion is undone again.
TEST_P(PrepareForManualEditingTest, AnUndoNeverUnpinsADiagramTheUserPinned)
{
    const auto command = std::make_shared<PrepareForManualEditingCmd>(m_one, 0);
    command->SetTarget(&m_doc);
    ExecuteCommand(*command);
    EXPECT_TRUE(m_one->IsPinned());
    UndoCommand(*command);
    EXPECT_FALSE(m_one->IsPinned());
    m_bom->PinDiagram(m_one);
    RedoCommand(*command);
    EXPECT_FALSE(command->IsPinnedByCommand());
    UndoCommand(*command);
    EXPECT_TRUE(m_one->IsPinned());
    EXPECT_EQ(m_bom->GetPinnedUsage().GetPinnedCount(m_row.get()), 1U);
    EXPECT_EQ(m_a->GetHandPlacedCopies(), 1U);
    EXPECT_EQ(m_one->GetCurrentGeoStyle(), 0);
    EXPECT_FALSE(m_one->HasGeometry(GeometryStyles::ManualEdit));
}

TEST_P(PrepareForManualEditingTest, TheResultsStyleSwitchRunsTheCommandForManualEdit)
{
    RegisterManualEditingCommands();
    const DisplayDiagram shown(m_one, 0);
    EXPECT_TRUE(m_results->SelectLayoutStyle(shown, GeometryStyles::ManualEdit));
    EXPECT_EQ(m_one->GetCurrentGeoStyle(), 5);
    EXPECT_TRUE(m_one->IsPinned());
    EXPECT_EQ(GetUndoMenuText(), QStringLiteral("&Undo Convert Diagram to Manual Edit\tCtrl+Z"));

    // Another style, or Manual Edit once the diagram has it, only switches.
    EXPECT_FALSE(m_results->SelectLayoutStyle(shown, GeometryStyles::MaxSideOffCut));
    EXPECT_EQ(m_one->GetCurrentGeoStyle(), 3);
    EXPECT_FALSE(m_results->SelectLayoutStyle(shown, GeometryStyles::ManualEdit));
    EXPECT_EQ(m_one->GetCurrentGeoStyle(), 5);
    HistoryUndo();
    EXPECT_FALSE(m_one->IsPinned());
    EXPECT_FALSE(m_one->HasGeometry(GeometryStyles::ManualEdit));
    RegisterPrepareForManualEditingCommand(nullptr);
}

INSTANTIATE_TEST_SUITE_P(HideLayoutDupes, PrepareForManualEditingTest, ::testing::Bool());

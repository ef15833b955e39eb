#include "OptimizationTestSupport.h"

#include "optimization/DisplayDiagram.h"
#include "optimization/PinnedUsage.h"

#include <gtest/gtest.h>

namespace {

class StackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_material = MakeSheetGood(QStringLiteral("Birch"));
        m_stock = {m_material, AddRow(*m_material, 0.75, 48, 96), 0};
        m_a = MakePart(1, 10, 20, 20, m_material);
        m_b = MakePart(2, 5, 5, 20, m_material);
        m_a->SetOptimizerPlacedCopies(12);
        m_b->SetOptimizerPlacedCopies(6);
    }

    // 48 x 96 sheet, two copies of A and one of B:
    // +----+----+--+--------
    // | A  | A  |B |
    // +----+----+--+
    StackPtr StackOf(std::uint32_t count)
    {
        return MakeStack(m_stock, {Drawn(m_a.get(), 0, 0, 20, 10), Drawn(m_a.get(), 20, 0, 20, 10),
                                   Drawn(m_b.get(), 40, 0, 5, 5)},
                         count);
    }

    std::shared_ptr<CSheetGoodEx> m_material;
    StockSpec m_stock;
    std::unique_ptr<CMilledPart> m_a;
    std::unique_ptr<CMilledPart> m_b;
};

} // namespace

TEST_F(StackTest, SplitAndMergeKeepCountsFlagOrderAndShareNoDrawnPart)
{
    StackPtr stack = StackOf(3);
    for (int copy = 0; copy < 3; ++copy)
        stack->FindCopyFlags(copy)->SetChecked(copy == 1);
    stack->FindCopyFlags(2)->ToggleOverrideRotation();

    StackPtr split = stack->Split(1, 1);
    EXPECT_EQ(stack->GetCount(), 2u);
    EXPECT_EQ(split->GetCount(), 1u);
    ASSERT_EQ(stack->GetAllCopyFlags().size(), 2u);
    EXPECT_FALSE(stack->GetCopyFlags(0).IsChecked());
    EXPECT_TRUE(stack->GetCopyFlags(1).IsOverrideRotation()) << "copy 2 moved down to index 1";
    ASSERT_EQ(split->GetAllCopyFlags().size(), 1u);
    EXPECT_TRUE(split->GetCopyFlags(0).IsChecked());
    EXPECT_NE(split->GetDiagram(), stack->GetDiagram());
    EXPECT_NE(split->GetDiagram()->GetIdentity(), stack->GetDiagram()->GetIdentity());
    const DrawnPartList& mine = stack->GetCurrentParts();
    const DrawnPartList& theirs = split->GetCurrentParts();
    ASSERT_EQ(mine.size(), theirs.size());
    for (std::size_t i = 0; i < mine.size(); ++i) {
        EXPECT_NE(mine[i], theirs[i]) << "no drawn part is shared";
        EXPECT_EQ(*mine[i], *theirs[i]);
    }

    stack->MergeFrom(*split, 1);
    EXPECT_EQ(stack->GetCount(), 3u);
    ASSERT_EQ(stack->GetAllCopyFlags().size(), 3u);
    EXPECT_TRUE(stack->GetCopyFlags(1).IsChecked());
    EXPECT_TRUE(stack->GetCopyFlags(2).IsOverrideRotation());
    EXPECT_FALSE(stack->GetCopyFlags(0).IsChecked() || stack->GetCopyFlags(0).IsOverrideRotation());
}

TEST_F(StackTest, DrawnPartsAddedByHandCountForEverySheetOfTheStack)
{
    StackPtr stack = StackOf(4);
    stack->GetDiagram()->PrepareManualGeometry(0);
    stack->SetCurrentGeoStyle(GeometryStyles::ManualEdit);
    EXPECT_FALSE(stack->GetDiagram()->GetGeoStatsList().at(GeometryStyles::ManualEdit).IsComplete());
    const double areaBefore = stack->GetDiagram()->GetFixedStats().GetPartsArea();

    const DrawnPartPtr extra = Drawn(m_b.get(), 0, 20, 5, 5);
    stack->AddDrawnPart(extra);
    stack->AddDrawnPart(extra); // the same shared part twice
    EXPECT_EQ(m_b->GetHandPlacedCopies(), 8u);
    EXPECT_EQ(stack->GetCurrentParts().size(), 5u);

    stack->RemoveDrawnPart(extra);
    EXPECT_EQ(m_b->GetHandPlacedCopies(), 4u);
    EXPECT_EQ(stack->GetCurrentParts().size(), 3u) << "every occurrence is removed";
    EXPECT_FALSE(FindDrawnPart(stack->GetCurrentParts(), *extra));
    EXPECT_DOUBLE_EQ(stack->GetDiagram()->GetFixedStats().GetPartsArea(), areaBefore);

    // Removing more hand-placed copies than there are stops at 0.
    stack->RemoveDrawnPart(extra);
    stack->RemoveDrawnPart(extra);
    EXPECT_EQ(m_b->GetHandPlacedCopies(), 0u);
}

TEST_F(StackTest, PinThenUnpinRestoresCountersAndUsage)
{
    PinnedUsage usage;
    StackPtr three = StackOf(3);
    StackPtr two = StackOf(2);

    three->Pin(usage);
    EXPECT_TRUE(three->IsPinned());
    EXPECT_EQ(usage.GetPinnedCount(m_stock.size.get()), 3u);
    EXPECT_EQ(m_a->GetHandPlacedCopies(), 6u); // two drawn copies, three sheets
    EXPECT_EQ(m_a->GetOptimizerPlacedCopies(), 6u);
    EXPECT_TRUE(m_material->IsPinnableIDSet()) << "pinning stamps the material";
    EXPECT_TRUE(m_stock.size->IsPinnableIDSet());

    two->Pin(usage);
    EXPECT_EQ(usage.GetPinnedCount(m_stock.size.get()), 5u);
    EXPECT_TRUE(usage.IsMaterialPinned(m_material.get()));
    EXPECT_EQ(usage.GetStockUsage().at(m_stock.size.get()), 5u);

    three->Unpin(usage);
    two->Unpin(usage);
    EXPECT_TRUE(usage.IsEmpty()) << "both entries erased";
    EXPECT_FALSE(usage.IsMaterialPinned(m_material.get()));
    EXPECT_EQ(m_a->GetHandPlacedCopies(), 0u);
    EXPECT_EQ(m_a->GetOptimizerPlacedCopies(), 12u);
    EXPECT_EQ(m_b->GetOptimizerPlacedCopies(), 6u);

    three->RestorePinnedUsage(usage);
    EXPECT_FALSE(three->IsPinned()) << "restoring leaves the flag";
    EXPECT_EQ(usage.GetPinnedCount(m_stock.size.get()), 3u);
    EXPECT_EQ(m_b->GetHandPlacedCopies(), 3u);
    EXPECT_EQ(m_b->GetOptimizerPlacedCopies(), 6u);
}

TEST_F(StackTest, DisplayDiagramsKeepTheirCopyAcrossSplitAndMerge)
{
    StackPtr stack = StackOf(3);
    std::vector<DisplayDiagramPtr> shown;
    for (int copy = 0; copy < 3; ++copy)
        shown.push_back(stack->MakeDisplayDiagram(copy));
    shown[1]->ToggleOverrideRotation();
    EXPECT_TRUE(stack->GetCopyFlags(1).IsOverrideRotation());
    EXPECT_FALSE(stack->GetCopyFlags(0).IsOverrideRotation() || stack->GetCopyFlags(2).IsOverrideRotation());

    // Split and merge back, then merge a fourth sheet in: the flag records
    // move to new memory, and the shown copies must follow, not read the old.
    StackPtr split = stack->Split(0, 1);
    stack->MergeFrom(*split, 0);
    stack->MergeFrom(*StackOf(1), 3);
    EXPECT_EQ(stack->GetCount(), 4u);
    EXPECT_TRUE(shown[1]->GetFlags().IsOverrideRotation());
    EXPECT_FALSE(shown[1]->IsLengthwise());
    shown[2]->SetChecked(true);
    EXPECT_TRUE(stack->GetCopyFlags(2).IsChecked());

    // Two sheets split off: index 2 is past the two records left.
    stack->Split(3, 1);
    stack->Split(2, 1);
    EXPECT_FALSE(shown[2]->IsChecked());
    shown[2]->SetChecked(true);
    shown[2]->ToggleOverrideRotation();
    shown[2]->ToggleFancyAnnotationStyle();
    ASSERT_EQ(stack->GetAllCopyFlags().size(), 2u);
    EXPECT_EQ(stack->GetCopyFlags(0), DrawnPartFlags());
    EXPECT_EQ(stack->GetCopyFlags(1), DrawnPartFlags(false, true, false)) << "an index beyond the copies writes nothing";
    EXPECT_EQ(*shown[0], *stack->MakeDisplayDiagram(0));
}

TEST_F(StackTest, SearchesAndTallyOverTheShownGeometry)
{
    StackPtr stack = StackOf(1);
    EXPECT_TRUE(StackShowsPart(m_a.get(), *stack));
    auto other = MakePart(3, 1, 1, 1);
    EXPECT_FALSE(StackShowsPart(other.get(), *stack));

    DrawnPart record(m_a.get(), false, stack->GetCurrentParts()[1]->GetSheetRect());
    record.SetScreenRect({1, 2, 3, 4});
    EXPECT_EQ(FindDrawnPart(stack->GetCurrentParts(), record), stack->GetCurrentParts()[1]);
    DrawnPart turned(m_a.get(), true, record.GetSheetRect());
    EXPECT_FALSE(FindDrawnPart(stack->GetCurrentParts(), turned));

    DrawnPartList parts = stack->GetCurrentParts();
    parts.push_back(Drawn(m_a.get(), 0, 30, 10, 20, true));
    DrawnPartTallyList tally;
    TallyDrawnParts(parts, tally);
    ASSERT_EQ(tally.size(), 3u);
    EXPECT_EQ(tally[0].part, m_a.get());
    EXPECT_EQ(tally[0].count, 2);
    EXPECT_EQ(tally[1].part, m_b.get());
    EXPECT_TRUE(tally[2].rotated);
    EXPECT_EQ(tally[2].count, 1);

    // Sheet 48 x 96 in: 4608 sq in; parts 2 x 200 + 25.
    EXPECT_DOUBLE_EQ(stack->GetDiagram()->GetFixedStats().GetPartsArea(), 425.0);
    EXPECT_DOUBLE_EQ(stack->GetYieldRatio(), 1.0 - 425.0 / 4608.0);
    EXPECT_FALSE(HasAlternativeGeometries(stack));
    EXPECT_EQ(stack->GetTotalStats().GetCuts(true).value, 3u);
}

// The local-optimization policy: its mode and option, and the
// part-distribution comparisons.

#include "CLayoutSet.h"
#include "JobPolicy.h"
#include "ParLocalOpt.h"
#include "TreeFixture.h"

#include <gtest/gtest.h>

namespace optimization {
namespace {

using namespace treetest;

TEST(ParLocalOpt, OptionLivesOnlyInModeOne)
{
    ParLocalOpt policy;
    policy.SetMode(1);
    policy.SetOption(true);
    EXPECT_TRUE(policy.GetOption());
    policy.SetMode(0);
    EXPECT_FALSE(policy.GetOption());
    policy.SetMode(1);
    EXPECT_FALSE(policy.GetOption());
    EXPECT_EQ(policy.Clone()->GetMode(), 1);
}

// Two sheets with the same two parts: side by side along x (sharing the
// bottom edge) or one in each corner.
// +----+----+------+     +----+-----------+
// | A  | B  |      |     | A  |           |
// +----+----+      |     +----+      +----+
// |                |     |           | B  |
// +----------------+     +-----------+----+
class SameParts : public testing::Test
{
protected:
    void SetUp() override
    {
        stock = MakeStock(StockSpec{});
        a = MakePart(300, 500, 1, OrientationAsGiven, 1);
        b = MakePart(300, 500, 1, OrientationAsGiven, 2);

        aligned = MakeSheet(*stock);
        aligned->Record().cutDirection = CutLengthFirst;
        PutBlock(*aligned, *a);
        aligned->SetLengthRemainder(aligned->MakeChild(OptLayout::ChildKind::LengthRemainder, C(300),
                                                       C(1500), 500, 0));
        PutBlock(*aligned->GetLengthRemainder(), *b);
        aligned->SetWidthRemainder(
            aligned->MakeChild(OptLayout::ChildKind::WidthRemainder, C(700), C(2000), 0, 300));
        aligned->RebuildLists();
        aligned->Relay();

        scattered = MakeSheet(*stock);
        scattered->Record().cutDirection = CutLengthFirst;
        PutBlock(*scattered, *a);
        OptLayout* rest = scattered->MakeChild(OptLayout::ChildKind::WidthRemainder, C(700), C(2000), 0, 300).release();
        scattered->SetWidthRemainder(std::unique_ptr<OptLayout>(rest));
        rest->Record().cutDirection = CutWidthFirst;
        rest->SetBlock(rest->MakeChild(OptLayout::ChildKind::Block, C(700), C(1500), 0, 300));
        rest->SetLengthRemainder(rest->MakeChild(OptLayout::ChildKind::LengthRemainder, C(700), C(500), 1500, 300));
        rest->GetLengthRemainder()->Record().cutDirection = CutWidthFirst;
        rest->GetLengthRemainder()->SetBlock(
            rest->GetLengthRemainder()->MakeChild(OptLayout::ChildKind::Block, C(400), C(500), 1500, 300));
        rest->GetLengthRemainder()->SetWidthRemainder(rest->GetLengthRemainder()->MakeChild(
            OptLayout::ChildKind::WidthRemainder, C(300), C(500), 1500, 700));
        PutBlock(*rest->GetLengthRemainder()->GetWidthRemainder(), *b);
        scattered->RebuildLists();
        scattered->Relay();
    }

    std::shared_ptr<StockProxy> stock;
    std::shared_ptr<PartProxy> a, b;
    std::unique_ptr<OptTopLevelLayout> aligned, scattered;
};

TEST_F(SameParts, SharedEdgesWin)
{
    EXPECT_EQ(aligned->AlignedPartEdges(), 2);
    EXPECT_EQ(scattered->AlignedPartEdges(), 0);
    EXPECT_EQ(aligned->TotalAlignedNeighbours(), 1);
    ParLocalOpt policy;
    EXPECT_EQ(policy.CompareSameParts(*aligned, *scattered), -1);
    EXPECT_EQ(policy.CompareSameParts(*scattered, *aligned), 1);
    EXPECT_EQ(policy.CompareSheets(*aligned, *scattered), -1);
    EXPECT_EQ(policy.CompareSameParts(*aligned, *aligned), 0);
}

TEST_F(SameParts, ModeOneKeepsTheLargestFreeRegionFirst)
{
    ASSERT_GT(aligned->LargestFreeRectangleArea(), scattered->LargestFreeRectangleArea());
    ParLocalOpt policy;
    policy.SetMode(1);
    EXPECT_EQ(policy.CompareSameParts(*scattered, *aligned), 1);
    CLayoutSet setA, setB;
    setA.Add(aligned.get());
    setB.Add(scattered.get());
    EXPECT_EQ(policy.CompareSets(setB, setA), 1);
}

TEST_F(SameParts, StyledPolicyCountsStrips)
{
    ParLocalOpt policy;
    policy.SetStyleWord(PreferRipCuts);
    // Without a first-cut rule both sheets are one strip: equal.
    EXPECT_EQ(policy.CompareSameParts(*aligned, *scattered), 0);
}

TEST_F(SameParts, CombineCountsTheEdgesOfBothSheets)
{
    ParLocalOpt policy;
    auto lone = MakeSheet(*stock);
    EXPECT_EQ(policy.CompareCombine(*lone, *lone, *aligned), 1);
    EXPECT_EQ(policy.CompareCombine(*aligned, *lone, *scattered), -1);
}

TEST(JobPolicy, CopyClonesTheStockComparer)
{
    JobPolicy policy;
    policy.stockComparer = MakeStockComparer(2, true, false);
    policy.layoutsComparer.SetPrimaryObjective(PartDistributionPrimary);
    JobPolicy copy = policy;
    ASSERT_NE(copy.stockComparer, nullptr);
    EXPECT_NE(copy.stockComparer.get(), policy.stockComparer.get());
    EXPECT_TRUE(copy.stockComparer->GetUnitAreaFlag());
    EXPECT_TRUE(copy.layoutsComparer.IsPartDistributionPrimary());
    ParStockComparer* same = copy.stockComparer.get();
    copy.SetStockComparer(std::unique_ptr<ParStockComparer>(same));
    EXPECT_EQ(copy.stockComparer.get(), same);
    copy.SetStockComparer(MakeStockComparer(0, false, false));
    EXPECT_EQ(copy.stockComparer->GetKind(), 1);
}

} // namespace
} // namespace optimization

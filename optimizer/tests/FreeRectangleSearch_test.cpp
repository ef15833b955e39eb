// The searches over free regions: which regions take part (owner, direction
// and exclusion filters), pooling in sheet order, and the largest region.

#include "RunFixture.h"

#include "FreeRectangleSearch.h"
#include "Placement.h"

#include <gtest/gtest.h>

using namespace optimization;
using namespace optimization::testing;

namespace {

class FreeRectangleSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        stock = Stock(48, 96, 10);
        part = Part(1, 10, 20, 3);
        optimizer = Make(Args({stock}, {part}));
        empty = NewSheet(*optimizer, stock.get());
        used = NewSheet(*optimizer, stock.get());
        PlacementRequest request;
        request.part = part.get();
        request.sheets = {used.get()};
        request.optimizer = optimizer.get();
        ASSERT_TRUE(PlacePart(request));
    }

    std::shared_ptr<StockProxy> stock;
    std::shared_ptr<PartProxy> part;
    std::unique_ptr<ParallelOptimizer> optimizer;
    std::unique_ptr<OptTopLevelLayout> empty, used;
};

} // namespace

TEST_F(FreeRectangleSearchTest, PoolRunsSheetBySheet)
{
    const RegionList pooled = PoolFreeRectangles({used.get(), empty.get()});
    ASSERT_EQ(pooled.size(), used->GetRegions().size() + empty->GetRegions().size());
    ASSERT_FALSE(pooled.empty());
    EXPECT_EQ(pooled.front().owner->GetTopLevel(), used.get());
    EXPECT_EQ(pooled.back().owner->GetTopLevel(), empty.get());
}

TEST_F(FreeRectangleSearchTest, PooledChoiceWithoutPoolingIsTheSameAndLeavesTheSheetsAlone)
{
    auto second = Part(2, 30, 40, 1);
    PlacementRequest request;
    request.part = second.get();
    request.sheets = {used.get()};
    request.optimizer = optimizer.get();
    ASSERT_TRUE(PlacePart(request));
    auto huge = Part(3, 50, 100, 1);
    auto narrow = Part(4, 5, 90, 1);
    const std::vector<std::vector<OptTopLevelLayout*>> orders = {
        {used.get(), empty.get()}, {empty.get(), used.get()}, {used.get()}};
    for (const PartProxy* probe : {part.get(), second.get(), huge.get(), narrow.get()}) {
        for (const auto& sheets : orders) {
            for (bool skipExcluded : {false, true}) {
                SCOPED_TRACE(::testing::Message() << probe->GetDescriptor().partNumber << " " << sheets.size()
                                                  << " " << skipExcluded);
                RegionFilter filter;
                filter.skipExcluded = skipExcluded;
                used->GetRegions().front().excluded = true;
                const RegionList before = used->GetRegions();
                RegionList pooled = PoolFreeRectangles(sheets);
                const CFreeRectangle* want = SelectFreeRectangle(pooled, *probe, nullptr, filter);
                CFreeRectangle got;
                ASSERT_EQ(SelectPooledFreeRectangle(sheets, *probe, filter, got), want != nullptr);
                if (want != nullptr) {
                    EXPECT_EQ(got.owner, want->owner);
                    EXPECT_EQ(got.side, want->side);
                    EXPECT_EQ(got.x, want->x);
                    EXPECT_EQ(got.y, want->y);
                    EXPECT_EQ(got.chosenOrientation, want->chosenOrientation);
                    EXPECT_EQ(got.value, want->value);
                    EXPECT_EQ(got.flags, want->flags);
                }
                const RegionList& after = used->GetRegions();
                ASSERT_EQ(after.size(), before.size());
                for (std::size_t i = 0; i < after.size(); ++i) {
                    EXPECT_EQ(after[i].value, before[i].value);
                    EXPECT_EQ(after[i].flags, before[i].flags);
                    EXPECT_EQ(after[i].chosenOrientation, before[i].chosenOrientation);
                }
            }
        }
    }
}

TEST_F(FreeRectangleSearchTest, OwnerFilterKeepsToOneSheet)
{
    RegionList pooled = PoolFreeRectangles({empty.get(), used.get()});
    const CFreeRectangle* chosen = SelectFreeRectangle(pooled, *part, used.get(), RegionFilter());
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->owner->GetTopLevel(), used.get());
}

TEST_F(FreeRectangleSearchTest, ExcludedRegionsAreLeftOutOnlyWhenAsked)
{
    RegionList regions = empty->GetRegions();
    ASSERT_EQ(regions.size(), 1u);
    regions[0].excluded = true;
    RegionFilter filter;
    EXPECT_NE(SelectFreeRectangle(regions, *part, nullptr, filter), nullptr);
    filter.skipExcluded = true;
    EXPECT_EQ(SelectFreeRectangle(regions, *part, nullptr, filter), nullptr);
}

TEST_F(FreeRectangleSearchTest, DirectionFilterKeepsOneDirection)
{
    RegionList regions = used->GetRegions();
    RegionFilter filter;
    filter.byDirection = true;
    for (bool want : {false, true}) {
        filter.wantDirection1 = want;
        if (const CFreeRectangle* chosen = SelectFreeRectangle(regions, *part, nullptr, filter)) {
            EXPECT_EQ(chosen->directionFlag, want);
        }
    }
}

TEST_F(FreeRectangleSearchTest, PartThatFitsNowhereGetsNothing)
{
    auto huge = Part(2, 50, 100, 1);
    RegionList pooled = PoolFreeRectangles({empty.get(), used.get()});
    EXPECT_EQ(SelectFreeRectangle(pooled, *huge, nullptr, RegionFilter()), nullptr);
}

TEST_F(FreeRectangleSearchTest, LargestRegionAndSheetFilter)
{
    const RegionList pooled = PoolFreeRectangles({used.get(), empty.get()});
    const LargestRegion any = SelectLargestFreeRectangle(pooled, nullptr);
    ASSERT_NE(any.region, nullptr);
    EXPECT_EQ(any.region->owner->GetTopLevel(), empty.get());
    EXPECT_EQ(any.area, std::int64_t(48 * 16384) * (96 * 16384));

    const LargestRegion onUsed = SelectLargestFreeRectangle(pooled, used.get());
    ASSERT_NE(onUsed.region, nullptr);
    EXPECT_EQ(onUsed.filter, used.get());
    EXPECT_EQ(onUsed.region->owner->GetTopLevel(), used.get());
    EXPECT_LT(onUsed.area, any.area);

    const LargestRegion none = SelectLargestFreeRectangle(RegionList(), nullptr);
    EXPECT_EQ(none.region, nullptr);
}

// A strip is scored lying as it will be laid: its first member in the
// orientation the group gives it, whichever way the part alone would choose.
TEST_F(FreeRectangleSearchTest, StripIsScoredInItsMembersOrientation)
{
    const OptDim width = part->GetDescriptor().width;
    const OptDim length = part->GetDescriptor().length;
    for (std::int32_t turned : {0, 1}) {
        SCOPED_TRACE(turned);
        IsoDimGroup group(turned ? length : width, false);
        group.AddCopy(part.get(), turned ? width : length, turned);
        IsoDimGroupMap groups;
        groups.emplace(group.GetKey(), group);
        CFreeRectangle region = empty->GetRegions().front();
        ASSERT_TRUE(EvaluateStrips(region, groups));
        EXPECT_TRUE(region.stripEvaluated);
        EXPECT_EQ(region.chosenOrientation, turned);
    }
}

TEST_F(FreeRectangleSearchTest, StripThatFitsNowhereClearsTheEvaluation)
{
    auto huge = Part(9, 50, 100, 1);
    IsoDimGroup group(huge->GetDescriptor().width, false);
    group.AddCopy(huge.get(), huge->GetDescriptor().length, 0);
    IsoDimGroupMap groups;
    groups.emplace(group.GetKey(), group);
    CFreeRectangle region = empty->GetRegions().front();
    EXPECT_FALSE(EvaluateStrips(region, groups));
    EXPECT_FALSE(region.stripEvaluated);
    EXPECT_TRUE(region.group.IsEmpty());
}

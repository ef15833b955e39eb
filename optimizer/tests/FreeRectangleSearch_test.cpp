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

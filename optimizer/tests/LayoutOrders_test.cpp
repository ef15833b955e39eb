// The run's sort orders on parts, stock and sheets.

#include "LayoutOrders.h"
#include "TreeFixture.h"
#include "UsageTrackers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace optimization {
namespace {

using namespace treetest;

std::vector<std::int32_t> Numbers(const std::vector<const PartProxy*>& parts)
{
    std::vector<std::int32_t> numbers;
    for (const PartProxy* p : parts)
        numbers.push_back(p->GetDescriptor().partNumber);
    return numbers;
}

TEST(PartOrders, EachKindSortsByItsKeyKeepingPartNumberOrderOnTies)
{
    // number: width x length, orientation
    auto p1 = MakePart(500, 300, 1, OrientationFree, 4);    // size 500/300, width key 300
    auto p2 = MakePart(200, 900, 1, OrientationAsGiven, 2); // length major 900 (flags clear)
    auto p3 = MakePart(600, 100, 1, OrientationAsGiven, 3); // width key 600, length key 100
    auto p4 = MakePart(300, 500, 1, OrientationFree, 1);    // same size as p1
    const std::vector<const PartProxy*> parts = {p1.get(), p2.get(), p3.get(), p4.get()};
    const struct {
        std::int32_t kind;
        std::vector<std::int32_t> numbers;
    } cases[] = {
        {OrderLargestFirst, {2, 1, 4, 3}}, // majors 500, 900 (length), 100 (length), 500
        {OrderIterative, {2, 3, 1, 4}},    // both flags: larger of the two: 900, 600, 500, 500
        {OrderWidestFirst, {3, 1, 4, 2}},  // keys 300, 200, 600, 300
        {OrderLongestFirst, {2, 1, 4, 3}}, // keys 300, 900, 100, 300
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        std::vector<const PartProxy*> sorted = parts;
        SortPartSequence(sorted, c.kind);
        EXPECT_EQ(Numbers(sorted), c.numbers);
    }
}

TEST(PartOrders, KeysTakeWidthAndLengthWithinTwoCountsAsEqual)
{
    // A width at most 2 counts from the length counts as equal to it: the
    // length is then the major dimension and the key of both part orders.
    auto a = MakePart(1002, 1000, 1, OrientationFree, 1); // major 1000, key 1000
    auto b = MakePart(1001, 1001, 1, OrientationFree, 2); // major 1001, key 1001
    auto c = MakePart(1000, 1001, 1, OrientationFree, 3); // major 1001 (minor 1000), key 1001
    const std::vector<const PartProxy*> parts = {a.get(), b.get(), c.get()};
    for (std::int32_t kind : {OrderLargestFirst, OrderWidestFirst, OrderLongestFirst}) {
        SCOPED_TRACE(kind);
        std::vector<const PartProxy*> sorted = parts;
        SortPartSequence(sorted, kind);
        EXPECT_EQ(Numbers(sorted), (std::vector<std::int32_t>{2, 3, 1}));
    }
}

TEST(PartOrders, TrackerSequenceSortsLikeTheProxies)
{
    std::vector<std::shared_ptr<PartProxy>> parts = {MakePart(100, 100, 1, 0, 3), MakePart(300, 300, 1, 0, 1),
                                                     MakePart(100, 100, 1, 0, 2)};
    PartTrackerList trackers;
    for (const auto& p : parts)
        trackers.push_back(std::make_shared<PartUsageTracker>(p.get()));
    SortPartSequence(trackers, OrderLargestFirst);
    std::vector<std::int32_t> numbers;
    for (const auto& t : trackers)
        numbers.push_back(t->GetPartProxy()->GetDescriptor().partNumber);
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{1, 2, 3}));
}

TEST(StockOrders, UsableStockWithAndWithoutTheStrictFlag)
{
    const struct {
        bool unlimited, beyond;
        std::uint32_t available, used;
        bool usable, strictUsable;
    } cases[] = {
        {true, false, 0, 9, true, true},     {false, false, 2, 1, true, true},
        {false, false, 2, 2, false, false},  {false, true, 2, 2, true, false},
        {false, true, 2, 3, true, true},     {false, true, 0, 0, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.unlimited << c.beyond << c.available << c.used);
        StockSpec stockSpec;
        stockSpec.unlimited = c.unlimited;
        stockSpec.available = c.available;
        auto stock = MakeStock(stockSpec);
        InitialInventory inventory = stock->GetInventory();
        inventory.usableBeyondCount = c.beyond;
        StockProxy proxy(nullptr, nullptr, stock->GetCanvas(), inventory, stock->GetRules());
        StockUsageTracker tracker(&proxy);
        tracker.SetSheetsUsed(c.used);
        EXPECT_EQ(IsStockUsable(tracker, false), c.usable);
        EXPECT_EQ(IsStockUsable(tracker, true), c.strictUsable);
    }
}

TEST(StockOrders, SizeAndCostOrdersAreStrictWeakOrders)
{
    StockSpec stockSpec;
    stockSpec.cost = 5;
    auto a = MakeStock(stockSpec);
    stockSpec.width = 1001; // one count wider: ordered by exact area
    auto b = MakeStock(stockSpec);
    stockSpec.width = 1000;
    stockSpec.cost = 4;
    auto cheap = MakeStock(stockSpec);
    EXPECT_TRUE(StockBySize(*a, *b));
    EXPECT_FALSE(StockBySize(*b, *a));
    EXPECT_TRUE(StockBySize(*cheap, *a));
    EXPECT_FALSE(StockBySize(*a, *a));
    EXPECT_TRUE(StockBySizeLargestFirst(*b, *a));
    EXPECT_TRUE(StockWidestFirst(*b, *a));
    EXPECT_FALSE(StockLongestFirst(*b, *a));
    EXPECT_TRUE(StockByFullCost(*cheap, *a));
    EXPECT_TRUE(StockByUnitAreaCost(*cheap, *a));
}

TEST(SheetOrders, WasteCostAndStillPossible)
{
    auto stock = MakeStock(StockSpec{});
    auto part = MakePart(500, 2000, 2);
    part->SetPosition(0);
    auto full = MakeSheet(*stock);
    PutBlock(*full, *part);
    full->RebuildLists();
    auto empty = MakeSheet(*stock);

    EXPECT_TRUE(SheetByWaste(full.get(), empty.get()));
    EXPECT_TRUE(SheetByWaste(empty.get(), full.get(), true));
    EXPECT_TRUE(SheetByWasteHighestFirst(empty.get(), full.get()));
    EXPECT_DOUBLE_EQ(CostPerPlacedArea(*empty), 2147483647.0);
    EXPECT_TRUE(SheetByCostPerPlacedAreaHighestFirst(empty.get(), full.get()));

    const PartUsageMap trackers = BuildPartTrackers({part});
    EXPECT_TRUE(IsSheetStillPossible(*full, trackers));
    trackers.at(part.get())->IncrementPlacedCount();
    EXPECT_TRUE(IsSheetStillPossible(*full, trackers));
    trackers.at(part.get())->IncrementPlacedCount();
    EXPECT_FALSE(IsSheetStillPossible(*full, trackers));
}

TEST(RegionOrder, LargerAreaFirst)
{
    CFreeRectangle big, small;
    big.width = C(100);
    big.length = C(100);
    small.width = C(99);
    small.length = C(100);
    EXPECT_TRUE(RegionByArea(big, small));
    EXPECT_FALSE(RegionByArea(small, big));
    EXPECT_FALSE(RegionByArea(big, big));
}

} // namespace
} // namespace optimization

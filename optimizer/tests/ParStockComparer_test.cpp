// Stock orders and sheet comparisons by size and by cost, and the two stock
// preferences (off-cuts first, inventory first).

#include "CLayoutSet.h"
#include "ParStockComparer.h"
#include "TreeFixture.h"

#include <gtest/gtest.h>

namespace optimization {
namespace {

using namespace treetest;

std::shared_ptr<StockProxy> InchStock(double width, double length, double cost,
                                      bool unlimited = true, std::uint32_t available = 0,
                                      bool offCut = false)
{
    StockSpec stockSpec;
    stockSpec.width = OptDim::FromInches(width).ToEncodedInt();
    stockSpec.length = OptDim::FromInches(length).ToEncodedInt();
    stockSpec.cost = cost;
    stockSpec.unlimited = unlimited;
    stockSpec.available = available;
    stockSpec.offCut = offCut;
    return MakeStock(stockSpec);
}

std::vector<const StockProxy*> Order(const StockTrackerList& list)
{
    std::vector<const StockProxy*> order;
    for (const auto& tracker : list)
        order.push_back(tracker->GetStock());
    return order;
}

TEST(CStockCompByCost, UnitAreaModeOrdersByTheCostOfAnInch)
{
    // A: 10 for 200 sq in (0.05 a square inch); B: 8 for 133.3 (0.06).
    auto a = InchStock(10.0, 20.0, 10.0);
    auto b = InchStock(10.0, 8.0 / 0.06 / 10.0, 8.0);
    ASSERT_LT(a->GetCanvas().GetUnitAreaCost(), b->GetCanvas().GetUnitAreaCost());
    const struct {
        bool unitArea, sortFlag;
        const StockProxy* first;
    } cases[] = {{true, true, a.get()}, {true, false, a.get()}, {false, true, b.get()},
                 {false, false, a.get()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.unitArea << c.sortFlag);
        StockTrackerList list = {std::make_shared<StockUsageTracker>(b.get()),
                                 std::make_shared<StockUsageTracker>(a.get())};
        CStockCompByCost(false, false, c.unitArea).SortStockTrackers(list, c.sortFlag);
        EXPECT_EQ(list.front()->GetStock(), c.first);
    }
    const StockUsageTracker ta(a.get()), tb(b.get());
    EXPECT_EQ(CStockCompByCost(false, false, true).CompareTrackers(ta, tb), -1);
    EXPECT_EQ(CStockCompByCost(false, false, false).CompareTrackers(ta, tb), 1);
}

TEST(ParStockComparer, OffCutsFirstDominatesInventoryFirst)
{
    auto newUsedUp = InchStock(10, 10, 1, false, 1);
    auto offCutUsedUp = InchStock(11, 11, 1, false, 1, true);
    auto newLeft = InchStock(12, 12, 1, false, 5);
    auto offCutLeft = InchStock(13, 13, 1, false, 5, true);
    StockTrackerList list;
    for (auto* s : {newUsedUp.get(), offCutUsedUp.get(), newLeft.get(), offCutLeft.get()})
        list.push_back(std::make_shared<StockUsageTracker>(s));
    list[0]->UseOneSheet();
    list[1]->UseOneSheet();

    StockTrackerList bySize = list;
    CStockCompBySize(true, true).SortStockTrackers(bySize, true);
    EXPECT_EQ(Order(bySize), (std::vector<const StockProxy*>{offCutLeft.get(), offCutUsedUp.get(),
                                                            newLeft.get(), newUsedUp.get()}));
    StockTrackerList plain = list;
    CStockCompBySize(false, false).SortStockTrackers(plain, true);
    EXPECT_EQ(Order(plain), Order(list)); // smallest first, as built

    EXPECT_EQ(CStockCompBySize(true, false).ComparePreferences(*list[0], *list[1]), 1);
    EXPECT_EQ(CStockCompBySize(false, true).ComparePreferences(*list[0], *list[2]), 1);
    EXPECT_EQ(CStockCompBySize(false, false).ComparePreferences(*list[0], *list[3]), 0);
}

TEST(ParStockComparer, CombiningRefusedWhenItLeavesPreferredStock)
{
    auto offCut = InchStock(10, 10, 1, false, 3, true);
    auto fresh = InchStock(20, 20, 1);
    auto usedUp = InchStock(20, 20, 1, false, 0);
    const StockUsageTracker tOff(offCut.get()), tFresh(fresh.get()), tUsedUp(usedUp.get());
    EXPECT_TRUE(CStockCompBySize(true, false).RefusesCombine(tOff, tFresh, tFresh));
    EXPECT_FALSE(CStockCompBySize(true, false).RefusesCombine(tFresh, tFresh, tOff));
    EXPECT_TRUE(CStockCompBySize(false, true).RefusesCombine(tFresh, tUsedUp, tUsedUp));
    EXPECT_FALSE(CStockCompBySize(false, false).RefusesCombine(tOff, tFresh, tUsedUp));
}

TEST(CStockCompBySize, SortsBySizeThenCostAndComparesByWaste)
{
    auto big = InchStock(48, 96, 30);
    auto smallDear = InchStock(24, 48, 20);
    auto smallCheap = InchStock(24, 48, 15);
    StockTrackerList list = {std::make_shared<StockUsageTracker>(big.get()),
                             std::make_shared<StockUsageTracker>(smallDear.get()),
                             std::make_shared<StockUsageTracker>(smallCheap.get())};
    CStockCompBySize(false, false).SortStockTrackers(list, true);
    EXPECT_EQ(Order(list),
              (std::vector<const StockProxy*>{smallCheap.get(), smallDear.get(), big.get()}));
    EXPECT_EQ(CStockCompBySize(false, false).CompareTrackers(*list[0], *list[1]), -1);
    EXPECT_EQ(CStockCompBySize(false, false).CompareTrackers(*list[2], *list[0]), 1);
}

TEST(CStockCompBySize, SetsWithWasteAreasWithinTheToleranceAreEqual)
{
    StockSpec stockSpec;
    auto stock = MakeStock(stockSpec);
    auto part = MakePart(500, 2000);
    auto a = MakeSheet(*stock);
    auto b = MakeSheet(*stock);
    PutBlock(*a, *part);
    a->RebuildLists();
    b->SetWidth(C(1000)); // same rough area: the waste areas are the same
    PutBlock(*b, *part);
    b->RebuildLists();
    CLayoutSet setA, setB;
    setA.Add(a.get());
    setB.Add(b.get());
    EXPECT_EQ(CStockCompBySize(false, false).CompareSets(setA, setB), 0);
    auto empty = MakeSheet(*stock);
    CLayoutSet setC;
    setC.Add(empty.get());
    EXPECT_EQ(CStockCompBySize(false, false).CompareSets(setA, setC), -1);
}

TEST(CStockCompByCost, EmptySheetCostsTheSentinelNotADivisionByZero)
{
    auto stock = InchStock(10, 10, 5);
    auto part = MakePart(OptDim::FromInches(5).ToEncodedInt(), OptDim::FromInches(10).ToEncodedInt());
    auto empty = MakeSheet(*stock);
    auto half = MakeSheet(*stock);
    PutBlock(*half, *part);
    half->RebuildLists();
    const CStockCompByCost fullCost(false, false, false);
    EXPECT_DOUBLE_EQ(fullCost.SheetCost(*empty), 2147483647.0);
    EXPECT_DOUBLE_EQ(fullCost.SheetCost(*half), 5.0 / 50.0);
    EXPECT_EQ(fullCost.CompareSheets(*half, *empty), -1);

    CLayoutSet none;
    none.Add(empty.get());
    EXPECT_DOUBLE_EQ(none.CostPerPlacedArea(), 2147483647.0);
    CLayoutSet some;
    some.Add(half.get());
    EXPECT_EQ(fullCost.CompareSets(some, none), -1);

    const CStockCompByCost unitArea(false, false, true);
    EXPECT_DOUBLE_EQ(unitArea.SheetCost(*half), 2.5);
    EXPECT_DOUBLE_EQ(unitArea.SheetCost(*empty), 0.0);
}

TEST(CStockCompByCost, CombineComparesTheCostOfBothSheetsWithTheJoinedOne)
{
    auto small = InchStock(10, 10, 4);
    auto large = InchStock(20, 10, 7);
    auto dear = InchStock(20, 10, 9);
    auto a = MakeSheet(*small);
    auto b = MakeSheet(*small);
    auto joined = MakeSheet(*large);
    auto joinedDear = MakeSheet(*dear);
    const CStockCompByCost fullCost(false, false, false);
    EXPECT_EQ(fullCost.CompareCombine(*a, *b, *joined), 1);
    EXPECT_EQ(fullCost.CompareCombine(*a, *b, *joinedDear), -1);
    EXPECT_EQ(CStockCompBySize(false, false).CompareCombine(*a, *b, *joined), 0);
}

TEST(MakeStockComparer, KindPicksTheComparer)
{
    EXPECT_EQ(MakeStockComparer(0, true, false)->GetKind(), 1);
    auto byCost = MakeStockComparer(1, false, true);
    EXPECT_EQ(byCost->GetKind(), 2);
    EXPECT_FALSE(byCost->GetUnitAreaFlag());
    EXPECT_TRUE(byCost->IsInventoryFirst());
    auto unit = MakeStockComparer(2, true, false);
    EXPECT_TRUE(unit->GetUnitAreaFlag());
    EXPECT_TRUE(unit->Clone()->GetUnitAreaFlag());
    EXPECT_TRUE(unit->Clone()->IsOffCutsFirst());
}

} // namespace
} // namespace optimization

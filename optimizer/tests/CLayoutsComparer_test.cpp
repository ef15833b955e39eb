// The layouts comparer: waste gate, stock preferences, then the objectives.
// Sheets are 1000 x 2000 counts; a part 1000 - 1000*w wide and 2000 long
// leaves a waste of w.

#include "CLayoutSet.h"
#include "ParLocalOpt.h"
#include "ParStockComparer.h"
#include "TreeFixture.h"
#include "UsageTrackers.h"

#include <nestcore/CLayoutsComparer.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace optimization {
namespace {

using namespace treetest;

class Comparer : public testing::Test
{
protected:
    std::shared_ptr<StockProxy> NewStock(bool offCut = false)
    {
        StockSpec stockSpec;
        stockSpec.offCut = offCut;
        auto stock = MakeStock(stockSpec);
        stock->SetPosition(stocks.size());
        stocks.push_back(stock);
        return stock;
    }

    // A sheet of `stock` holding one new part `width` wide.
    OptTopLevelLayout* SheetWithWaste(const StockProxy& stock, double waste)
    {
        auto part = MakePart(std::int32_t(1000 - 1000 * waste + 0.5), 2000);
        part->SetPosition(100 + parts.size());
        parts.push_back(part);
        auto sheet = MakeSheet(stock);
        PutBlock(*sheet, *part);
        sheet->RebuildLists();
        sheets.push_back(std::move(sheet));
        return sheets.back().get();
    }

    StockTrackerMap Trackers() const { return BuildStockTrackers(stocks); }

    std::vector<std::shared_ptr<StockProxy>> stocks;
    std::vector<std::shared_ptr<PartProxy>> parts;
    std::vector<std::unique_ptr<OptTopLevelLayout>> sheets;
    ParLocalOpt policy;
    CLayoutsComparer comparer;
};

TEST_F(Comparer, WasteGateDecidesBeforeAnyCost)
{
    auto stock = NewStock();
    const struct {
        double wasteA, wasteB;
        std::int32_t result;
    } cases[] = {
        {0.11, 0.10, 1},  // the gate alone
        {0.10, 0.11, -1},
        {0.20, 0.30, -1}, // both over: the stock comparer's lower waste
        {0.30, 0.20, 1},
        {0.05, 0.05, 0},
    };
    const CStockCompBySize bySize(false, false);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.wasteA << " vs " << c.wasteB);
        OptTopLevelLayout* a = SheetWithWaste(*stock, c.wasteA);
        OptTopLevelLayout* b = SheetWithWaste(*stock, c.wasteB);
        EXPECT_EQ(comparer.CompareGeneral(*a, *b, policy, bySize, Trackers()), c.result);
    }
}

TEST_F(Comparer, OffCutsFirstPrefersTheOffCutOverABetterPackedSheet)
{
    auto fresh = NewStock();
    auto offCut = NewStock(true);
    OptTopLevelLayout* onOffCut = SheetWithWaste(*offCut, 0.5);
    OptTopLevelLayout* onNew = SheetWithWaste(*fresh, 0.2);
    EXPECT_EQ(comparer.CompareGeneral(*onOffCut, *onNew, policy, CStockCompBySize(true, false),
                                      Trackers()),
              -1);
    EXPECT_EQ(comparer.CompareGeneral(*onOffCut, *onNew, policy, CStockCompBySize(false, false),
                                      Trackers()),
              1);
}

TEST_F(Comparer, InventoryFirstPrefersStockWithSheetsLeft)
{
    StockSpec stockSpec;
    stockSpec.unlimited = false;
    stockSpec.available = 1;
    auto limited = MakeStock(stockSpec);
    limited->SetPosition(0);
    auto free = NewStock();
    stocks.push_back(limited);
    OptTopLevelLayout* a = SheetWithWaste(*limited, 0.2);
    OptTopLevelLayout* b = SheetWithWaste(*free, 0.3);
    StockTrackerMap trackers = Trackers();
    // Both have sheets left: the better packed sheet wins; once the limited
    // stock is used up, the preference overrides the packing.
    const CStockCompBySize inventoryFirst(false, true);
    EXPECT_EQ(comparer.CompareGeneral(*a, *b, policy, inventoryFirst, trackers), -1);
    trackers.at(limited.get())->UseOneSheet();
    EXPECT_EQ(comparer.CompareGeneral(*a, *b, policy, inventoryFirst, trackers), 1);
}

TEST_F(Comparer, CombiningIsAcceptedByTheWasteGateAlone)
{
    auto stock = NewStock();
    OptTopLevelLayout* a = SheetWithWaste(*stock, 0.2);
    OptTopLevelLayout* b = SheetWithWaste(*stock, 0.2);
    OptTopLevelLayout* joined = SheetWithWaste(*stock, 0.05);
    // Even a cost comparer that would keep them apart does not get asked.
    const CStockCompByCost byCost(false, false, false);
    EXPECT_EQ(comparer.CompareCombineLayouts(*a, *b, *joined, policy, byCost, Trackers()), 1);
    OptTopLevelLayout* poor = SheetWithWaste(*stock, 0.3);
    EXPECT_EQ(comparer.CompareCombineLayouts(*a, *b, *poor, policy, byCost, Trackers()), 1);
}

TEST_F(Comparer, CombiningOntoNewStockIsRefusedWithOffCutsFirst)
{
    auto offCut = NewStock(true);
    auto fresh = NewStock();
    OptTopLevelLayout* a = SheetWithWaste(*offCut, 0.05);
    OptTopLevelLayout* b = SheetWithWaste(*offCut, 0.05);
    OptTopLevelLayout* joined = SheetWithWaste(*fresh, 0.04);
    EXPECT_EQ(comparer.CompareCombineLayouts(*a, *b, *joined, policy, CStockCompBySize(true, false),
                                             Trackers()),
              -1);
}

TEST_F(Comparer, SameParts)
{
    auto stock = NewStock();
    OptTopLevelLayout* a = SheetWithWaste(*stock, 0.3);
    OptTopLevelLayout* b = SheetWithWaste(*stock, 0.3);
    EXPECT_EQ(comparer.CompareSameParts(*a, *b, policy, CStockCompBySize(false, false), Trackers()), 0);
    OptTopLevelLayout* good = SheetWithWaste(*stock, 0.05);
    EXPECT_EQ(comparer.CompareSameParts(*a, *good, policy, CStockCompBySize(false, false), Trackers()),
              1);
}

TEST_F(Comparer, MissingStockTrackerIsAnError)
{
    auto stock = NewStock();
    OptTopLevelLayout* a = SheetWithWaste(*stock, 0.3);
    OptTopLevelLayout* b = SheetWithWaste(*stock, 0.2);
    const StockTrackerMap none;
    EXPECT_THROW(comparer.CompareGeneral(*a, *b, policy, CStockCompBySize(false, false), none),
                 std::out_of_range);
}

TEST_F(Comparer, ASetPlacingMoreCopiesWinsWhateverItCosts)
{
    auto cheap = NewStock();
    StockSpec dearSpec;
    dearSpec.cost = 1000.0;
    auto dear = MakeStock(dearSpec);
    dear->SetPosition(5);
    stocks.push_back(dear);
    OptTopLevelLayout* shared = SheetWithWaste(*cheap, 0.5);
    OptTopLevelLayout* extra = SheetWithWaste(*dear, 0.9);

    CLayoutSet more, fewer;
    more.Add(shared);
    more.Add(extra);
    fewer.Add(shared);
    const CStockCompByCost byCost(false, false, false);
    EXPECT_EQ(comparer.CompareGeneral(more, fewer, policy, byCost), -1);
    EXPECT_EQ(comparer.CompareGeneral(fewer, more, policy, byCost), 1);
}

TEST_F(Comparer, SetsWithTheSameCopiesFallThroughToTheObjectives)
{
    StockSpec bigSpec;
    bigSpec.width = 2000;
    auto big = MakeStock(bigSpec);
    big->SetPosition(7);
    auto stock = NewStock();
    stocks.push_back(big);
    auto part = MakePart(500, 2000);
    auto onSmall = MakeSheet(*stock);
    auto onBig = MakeSheet(*big);
    PutBlock(*onSmall, *part);
    PutBlock(*onBig, *part);
    onSmall->RebuildLists();
    onBig->RebuildLists();
    CLayoutSet small, large;
    small.Add(onSmall.get());
    large.Add(onBig.get());
    // Same parts, same area: the size comparer's waste area decides.
    EXPECT_EQ(comparer.CompareGeneral(small, large, policy, CStockCompBySize(false, false)), -1);
    // With off-cuts first and nothing on off-cuts, it still decides.
    EXPECT_EQ(comparer.CompareGeneral(large, small, policy, CStockCompBySize(true, true)), 1);
    // The same set is equal to itself under every criterion.
    EXPECT_EQ(comparer.CompareGeneral(small, small, policy, CStockCompBySize(false, false)), 0);
}

TEST(CLayoutsComparerFields, DefaultsAndInequality)
{
    CLayoutsComparer a;
    EXPECT_DOUBLE_EQ(a.GetWasteConstraint(), 0.1);
    EXPECT_TRUE(a.IsStockSelectionPrimary());
    CLayoutsComparer b = a;
    EXPECT_FALSE(a != b);
    b.SetPrimaryObjective(PartDistributionPrimary);
    EXPECT_TRUE(b.IsPartDistributionPrimary());
    EXPECT_TRUE(a != b);
}

} // namespace
} // namespace optimization

// The measures and operations of a layout set.

#include "CLayoutSet.h"
#include "TreeFixture.h"

#include <gtest/gtest.h>

namespace optimization {
namespace {

using namespace treetest;

constexpr double kSqInch = 16384.0 * 16384.0;

TEST(CLayoutSet, MeasuresOverTheSheets)
{
    StockSpec plain;
    plain.cost = 20.0;
    StockSpec offCut = plain;
    offCut.offCut = true;
    auto stock = MakeStock(plain);
    auto offCutStock = MakeStock(offCut);
    auto part = MakePart(500, 1000);
    const double partArea = 500.0 * 1000.0 / kSqInch;
    const double sheetArea = 1000.0 * 2000.0 / kSqInch;

    CLayoutSet set(true);
    for (const StockProxy* s : {stock.get(), offCutStock.get()}) {
        auto sheet = MakeSheet(*s);
        PutBlock(*sheet, *part);
        sheet->RebuildLists();
        set.Add(sheet.release());
    }
    set.Layouts()[1]->SetWithinInventory(1);
    set.Add(MakeSheet(*stock).release()); // an empty sheet

    EXPECT_DOUBLE_EQ(set.PlacedArea(), 2 * partArea);
    EXPECT_DOUBLE_EQ(set.PlacedAreaOnOffCuts(), partArea);
    EXPECT_DOUBLE_EQ(set.PlacedAreaWithinInventory(), partArea);
    EXPECT_DOUBLE_EQ(set.WasteArea(), 3 * sheetArea - 2 * partArea);
    EXPECT_DOUBLE_EQ(set.FreeAreaOfOthers(*set.Layouts()[0]), 2 * sheetArea - partArea);
    EXPECT_DOUBLE_EQ(set.CostOfPlacedArea(), 2 * partArea * 20.0 / sheetArea);
    EXPECT_DOUBLE_EQ(set.CostPerPlacedArea(), 60.0 / (2 * partArea));
    EXPECT_EQ(set.SortedCopies().size(), 2u);
    EXPECT_EQ(set.ResultLayouts().size(), 3u);

    EXPECT_EQ(set.FindSameSize(*set.Layouts()[0], false), set.Layouts()[1]);
    set.Layouts()[1]->SetMaster(set.Layouts()[0]);
    EXPECT_EQ(set.FindSameSize(*set.Layouts()[0], true), set.Layouts()[2]);
    set.Layouts()[1]->SetMaster(nullptr);

    set.RemoveLayoutsWithoutBlock();
    EXPECT_EQ(set.Size(), 2u);
}

TEST(CLayoutSet, RelayInADirectionSetsTheStyleWord)
{
    auto stock = MakeStock(StockSpec{});
    CLayoutSet set(true);
    set.Add(MakeSheet(*stock).release());
    set.RelayInDirection(false);
    EXPECT_EQ(set.Layouts()[0]->GetGeometryStyle(), PreferCrossCuts);
    EXPECT_EQ(set.Layouts()[0]->Record().cutDirection, CutWidthFirst);
    set.RelayInDirection(true);
    EXPECT_EQ(set.Layouts()[0]->GetGeometryStyle(), PreferRipCuts);
    EXPECT_EQ(set.Layouts()[0]->Record().cutDirection, CutLengthFirst);
    set.ResetStyleWords();
    EXPECT_EQ(set.Layouts()[0]->GetGeometryStyle(), StandardLayout);
}

TEST(CLayoutSet, EmptySetCostsTheSentinel)
{
    CLayoutSet set;
    EXPECT_DOUBLE_EQ(set.CostPerPlacedArea(), 2147483647.0);
    EXPECT_DOUBLE_EQ(set.PlacedArea(), 0.0);
}

} // namespace
} // namespace optimization

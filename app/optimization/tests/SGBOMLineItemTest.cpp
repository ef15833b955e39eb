#include "OptimizationTestSupport.h"

#include "model/CPricingScheme.h"
#include "optimization/SGBOMLineItem.h"

#include <gtest/gtest.h>

namespace {

class LineItemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_material = MakeSheetGood(QStringLiteral("Birch"));
        m_row = AddRow(*m_material, 0.75, 48, 96);
        m_part = MakePart(1, 24, 48, 40, m_material); // a quarter of the sheet, 8 sq ft
    }

    // A stack of `copies` sheets with two quarter-sheet parts on each.
    StackPtr Stack(std::uint32_t copies)
    {
        return MakeStack({m_material, m_row, 0}, {Drawn(m_part.get(), 0, 0, 48, 24), Drawn(m_part.get(), 48, 0, 48, 24)},
                         copies);
    }

    void PriceRow(std::unique_ptr<CSheetGoodPS> scheme, double unitCost)
    {
        m_row->SetPricingScheme(std::move(scheme));
        const CMoney cost = CMoney::FromReal(unitCost);
        m_row->SetUnitCost(&cost);
    }

    ScopedFakePrefs m_prefs;
    std::shared_ptr<CSheetGoodEx> m_material;
    std::shared_ptr<ISGSC> m_row;
    std::unique_ptr<CMilledPart> m_part;
};

} // namespace

TEST_F(LineItemTest, InventoryGoesToTheStacksInListOrder)
{
    struct Case { int inventory; std::vector<std::uint32_t> copies; std::vector<std::uint32_t> fromStockAfterEach; };
    const Case cases[] = {
        {5, {3, 3}, {3, 5}},
        {5, {1, 3, 3}, {1, 4, 5}},
        {2, {3, 3}, {2, 2}}, // used up: later stacks take 0, no wrap-around
        {-1, {3, 3}, {3, 6}}, // unlimited
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inventory);
        if (c.inventory < 0) {
            m_row->SetInventory(1);
            m_row->SetUnlimited();
        } else {
            m_row->SetInventory(static_cast<unsigned>(c.inventory));
        }
        SGBOMLineItem item(m_row);
        std::uint32_t needed = 0;
        for (std::size_t i = 0; i < c.copies.size(); ++i) {
            item.AddLayout(Stack(c.copies[i]));
            needed += c.copies[i];
            EXPECT_EQ(item.GetSheetsFromStock(), c.fromStockAfterEach[i]);
        }
        EXPECT_EQ(item.GetQuantityNeeded(), needed);
        EXPECT_EQ(item.GetQuantityInStock(), c.fromStockAfterEach.back());
        EXPECT_EQ(item.GetQuantityToBuy(), needed - c.fromStockAfterEach.back());
    }
}

TEST_F(LineItemTest, TheOrderOfTheStacksChangesOnlyTheSplit)
{
    m_row->SetInventory(5);
    SGBOMLineItem forward(m_row);
    SGBOMLineItem backward(m_row);
    const StackPtr one = Stack(1);
    const StackPtr four = Stack(4);
    const StackPtr three = Stack(3);
    for (const StackPtr& stack : {one, four, three})
        forward.AddLayout(stack);
    for (const StackPtr& stack : {three, four, one})
        backward.AddLayout(stack);
    EXPECT_EQ(forward.GetQuantityNeeded(), 8.0);
    EXPECT_EQ(backward.GetQuantityNeeded(), 8.0);
    EXPECT_EQ(forward.GetQuantityInStock(), 5.0);
    EXPECT_EQ(backward.GetQuantityInStock(), 5.0);
    EXPECT_EQ(forward.GetQuantityToBuy(), 3.0);
    EXPECT_EQ(backward.GetQuantityToBuy(), 3.0);
}

TEST_F(LineItemTest, WholeSheetsOrProRatedQuantitiesByThePreference)
{
    PriceRow(std::make_unique<CSGPSSquareFoot>(), 2.00); // 32 sq ft: a sheet costs 64.00
    m_row->SetInventory(1);
    SGBOMLineItem item(m_row);
    item.AddLayout(Stack(3)); // each sheet: two parts of 8 sq ft

    EXPECT_EQ(item.GetUnitsText(), QStringLiteral("Sheets")) << "pro-rating off, whatever the row's units";
    EXPECT_EQ(item.GetUnitCost(), CMoney::FromReal(64.0));
    EXPECT_EQ(item.GetQuantityNeeded(), 3.0);
    EXPECT_EQ(item.GetTotalCost(), CMoney::FromReal(192.0));
    EXPECT_EQ((*item.GetCostDTO())[0], CMoney::FromReal(192.0));

    m_prefs.prefs->SetFlag(2026, true);
    EXPECT_EQ(item.GetUnitsText(), QStringLiteral("Sq. Ft."));
    EXPECT_EQ(item.GetUnitCost(), CMoney::FromReal(2.0));
    EXPECT_DOUBLE_EQ(item.GetQuantityNeeded(), 48.0);
    EXPECT_DOUBLE_EQ(item.GetQuantityInStock(), 16.0);
    EXPECT_DOUBLE_EQ(item.GetQuantityToBuy(), 32.0);
    EXPECT_EQ(item.GetTotalCost(), CMoney::FromReal(96.0));

    // A product with more than four decimals is cut, not rounded:
    // 100/144 sq ft at 2.00 is 1.38888...
    auto small = MakePart(2, 10, 10, 1, m_material);
    SGBOMLineItem cut(m_row);
    cut.AddLayout(MakeStack({m_material, m_row, 0}, {Drawn(small.get(), 0, 0, 10, 10)}, 1));
    EXPECT_EQ(cut.GetTotalCost().GetCount(), 13888);
}

TEST_F(LineItemTest, ARemovedLayoutCountsUntilTheRecount)
{
    m_row->SetInventory(10);
    SGBOMLineItem item(m_row);
    const StackPtr twice = Stack(2);
    item.AddLayout(twice);
    item.AttachLayout(twice);
    item.AddLayout(Stack(3));
    EXPECT_TRUE(item.HasLayouts());
    EXPECT_EQ(item.GetQuantityNeeded(), 7.0) << "an attached stack is listed, not counted";
    EXPECT_EQ(item.GetSheetsFromStock(), 5u);

    item.RemoveLayout(twice);
    EXPECT_EQ(item.GetLayouts().size(), 1u) << "both occurrences go";
    EXPECT_EQ(item.GetSheetsFromStock(), 5u) << "still counted";
    item.Recount();
    EXPECT_EQ(item.GetSheetsFromStock(), 3u);
    EXPECT_EQ(item.GetQuantityNeeded(), 3.0);

    EXPECT_EQ(item.SumLayoutStatistics().GetCuts(true).value, 9u) << "three sheets of three cuts";
    EXPECT_FALSE(SGBOMLineItem(m_row).HasLayouts());
    EXPECT_EQ(SGBOMLineItem(m_row).SumLayoutStatistics().GetCuts(true).value, 0u);
}

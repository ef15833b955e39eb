#include "model/OptimizableSizeCostUpdateInfo.h"

#include "model/CSheetGoodEx.h"
#include "model/SheetGoodSizeCost.h"

#include <gtest/gtest.h>

TEST(OptimizableSizeCostUpdateInfo, EditListsACopyOfTheOldStateAndTheNewOne)
{
    auto material = std::make_shared<CSheetGoodEx>(QStringLiteral("Birch"));
    auto before = std::make_shared<SheetGoodSizeCost>();
    auto after = std::make_shared<SheetGoodSizeCost>();
    before->SetBin(QStringLiteral("old"));

    const OptimizableSizeCostUpdateInfo sameThickness(material, before, after, 2, false, true, false);
    ASSERT_EQ(sameThickness.GetChangedRows().size(), 2u);
    EXPECT_NE(sameThickness.GetChangedRows()[0], before) << "the old state is kept as a copy";
    EXPECT_EQ(sameThickness.GetChangedRows()[0]->GetBin(), QStringLiteral("old"));
    EXPECT_EQ(sameThickness.GetChangedRows()[1], after);
    EXPECT_TRUE(sameThickness.NeedsBOMRefresh());
    EXPECT_FALSE(sameThickness.InventoryUsageChanged());
    EXPECT_FALSE(sameThickness.HasChanges()) << "a bin is nothing the targets use";

    after->SetThickness(CDimension::FromInches(0.5));
    // The targets of the new thickness gain a stock size: they see the edit too.
    const OptimizableSizeCostUpdateInfo otherThickness(material, before, after, 2, true, false, true);
    ASSERT_EQ(otherThickness.GetChangedRows().size(), 2u);
    EXPECT_EQ(otherThickness.GetChangedRows()[1], after);
    EXPECT_TRUE(otherThickness.InventoryUsageChanged());
    EXPECT_TRUE(otherThickness.HasChanges());

    const OptimizableSizeCostUpdateInfo added(material, after, 1);
    EXPECT_EQ(added.GetChangedRows().size(), 1u);
    EXPECT_TRUE(added.InventoryUsageChanged());
    EXPECT_TRUE(added.HasChanges());
    EXPECT_FALSE(added.NeedsBOMRefresh());
    EXPECT_FALSE(added.AffectsTarget(nullptr));
}

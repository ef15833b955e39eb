#include "optimization/UsageStats.h"

#include <gtest/gtest.h>

TEST(UsageStats, YieldRatioIsTheUncoveredShareOfTheSheet)
{
    struct Case { double parts, sheet, ratio; };
    const Case cases[] = {{0, 0, 1.0}, {50, 40, 0.0}, {40, 40, 0.0}, {30, 40, 0.25}, {5, 0.000001, 1.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.parts << " of " << c.sheet);
        EXPECT_DOUBLE_EQ(YieldRatio(c.parts, c.sheet), c.ratio);
        EXPECT_DOUBLE_EQ(FixedStats(c.parts, c.sheet, 0, 0).YieldRatio(), c.ratio);
    }
}

TEST(UsageStats, AddingARecordWithOneInvalidValueInvalidatesOnlyThatSum)
{
    UsageStats sum(FixedStats(10, 20, 30, 40), GeometryBasedStats(1, 10.0, 2, 20.0));
    const GeometryBasedStats noLengthWithoutPadding({true, 4}, {true, 100.0}, {true, 3}, {false, 90.0});
    sum.Add(UsageStats(FixedStats(1, 2, 3, 4), noLengthWithoutPadding));

    EXPECT_TRUE(sum.IsIncomplete());
    EXPECT_EQ(sum.GetCuts(true).value, 5u);
    EXPECT_DOUBLE_EQ(sum.GetCutLength(true).value, 110.0);
    EXPECT_EQ(sum.GetCuts(false).value, 5u);
    EXPECT_TRUE(sum.GetCuts(true).valid && sum.GetCutLength(true).valid && sum.GetCuts(false).valid);
    EXPECT_FALSE(sum.GetCutLength(false).valid);
    EXPECT_DOUBLE_EQ(sum.GetCutLength(false).value, 20.0) << "an invalid sum keeps the value it had";
    EXPECT_DOUBLE_EQ(sum.GetFixed().GetPartsArea(), 11.0);
    EXPECT_DOUBLE_EQ(sum.GetFixed().GetStockLength(), 44.0);

    sum.Add(UsageStats(FixedStats(), GeometryBasedStats(1, 1.0, 1, 1.0)));
    EXPECT_FALSE(sum.GetCutLength(false).valid) << "once invalid, a sum stays invalid";
}

TEST(UsageStats, MultiplyingScalesValidValuesOnly)
{
    const GeometryBasedStats oneInvalid({true, 3}, {true, 1.5}, {false, 2}, {true, 2.5});
    UsageStats stats(FixedStats(2, 4, 6, 8), oneInvalid);
    stats.MultiplyBy(3);
    EXPECT_EQ(stats.GetCuts(true).value, 9u);
    EXPECT_DOUBLE_EQ(stats.GetCutLength(true).value, 4.5);
    EXPECT_FALSE(stats.GetCuts(false).valid);
    EXPECT_EQ(stats.GetCuts(false).value, 2u);
    EXPECT_DOUBLE_EQ(stats.GetCutLength(false).value, 7.5);
    EXPECT_DOUBLE_EQ(stats.GetFixed().GetPartsArea(), 6.0);
    EXPECT_DOUBLE_EQ(stats.GetFixed().GetSheetArea(), 12.0);
    EXPECT_DOUBLE_EQ(stats.GetFixed().GetPartsPerimeter(), 18.0);

    // A negative count is read as unsigned; counts wrap as 32-bit numbers.
    GeometryBasedStats wrapped(2, 1.0, 0, 0.0);
    wrapped.MultiplyBy(-1);
    EXPECT_EQ(wrapped.GetCuts(true).value, 4294967294u);
    EXPECT_DOUBLE_EQ(wrapped.GetCutLength(true).value, 4294967295.0);
}

#include <platform/Currency.h>

#include <gtest/gtest.h>

#include <limits>

using platform::Currency;

TEST(Currency, FromPartsAndSums)
{
    EXPECT_EQ(Currency::fromParts(12, 3456).count(), 123456);
    EXPECT_EQ(Currency::fromParts(-1, -5000).count(), -15000);
    EXPECT_DOUBLE_EQ(Currency(25000).asReal(), 2.5);
    EXPECT_EQ((Currency(1) + Currency(2)).count(), 3);
}

TEST(Currency, OverflowGivesInvalidInsteadOfWrapping)
{
    const auto max = std::numeric_limits<std::int64_t>::max();
    EXPECT_FALSE(Currency::fromParts(max / 1000, 0).isValid());
    EXPECT_FALSE((Currency(max) + Currency(1)).isValid());
    EXPECT_FALSE((Currency(1, Currency::Invalid) + Currency(1)).isValid());
}

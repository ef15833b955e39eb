#include <nestcore/OptDim.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace optimization {
namespace {

TEST(OptDim, FromInchesRoundsHalfBeforeTruncatingTowardZero)
{
    const struct {
        double inches;
        std::int32_t counts;
    } cases[] = {
        {1.0, 16384}, {0.00003, 0}, {-1.0, -16383}, {1.5, 24576}, {0.0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.inches);
        EXPECT_EQ(OptDim::FromInches(c.inches).ToEncodedInt(), c.counts);
    }
}

TEST(OptDim, OutOfRangeInchesClampInsteadOfOverflowing)
{
    EXPECT_EQ(OptDim::FromInches(1e12).ToEncodedInt(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(OptDim::FromInches(-1e12).ToEncodedInt(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(OptDim::FromInches(std::nan("")).ToEncodedInt(), 0);
}

TEST(OptDim, ComparisonsAllowTwoCounts)
{
    const struct {
        std::int32_t a, b;
        bool equal, less, greater;
    } cases[] = {
        {100, 102, true, false, false},
        {102, 100, true, false, false},
        {100, 103, false, true, false},
        {103, 100, false, false, true},
        {-5, -2, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " vs " << c.b);
        const OptDim a = OptDim::FromInternalRep(c.a);
        const OptDim b = OptDim::FromInternalRep(c.b);
        EXPECT_EQ(a == b, c.equal);
        EXPECT_EQ(a != b, !c.equal);
        EXPECT_EQ(a < b, c.less);
        EXPECT_EQ(a > b, c.greater);
        EXPECT_EQ(a <= b, !c.greater);
        EXPECT_EQ(a >= b, !c.less);
    }
}

TEST(OptDim, ExactLessOrdersByCountsForSorting)
{
    const OptDimExactLess less;
    EXPECT_TRUE(less(OptDim::FromInternalRep(100), OptDim::FromInternalRep(101)));
    EXPECT_FALSE(less(OptDim::FromInternalRep(101), OptDim::FromInternalRep(100)));
    EXPECT_FALSE(less(OptDim::FromInternalRep(100), OptDim::FromInternalRep(100)));
}

TEST(OptDim, IsNonNegativeAllowsTwoCountsBelowZero)
{
    EXPECT_TRUE(OptDim::FromInternalRep(-2).IsNonNegative());
    EXPECT_FALSE(OptDim::FromInternalRep(-3).IsNonNegative());
    EXPECT_TRUE(OptDim::Zero.IsNonNegative());
}

TEST(OptDim, Arithmetic)
{
    const OptDim five = OptDim::FromInternalRep(5);
    EXPECT_EQ((five * 3u).ToEncodedInt(), 15);
    EXPECT_EQ((five * 2147483648u).ToEncodedInt(), 5);
    EXPECT_EQ((OptDim::FromInternalRep(-7) / 2).ToEncodedInt(), -3);
    EXPECT_EQ((OptDim::FromInternalRep(7) / 0).ToEncodedInt(), 7);
    EXPECT_EQ((five + OptDim::FromInternalRep(4)).ToEncodedInt(), 9);
    EXPECT_EQ((five - OptDim::FromInternalRep(9)).ToEncodedInt(), -4);
    // A product beyond the 32-bit count saturates rather than wrapping.
    EXPECT_EQ((OptDim::FromInternalRep(1 << 20) * 4096u).ToEncodedInt(),
              std::numeric_limits<std::int32_t>::max());
}

TEST(OptDim, InchesFollowTheCountsAfterArithmetic)
{
    OptDim length = OptDim::FromInches(1.0);
    EXPECT_DOUBLE_EQ(length.GetInches(), 1.0);
    length += OptDim::FromInches(0.5);
    EXPECT_DOUBLE_EQ(length.GetInches(), 1.5);
    EXPECT_DOUBLE_EQ(OptDim::FromInternalRep(8192).GetInches(), 0.5);
    EXPECT_EQ(OptDim::FromInches(1.5).GetString(), "1.500000");
    EXPECT_EQ(OptDim::FromInternalRep(24576).GetString(), "1.500000");
}

} // namespace
} // namespace optimization

#include <nestcore/CanvasDescriptor.h>
#include <nestcore/CuttingRules.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace optimization {
namespace {

CanvasDescriptorArgs Args(double trimmedW, double trimmedL, double cost)
{
    CanvasDescriptorArgs args;
    args.trimmedWidth = OptDim::FromInches(trimmedW);
    args.trimmedLength = OptDim::FromInches(trimmedL);
    args.roughWidth = OptDim::FromInches(48.0);
    args.roughLength = OptDim::FromInches(96.0);
    args.fullStockCost = cost;
    return args;
}

TEST(CanvasDescriptor, DerivesAreasAndUnitCost)
{
    const CanvasDescriptor canvas(Args(47.0, 95.0, 89.3));
    EXPECT_DOUBLE_EQ(canvas.GetTrimmedArea(), 47.0 * 95.0);
    EXPECT_DOUBLE_EQ(canvas.GetRoughArea(), 48.0 * 96.0);
    EXPECT_DOUBLE_EQ(canvas.GetUnitAreaCost(), 89.3 / (47.0 * 95.0));
    EXPECT_DOUBLE_EQ(canvas.GetFullStockCost(), 89.3);
}

TEST(CanvasDescriptor, NoUsableAreaIsNeverCheapAndNeverNaN)
{
    // Trims as large as the sheet, and a trimmed width two counts below zero.
    const struct {
        std::int32_t width, length;
    } cases[] = {{0, 16384 * 96}, {-2, 16384 * 96}, {-16384, -16384}, {16384 * 48, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.length);
        CanvasDescriptorArgs args = Args(1.0, 1.0, 50.0);
        args.trimmedWidth = OptDim::FromInternalRep(c.width);
        args.trimmedLength = OptDim::FromInternalRep(c.length);
        const CanvasDescriptor canvas(args);
        EXPECT_FALSE(std::isnan(canvas.GetUnitAreaCost()));
        EXPECT_EQ(canvas.GetUnitAreaCost(), std::numeric_limits<double>::max());
    }
}

TEST(CanvasDescriptor, CostThatIsNoFiniteNumberIsTheDearest)
{
    // A NaN cost would make every sort by cost undefined behaviour.
    const double costs[] = {std::nan(""), std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity()};
    for (double cost : costs) {
        SCOPED_TRACE(cost);
        const CanvasDescriptor canvas(Args(47.0, 95.0, cost));
        EXPECT_EQ(canvas.GetFullStockCost(), std::numeric_limits<double>::max());
        EXPECT_TRUE(std::isfinite(canvas.GetUnitAreaCost()));
        EXPECT_GT(canvas.GetUnitAreaCost(), CanvasDescriptor(Args(47.0, 95.0, 1e9)).GetUnitAreaCost());
    }
}

TEST(CanvasDescriptor, TrimOfTwoCountsIsNoTrim)
{
    const struct {
        std::int32_t tb, lr;
        bool hasTB, hasLR;
    } cases[] = {{0, 0, false, false}, {2, -2, false, false}, {3, 0, true, false}, {0, -3, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tb << "/" << c.lr);
        CanvasDescriptorArgs args = Args(47.0, 95.0, 1.0);
        args.tbTrim = OptDim::FromInternalRep(c.tb);
        args.lrTrim = OptDim::FromInternalRep(c.lr);
        const CanvasDescriptor canvas(args);
        EXPECT_EQ(canvas.HasTBTrim(), c.hasTB);
        EXPECT_EQ(canvas.HasLRTrim(), c.hasLR);
    }
}

TEST(CuttingRules, FirstCutChoiceDecidesTheSlices)
{
    const struct {
        FirstCutSpecification firstCut;
        bool specified, withGrain, horizontal, vertical;
    } cases[] = {
        {FirstCutNone, false, false, true, true},
        {FirstCutWithGrain, true, true, true, false},
        {FirstCutAcrossGrain, true, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firstCut);
        const CuttingRules rules(OptDim::FromInches(0.125), c.firstCut, true, OptDim::Zero, MaxSideOffCut);
        EXPECT_EQ(rules.IsFirstCutSpecified(), c.specified);
        EXPECT_EQ(rules.IsFirstCutSpecifiedWithGrain(), c.withGrain);
        EXPECT_EQ(rules.IsHorizontalSlicesAllowed(), c.horizontal);
        EXPECT_EQ(rules.IsVerticalSlicesAllowed(), c.vertical);
        EXPECT_EQ(rules.GetPreferredGeometryStyle(), MaxSideOffCut);
        EXPECT_EQ(rules.GetKerf().ToEncodedInt(), 2048);
    }
}

} // namespace
} // namespace optimization

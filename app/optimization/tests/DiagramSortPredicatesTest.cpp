#include "optimization/DiagramSortPredicates.h"

#include "TargetTestFixture.h"

#include <gtest/gtest.h>

namespace {

class DiagramSortPredicatesTest : public TargetTest
{
protected:
    StackPtr Sheet(double width, double length, std::vector<CMilledPart*> parts = {})
    {
        auto material = AddMaterial(QStringLiteral("Oak"));
        auto row = AddRow(*material, 0.75, width, length);
        DrawnPartList drawn;
        for (CMilledPart* part : parts)
            drawn.push_back(Drawn(part, 0, 0, 10, 20));
        return MakeStack(StockSpec {material, row, 0}, drawn, 1);
    }
};

TEST_F(DiagramSortPredicatesTest, SizesWithinTwoCountsAreNotOrdered)
{
    const double count = 1.0 / 16384;
    struct Case
    {
        double aWidth, aLength, bWidth, bLength;
        bool aFirst, bFirst;
    };
    const Case cases[] = {
        {48, 97, 48, 96, true, false},                       // longer first
        {48, 96 + 2 * count, 48, 96, false, false},          // within 2 counts: the widths decide
        {49, 96 + 2 * count, 48, 96, true, false},
        {48, 96, 48, 96, false, false},
    };
    for (const Case& c : cases) {
        const StackPtr a = Sheet(c.aWidth, c.aLength);
        const StackPtr b = Sheet(c.bWidth, c.bLength);
        EXPECT_EQ(DiagramSizeGreater(a, b), c.aFirst);
        EXPECT_EQ(DiagramSizeGreater(b, a), c.bFirst);
    }
}

TEST_F(DiagramSortPredicatesTest, HighestYieldFirst)
{
    CMilledPart* part = AddPart(AddMaterial(QStringLiteral("Ash")), Inches(0.75), 1);
    const StackPtr empty = Sheet(48, 96);
    const StackPtr used = Sheet(48, 96, {part});
    EXPECT_TRUE(DiagramYieldGreater(empty, used)); // the ratio is of the sheet left over
    EXPECT_FALSE(DiagramYieldGreater(used, empty));
    EXPECT_TRUE(DiagramYieldGreater(empty->MakeDisplayDiagram(0), used->MakeDisplayDiagram(0)));
}

} // namespace

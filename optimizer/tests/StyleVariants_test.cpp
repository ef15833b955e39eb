// The layout-style variants of a sheet and the per-sheet special local steps.

#include "PassFixture.h"
#include "StyleVariants.h"

#include <gtest/gtest.h>

namespace optimization::testing {
namespace {

TEST(StyleAdmission, FollowsTheFirstCutSpecification)
{
    struct Case {
        FirstCutSpecification firstCut;
        bool admitted[5];
    } cases[] = {{FirstCutNone, {true, true, true, true, true}},
                 {FirstCutWithGrain, {true, true, false, false, true}},
                 {FirstCutAcrossGrain, {true, false, true, true, false}}};
    for (const Case& c : cases)
        for (int style = 0; style < 5; ++style) {
            SCOPED_TRACE(std::to_string(c.firstCut) + "/" + std::to_string(style));
            EXPECT_EQ(IsStyleAdmitted(GeometryStyle(style), c.firstCut), c.admitted[style]);
        }
}

class SpecialStepsTest : public ::testing::Test
{
protected:
    void Build(FirstCutSpecification firstCut, std::int32_t localMode, std::vector<const PartProxy*> copies)
    {
        stock = Stock(48, 96, 50, Unlimited(), Rules(0, 0, firstCut));
        auto args = Args({stock}, {half, small}, Rules(0, 0, firstCut));
        args.localOptMode = localMode;
        optimizer = Make(args);
        ASSERT_TRUE(optimizer);
        sheet = AddSheet(*optimizer, stock.get(), copies);
        ASSERT_TRUE(sheet);
    }

    std::shared_ptr<StockProxy> stock;
    std::shared_ptr<PartProxy> half = Part(1, 24, 48, 4);
    std::shared_ptr<PartProxy> small = Part(2, 12, 12, 8);
    std::unique_ptr<ParallelOptimizer> optimizer;
    OptTopLevelLayout* sheet = nullptr;
};

TEST_F(SpecialStepsTest, VariantsHoldTheSheetsPartsAndOnlyAdmittedStyles)
{
    for (FirstCutSpecification firstCut : {FirstCutNone, FirstCutWithGrain, FirstCutAcrossGrain}) {
        SCOPED_TRACE(firstCut);
        Build(firstCut, 1, {half.get(), small.get(), small.get()});
        RunSpecialLocalSteps(*sheet, *optimizer);
        EXPECT_EQ(SetProblems(*optimizer), "");
        for (const auto& [style, variant] : *sheet->GetStyleMap()) {
            if (!variant)
                continue;
            EXPECT_TRUE(variant->SamePartsAs(*sheet)) << "style " << style;
        }
        // The style the sheet took is one its rules admit.
        EXPECT_TRUE(IsStyleAdmitted(sheet->GetGeometryStyle(), firstCut));
    }
}

TEST_F(SpecialStepsTest, OffcutVariantKeepsTheRestOfTheSheetFree)
{
    Build(FirstCutNone, 1, {half.get()});
    double measure = 0.0;
    ASSERT_TRUE(MakeOffcutVariant(0, *sheet, *optimizer, true, measure));
    // The half part needs 48 of the 96 inches at most: at least 4 tenths of
    // the sheet stay one off-cut.
    EXPECT_GE(measure, 0.4 * 48 * 96);
    ASSERT_TRUE(sheet->HasStyleLayout(MaxSideOffCut));
    EXPECT_TRUE(sheet->GetStyleMap()->at(MaxSideOffCut)->SamePartsAs(*sheet));
}

TEST_F(SpecialStepsTest, FullSheetNeverTakesAnOffcutStyle)
{
    // Four halves fill the sheet: waste 0, below one tenth.
    Build(FirstCutNone, 1, {half.get(), half.get(), half.get(), half.get()});
    RunSpecialLocalSteps(*sheet, *optimizer);
    EXPECT_NE(sheet->GetGeometryStyle(), MaxSideOffCut);
    EXPECT_NE(sheet->GetGeometryStyle(), MaxBottomOffCut);
}

// A square sheet with one small part: both off-cut styles leave the same
// off-cut, and then the side off-cut (style 3) is taken.
TEST_F(SpecialStepsTest, EqualOffcutsTakeTheSideOffcut)
{
    stock = Stock(48, 48, 30);
    auto args = Args({stock}, {half, small}, Rules());
    args.localOptMode = 1;
    optimizer = Make(args);
    sheet = AddSheet(*optimizer, stock.get(), {small.get()});
    ASSERT_TRUE(sheet);
    double m3 = 0.0;
    double m4 = 0.0;
    ASSERT_TRUE(MakeOffcutVariant(0, *sheet, *optimizer, true, m3));
    ASSERT_TRUE(MakeOffcutVariant(1, *sheet, *optimizer, true, m4));
    ASSERT_DOUBLE_EQ(m3, m4);
    RunSpecialLocalSteps(*sheet, *optimizer);
    EXPECT_EQ(sheet->GetGeometryStyle(), MaxSideOffCut);
    EXPECT_EQ(SetProblems(*optimizer), "");
}

TEST_F(SpecialStepsTest, SheetWithoutPartsMakesNoOffcutVariant)
{
    Build(FirstCutNone, 1, {});
    double measure = -1.0;
    EXPECT_FALSE(MakeOffcutVariant(1, *sheet, *optimizer, true, measure));
}

} // namespace
} // namespace optimization::testing

// Hand-built cutting trees and the measures taken from them. Sizes are in
// counts; the sheets are 1000 wide (y) by 2000 long (x) unless said.

#include "TreeFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace optimization {
namespace {

using namespace treetest;

constexpr double kInch = 16384.0;

TEST(LayoutTree, LonePartCutsByTheTwoCountTolerance)
{
    // +---------------+      +---------------+
    // | P (fills it)  |      | P             |  <- 3 counts short: one cut
    // +---------------+      +---------------+
    const struct {
        std::int32_t width, length, cuts;
    } cases[] = {{1000, 2000, 0}, {998, 2000, 0}, {1000, 1998, 0}, {997, 2000, 1},
                 {1000, 1997, 1}, {997, 1997, 2}};
    auto stock = MakeStock(StockSpec{});
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.length);
        auto part = MakePart(c.width, c.length);
        auto sheet = MakeSheet(*stock);
        PutBlock(*sheet, *part);
        sheet->RebuildLists();
        EXPECT_EQ(sheet->CutCount(), c.cuts);
        EXPECT_EQ(sheet->GetNumberOfCuts(false), c.cuts);
    }
}

TEST(LayoutTree, FirstCutDirectionDecidesTheCutLength)
{
    // Block 400 x 1200 with a width remainder below it:
    // +--------+------+
    // | P      |      |   direction 1: the block/remainder cut runs the
    // +--------+------+   whole length (2000) and the block's end cut
    // |               |   only its width (400); direction 2: the block's
    // +---------------+   length (1200) and the node's width (1000).
    const struct {
        std::int32_t direction;
        double cutCounts;
    } cases[] = {{CutLengthFirst, 2000 + 400}, {CutWidthFirst, 1200 + 1000}};
    auto stock = MakeStock(StockSpec{});
    auto part = MakePart(400, 1200);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.direction);
        auto sheet = MakeSheet(*stock);
        sheet->Record().cutDirection = c.direction;
        PutBlock(*sheet, *part);
        AddWidthRemainder(*sheet);
        sheet->RebuildLists();
        EXPECT_EQ(sheet->CutCount(), 2);
        EXPECT_DOUBLE_EQ(sheet->CutLengthInches(), c.cutCounts / kInch);
    }
}

// Three parts in a column along the width, direction 1 throughout:
// +-----------+---+
// | A 300x800 |   |
// +-----------+---+
// | B 300x800 |   |
// +-----------+---+
// | C 300x800 |   |
// +-----------+---+
// (kerf 10, so the third strip is 1000 - 2*310 = 380 wide)
std::unique_ptr<OptTopLevelLayout> ThreeStrips(const StockProxy& stock, const PartProxy& a,
                                               const PartProxy& b, const PartProxy& c)
{
    auto sheet = MakeSheet(stock);
    OptLayout* node = sheet.get();
    for (const PartProxy* part : {&a, &b, &c}) {
        node->Record().cutDirection = CutLengthFirst;
        PutBlock(*node, *part);
        if (part != &c)
            node = AddWidthRemainder(*node, 10);
    }
    sheet->RebuildLists();
    sheet->Relay();
    return sheet;
}

TEST(LayoutTree, CountsCutsOfNestedStrips)
{
    StockSpec stockSpec;
    stockSpec.kerf = 10;
    auto stock = MakeStock(stockSpec);
    auto a = MakePart(300, 800, 1, 0, 1);
    auto b = MakePart(300, 800, 1, 0, 2);
    auto c = MakePart(300, 800, 1, 0, 3);
    auto sheet = ThreeStrips(*stock, *a, *b, *c);
    // Two strip cuts, one end cut per strip, and the last strip's trim cut.
    EXPECT_EQ(sheet->CutCount(), 2 + 3 + 1);
    // Strip cuts run the whole length; end cuts the part's width; the last
    // strip's leftover (380 - 300) is trimmed along its length.
    EXPECT_DOUBLE_EQ(sheet->CutLengthInches(), (2 * 2000 + 3 * 300 + 2000) / kInch);
    EXPECT_EQ(sheet->GetPlacedParts().size(), 3u);
    EXPECT_EQ(sheet->GetPlacedCopies().size(), 3u);
    // Without a first-cut rule only a root cut width-wise first makes strips.
    EXPECT_EQ(sheet->StripCount(), 1);

    stockSpec.firstCut = FirstCutWithGrain;
    auto grained = MakeStock(stockSpec);
    EXPECT_EQ(ThreeStrips(*grained, *a, *b, *c)->StripCount(), 3);
}

TEST(LayoutTree, TrimsAndPaddingAddSawCuts)
{
    const struct {
        std::int32_t tbTrim, lrTrim, padding;
        std::int32_t extraCuts, extraCutsWithPadding;
    } cases[] = {
        {0, 0, 0, 0, 0},     {3, 3, 0, 4, 4},  {2, 2, 0, 0, 0},
        {3, 0, 0, 2, 2},     {0, 0, 3, 0, 20}, {0, 0, 2, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tbTrim << "/" << c.lrTrim << "/" << c.padding);
        StockSpec stockSpec;
        stockSpec.width = 5000;
        stockSpec.tbTrim = c.tbTrim;
        stockSpec.lrTrim = c.lrTrim;
        stockSpec.padding = c.padding;
        auto stock = MakeStock(stockSpec);
        auto part = MakePart(900, 2000, 5);
        auto sheet = MakeSheet(*stock);
        OptLayout* node = sheet.get();
        for (int i = 0; i < 5; ++i) {
            node->Record().cutDirection = CutLengthFirst;
            PutBlock(*node, *part);
            if (i < 4)
                node = AddWidthRemainder(*node);
        }
        sheet->RebuildLists();
        const std::int32_t tree = sheet->CutCount();
        EXPECT_EQ(sheet->GetNumberOfCuts(false), tree + c.extraCuts);
        EXPECT_EQ(sheet->GetNumberOfCuts(true), tree + c.extraCutsWithPadding);
    }
}

TEST(LayoutTree, CutLengthAddsTrimsAndPaddedOutlines)
{
    StockSpec stockSpec;
    stockSpec.tbTrim = 3;
    stockSpec.lrTrim = 3;
    stockSpec.padding = 3;
    stockSpec.roughLength = 2006;
    stockSpec.roughWidth = 1006;
    auto stock = MakeStock(stockSpec);
    auto part = MakePart(1000, 2000);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *part);
    sheet->RebuildLists();
    const double trims = 2 * 2006 + 2 * 1000;
    const double outline = 2 * 2000 + 2 * 1000; // length and the further length (width)
    EXPECT_DOUBLE_EQ(sheet->GetCutLengthInches(false), trims / kInch);
    EXPECT_DOUBLE_EQ(sheet->GetCutLengthInches(true), (trims + outline) / kInch);
}

TEST(LayoutTree, WasteOfASheet)
{
    const struct {
        std::int32_t roughWidth, partWidth;
        double waste;
    } cases[] = {{1000, 500, 0.5}, {1000, 1000, 0.0}, {100, 1000, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.roughWidth);
        StockSpec stockSpec;
        stockSpec.roughWidth = c.roughWidth;
        auto stock = MakeStock(stockSpec);
        auto part = MakePart(c.partWidth, 2000);
        auto sheet = MakeSheet(*stock);
        PutBlock(*sheet, *part);
        sheet->RebuildLists();
        EXPECT_NEAR(sheet->GetWaste(), c.waste, 1e-9);
    }
    StockSpec none;
    none.width = 0;
    auto empty = MakeStock(none);
    EXPECT_DOUBLE_EQ(MakeSheet(*empty)->GetWaste(), 1.0);
}

TEST(LayoutTree, DeepCopyMovesTheCursorToTheCounterpart)
{
    StockSpec stockSpec;
    stockSpec.kerf = 10;
    auto stock = MakeStock(stockSpec);
    auto a = MakePart(300, 800, 1, 0, 1);
    auto b = MakePart(300, 800, 1, 0, 2);
    auto c = MakePart(300, 800, 1, 0, 3);
    auto sheet = ThreeStrips(*stock, *a, *b, *c);
    OptLayout* cursor = sheet->GetWidthRemainder();
    auto copy = sheet->CopyTree(nullptr, &cursor);
    auto* top = dynamic_cast<OptTopLevelLayout*>(copy.get());
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(cursor, top->GetWidthRemainder());
    EXPECT_NE(cursor, sheet->GetWidthRemainder());
    EXPECT_EQ(cursor->GetParent(), top);
    EXPECT_EQ(top->CutCount(), sheet->CutCount());
    EXPECT_EQ(top->GetPlacedParts().size(), 3u);
    EXPECT_NE(top->GetPlacedParts()[0], sheet->GetPlacedParts()[0]);
    EXPECT_TRUE(top->SamePartsAs(*sheet));
}

TEST(LayoutTree, LightCopyReadsTheTreeInPlaceUntilItChangesIt)
{
    StockSpec stockSpec;
    stockSpec.kerf = 10;
    auto stock = MakeStock(stockSpec);
    auto a = MakePart(300, 800, 1, 0, 1);
    auto b = MakePart(300, 800, 1, 0, 2);
    auto c = MakePart(300, 800, 1, 0, 3);
    auto sheet = ThreeStrips(*stock, *a, *b, *c);
    sheet->Relay();
    // The lender's list in another order than its tree's: a light copy
    // lists its copies as a full copy does, in tree order.
    std::reverse(sheet->PlacedCopies().begin(), sheet->PlacedCopies().end());
    sheet->SetTriedMark(a.get());
    const auto full = sheet->Copy();
    {
        auto light = sheet->LightCopy();
        EXPECT_TRUE(light->ReadsBorrowedTree());
        EXPECT_EQ(light->GetBlock(), sheet->GetBlock());
        EXPECT_EQ(light->GetPlacedCopies(), full->GetPlacedCopies());
        EXPECT_EQ(light->GetTriedMark(), a.get());
        EXPECT_EQ(light->CutCount(), sheet->CutCount());
        // A copy made from it stands alone.
        auto again = light->Copy();
        EXPECT_FALSE(again->ReadsBorrowedTree());
        EXPECT_NE(again->GetBlock(), sheet->GetBlock());
        EXPECT_EQ(again->GetPlacedCopies(), full->GetPlacedCopies());
        EXPECT_EQ(again->GetRegions().size(), full->GetRegions().size());
        // Its own fields and a change of its tree leave the lender alone.
        light->SetTriedMark(c.get());
        ASSERT_TRUE(light->TakeCopyOut(b.get()));
        EXPECT_FALSE(light->ReadsBorrowedTree());
        EXPECT_NE(light->GetBlock(), sheet->GetBlock());
        EXPECT_EQ(light->GetPlacedCopies().size(), 2u);
    }
    EXPECT_EQ(sheet->GetTriedMark(), a.get());
    EXPECT_EQ(sheet->GetPlacedCopies().size(), 3u);
    ASSERT_NE(sheet->GetWidthRemainder()->GetBlock(), nullptr);
    EXPECT_EQ(sheet->GetWidthRemainder()->GetBlock()->GetPart(), b.get());
    // A light copy that takes another sheet's tree, or is owned and
    // destroyed, lets go of the lent tree without deleting it.
    {
        auto light = sheet->LightCopy();
        auto other = MakeSheet(*stock);
        PutBlock(*other, *c);
        other->RebuildLists();
        light->AssignFrom(*other);
        EXPECT_EQ(light->GetPlacedCopies(), std::vector<const PartProxy*>{c.get()});
        auto owner = sheet->LightCopy();
        owner->OwnTree();
        EXPECT_EQ(owner->GetPlacedCopies(), full->GetPlacedCopies());
        EXPECT_EQ(owner->GetRegions().size(), full->GetRegions().size());
        EXPECT_NE(owner->GetBlock(), sheet->GetBlock());
        auto dropped = sheet->LightCopy();
        // Asking for its regions gives it a tree of its own first.
        auto reader = sheet->LightCopy();
        const OptTopLevelLayout& constReader = *reader;
        EXPECT_EQ(constReader.GetRegions().size(), full->GetRegions().size());
        EXPECT_FALSE(reader->ReadsBorrowedTree());
        EXPECT_NE(reader->GetBlock(), sheet->GetBlock());
    }
    EXPECT_EQ(sheet->CutCount(), full->CutCount());
    sheet->RebuildLists();
    EXPECT_EQ(sheet->GetPlacedCopies(), full->GetPlacedCopies());
}

TEST(LayoutTree, TakingACopyOutLeavesAnEmptyNode)
{
    StockSpec stockSpec;
    stockSpec.kerf = 10;
    auto stock = MakeStock(stockSpec);
    auto a = MakePart(300, 800, 1, 0, 1);
    auto b = MakePart(300, 800, 1, 0, 2);
    auto c = MakePart(300, 800, 1, 0, 3);
    auto sheet = ThreeStrips(*stock, *a, *b, *c);
    ASSERT_TRUE(sheet->TakeCopyOut(b.get()));
    EXPECT_FALSE(sheet->TakeCopyOut(b.get()));
    OptLayout* hole = sheet->GetWidthRemainder()->GetBlock();
    ASSERT_NE(hole, nullptr);
    EXPECT_TRUE(hole->CanHoldChildren());
    EXPECT_EQ(hole->GetWidth().ToEncodedInt(), 300);
    EXPECT_EQ(hole->GetY(), 310);
    EXPECT_EQ(sheet->GetPlacedCopies().size(), 2u);
    EXPECT_EQ(sheet->GetPlacedParts().size(), 2u);
}

TEST(LayoutTree, EmptyCopyKeepsAShortenedOffCutSheet)
{
    auto stock = MakeStock(StockSpec{});
    auto part = MakePart(400, 400);
    auto sheet = MakeSheet(*stock);
    sheet->SetWithinInventory(1);
    PutBlock(*sheet, *part);
    sheet->MarkClosed(true);
    sheet->SetLength(OptDim::FromInternalRep(1500));
    auto empty = sheet->EmptyCopy();
    EXPECT_EQ(empty->Record().itemState, 4);
    EXPECT_EQ(empty->GetLength().ToEncodedInt(), 1500);
    EXPECT_EQ(empty->GetWidth().ToEncodedInt(), 1000);
    EXPECT_EQ(empty->GetWithinInventory(), 1);
    EXPECT_TRUE(empty->HasNoBlock());
    EXPECT_FALSE(empty->IsDuplicate());
    ASSERT_EQ(empty->GetRegions().size(), 1u);
    EXPECT_EQ(empty->GetRegions()[0].length.ToEncodedInt(), 1500);
}

TEST(LayoutTree, EmptyCopyKeepsTheCutOrientation)
{
    auto stock = MakeStock(StockSpec{});
    auto sheet = MakeSheet(*stock);
    sheet->SetCutOrientation(true, true, false);
    auto empty = sheet->EmptyCopy();
    EXPECT_EQ(empty->Record().itemState, 2);
    EXPECT_EQ(empty->Record().cutDirection, CutLengthFirst);
    EXPECT_EQ(empty->Record().stripDirection, CutLengthFirst);
}

TEST(LayoutTree, FirstCutRuleFixesTheSheetsDirection)
{
    const struct {
        FirstCutSpecification stockSpec;
        bool flag;
        std::int32_t direction;
    } cases[] = {{FirstCutNone, true, 1}, {FirstCutNone, false, 2}, {FirstCutWithGrain, false, 1},
                 {FirstCutAcrossGrain, true, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stockSpec << " " << c.flag);
        StockSpec stockSpec;
        stockSpec.firstCut = c.stockSpec;
        auto stock = MakeStock(stockSpec);
        auto sheet = MakeSheet(*stock);
        sheet->SetCutOrientation(c.flag, false, false);
        EXPECT_EQ(sheet->Record().cutDirection, c.direction);
        EXPECT_EQ(sheet->Record().itemState, 1);
    }
}

TEST(StyleMap, FiledLayoutsAreCopiesAndMissingStylesAnswerNull)
{
    auto stock = MakeStock(StockSpec{});
    auto part = MakePart(400, 400);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *part);
    sheet->RebuildLists();
    sheet->Policy().SetStyleWord(PreferRipCuts);

    EXPECT_FALSE(sheet->HasStyleLayout(MaxSideOffCut));
    EXPECT_EQ(sheet->GetStyleLayout(MaxSideOffCut), nullptr);

    sheet->FileStyleLayout(MaxSideOffCut, sheet.get());
    sheet->FileStyleLayout(StandardLayout, sheet.get());
    sheet->FileStyleLayout(MaxBottomOffCut, nullptr);
    EXPECT_TRUE(sheet->HasStyleLayout(MaxSideOffCut));
    EXPECT_FALSE(sheet->HasStyleLayout(MaxBottomOffCut));
    EXPECT_EQ(sheet->GetStyleLayout(MaxBottomOffCut), nullptr);

    std::unique_ptr<ITopLevelLayout> side(sheet->GetStyleLayout(MaxSideOffCut));
    ASSERT_NE(side, nullptr);
    EXPECT_EQ(side->GetGeometryStyle(), PreferRipCuts);
    EXPECT_EQ(side->GetPlacedParts().size(), 1u);
    std::unique_ptr<ITopLevelLayout> standard(sheet->GetStyleLayout(StandardLayout));
    EXPECT_EQ(standard->GetGeometryStyle(), StandardLayout);
}

TEST(StyleMap, ClosingASheetFilesItUnderItsStyleOnce)
{
    auto stock = MakeStock(StockSpec{});
    auto part = MakePart(400, 400);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *part);
    sheet->RebuildLists();
    sheet->MarkClosed(false);
    EXPECT_EQ(sheet->Record().itemState, 3);
    ASSERT_TRUE(sheet->HasStyleLayout(StandardLayout));
    const OptTopLevelLayout* filed = sheet->GetStyleMap()->at(StandardLayout).get();
    sheet->MarkClosed(true);
    EXPECT_EQ(sheet->Record().itemState, 4);
    EXPECT_EQ(sheet->GetStyleMap()->at(StandardLayout).get(), filed);
}

TEST(StyleMap, PreferredStyleTakesOverAnEntryOfAnotherStyle)
{
    StockSpec stockSpec;
    stockSpec.preferred = MaxBottomOffCut;
    auto stock = MakeStock(stockSpec);
    auto sheet = MakeSheet(*stock);
    sheet->FileStyleLayout(MaxSideOffCut, sheet.get());
    const OptTopLevelLayout* filed = sheet->GetStyleMap()->at(MaxSideOffCut).get();
    sheet->FileStyleLayout(MaxBottomOffCut, filed);
    EXPECT_EQ(sheet->GetStyleMap()->at(MaxBottomOffCut).get(), filed);
    EXPECT_FALSE(sheet->HasStyleLayout(MaxSideOffCut));
}

} // namespace
} // namespace optimization

namespace optimization {
namespace {

TEST(LayoutTree, ClearedLeafLeavesNoGhostCopy)
{
    using namespace treetest;
    auto stock = MakeStock(StockSpec{});
    auto part = MakePart(300, 500);
    auto sheet = MakeSheet(*stock);
    OptPartLayout* leaf = PutBlock(*sheet, *part);
    sheet->RebuildLists();
    ASSERT_EQ(sheet->GetPlacedParts().size(), 1u);
    leaf->Clear();
    sheet->RebuildLists();
    EXPECT_TRUE(sheet->GetPlacedParts().empty());
    EXPECT_TRUE(sheet->GetPlacedCopies().empty());
    EXPECT_EQ(leaf->GetPlaced().GetPart(), nullptr);
}

} // namespace
} // namespace optimization

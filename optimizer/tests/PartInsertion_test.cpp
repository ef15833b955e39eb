// Inserting parts into the cutting tree. Sheets are 1000 wide (y) by 2000
// long (x); kerf 0 unless said.

#include "CLayoutSet.h"
#include "FreeRectangleSearch.h"
#include "IsoDimGroup.h"
#include "PartInsertion.h"
#include "RegionFit.h"
#include "TreeFixture.h"

#include <gtest/gtest.h>

namespace optimization {
namespace {

using namespace treetest;

const CFreeRectangle& FindRegion(const OptLayout& node, RegionSide side, bool directionFlag,
                                 std::int32_t blockOrientation = 0)
{
    for (const CFreeRectangle& r : node.GetRegions())
        if (r.side == side && r.directionFlag == directionFlag && r.blockOrientation == blockOrientation)
            return r;
    throw std::runtime_error("no such region");
}

TEST(InsertPart, IntoAnEmptySheetMakesTheBlock)
{
    auto stock = MakeStock(StockSpec{});
    auto part = MakePart(300, 500);
    auto sheet = MakeSheet(*stock);
    CFreeRectangle r = sheet->GetRegions().at(0);
    ASSERT_TRUE(FitPart(r, *part));
    EXPECT_EQ(InsertPart(r, part.get()), sheet.get());
    ASSERT_NE(sheet->GetBlock(), nullptr);
    EXPECT_EQ(sheet->GetBlock()->GetPart(), part.get());
    ASSERT_EQ(sheet->GetPlacedParts().size(), 1u);
    EXPECT_EQ(sheet->GetPlacedCopies().size(), 1u);
    const OptRect& rect = sheet->GetPlacedParts()[0]->GetRect();
    EXPECT_EQ(rect.right, 500);
    EXPECT_EQ(rect.bottom, 300);
    EXPECT_EQ(sheet->GetRegions().size(), 8u); // beside the block, every way
}

TEST(InsertPart, BesideTheBlockSplitsByGuillotineCuts)
{
    // Block 400 x 2000 and the 600 x 2000 region below it for direction 1:
    // +-----------------+
    // | A 400 x 2000    |
    // +-----------------+
    // | B 600 x 2000    |
    // +-----------------+
    auto stock = MakeStock(StockSpec{});
    auto a = MakePart(400, 2000);
    auto b = MakePart(600, 2000);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *a);
    sheet->RebuildLists();
    sheet->Relay();
    CFreeRectangle r = FindRegion(*sheet, SideWidthRemainder, true);
    ASSERT_TRUE(FitPart(r, *b));
    OptLayout* answer = InsertPart(r, b.get());
    EXPECT_EQ(answer, sheet->GetWidthRemainder());
    EXPECT_EQ(sheet->Record().cutDirection, CutLengthFirst);
    EXPECT_EQ(sheet->GetLengthRemainder(), nullptr);
    EXPECT_EQ(answer->GetY(), 400);
    EXPECT_EQ(answer->GetBlock()->GetPart(), b.get());
    EXPECT_EQ(answer->Record().inheritedDirection, 1);
    EXPECT_EQ(sheet->CutCount(), 1);
    EXPECT_EQ(sheet->GetPlacedCopies().size(), 2u);
    EXPECT_TRUE(sheet->GetRegions().empty());
}

TEST(InsertPart, WithKerfBothRemaindersAppear)
{
    // +------+-------------+
    // | A    | B           |   width-wise first, kerf 10:
    // +------+-------------+   length remainder 1000 x 1490 at x = 510,
    // | (590 x 500)        |   width remainder 590 x 500 at y = 410
    // +--------------------+
    StockSpec stockSpec;
    stockSpec.kerf = 10;
    auto stock = MakeStock(stockSpec);
    auto a = MakePart(400, 500, 1, OrientationAsGiven);
    auto b = MakePart(400, 700, 1, OrientationAsGiven);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *a);
    sheet->RebuildLists();
    sheet->Relay();
    CFreeRectangle r = FindRegion(*sheet, SideLengthRemainder, false);
    ASSERT_TRUE(FitPart(r, *b));
    OptLayout* answer = InsertPart(r, b.get());
    ASSERT_EQ(answer, sheet->GetLengthRemainder());
    EXPECT_EQ(sheet->Record().cutDirection, CutWidthFirst);
    EXPECT_EQ(answer->GetX(), 510);
    EXPECT_EQ(answer->GetWidth().ToEncodedInt(), 1000);
    EXPECT_EQ(answer->GetLength().ToEncodedInt(), 1490);
    ASSERT_NE(sheet->GetWidthRemainder(), nullptr);
    EXPECT_EQ(sheet->GetWidthRemainder()->GetY(), 410);
    EXPECT_EQ(sheet->GetWidthRemainder()->GetWidth().ToEncodedInt(), 590);
    EXPECT_EQ(sheet->GetWidthRemainder()->GetLength().ToEncodedInt(), 500);
    EXPECT_EQ(sheet->GetPlacedParts().back()->GetRect().left, 510);
}

TEST(InsertPart, APartStandingOutChangesPlacesWithTheBlock)
{
    auto stock = MakeStock(StockSpec{});
    auto a = MakePart(400, 500, 1, OrientationAsGiven);
    auto wide = MakePart(450, 500, 1, OrientationAsGiven);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *a);
    sheet->RebuildLists();
    sheet->Relay();
    CFreeRectangle r = FindRegion(*sheet, SideLengthRemainder, false);
    ASSERT_TRUE(FitPart(r, *wide));
    ASSERT_TRUE(r.standsOut);
    OptLayout* answer = InsertPart(r, wide.get());
    EXPECT_EQ(sheet->GetBlock()->GetPart(), wide.get());
    EXPECT_EQ(answer->GetBlock()->GetPart(), a.get());
    EXPECT_EQ(answer->GetBlock()->GetHandedValue(), 0);
    EXPECT_EQ(sheet->GetPlacedCopies().size(), 2u);
}

TEST(InsertPart, NewStripTakesTheContentIntoANewBlock)
{
    // Width-wise first; the strip extension below A and B is 300 x 2000:
    // +------+----------+      +------+----------+
    // | A    |          |      | A    |          |
    // +------+          |  ->  +------+          |   (M: 700 x 2000)
    // | B    |          |      | B    |          |
    // +------+          |      +------+----------+
    // |                 |      | C 300 x 2000    |
    // +-----------------+      +-----------------+
    auto stock = MakeStock(StockSpec{});
    auto a = MakePart(400, 500, 1, OrientationAsGiven);
    auto b = MakePart(300, 500, 1, OrientationAsGiven);
    auto c = MakePart(300, 2000, 1, OrientationAsGiven);
    auto sheet = MakeSheet(*stock);
    sheet->Record().cutDirection = CutWidthFirst;
    PutBlock(*sheet, *a);
    OptLayout* below = AddWidthRemainder(*sheet);
    PutBlock(*below, *b);
    sheet->RebuildLists();
    sheet->Relay();
    CFreeRectangle r = sheet->GetOwnRegions().at(0);
    ASSERT_EQ(r.side, SideNewStripAlongY);
    ASSERT_TRUE(FitPart(r, *c));
    OptLayout* strip = InsertPart(r, c.get());
    EXPECT_EQ(strip, sheet->GetWidthRemainder());
    EXPECT_EQ(strip->GetY(), 700);
    EXPECT_EQ(strip->Record().inheritedDirection, 1);
    EXPECT_EQ(sheet->Record().cutDirection, CutLengthFirst);
    EXPECT_EQ(sheet->GetLengthRemainder(), nullptr);
    OptLayout* m = sheet->GetBlock();
    EXPECT_EQ(m->GetWidth().ToEncodedInt(), 700);
    EXPECT_EQ(m->Record().cutDirection, CutWidthFirst);
    EXPECT_EQ(m->GetBlock()->GetPart(), a.get());
    EXPECT_EQ(m->GetBlock()->GetDepth(), 3);
    EXPECT_EQ(strip->GetBlock()->GetPart(), c.get());
    EXPECT_EQ(sheet->GetPlacedParts().size(), 3u);
}

TEST(InsertPart, NewStripCutsBackEmptyRemaindersItCrosses)
{
    // The empty length remainder beside A spans the whole width; the new
    // strip below B takes its lower 300 counts, so it is cut back to 700:
    // +------+----------+      +------+----------+
    // | A    | (empty)  |      | A    | (empty)  |
    // +------+          |  ->  +------+  700     |
    // | B    |          |      | B    |          |
    // +------+          |      +------+----------+
    // |      |          |      | C 300 x 2000    |
    // +------+----------+      +-----------------+
    auto stock = MakeStock(StockSpec{});
    auto a = MakePart(400, 500, 1, OrientationAsGiven);
    auto b = MakePart(300, 500, 1, OrientationAsGiven);
    auto c = MakePart(300, 2000, 1, OrientationAsGiven);
    auto sheet = MakeSheet(*stock);
    sheet->Record().cutDirection = CutWidthFirst;
    PutBlock(*sheet, *a);
    AddLengthRemainder(*sheet);
    OptLayout* below = AddWidthRemainder(*sheet);
    PutBlock(*below, *b);
    sheet->RebuildLists();
    sheet->Relay();
    CFreeRectangle r = sheet->GetOwnRegions().at(0);
    ASSERT_EQ(r.side, SideNewStripAlongY);
    ASSERT_EQ(r.y, 700);
    ASSERT_TRUE(FitPart(r, *c));
    InsertPart(r, c.get());
    OptLayout* m = sheet->GetBlock();
    ASSERT_NE(m->GetLengthRemainder(), nullptr);
    EXPECT_EQ(m->GetLengthRemainder()->GetWidth().ToEncodedInt(), 700);
    EXPECT_EQ(m->GetWidthRemainder()->GetWidth().ToEncodedInt(), 300);
    for (const CFreeRectangle& region : sheet->GetRegions())
        EXPECT_TRUE(region.y + region.width.ToEncodedInt() <= 700 || region.y >= 700) << region.y;
}

TEST(FirstBlockWithOffCut, KeepsTheStripBesideTheRegion)
{
    const struct {
        FirstCutSpecification stockSpec;
        std::int32_t asked, direction;
        bool widthOffCut;
        std::int32_t offCutWidth, offCutLength, x, y;
    } cases[] = {
        {FirstCutNone, 1, 1, true, 590, 2000, 0, 410},
        {FirstCutNone, 2, 2, false, 1000, 790, 1210, 0},
        {FirstCutAcrossGrain, 1, 2, false, 1000, 790, 1210, 0},
        {FirstCutWithGrain, 2, 1, true, 590, 2000, 0, 410},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stockSpec << " " << c.asked);
        StockSpec stockSpec;
        stockSpec.kerf = 10;
        stockSpec.firstCut = c.stockSpec;
        auto stock = MakeStock(stockSpec);
        auto part = MakePart(400, 1200, 1, OrientationAsGiven);
        auto sheet = MakeSheet(*stock);
        // The finished region, built elsewhere at another origin.
        auto region = std::make_unique<OptLayout>(C(400), C(1200), 50, 60, nullptr);
        PutBlock(*region, *part);
        InstallFirstBlockWithOffCut(*sheet, std::move(region), c.asked);
        EXPECT_EQ(sheet->Record().cutDirection, c.direction);
        EXPECT_EQ(sheet->Record().stripDirection, c.direction);
        EXPECT_EQ(sheet->GetBlock()->GetX(), 0);
        EXPECT_EQ(sheet->GetBlock()->GetBlock()->GetY(), 0);
        const OptLayout* offCut = c.widthOffCut ? sheet->GetWidthRemainder() : sheet->GetLengthRemainder();
        ASSERT_NE(offCut, nullptr);
        EXPECT_EQ(c.widthOffCut ? sheet->GetLengthRemainder() : sheet->GetWidthRemainder(), nullptr);
        EXPECT_EQ(offCut->GetWidth().ToEncodedInt(), c.offCutWidth);
        EXPECT_EQ(offCut->GetLength().ToEncodedInt(), c.offCutLength);
        EXPECT_EQ(offCut->GetX(), c.x);
        EXPECT_EQ(offCut->GetY(), c.y);
        EXPECT_EQ(sheet->GetPlacedParts().size(), 1u);
        EXPECT_EQ(sheet->GetPlacedParts()[0]->GetRect().left, 0);
        EXPECT_FALSE(sheet->GetRegions().empty());
    }
}

TEST(FirstBlockWithOffCut, ThinOffCutIsNotKept)
{
    StockSpec stockSpec;
    stockSpec.padding = 10;
    auto stock = MakeStock(stockSpec);
    auto part = MakePart(978, 1200, 1, OrientationAsGiven);
    auto sheet = MakeSheet(*stock);
    auto region = std::make_unique<OptLayout>(C(978), C(1200), 0, 0, nullptr);
    PutBlock(*region, *part);
    // 1000 - 978 = 22 is not more than twice the padding plus 2.
    InstallFirstBlockWithOffCut(*sheet, std::move(region), 1);
    EXPECT_EQ(sheet->GetWidthRemainder(), nullptr);
    EXPECT_EQ(sheet->GetLengthRemainder(), nullptr);
}

TEST(LayGroup, LaysTheCopiesOfAGroupAsOneStrip)
{
    // Three 300 x 500 copies along x from the origin:
    // +-----+-----+-----+-----+
    // | P   | P   | P   |     |
    // +-----+-----+-----+-----+
    // |                       |
    auto stock = MakeStock(StockSpec{});
    auto part = MakePart(300, 500, 3, OrientationAsGiven);
    auto sheet = MakeSheet(*stock);
    CFreeRectangle r = sheet->GetRegions().at(0);
    IsoDimGroup group(C(300), false);
    for (int i = 0; i < 3; ++i)
        group.AddCopy(part.get(), C(500), 0);
    EXPECT_EQ(FitGroupInRectangle(r, group, C(0)), 3u);
    r.stripEvaluated = true;
    r.group = group;
    const auto laid = LayGroup(r);
    ASSERT_EQ(laid.size(), 3u);
    ASSERT_EQ(sheet->GetPlacedParts().size(), 3u);
    std::vector<std::int32_t> lefts;
    for (const PlacedPart* placed : sheet->GetPlacedParts()) {
        EXPECT_EQ(placed->GetRect().top, 0);
        lefts.push_back(placed->GetRect().left);
    }
    std::sort(lefts.begin(), lefts.end());
    EXPECT_EQ(lefts, (std::vector<std::int32_t>{0, 500, 1000}));
    for (const CFreeRectangle& region : sheet->GetRegions())
        EXPECT_FALSE(region.stripEvaluated);
}

TEST(LayGroup, CopyIsFittedInItsEntrysOrientationNotByAStaleEvaluation)
{
    // Block B (300 x 400, fixed) at the origin; the group's copy P (600 x 400)
    // goes into the width remainder lying as given. A stale evaluation of the
    // region for P turned (600 long, beyond the block) must not make P and B
    // change places.
    auto stock = MakeStock(StockSpec{});
    auto block = MakePart(300, 400, 1, OrientationAsGiven, 1);
    auto part = MakePart(600, 400, 1, OrientationFree, 2);
    auto sheet = MakeSheet(*stock);
    PutBlock(*sheet, *block);
    sheet->RebuildLists();
    sheet->Relay();
    CFreeRectangle r;
    bool found = false;
    for (const CFreeRectangle& region : sheet->GetRegions())
        if (region.owner == sheet.get() && region.side == SideWidthRemainder && region.directionFlag) {
            r = region;
            found = true;
        }
    ASSERT_TRUE(found);
    IsoDimGroup group(C(400), true);
    group.AddCopy(part.get(), C(600), 0);
    ASSERT_EQ(FitGroupInRectangle(r, group, C(0)), 1u);
    r.stripEvaluated = true;
    r.group = group;
    r.chosenOrientation = 1;
    r.standsOut = true;

    ASSERT_EQ(LayGroup(r).size(), 1u);
    EXPECT_EQ(sheet->GetBlock()->GetPart(), block.get());
    const PlacedPart* placed = nullptr;
    for (const PlacedPart* p : sheet->GetPlacedParts())
        if (p->GetPartProxy() == part.get())
            placed = p;
    ASSERT_NE(placed, nullptr);
    EXPECT_FALSE(placed->IsRotated());
    EXPECT_EQ(placed->GetRect().left, 0);
    EXPECT_EQ(placed->GetRect().top, 300);
    EXPECT_EQ(placed->GetRect().right, 400);
    EXPECT_EQ(placed->GetRect().bottom, 900);
}

} // namespace
} // namespace optimization

namespace optimization {
namespace {

using namespace treetest;

// Every copy lies in the sheet and no two overlap; every free region lies in
// the sheet and over no copy.
std::string GeometryProblems(const OptTopLevelLayout& sheet)
{
    const std::int32_t width = sheet.GetWidth().ToEncodedInt();
    const std::int32_t length = sheet.GetLength().ToEncodedInt();
    // A copy may exceed its region by the 2-count tolerance of the fit.
    auto overlaps = [](const OptRect& a, const OptRect& b) {
        constexpr std::int32_t e = OptDim::INTERNAL_EPSILON;
        return a.left < b.right - e && b.left < a.right - e && a.top < b.bottom - e
               && b.top < a.bottom - e;
    };
    const auto& placed = sheet.GetPlacedParts();
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const OptRect& a = placed[i]->GetRect();
        if (a.left < 0 || a.top < 0 || a.right > length + 2 || a.bottom > width + 2)
            return "copy outside the sheet";
        for (std::size_t j = i + 1; j < placed.size(); ++j)
            if (overlaps(a, placed[j]->GetRect()))
                return "copies overlap";
    }
    for (const CFreeRectangle& r : sheet.GetRegions()) {
        // A region that turns its owner's block lies where the block is not
        // yet: it is only sound once the block has turned.
        if (r.owner->GetBlock() && r.blockOrientation != r.owner->GetBlock()->GetTurned())
            continue;
        const OptRect area{r.x, r.y, r.x + r.length.ToEncodedInt(), r.y + r.width.ToEncodedInt()};
        if (area.left < 0 || area.top < 0 || area.right > length + 2 || area.bottom > width + 2)
            return "region outside the sheet";
        for (const PlacedPart* p : placed)
            if (overlaps(area, p->GetRect()))
                return "region over a copy: side " + std::to_string(r.side) + " at " + std::to_string(r.x) + ","
                       + std::to_string(r.y) + " " + std::to_string(r.width.ToEncodedInt()) + "x"
                       + std::to_string(r.length.ToEncodedInt()) + " dir " + std::to_string(r.directionFlag)
                       + " copy [" + std::to_string(p->GetRect().left) + "," + std::to_string(p->GetRect().top) + ","
                       + std::to_string(p->GetRect().right) + "," + std::to_string(p->GetRect().bottom) + "]"
                       + " owner " + std::to_string(r.owner->GetX()) + "," + std::to_string(r.owner->GetY()) + " "
                       + std::to_string(r.owner->GetWidth().ToEncodedInt()) + "x"
                       + std::to_string(r.owner->GetLength().ToEncodedInt()) + " cd "
                       + std::to_string(r.owner->Record().cutDirection);
    }
    return "";
}

// A small deterministic generator of sizes: a number below `range`.
struct Lcg {
    std::uint32_t state;
    std::uint32_t operator()(std::uint32_t range)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % range;
    }
};

std::shared_ptr<StockProxy> LargeStock(std::int32_t kerf, std::int32_t padding, FirstCutSpecification firstCut)
{
    StockSpec stockSpec;
    stockSpec.width = 8000;
    stockSpec.length = 16000;
    stockSpec.kerf = kerf;
    stockSpec.padding = padding;
    stockSpec.firstCut = firstCut;
    return MakeStock(stockSpec);
}

// Fills one sheet part by part through the preferred region, with a small
// deterministic generator of part sizes, checking the geometry after each.
TEST(InsertPart, RandomFillKeepsTheGeometrySound)
{
    const struct {
        std::int32_t kerf, padding;
        FirstCutSpecification firstCut;
        int orientation; // -1: none set, else the cut orientation flag
    } settings[] = {
        {50, 0, FirstCutNone, -1}, {0, 0, FirstCutNone, -1}, {50, 30, FirstCutNone, 1},
        {50, 0, FirstCutWithGrain, 0}, {20, 10, FirstCutAcrossGrain, -1}, {50, 0, FirstCutNone, 0},
    };
    for (const auto& setting : settings) {
        for (std::uint32_t seed : {1u, 7u, 42u, 1234u, 99991u}) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " kerf " << setting.kerf << " padding "
                                            << setting.padding << " first cut " << setting.firstCut
                                            << " orientation " << setting.orientation);
            auto stock = LargeStock(setting.kerf, setting.padding, setting.firstCut);
            ParLocalOpt policy;
            policy.SetMode(1);
            auto sheet = MakeSheet(*stock, policy);
            if (setting.orientation >= 0) {
                sheet->SetCutOrientation(setting.orientation == 1, false, false);
                sheet->Relay();
            }
            Lcg next{seed};
            std::vector<std::shared_ptr<PartProxy>> parts;
            for (int i = 0; i < 60; ++i) {
                auto part = MakePart(std::int32_t(500 + next(2500)), std::int32_t(500 + next(4000)), 3,
                                     std::int32_t(next(3)), i);
                parts.push_back(part);
                std::vector<CFreeRectangle> evaluated(sheet->GetRegions().begin(), sheet->GetRegions().end());
                const CFreeRectangle* best = nullptr;
                for (CFreeRectangle& r : evaluated)
                    if (FitPart(r, *part) && (!best || IsPreferred(r, *best)))
                        best = &r;
                if (!best)
                    continue;
                CFreeRectangle chosen = *best;
                InsertPart(chosen, part.get());
                ASSERT_EQ(GeometryProblems(*sheet), "") << "after part " << i;
                ASSERT_EQ(sheet->GetPlacedParts().size(), sheet->GetPlacedCopies().size());
            }
            EXPECT_GT(sheet->GetPlacedParts().size(), 5u);
            auto copy = sheet->Copy();
            EXPECT_EQ(GeometryProblems(*copy), "");
            EXPECT_EQ(copy->CutCount(), sheet->CutCount());
        }
    }
}

// Lays strips of equal-dimension parts, chosen as the run chooses them,
// until none fits, checking the geometry after each strip.
TEST(LayGroup, RandomStripsKeepTheGeometrySound)
{
    const struct {
        std::int32_t kerf, padding;
        FirstCutSpecification firstCut;
    } settings[] = {{50, 0, FirstCutNone}, {0, 0, FirstCutNone}, {40, 20, FirstCutWithGrain},
                    {30, 0, FirstCutAcrossGrain}};
    for (const auto& setting : settings) {
        for (std::uint32_t seed : {3u, 11u, 2024u, 77777u}) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " kerf " << setting.kerf << " first cut "
                                            << setting.firstCut);
            auto stock = LargeStock(setting.kerf, setting.padding, setting.firstCut);
            auto sheet = MakeSheet(*stock);
            Lcg next{seed};
            // Few distinct sizes, some within 2 counts of each other, so that groups form and merge.
            const std::int32_t sizes[] = {900, 901, 1500, 1502, 2200, 3100};
            std::vector<std::shared_ptr<PartProxy>> parts;
            std::vector<const PartProxy*> remaining;
            for (int i = 0; i < 12; ++i) {
                auto part = MakePart(sizes[next(6)], sizes[next(6)], 1 + next(4), std::int32_t(next(3)), i);
                part->SetPosition(std::uint64_t(i));
                for (std::uint32_t c = 0; c < part->GetDescriptor().copies; ++c)
                    remaining.push_back(part.get());
                parts.push_back(part);
            }
            for (int round = 0; round < 40 && !remaining.empty(); ++round) {
                IsoDimGroupMap byWidth;
                IsoDimGroupMap byLength;
                BuildIsoDimGroups(remaining, byWidth, byLength);
                CFreeRectangle best;
                bool found = false;
                for (const CFreeRectangle& region : sheet->GetRegions())
                    for (const IsoDimGroupMap* groups : {&byWidth, &byLength}) {
                        CFreeRectangle candidate = region;
                        if (EvaluateStrips(candidate, *groups) && (!found || IsPreferred(candidate, best))) {
                            best = candidate;
                            found = true;
                        }
                    }
                if (!found)
                    break;
                const std::vector<const PartProxy*> laid = LayGroup(best);
                ASSERT_EQ(GeometryProblems(*sheet), "") << "after round " << round;
                if (laid.empty())
                    break;
                for (const PartProxy* part : laid)
                    remaining.erase(std::find(remaining.begin(), remaining.end(), part));
            }
            EXPECT_EQ(sheet->GetPlacedParts().size(), sheet->GetPlacedCopies().size());
            EXPECT_GT(sheet->GetPlacedParts().size(), 3u);
        }
    }
}

} // namespace
} // namespace optimization

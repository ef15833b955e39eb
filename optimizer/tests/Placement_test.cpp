// Placing one part into existing sheets, the tried marks, pooled search and
// filling a sheet.

#include "RunFixture.h"

#include "Placement.h"

#include <gtest/gtest.h>

using namespace optimization;
using namespace optimization::testing;

namespace {

// Every copy inside the usable sheet and no two overlapping (2-count tolerance).
void ExpectSound(const OptTopLevelLayout& sheet)
{
    const std::int32_t w = sheet.GetWidth().ToEncodedInt();
    const std::int32_t l = sheet.GetLength().ToEncodedInt();
    const auto& placed = sheet.GetPlacedParts();
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const OptRect& a = placed[i]->GetRect();
        EXPECT_GE(a.left, -2);
        EXPECT_GE(a.top, -2);
        EXPECT_LE(a.right, l + 2);
        EXPECT_LE(a.bottom, w + 2);
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            const OptRect& b = placed[j]->GetRect();
            const bool apart = a.right <= b.left + 2 || b.right <= a.left + 2 || a.bottom <= b.top + 2 ||
                               b.bottom <= a.top + 2;
            EXPECT_TRUE(apart) << "copies " << i << " and " << j << " overlap";
        }
    }
}

class PlacementTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        stock = Stock(48, 96, 10);
        small = Part(1, 10, 20, 4);
        tiny = Part(2, 5, 5, 2);
        huge = Part(3, 50, 100, 1);
        optimizer = Make(Args({stock}, {small, tiny, huge}));
        sheet = NewSheet(*optimizer, stock.get());
    }

    bool Place(const PartProxy* part, std::vector<OptTopLevelLayout*> sheets, bool existing = true,
               bool noTryOCD = false)
    {
        PlacementRequest request;
        request.part = part;
        request.searchExistingSheets = existing;
        request.sheets = std::move(sheets);
        request.noTryOCD = noTryOCD;
        request.optimizer = optimizer.get();
        return PlacePart(request);
    }

    std::shared_ptr<StockProxy> stock;
    std::shared_ptr<PartProxy> small, tiny, huge;
    std::unique_ptr<ParallelOptimizer> optimizer;
    std::unique_ptr<OptTopLevelLayout> sheet;
};

} // namespace

TEST_F(PlacementTest, FailedPartMarksTheSheet)
{
    EXPECT_FALSE(Place(huge.get(), {sheet.get()}));
    EXPECT_EQ(sheet->GetTriedMark(), huge.get());
    EXPECT_TRUE(sheet->GetPlacedParts().empty());
}

// A part that failed on a sheet is not tried there again until a placement
// into the sheet succeeds.
TEST_F(PlacementTest, TriedMarkSkipsTheSheetUntilThePlacementSucceeds)
{
    sheet->SetTriedMark(small.get());
    EXPECT_FALSE(Place(small.get(), {sheet.get()}));
    EXPECT_TRUE(sheet->GetPlacedParts().empty());

    EXPECT_TRUE(Place(tiny.get(), {sheet.get()}));
    EXPECT_EQ(sheet->GetTriedMark(), nullptr);
    EXPECT_TRUE(Place(small.get(), {sheet.get()}));
    EXPECT_EQ(sheet->GetPlacedParts().size(), 2u);
    ExpectSound(*sheet);
}

TEST_F(PlacementTest, PlacingDoesNotCount)
{
    ASSERT_TRUE(Place(small.get(), {sheet.get()}));
    EXPECT_EQ(optimizer->Job().RunState().PartTrackers().at(small.get())->GetPlacedCopiesCount(), 0u);
}

TEST_F(PlacementTest, DuplicateSheetsAreNotSearched)
{
    auto master = NewSheet(*optimizer, stock.get());
    sheet->SetMaster(master.get());
    master->SetTriedMark(small.get()); // the master itself refuses the part
    EXPECT_FALSE(Place(small.get(), {sheet.get(), master.get()}));
    EXPECT_TRUE(sheet->GetPlacedParts().empty());
}

// The fuller sheet (lower waste) is searched first.
TEST_F(PlacementTest, FullerSheetIsTriedFirst)
{
    auto other = NewSheet(*optimizer, stock.get());
    ASSERT_TRUE(Place(small.get(), {other.get()}));
    ASSERT_TRUE(Place(tiny.get(), {sheet.get(), other.get()}));
    EXPECT_EQ(other->GetPlacedParts().size(), 2u);
    EXPECT_TRUE(sheet->GetPlacedParts().empty());
}

// The pooled search sets no marks, and the sheet that took the part loses
// the mark of an earlier failure like after any successful placement.
TEST_F(PlacementTest, PooledSearchPlacesOnceAndLeavesMarks)
{
    auto other = NewSheet(*optimizer, stock.get());
    sheet->SetTriedMark(huge.get());
    other->SetTriedMark(huge.get());
    ASSERT_TRUE(Place(small.get(), {sheet.get(), other.get()}, false));
    EXPECT_EQ(sheet->GetPlacedParts().size() + other->GetPlacedParts().size(), 1u);
    OptTopLevelLayout* took = sheet->GetPlacedParts().empty() ? other.get() : sheet.get();
    OptTopLevelLayout* left = took == sheet.get() ? other.get() : sheet.get();
    EXPECT_EQ(took->GetTriedMark(), nullptr);
    EXPECT_EQ(left->GetTriedMark(), huge.get());
    left->SetTriedMark(nullptr);
    EXPECT_FALSE(Place(huge.get(), {sheet.get(), other.get()}, false));
    EXPECT_EQ(sheet->GetTriedMark(), nullptr);
    EXPECT_EQ(other->GetTriedMark(), nullptr);
}

// 48 x 96 sheet: the four 10 x 20 copies and the two 5 x 5 copies go in, the
// 50 x 100 part never does; nothing is counted.
TEST_F(PlacementTest, FillSheetPlacesEveryCopyThatFits)
{
    FillSheet(*sheet, *optimizer);
    std::size_t smallCount = 0, tinyCount = 0, hugeCount = 0;
    for (const PlacedPart* placed : sheet->GetPlacedParts()) {
        smallCount += placed->GetPartProxy() == small.get();
        tinyCount += placed->GetPartProxy() == tiny.get();
        hugeCount += placed->GetPartProxy() == huge.get();
    }
    EXPECT_EQ(smallCount, 4u);
    EXPECT_EQ(tinyCount, 2u);
    EXPECT_EQ(hugeCount, 0u);
    ExpectSound(*sheet);
    for (const auto& [part, tracker] : optimizer->Job().RunState().PartTrackers())
        EXPECT_EQ(tracker->GetPlacedCopiesCount(), 0u);
}

TEST_F(PlacementTest, FillSheetOffersOnlyUncountedCopies)
{
    auto& trackers = optimizer->Job().RunState().PartTrackers();
    for (int i = 0; i < 3; ++i)
        trackers.at(small.get())->IncrementPlacedCount();
    trackers.at(tiny.get())->SetAllCopiesSkippedPreOpt(SkipExcluded);
    FillSheet(*sheet, *optimizer);
    ASSERT_EQ(sheet->GetPlacedParts().size(), 1u);
    EXPECT_EQ(sheet->GetPlacedParts()[0]->GetPartProxy(), small.get());
}

// A sheet that took a part loses the alternative layouts of its old parts and
// joins an identical sheet of the list, sharing that sheet's map.
TEST_F(PlacementTest, RegroupResetsTheStyleMapAndJoinsAnIdenticalSheet)
{
    auto other = NewSheet(*optimizer, stock.get());
    ASSERT_TRUE(Place(small.get(), {other.get()}));
    sheet->FileStyleLayout(MaxSideOffCut, sheet.get());
    ASSERT_TRUE(sheet->HasStyleLayout(MaxSideOffCut));

    CLayoutSet set(false);
    set.Add(other.get());
    set.Add(sheet.get());
    PlacementRequest request;
    request.part = small.get();
    request.sheets = {sheet.get()};
    request.regroupSet = &set;
    request.regroup = true;
    request.optimizer = optimizer.get();
    ASSERT_TRUE(PlacePart(request));
    EXPECT_FALSE(sheet->HasStyleLayout(MaxSideOffCut));
    EXPECT_EQ(sheet->GetMaster(), other.get());
    EXPECT_EQ(other->GetDuplicateCount(), 1);
    EXPECT_EQ(sheet->GetStyleMap(), other->GetStyleMap());
}

TEST_F(PlacementTest, RegroupResetsTheStyleMapOfASheetAlone)
{
    sheet->FileStyleLayout(MaxSideOffCut, sheet.get());
    CLayoutSet set(false);
    set.Add(sheet.get());
    PlacementRequest request;
    request.part = tiny.get();
    request.sheets = {sheet.get()};
    request.regroupSet = &set;
    request.regroup = true;
    request.optimizer = optimizer.get();
    ASSERT_TRUE(PlacePart(request));
    EXPECT_FALSE(sheet->HasStyleLayout(MaxSideOffCut));
    EXPECT_FALSE(sheet->IsDuplicate());
}

// A cancel noticed after TryOCD ends the search at once: the sheet is not
// marked as refusing the part, since the part was never really tried.
TEST_F(PlacementTest, CancelDuringTryOCDStopsWithoutMarkingTheSheet)
{
    RecordingDialog dialog;
    OptFactoryArgs args = Args({stock}, {small, tiny, huge});
    args.progressDlg = &dialog;
    auto cancellable = Make(args);
    auto filled = NewSheet(*cancellable, stock.get());
    PlacementRequest request;
    request.sheets = {filled.get()};
    request.optimizer = cancellable.get();
    request.part = small.get();
    ASSERT_TRUE(PlacePart(request));
    ASSERT_TRUE(PlacePart(request));
    dialog.RequestCancel();
    request.part = huge.get();
    EXPECT_FALSE(PlacePart(request));
    EXPECT_EQ(filled->GetTriedMark(), nullptr);
    EXPECT_EQ(filled->GetPlacedParts().size(), 2u);
}

TEST_F(PlacementTest, PlaceEachStopsAtTheFirstPartThatDoesNotGoIn)
{
    PlacementRequest request;
    request.sheets = {sheet.get()};
    request.noTryOCD = true;
    request.optimizer = optimizer.get();
    EXPECT_TRUE(PlaceEach(request, {small.get(), tiny.get()}));
    EXPECT_FALSE(PlaceEach(request, {small.get(), huge.get(), tiny.get()}));
    std::size_t tinyCount = 0;
    for (const PlacedPart* placed : sheet->GetPlacedParts())
        tinyCount += placed->GetPartProxy() == tiny.get();
    EXPECT_EQ(sheet->GetPlacedParts().size(), 3u);
    EXPECT_EQ(tinyCount, 1u);
}

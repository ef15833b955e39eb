#include "TreeFixture.h"
#include "UsageTrackers.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace optimization {
namespace {

using treetest::MakePart;
using treetest::MakeStock;
using treetest::StockSpec;

TEST(PartUsageTracker, LastCopyPlacedClearsTheReason)
{
    auto part = MakePart(10, 20, 3);
    PartUsageTracker tracker(part.get());
    tracker.SetAnyUnplacedViableCopiesSkipped(SkipNoStockWideLongEnough);
    EXPECT_EQ(tracker.GetSkipReason(), SkipNoStockWideLongEnough);
    for (int i = 0; i < 2; ++i)
        tracker.IncrementPlacedCount();
    EXPECT_EQ(tracker.GetSkipReason(), SkipNoStockWideLongEnough);
    EXPECT_EQ(tracker.GetUnplacedCopiesCount(), 1);
    tracker.IncrementPlacedCount();
    EXPECT_EQ(tracker.GetSkipReason(), SkipNone);
    EXPECT_EQ(tracker.GetUnplacedCopiesCount(), 0);
    EXPECT_FALSE(tracker.IsAnyCopyUnplaced());
    // Taking a copy off does not bring a reason back.
    tracker.DecrementPlacedCount();
    EXPECT_EQ(tracker.GetSkipReason(), SkipNone);
    EXPECT_TRUE(tracker.IsAnyCopyUnplaced());
}

TEST(PartUsageTracker, SkippedReasonIsSetOnlyOnceAndOnlyWithUnplacedCopies)
{
    auto part = MakePart(10, 20, 1);
    PartUsageTracker tracker(part.get());
    tracker.SetAnyUnplacedViableCopiesSkipped(SkipNoStockWideLongEnough);
    tracker.SetAnyUnplacedViableCopiesSkipped(SkipNotEnoughInventory);
    EXPECT_EQ(tracker.GetSkipReason(), SkipNoStockWideLongEnough);

    PartUsageTracker placed(part.get());
    placed.IncrementPlacedCount();
    placed.SetAnyUnplacedViableCopiesSkipped(SkipNoStockWideLongEnough);
    EXPECT_EQ(placed.GetSkipReason(), SkipNone);
}

TEST(PartUsageTracker, PreOptSkipAndClone)
{
    auto part = MakePart(10, 20, 2);
    PartUsageTracker tracker(part.get());
    tracker.SetAllCopiesSkippedPreOpt(SkipNoMaterial);
    tracker.IncrementPlacedCount();
    auto clone = tracker.Clone();
    EXPECT_NE(clone.get(), &tracker);
    EXPECT_EQ(clone->GetPartProxy(), part.get());
    EXPECT_EQ(clone->GetSkipReason(), SkipNoMaterial);
    EXPECT_TRUE(clone->IsSkippedPreOpt());
    EXPECT_EQ(clone->GetPlacedCopiesCount(), 1u);
}

TEST(StockUsageTracker, UseOneSheetReportsTakingTheLastAvailable)
{
    StockSpec stockSpec;
    stockSpec.unlimited = false;
    stockSpec.available = 2;
    auto limited = MakeStock(stockSpec);
    StockUsageTracker tracker(limited.get());
    EXPECT_TRUE(tracker.HasSheetsLeft());
    EXPECT_FALSE(tracker.UseOneSheet());
    EXPECT_TRUE(tracker.UseOneSheet());
    EXPECT_FALSE(tracker.HasSheetsLeft());
    EXPECT_FALSE(tracker.UseOneSheet());
    EXPECT_FALSE(tracker.IsUsable());
    EXPECT_EQ(tracker.Clone()->GetSheetsUsed(), 3u);

    auto unlimited = MakeStock(StockSpec{});
    StockUsageTracker free(unlimited.get());
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(free.HasSheetsLeft());
        EXPECT_FALSE(free.UseOneSheet());
    }
}

TEST(ProxyOrder, TrackerMapsFollowTheFactoryPositionsNotTheAddresses)
{
    std::vector<std::shared_ptr<PartProxy>> parts;
    for (int i = 0; i < 6; ++i)
        parts.push_back(MakePart(10 + i, 20, 1, OrientationFree, i));
    // The factory numbers the proxies in reverse of their creation.
    for (std::size_t i = 0; i < parts.size(); ++i)
        parts[i]->SetPosition(parts.size() - i);
    const PartUsageMap map = BuildPartTrackers(parts);
    ASSERT_EQ(map.size(), parts.size());
    std::vector<std::int32_t> numbers;
    for (const auto& entry : map)
        numbers.push_back(entry.first->GetDescriptor().partNumber);
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{5, 4, 3, 2, 1, 0}));
}

TEST(ProxyOrder, UnplacedCopiesInTrackerOrder)
{
    std::vector<std::shared_ptr<PartProxy>> parts = {MakePart(10, 20, 2, 0, 1), MakePart(10, 20, 3, 0, 2),
                                                     MakePart(10, 20, 1, 0, 3)};
    for (std::size_t i = 0; i < parts.size(); ++i)
        parts[i]->SetPosition(i);
    const PartUsageMap map = BuildPartTrackers(parts);
    map.at(parts[1].get())->IncrementPlacedCount();
    map.at(parts[2].get())->SetAllCopiesSkippedPreOpt(SkipExcluded);
    EXPECT_TRUE(AnyUnplaced(map));

    PartTrackerList unplaced = UnplacedTrackers(map);
    ASSERT_EQ(unplaced.size(), 2u);
    EXPECT_EQ(FindTracker(unplaced, parts[1].get()), map.at(parts[1].get()));
    EXPECT_EQ(FindTracker(unplaced, parts[2].get()), nullptr);
    const auto copies = CopyList(std::move(unplaced));
    const std::vector<const PartProxy*> expected = {parts[0].get(), parts[0].get(), parts[1].get(),
                                                    parts[1].get()};
    EXPECT_EQ(copies, expected);
}

TEST(ProxyOrder, MissingStockRaisesTheMapKeyError)
{
    auto known = MakeStock(StockSpec{});
    auto unknown = MakeStock(StockSpec{});
    known->SetPosition(0);
    unknown->SetPosition(0); // same position, other object: still missing
    const StockTrackerMap map = BuildStockTrackers({known});
    EXPECT_EQ(TrackerOf(map, known.get())->GetStock(), known.get());
    try {
        TrackerOf(map, unknown.get());
        FAIL() << "no error";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "invalid map<K, T> key");
    }
}

TEST(PlacedPart, EqualityIgnoresTheSizeAndOrderIsLeftThenTop)
{
    auto part = MakePart(10, 20);
    const PlacedPart narrow(part.get(), OptRect{5, 7, 15, 17}, false);
    const PlacedPart wide(part.get(), OptRect{5, 7, 25, 27}, false);
    EXPECT_TRUE(narrow == wide);
    EXPECT_FALSE(narrow == PlacedPart(part.get(), OptRect{5, 7, 15, 17}, true));
    EXPECT_TRUE(PlacedPart(part.get(), OptRect{4, 99, 0, 0}, false) < narrow);
    EXPECT_TRUE(PlacedPart(part.get(), OptRect{5, 6, 0, 0}, false) < narrow);
    EXPECT_FALSE(narrow < wide);
}

} // namespace
} // namespace optimization

// Placing a part into existing sheets in any of their layout styles.

#include "PassFixture.h"
#include "PlaceInAnyStyle.h"

#include <gtest/gtest.h>

namespace optimization::testing {
namespace {

std::vector<const PartProxy*> PartsOn(const OptTopLevelLayout& sheet)
{
    std::vector<const PartProxy*> parts;
    for (const PlacedPart* placed : sheet.GetPlacedParts())
        parts.push_back(placed->GetPartProxy());
    return parts;
}

// The sheet holds one 40 x 90 copy and has no room for a 30 x 40 copy; its
// stored off-cut variant was made when the sheet held a small copy instead,
// and that variant has room. Placing into it would put the small copy back
// on the sheet and lose the large one, so the stale variant is never used.
TEST(PlaceInAnyStyle, NeverPlacesIntoAStaleStyleVariant)
{
    auto stock = Stock(48, 96, 50);
    auto large = Part(1, 40, 90, 1);
    auto small = Part(2, 5, 5, 1);
    auto wanted = Part(3, 30, 40, 1);
    auto optimizer = Make(Args({stock}, {large, small, wanted}, Rules()));
    OptTopLevelLayout* sheet = AddSheet(*optimizer, stock.get(), {large.get()});
    ASSERT_NE(sheet, nullptr);
    auto old = NewSheet(*optimizer, stock.get());
    ASSERT_TRUE(PlaceAllInto(*old, {small.get()}, *optimizer));
    sheet->FileStyleLayout(MaxSideOffCut, old.get());
    ASSERT_TRUE(sheet->HasStyleLayout(MaxSideOffCut));

    CLayoutSet& set = optimizer->Job().RunState().Layouts();
    EXPECT_FALSE(PlaceInAnyStyle(wanted.get(), {sheet}, false, *optimizer, set));
    EXPECT_EQ(PartsOn(*sheet), std::vector<const PartProxy*>{large.get()});
}

} // namespace
} // namespace optimization::testing

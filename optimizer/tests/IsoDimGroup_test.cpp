// Groups of parts that share one dimension, and how many of them fit a
// region side by side.

#include "IsoDimGroup.h"
#include "TreeFixture.h"

#include <gtest/gtest.h>

namespace optimization {
namespace {

using namespace treetest;

std::vector<std::pair<std::int32_t, std::uint32_t>> Members(const IsoDimGroup& group)
{
    std::vector<std::pair<std::int32_t, std::uint32_t>> members;
    for (const auto& [part, member] : group.GetMembers())
        members.emplace_back(member.other.ToEncodedInt(), member.copies);
    return members;
}

std::vector<std::int32_t> Keys(const IsoDimGroupMap& map)
{
    std::vector<std::int32_t> keys;
    for (const auto& entry : map)
        keys.push_back(entry.first.ToEncodedInt());
    return keys;
}

TEST(IsoDimGroups, PartsJoinTheGroupsOfTheirDimensions)
{
    auto a = MakePart(300, 500, 2);                     // may turn
    auto b = MakePart(301, 800, 1, OrientationAsGiven); // within 2 counts of a's width
    auto c = MakePart(500, 500, 1);                     // square: one way only
    a->SetPosition(0);
    b->SetPosition(1);
    c->SetPosition(2);
    // The copies list order does not matter; factory order does.
    const std::vector<const PartProxy*> copies = {c.get(), b.get(), a.get(), a.get()};
    IsoDimGroupMap byWidth, byLength;
    BuildIsoDimGroups(copies, byWidth, byLength);

    EXPECT_EQ(Keys(byWidth), (std::vector<std::int32_t>{300, 500}));
    EXPECT_FALSE(byWidth.at(C(300)).GetDirectionFlag());
    EXPECT_EQ(Members(byWidth.at(C(300))),
              (std::vector<std::pair<std::int32_t, std::uint32_t>>{{500, 2}, {800, 1}}));
    EXPECT_EQ(Members(byWidth.at(C(500))),
              (std::vector<std::pair<std::int32_t, std::uint32_t>>{{300, 2}, {500, 1}}));
    EXPECT_EQ(byWidth.at(C(500)).GetMembers().at(a.get()).turned, 1);

    EXPECT_EQ(Keys(byLength), (std::vector<std::int32_t>{300, 500, 800}));
    EXPECT_TRUE(byLength.at(C(500)).GetDirectionFlag());
    EXPECT_EQ(Members(byLength.at(C(500))),
              (std::vector<std::pair<std::int32_t, std::uint32_t>>{{300, 2}, {500, 1}}));
}

TEST(IsoDimGroups, KeysMergeWithTheFirstKeyWithinTwoCounts)
{
    std::vector<std::shared_ptr<PartProxy>> parts;
    std::vector<const PartProxy*> copies;
    for (std::int32_t width : {100, 102, 104, 103}) {
        parts.push_back(MakePart(width, 900, 1, OrientationAsGiven));
        parts.back()->SetPosition(parts.size());
        copies.push_back(parts.back().get());
    }
    IsoDimGroupMap byWidth, byLength;
    BuildIsoDimGroups(copies, byWidth, byLength);
    // 102 joins 100; 104 is 4 away from 100 and founds its own key; 103 is
    // 3 away from 100 and joins 104. Keys are compared with keys only.
    EXPECT_EQ(Keys(byWidth), (std::vector<std::int32_t>{100, 104}));
    EXPECT_EQ(byWidth.at(C(100)).CountCopies(), 2u);
    EXPECT_EQ(byWidth.at(C(104)).CountCopies(), 2u);
    EXPECT_EQ(Keys(byLength), (std::vector<std::int32_t>{900}));
}

TEST(IsoDimGroups, NearlySquarePartJoinsItsGroupOnce)
{
    auto part = MakePart(500, 501, 3);
    IsoDimGroupMap byWidth, byLength;
    BuildIsoDimGroups({part.get(), part.get(), part.get()}, byWidth, byLength);
    ASSERT_EQ(byWidth.size(), 1u);
    EXPECT_EQ(byWidth.begin()->second.CountCopies(), 3u);
}

TEST(FitGroupInRectangle, CountsCopiesSideBySideWithTheSpacing)
{
    auto a = MakePart(300, 500, 2);
    auto b = MakePart(300, 800, 1, OrientationAsGiven);
    a->SetPosition(0);
    b->SetPosition(1);
    IsoDimGroup group(C(300), false);
    group.AddCopy(a.get(), C(500), 0);
    group.AddCopy(a.get(), C(500), 0);
    group.AddCopy(b.get(), C(800), 0);
    const struct {
        std::int32_t width, length;
        std::uint32_t total, fitA, fitB;
        bool partial;
    } cases[] = {
        {300, 2000, 3, 2, 1, false}, // 2 x 510 + 810 <= 2010
        {300, 1800, 2, 2, 0, true},
        {298, 2000, 3, 2, 1, false}, // 2 counts narrower still fits
        {297, 2000, 0, 0, 0, true},
        {300, 400, 0, 0, 0, true},   // the first member does not fit: stop
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.length);
        CFreeRectangle rect;
        rect.width = C(c.width);
        rect.length = C(c.length);
        EXPECT_EQ(FitGroupInRectangle(rect, group, C(10)), c.total);
        EXPECT_EQ(group.GetMembers().at(a.get()).fitCount, c.fitA);
        EXPECT_EQ(group.GetMembers().at(b.get()).fitCount, c.fitB);
        EXPECT_EQ(group.IsPartial(), c.partial);
    }
    EXPECT_EQ(group.GetRunLength(C(10)).ToEncodedInt(), 2 * 500 + 800 + 2 * 10);
    EXPECT_EQ(group.GetRunLength(C(0)).ToEncodedInt(), 1800);
    EXPECT_TRUE(group.HasMemberLyingAcross()); // a may turn and is longer than the key
}

TEST(FitGroupInRectangle, MemberWiderThanTheRegionByMoreThanTwoCountsGetsNoCopy)
{
    // Keys merge dimensions within 2 counts: b (302) shares a's key 300, but
    // a region of 299 holds a (within 2 counts) and not b (3 counts over).
    auto a = MakePart(300, 500);
    auto b = MakePart(302, 500);
    a->SetPosition(0);
    b->SetPosition(1);
    IsoDimGroup group(C(300), false);
    group.AddCopy(a.get(), C(500), 0);
    group.AddCopy(b.get(), C(500), 0);
    CFreeRectangle rect;
    rect.width = C(299);
    rect.length = C(2000);
    EXPECT_EQ(FitGroupInRectangle(rect, group, C(0)), 1u);
    EXPECT_EQ(group.GetMembers().at(a.get()).fitCount, 1u);
    EXPECT_EQ(group.GetMembers().at(b.get()).fitCount, 0u);
    EXPECT_TRUE(group.IsPartial());
}

TEST(FitGroupInRectangle, GroupAlongTheWidthUsesTheRegionsWidth)
{
    auto a = MakePart(200, 400, 5, OrientationAsGiven);
    IsoDimGroup group(C(400), true);
    for (int i = 0; i < 5; ++i)
        group.AddCopy(a.get(), C(200), 0);
    CFreeRectangle rect;
    rect.width = C(1000);
    rect.length = C(400);
    EXPECT_EQ(FitGroupInRectangle(rect, group, C(0)), 5u);
    EXPECT_FALSE(group.HasMemberLyingAcross());
}

} // namespace
} // namespace optimization

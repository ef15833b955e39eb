#include <platform/Rect.h>

#include <gtest/gtest.h>

using platform::Point;
using platform::Rect;

TEST(Rect, RightAndBottomEdgesLieOutside) {
    const Rect r(0, 0, 10, 5);
    EXPECT_TRUE(r.Contains(Point{0, 0}));
    EXPECT_TRUE(r.Contains(Point{9, 4}));
    EXPECT_FALSE(r.Contains(Point{10, 0}));
    EXPECT_FALSE(r.Contains(Point{0, 5}));
    EXPECT_FALSE(r.Contains(Point{-1, 0}));
}

TEST(Rect, IntersectionFollowsThePlatformRule) {
    struct Case { Rect a, b; bool overlaps; Rect expected; };
    const Case cases[] = {
        {{0, 0, 10, 10}, {5, 5, 15, 15}, true, {5, 5, 10, 10}},
        {{0, 0, 10, 10}, {10, 0, 20, 10}, false, {}},   // shared edge only
        {{0, 0, 10, 10}, {2, 2, 2, 8}, false, {}},      // empty operand
        {{0, 0, 10, 10}, {20, 20, 30, 30}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.b.left << "," << c.b.top);
        Rect out(1, 1, 1, 1);
        EXPECT_EQ(platform::IntersectRect(out, c.a, c.b), c.overlaps);
        EXPECT_EQ(out, c.expected);
    }
}

TEST(Rect, UnionSkipsEmptyRectangles) {
    EXPECT_EQ(platform::UnionRect(Rect(0, 0, 2, 2), Rect(5, 5, 6, 8)), Rect(0, 0, 6, 8));
    EXPECT_EQ(platform::UnionRect(Rect(), Rect(5, 5, 6, 8)), Rect(5, 5, 6, 8));
    EXPECT_EQ(Rect(3, 4, 1, 2).Normalized(), Rect(1, 2, 3, 4));
}

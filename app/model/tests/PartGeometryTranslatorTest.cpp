// The orientation transforms of the part geometry, without a mapper.
#include "model/PartGeometryTranslator.h"

#include <gtest/gtest.h>

namespace {

using platform::Point;
using platform::Rect;

constexpr int E = 100;

PartGeometryTranslator Translator(int code)
{
    return PartGeometryTranslator({ code, E }, nullptr);
}

struct OrientationCase
{
    int code;
    Rect rect; // forward of (10, 20, 30, 50)
    Point offset; // forward of (3, 4)
    Point inverse; // inverse point of (3, 4)
    Point invOffset; // inverse offset of (3, 4)
};

TEST(PartGeometryTranslatorTest, EveryCodeTransformsAsTabled)
{
    const OrientationCase cases[] = {
        { 0, { 10, 20, 30, 50 }, { 3, 4 }, { 3, 4 }, { 3, 4 } },
        { 1, { 20, 70, 50, 90 }, { 4, -3 }, { 96, 3 }, { -4, 3 } },
        { 2, { 10, 50, 30, 80 }, { 3, -4 }, { 3, 96 }, { 3, -4 } },
        { 3, { 20, 10, 50, 30 }, { 4, 3 }, { 4, 3 }, { 4, 3 } },
    };
    for (const OrientationCase& c : cases) {
        SCOPED_TRACE(c.code);
        const PartGeometryTranslator t = Translator(c.code);
        Rect r;
        Point p;
        EXPECT_EQ(t.TransformRect(r, { 10, 20, 30, 50 }), c.rect);
        EXPECT_EQ(t.TransformOffset(p, { 3, 4 }), c.offset);
        EXPECT_EQ(t.InverseTransformPoint(p, { 3, 4 }), c.inverse);
        EXPECT_EQ(t.InverseTransformOffset(p, { 3, 4 }), c.invOffset);
        // The forward rectangle stays normalised.
        EXPECT_LE(r.left, r.right);
        EXPECT_LE(r.top, r.bottom);
    }
}

TEST(PartGeometryTranslatorTest, QuarterTurnPutsTheOriginAtTheBottomLeft)
{
    Rect r;
    Translator(1).TransformRect(r, { 0, 0, 30, 20 });
    EXPECT_EQ(r, Rect(0, E - 30, 20, E));
}

TEST(PartGeometryTranslatorTest, FoldsSaturateInsteadOfWrapping)
{
    Rect r;
    PartGeometryTranslator({ 1, INT32_MAX }, nullptr).TransformRect(r, { -10, 0, 0, 0 });
    EXPECT_EQ(r.bottom, INT32_MAX);
}

} // namespace

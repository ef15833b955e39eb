#include "LayoutsTestSupport.h"
#include "OptimizationTestSupport.h"
#include "layouts/CoordinateMappers.h"
#include "model/PartGeometryTranslator.h"
#include "optimization/DisplayDiagram.h"

#include <gtest/gtest.h>

namespace {

using platform::Point;
using platform::Rect;

constexpr int E = 100;

PartGeometryTranslator Translator(int code, std::shared_ptr<CoordinateMapper> mapper = nullptr)
{
    return PartGeometryTranslator({ code, E }, mapper ? mapper : std::make_shared<NullCoordinateMapper>());
}

TEST(PartGeometryTranslatorTest, PointsAndOffsetsRoundTripForEveryCodeAndMapper)
{
    for (int code = 0; code < 4; ++code) {
        for (bool traditional : { false, true }) {
            SCOPED_TRACE(code * 10 + traditional);
            const PartGeometryTranslator t = Translator(code,
                traditional
                    ? std::shared_ptr<CoordinateMapper>(std::make_shared<TraditionalCoordinateMapper>(E))
                    : nullptr);
            for (const Point start : { Point { 0, 0 }, Point { 17, 63 }, Point { 100, 5 } }) {
                Rect r;
                t.TransformRect(r, { start.x, start.y, start.x, start.y });
                Point back;
                EXPECT_EQ(t.InverseTransformPoint(back, { r.left, r.top }), start);
                Point offset;
                t.TransformOffset(offset, start);
                EXPECT_EQ(t.InverseTransformOffset(back, offset), start);
            }
        }
    }
}

TEST(CoordinateMapperTest, TraditionalFlipsWithoutReorderingAndUnmapsNormalised)
{
    const TraditionalCoordinateMapper mapper(E);
    Rect r { 10, 20, 30, 50 };
    mapper.MapRect(r);
    EXPECT_EQ(r, Rect(10, 80, 30, 50));
    mapper.UnmapRect(r);
    EXPECT_EQ(r, Rect(10, 20, 30, 50));
    Point p { 3, 4 };
    mapper.MapVector(p);
    EXPECT_EQ(p, Point(3, 96));
    mapper.UnmapPoint(p);
    EXPECT_EQ(p, Point(3, 4));

    const NullCoordinateMapper none;
    none.MapRect(r);
    none.UnmapPoint(p);
    EXPECT_EQ(r, Rect(10, 20, 30, 50));
    EXPECT_EQ(p, Point(3, 4));
}

TEST(CoordinateMapperTest, FactoryCodeFollowsTurnAndOriginPreference)
{
    ScopedDefaultPrefs prefs;
    auto material = MakeSheetGood(QStringLiteral("Ply"));
    auto row = AddRow(*material, 0.75, 48, 96);
    StockSpec stock { material, row };
    StackPtr stack = MakeStack(stock, {}, 1);
    DisplayDiagram display(stack, 0);

    auto translator = CreatePartGeometryTranslator(display, false);
    EXPECT_EQ(translator->GetOrientation().code, 0);
    EXPECT_EQ(translator->GetOrientation().extent, Units(48));

    prefs.prefs->SetFlag(2118, true);
    EXPECT_EQ(CreatePartGeometryTranslator(display, false)->GetOrientation().code, 2);

    // A turned sheet ignores the origin preference: never code 3.
    display.ToggleOverrideRotation();
    translator = CreatePartGeometryTranslator(display, true);
    EXPECT_EQ(translator->GetOrientation().code, 1);
    EXPECT_EQ(translator->GetOrientation().extent, Units(96));
    Rect r;
    translator->TransformRect(r, { 0, 0, 10, 10 });
    EXPECT_EQ(r, Rect(0, 10, 10, 0)) << "the traditional mapper flips after the turn";
}

} // namespace

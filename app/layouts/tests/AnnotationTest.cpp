#include "DiagramFixture.h"
#include "layouts/DiagramTexts.h"
#include "layouts/MainDiagramPainter.h"
#include "layouts/ThumbnailLayoutPainter.h"

#include <gtest/gtest.h>

namespace {

using platform::Rect;

constexpr int kShowPartIds = 2027;
constexpr int kShowDimensions = 2029;
constexpr int kShowUserInfo = 2106;
constexpr int kShowDescriptions = 2108;
constexpr int kShowOffsets = 2132;

QString Inch(double inches)
{
    return CDimension::FromInches(inches).FormatDimension();
}

TEST(PartLabelTextTest, PlainLabelsFollowThePreferences)
{
    struct Case
    {
        bool ids, dims, descriptions, userInfo, rotated;
        QString description, userText;
        QString expected;
    };
    const QString dims = Inch(30) + QStringLiteral(" x ") + Inch(12);
    const Case cases[] = {
        { false, false, false, false, true, "Shelf", "jig", "" },
        { true, false, false, false, true, "Shelf", "", "[R] 7: " },
        { false, false, true, false, false, "Shelf", "", "Shelf" },
        { true, false, true, false, false, "Shelf", "", "7: \nShelf" },
        { true, false, false, true, false, "Shelf", "", "7: " },
        { true, false, false, true, false, "", "jig", "7: \n <jig>" },
        { true, false, true, true, false, "Shelf", "jig", "7: \nShelf <jig>" },
        { false, true, false, false, false, "", "", dims },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        DiagramFixture f;
        f.prefs.prefs->SetFlag(PrefId::DisplayWxL, false);
        f.prefs.prefs->SetFlag(kShowPartIds, c.ids);
        f.prefs.prefs->SetFlag(kShowDimensions, c.dims);
        f.prefs.prefs->SetFlag(kShowDescriptions, c.descriptions);
        f.prefs.prefs->SetFlag(kShowUserInfo, c.userInfo);
        const DrawnPartPtr drawn = f.Place(7, 0, 0, 30, 12, c.rotated);
        f.parts.back()->SetDescription(c.description);
        f.parts.back()->SetUserInfo(c.userText);
        EXPECT_EQ(PlainPartLabelText(*drawn), c.expected);
        if (c.dims) {
            f.prefs.prefs->SetFlag(PrefId::DisplayWxL, true);
            EXPECT_EQ(PlainPartLabelText(*drawn), Inch(12) + QStringLiteral(" x ") + Inch(30));
        }
    }
}

TEST(PartLabelTextTest, FancyLabelsDrawTheNumberAndSwapSizesOnATurnedPart)
{
    DiagramFixture f;
    f.prefs.prefs->SetFlag(kShowDimensions, true);
    f.prefs.prefs->SetFlag(kShowDescriptions, true);
    f.Place(7, 0, 0, 30, 12, true);
    f.parts.back()->SetDescription(QStringLiteral("Shelf"));
    StackPtr stack
        = MakeStack(StockSpec { f.material, AddRow(*f.material, 0.75, 48, 96) }, f.drawn, 1, { 0 }, true);
    auto driver = std::make_shared<RecordingDriver>();
    MainDiagramPainter painter(driver);
    painter.Paint(stack->MakeDisplayDiagram(0), Rect(0, 0, 400, 300), { 0, 1, 1, 0 }, true);
    ASSERT_EQ(driver->Of("number").size(), 1u);
    EXPECT_EQ(driver->Of("number")[0].text, QStringLiteral("7"));
    // The part's length (its width, MakePart's first size) runs along the
    // top; a turned part on a lengthwise sheet swaps the two.
    EXPECT_EQ(driver->Of("top")[0].text, f.parts.back()->GetWidth().FormatDimension());
    EXPECT_EQ(driver->Of("left")[0].text, f.parts.back()->GetLength().FormatDimension());
    const std::vector<RecordingDriver::Call> labels = driver->Of("label");
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, QStringLiteral("[R] Shelf"));
}

// Sheet 48 x 96 in, kerf 1/8 in. Part A spans the width up to x = 30 in,
// part B is 1 in long right after the kerf; everything is cut through.
//
//   0          30 31.125              96
//   +-----------+|+-+------------------+
//   |     A     |||B|                  |  48
//   +-----------+|+-+------------------+
struct OuterDims : ::testing::Test
{
    DiagramFixture f;
    std::shared_ptr<RecordingDriver> driver = std::make_shared<RecordingDriver>();
    MainDiagramPainter painter { driver };

    void Paint()
    {
        f.prefs.prefs->SetFlag(kShowPartIds, false);
        f.Place(1, 0, 0, 30, 48);
        f.Place(2, 30.125, 0, 1, 48);
        painter.Paint(f.Show(), Rect(0, 0, 400, 300), { 0, 1, 1, 0 }, true);
    }
    QStringList Texts() const
    {
        QStringList texts;
        for (const RecordingDriver::Call& c : driver->Of("dim"))
            texts << c.text;
        return texts;
    }
};

TEST_F(OuterDims, SegmentsGetLineTicksAndTextsButNoTextUnderTwoInches)
{
    Paint();
    EXPECT_EQ(Texts(), (QStringList { Inch(30), Inch(64.875), Inch(48) }));
    // Top edge: three segments, each a line and two ticks; left edge: one.
    const std::vector<RecordingDriver::Call> lines = driver->Of("line");
    ASSERT_EQ(lines.size(), 12u);
    const Rect inner = painter.GetInnerRect();
    const int e = inner.top - 15;
    EXPECT_EQ(lines[0].rect, Rect(inner.left, e, lines[0].rect.right, e));
    EXPECT_EQ(lines[1].rect, Rect(inner.left - 3, e + 6, inner.left + 3, e - 6));
    // The texts sit 10 units further out than the ticks, along the edge.
    const RecordingDriver::Call first = driver->Of("dim")[0];
    EXPECT_EQ(first.rect.top, e - 6 - 10);
    EXPECT_EQ(first.rect.bottom, e + 6 - 10);
    EXPECT_FALSE(first.vertical);
    EXPECT_TRUE(driver->Of("dim")[2].vertical) << "left-edge texts are turned";
}

TEST_F(OuterDims, ALabelWiderThanItsSegmentIsLeftOut)
{
    // Two strips of about 3 inches: over the 2-inch threshold, but at this
    // scale (about 3.6 units an inch) narrower than their texts.
    f.prefs.prefs->SetFlag(kShowPartIds, false);
    f.Place(1, 0, 0, 30, 48);
    f.Place(2, 30.125, 0, 3, 48);
    f.Place(3, 33.25, 0, 2.5, 48);
    painter.Paint(f.Show(), Rect(0, 0, 400, 300), { 0, 1, 1, 0 }, true);
    // Segments 30, 3 1/8, 2 5/8 and 60 1/4 along the top; 48 on the left.
    EXPECT_EQ(Texts(), (QStringList { Inch(30), Inch(60.25), Inch(48) }));
    for (const RecordingDriver::Call& c : driver->Of("dim")) {
        SCOPED_TRACE(c.text.toStdString());
        const Rect r = c.rect.Normalized();
        EXPECT_LE(driver->GetTextWidth(c.text), c.vertical ? r.Height() : r.Width());
    }
}

TEST_F(OuterDims, OffsetsShowTheOriginMarkAndDistancesFromIt)
{
    f.prefs.prefs->SetFlag(kShowOffsets, true);
    Paint();
    EXPECT_EQ(Texts(), (QStringList { QStringLiteral("\u00D8"), Inch(30), Inch(96), Inch(48) }));
    const Rect mark = driver->Of("dim")[0].rect;
    EXPECT_EQ(mark.right, painter.GetInnerRect().left);
    EXPECT_EQ(mark.bottom, painter.GetInnerRect().top) << "above the top edge";
    // One straight tick per segment, none at the starts.
    const std::vector<RecordingDriver::Call> lines = driver->Of("line");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].rect.left, lines[0].rect.right);
}

TEST(ThumbnailPainterTest, ThumbnailsShowNoLabelsAndNoOuterDimensions)
{
    DiagramFixture f;
    f.Place(1, 0, 0, 30, 48);
    auto driver = std::make_shared<RecordingDriver>();
    ThumbnailLayoutPainter(driver, true).Paint(f.Show(), Rect(0, 0, 200, 100), { 1, 1, 0, 0 }, true);
    EXPECT_TRUE(driver->Of("label").empty());
    EXPECT_TRUE(driver->Of("dim").empty());
    EXPECT_TRUE(driver->Of("line").empty());
}

} // namespace

#include "DiagramFixture.h"
#include "layouts/CDCScreenDriver.h"
#include "layouts/DiagramTexts.h"
#include "layouts/MainDiagramPainter.h"
#include "layouts/ThumbnailLayoutPainter.h"
#include "platform/ui/ColorRef.h"

#include <gtest/gtest.h>

namespace {

using platform::Rect;

constexpr int kShowPartIds = 2027;
constexpr int kShowGrain = 2093;
constexpr int kScreenWasteColor = 3011;

class ProbeThumbnail : public ThumbnailLayoutPainter
{
public:
    using ThumbnailLayoutPainter::ThumbnailLayoutPainter;
    std::vector<std::pair<int, int>> trims;
    void DrawTrims(const Rect& rect, int trimX, int trimY) override
    {
        trims.emplace_back(trimX, trimY);
        ThumbnailLayoutPainter::DrawTrims(rect, trimX, trimY);
    }
    void Fill(const Rect& rect, int kind) { FillPart(rect, kind); }
};

QColor Rgb(unsigned colorRef)
{
    return platform::ToQColor(colorRef);
}

TEST(LayoutPainterTest, LabelsTurnAboveTwoPointOneAndRetryWithDashesBeforeTheFallback)
{
    auto driver = std::make_shared<RecordingDriver>();
    MainDiagramPainter painter(driver);

    painter.DrawPartLabelText(QStringLiteral("7"), Rect(0, 0, 10, 21), Rect(0, 0, 16, 27));
    painter.DrawPartLabelText(QStringLiteral("7"), Rect(0, 0, 10, 20), Rect(0, 0, 16, 26));
    ASSERT_EQ(driver->Of("label").size(), 2u);
    EXPECT_TRUE(driver->Of("label")[0].vertical);
    EXPECT_FALSE(driver->Of("label")[1].vertical);

    driver->calls.clear();
    driver->fits = [](const QString& text, const Rect&, bool) { return !text.contains(QLatin1Char('\n')); };
    painter.DrawPartLabelText(QStringLiteral("7:\nShelf"), Rect(0, 0, 50, 20), Rect(0, 0, 56, 26));
    EXPECT_EQ(driver->Ops(), (QStringList { "fits", "fits", "label" }));
    EXPECT_EQ(driver->calls[2].text, QStringLiteral("7: - Shelf"));
    EXPECT_EQ(driver->calls[2].rect, Rect(0, 0, 50, 20));

    driver->calls.clear();
    driver->fits = [](const QString&, const Rect&, bool) { return false; };
    painter.DrawPartLabelText(QStringLiteral("7:\nShelf"), Rect(0, 0, 50, 20), Rect(0, 0, 56, 26));
    EXPECT_EQ(driver->Ops(), (QStringList { "fits", "fits", "label" }));
    EXPECT_EQ(driver->calls[2].rect, Rect(0, 0, 56, 26)) << "the fallback writes into the whole part";
}

TEST(LayoutPainterTest, DraggedPartIsDrawnLastOrNotAtAll)
{
    DiagramFixture f;
    f.prefs.prefs->SetFlag(kShowPartIds, false);
    const DrawnPartPtr dragged = f.Place(1, 0, 0, 20, 10);
    const DrawnPartPtr other = f.Place(2, 30, 0, 20, 10);
    const DisplayDiagramPtr diagram = f.Show();
    const DiagramHighlight highlight { dragged->GetPart(), false, dragged->GetSheetRect(), true };

    auto driver = std::make_shared<RecordingDriver>();
    MainDiagramPainter painter(driver);
    painter.SetHighlight(highlight, false);
    painter.Paint(diagram, Rect(0, 0, 400, 300), { 0, 1, 1, 0 }, true);
    std::vector<RecordingDriver::Call> rects = driver->Of("rect");
    ASSERT_EQ(rects.size(), 3u); // sheet, other part, dragged part
    EXPECT_EQ(rects[1].rect, other->GetScreenRect());
    EXPECT_EQ(rects[2].rect, dragged->GetScreenRect());

    driver->calls.clear();
    painter.Paint(diagram, Rect(0, 0, 400, 300), { 0, 1, 1, 0 }, false);
    EXPECT_EQ(driver->Of("rect").size(), 2u);

    // In pixels: the dragged colour, then the waste where it is left out.
    for (bool last : { true, false }) {
        QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter dc(&image);
        MainDiagramPainter screen(std::make_shared<CDCScreenDriver>(&dc));
        screen.SetHighlight(highlight, false);
        screen.Paint(diagram, Rect(0, 0, 400, 300), { 0, 1, 1, 0 }, last);
        dc.end();
        const Rect r = dragged->GetScreenRect();
        EXPECT_EQ(QColor(image.pixel(r.left + 3, r.bottom - 3)),
            last ? Rgb(ThumbnailLayoutPainter::kDraggedPartColor) : QColor(Qt::white));
        const Rect o = other->GetScreenRect();
        EXPECT_EQ(QColor(image.pixel(o.left + 3, o.bottom - 3)), Rgb(0xFEDCD3));
    }
}

TEST(LayoutPainterTest, TrimsOfTwoCountsDrawNoBandAndASheetWithoutExtentDrawsNothing)
{
    struct Case
    {
        double width, length, trim;
        std::pair<int, int> expected;
    };
    const Case cases[] = {
        { 48, 96, 2.0 / CDimension::UnitsPerInch, { 0, 0 } },
        { 48, 96, 3.0 / CDimension::UnitsPerInch, { 0, 0 } }, // thinner than a pixel
        { 48, 96, 4.0, { 8, 8 } }, // 4 in of 96 in on 196 px, of 48 in on 96 px
        { 0, 96, 4.0, { 0, 0 } },
        { 48, 0, 4.0, { 0, 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width * 1000 + c.trim);
        DiagramFixture f;
        f.Place(1, 10, 10, 20, 10);
        auto driver = std::make_shared<RecordingDriver>();
        ProbeThumbnail painter(driver, false);
        painter.Paint(f.Show(c.width, c.length, c.trim, c.trim), Rect(0, 0, 200, 100), { 1, 1, 0, 0 }, true);
        ASSERT_EQ(painter.trims.size(), 1u);
        EXPECT_EQ(painter.trims[0], c.expected);
        const bool drawable = c.width > 0 && c.length > 0;
        EXPECT_EQ(driver->Of("rect").size(), (drawable ? 2u : 1u) + (c.expected.first > 0 ? 4u : 0u));
    }
}

TEST(LayoutPainterTest, HeaderBandLiesAtTheBottomAndLinesThatDoNotFitAreSkipped)
{
    DiagramFixture f;
    const DisplayDiagramPtr diagram = f.Show();
    auto driver = std::make_shared<RecordingDriver>();
    MainDiagramPainter painter(driver);
    painter.Paint(diagram, Rect(0, 0, 400, 300), { 0, 2, 5, 0 }, true);
    // Lines of 5 + 3 + 10 with a gap of 3: two lines from 261 down.
    EXPECT_EQ(painter.GetHeaderRect(), Rect(0, 261, 400, 300));
    EXPECT_EQ(painter.GetBodyRect(), Rect(10, 10, 390, 246));
    const std::vector<RecordingDriver::Call> items = driver->Of("framed");
    ASSERT_EQ(items.size(), 9u); // caption, grain, vendor, bin; diagram, quantity, trim, kerf, waste
    EXPECT_EQ(items[0].rect.right, 400) << "items are drawn from the right";
    EXPECT_EQ(items[3].rect.left, 60) << "the first item takes the spare width after the buttons";
    EXPECT_TRUE(items[3].text.startsWith(QStringLiteral("[2] Ply: ")));
    EXPECT_EQ(items[8].text, QStringLiteral("Diagram 2 of 5"));

    driver->calls.clear();
    painter.Paint(diagram, Rect(0, 0, 400, 20), { 0, 2, 5, 0 }, true);
    EXPECT_EQ(painter.GetHeaderRect().top, 0);
    EXPECT_EQ(driver->Of("framed").size(), 4u);

    // Widths: equal shares with the remainder first; measured widths clipped
    // from the last item to the first, or the spare width to the named item.
    EXPECT_EQ(painter.LayOutHeaderItems({ { { "a" }, { "b" }, { "c" } }, false, 0 }, 100),
        (std::vector<int> { 32, 31, 31 }));
    EXPECT_EQ(
        painter.LayOutHeaderItems({ { { "aaaa" }, { "bb" } }, true, 0 }, 40), (std::vector<int> { 15, 22 }));
    EXPECT_EQ(
        painter.LayOutHeaderItems({ { { "aaaa" }, { "bb" } }, true, 1 }, 100), (std::vector<int> { 34, 63 }));
}

TEST(LayoutPainterTest, TinyAreasDrawNothingOrAtLeastTenByTen)
{
    DiagramFixture f;
    const DisplayDiagramPtr diagram = f.Show();
    for (const Rect area : { Rect(0, 0, 4, 4), Rect(0, 0, 4, 100), Rect(0, 0, 100, 4) }) {
        auto driver = std::make_shared<RecordingDriver>();
        ThumbnailLayoutPainter(driver, false).Paint(diagram, area, { 1, 1, 0, 0 }, true);
        EXPECT_TRUE(driver->calls.empty());
    }
    auto driver = std::make_shared<RecordingDriver>();
    ThumbnailLayoutPainter(driver, false).Paint(diagram, Rect(0, 0, 5, 5), { 1, 1, 0, 0 }, true);
    EXPECT_FALSE(driver->Of("rect").empty());

    MainDiagramPainter main(std::make_shared<RecordingDriver>());
    main.Paint(diagram, Rect(0, 0, 30, 30), { 0, 1, 1, 0 }, true);
    EXPECT_GE(main.GetDiagramRectangle().Width(), MainDiagramPainter::kMinDiagramSize);
    EXPECT_GE(main.GetDiagramRectangle().Height(), MainDiagramPainter::kMinDiagramSize);
}

TEST(LayoutPainterTest, GrainHatchColoursAndWasteBrushKinds)
{
    DiagramFixture f;
    f.material->GetGrainInfoForEdit().SetHasGrain(true);
    const DisplayDiagramPtr diagram = f.Show();
    auto driver = std::make_shared<RecordingDriver>();
    ProbeThumbnail painter(driver, false);

    painter.Paint(diagram, Rect(0, 0, 200, 100), { 1, 1, 0, 0 }, true);
    EXPECT_EQ(painter.GetGrainHatchAcross().color(), QColor(0xC8, 0xC8, 0xC8))
        << "white waste hatches light grey";
    EXPECT_EQ(painter.GetGrainHatchAcross().style(), Qt::HorPattern);
    EXPECT_EQ(painter.GetGrainHatchAlong().style(), Qt::VerPattern);
    EXPECT_EQ(painter.WasteBrushKind(), WasteBrush::HatchAcross);
    diagram->ToggleOverrideRotation();
    EXPECT_EQ(painter.WasteBrushKind(), WasteBrush::HatchAlong);

    f.prefs.prefs->SetInt(kScreenWasteColor, 0x0000FF);
    painter.Paint(diagram, Rect(0, 0, 200, 100), { 1, 1, 0, 0 }, true);
    EXPECT_EQ(painter.GetGrainHatchAlong().color(), QColor(0xFF, 0, 0));
    EXPECT_EQ(painter.GetWasteBrush().color(), QColor(0xFF, 0, 0));

    f.material->GetGrainInfoForEdit().SetHasGrain(false);
    EXPECT_EQ(painter.WasteBrushKind(), WasteBrush::White);
    f.prefs.prefs->SetFlag(kShowGrain, false);
    EXPECT_EQ(painter.WasteBrushKind(), WasteBrush::Waste);
}

TEST(LayoutPainterTest, PartFillsByClassAndRefusedDropsInTheirOwnColour)
{
    ScopedDefaultPrefs prefs;
    QImage image(40, 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter dc(&image);
    auto driver = std::make_shared<CDCScreenDriver>(&dc);
    ProbeThumbnail painter(driver, false);
    dc.setPen(Qt::NoPen);
    for (int kind = 0; kind < 4; ++kind)
        painter.Fill(Rect(kind * 10, 0, kind * 10 + 10, 10), kind);
    dc.end();
    EXPECT_EQ(QColor(image.pixel(5, 5)), Rgb(0xFEDCD3));
    EXPECT_EQ(QColor(image.pixel(15, 5)), Rgb(0xCAFFFF));
    EXPECT_EQ(QColor(image.pixel(25, 5)), Rgb(0x99C99B));
    EXPECT_EQ(QColor(image.pixel(35, 5)), QColor(0xFF, 0x8C, 0x8C));
}

TEST(LayoutPainterTest, CaptionOfADiagramTheIndexDoesNotKnowHasNoLetter)
{
    DiagramFixture f;
    const DisplayDiagramPtr diagram = f.Show();
    QString caption;
    ASSERT_NO_THROW(caption = StockCaptionText(*diagram, 3));
    EXPECT_TRUE(caption.startsWith(QStringLiteral("[3] Ply: "))) << caption.toStdString();
    EXPECT_TRUE(caption.endsWith(QLatin1Char(' ')));
    EXPECT_FALSE(StockCaptionText(*diagram, 0).endsWith(QLatin1Char(' ')));
}

} // namespace

namespace {

TEST(DiagramHighlightTest, WorkingCopyKeepsTheSelectionAndClearsTheDragMark)
{
    CMilledPart part;
    const TakeOffSelection armed { &part, true, platform::Rect(1, 2, 3, 4), true };
    DiagramHighlight copy;
    CopyViewStateRecord(copy, armed);
    EXPECT_EQ(copy, (TakeOffSelection { &part, true, platform::Rect(1, 2, 3, 4), false }));
}

} // namespace

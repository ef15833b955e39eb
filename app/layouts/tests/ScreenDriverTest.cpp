#include "LayoutsTestSupport.h"
#include "foundation/UIResources.h"
#include "layouts/BadgePainter.h"
#include "layouts/CDCScreenDriver.h"
#include "layouts/DashedBarPainter.h"
#include "layouts/GDIScopes.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using platform::Rect;

struct Canvas
{
    explicit Canvas(int w = 200, int h = 200)
        : image(w, h, QImage::Format_ARGB32_Premultiplied)
    {
        image.fill(Qt::white);
        painter.begin(&image);
        painter.setFont(MakePointFont(QStringLiteral("DejaVu Sans"), 100));
    }
    QImage Finish()
    {
        painter.end();
        return image;
    }
    QImage image;
    QPainter painter;
};

QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

TEST(ScreenDriverTest, TextFitIsStrictAndWidthNeedsOneAndAHalfTimes)
{
    Canvas canvas;
    CDCScreenDriver driver(&canvas.painter);
    const QString text = QStringLiteral("Shelf");
    const QFontMetrics fm(canvas.painter.font(), canvas.painter.device());
    // The height of the text word-wrapped into the rectangle's width.
    const int h
        = fm.boundingRect(QRect(0, 0, 150, 1000), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text)
              .height();
    EXPECT_FALSE(driver.TextFitsHeight(text, Rect(0, 0, 150, h), false)) << "exactly as tall does not fit";
    EXPECT_TRUE(driver.TextFitsHeight(text, Rect(0, 0, 150, h + 1), false));
    EXPECT_FALSE(driver.TextFitsHeight(text, Rect(0, 0, h, 150), true));
    EXPECT_TRUE(driver.TextFitsHeight(text, Rect(0, 0, h + 1, 150), true));

    // Up to 1.5 times the text's width (exactly, when that is whole) is too narrow.
    const int w = fm.horizontalAdvance(text);
    EXPECT_FALSE(driver.TextFitsWidth(text, Rect(0, 0, w * 3 / 2, 10)));
    EXPECT_TRUE(driver.TextFitsWidth(text, Rect(w * 3 / 2 + 1, 0, 0, 10))) << "widths are absolute";
    EXPECT_EQ(driver.GetTextWidth(QString()), 10);
}

TEST(ScreenDriverTest, TurnedLabelIsWrittenAsOneLineJoinedByDash)
{
    const Rect rect(20, 10, 60, 190);
    Canvas joined, twoLines;
    CDCScreenDriver(&joined.painter).DrawLabel(QStringLiteral("12 - Shelf"), rect, true, 0);
    CDCScreenDriver(&twoLines.painter).DrawLabel(QStringLiteral("12\nShelf"), rect, true, 0);
    const QImage a = joined.Finish(), b = twoLines.Finish();
    EXPECT_EQ(a, b);
    // Something was drawn, and only inside the rectangle.
    bool inked = false, outside = false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (At(a, x, y) != QColor(Qt::white))
                (platform::Rect(rect).Contains(x, y) ? inked : outside) = true;
    EXPECT_TRUE(inked);
    EXPECT_FALSE(outside);
}

TEST(ScreenDriverTest, BadgeIsPremultipliedAndSixteenSquareAtTheBottomRight)
{
    const QImage& badge = BadgePainter::Get()->GetImage();
    EXPECT_EQ(badge.size(), QSize(16, 16));
    EXPECT_EQ(badge.format(), QImage::Format_ARGB32_Premultiplied);
    // A half-transparent rim pixel of the red head: 0xD0 * 128 / 255, rounded.
    const QRgb rim = reinterpret_cast<const QRgb*>(badge.constScanLine(1))[7];
    EXPECT_EQ(qAlpha(rim), 128);
    EXPECT_EQ(qRed(rim), 104);

    Canvas canvas(40, 40);
    BadgePainter::Get()->Draw(canvas.painter, Rect(10, 10, 20, 20));
    const QImage image = canvas.Finish();
    // The badge spans 4..19 although the rectangle starts at 10.
    EXPECT_EQ(At(image, 4 + 7, 4 + 5), QColor(0xD0, 0x20, 0x20));
    EXPECT_EQ(At(image, 4 + 7, 4 + 14), QColor(0x60, 0x60, 0x60));
    EXPECT_EQ(At(image, 20, 20), QColor(Qt::white));
    EXPECT_EQ(At(image, 4, 19), QColor(Qt::white)) << "transparent corner";
}

TEST(ScreenDriverTest, DashedBarDrawsDashesOfTwentyAndAShortBarAsOneRectangle)
{
    const QColor orange(0xF2, 0x79, 0x18);
    Canvas canvas(100, 40);
    DashedBarPainter bars(&canvas.painter);
    bars.Draw(false, Rect(0, 0, 15, 4));
    bars.Draw(false, Rect(0, 10, 60, 14));
    bars.Draw(true, Rect(80, 0, 84, 40));
    const QImage image = canvas.Finish();
    EXPECT_EQ(At(image, 14, 2), orange);
    EXPECT_EQ(At(image, 15, 2), QColor(Qt::white));
    for (auto [x, expected] :
        { std::pair { 19, true }, { 20, false }, { 34, false }, { 35, true }, { 54, true }, { 55, false } })
        EXPECT_EQ(At(image, x, 12) == orange, expected) << x;
    EXPECT_EQ(At(image, 82, 19), orange);
    EXPECT_EQ(At(image, 82, 20), QColor(Qt::white));
    EXPECT_EQ(At(image, 82, 35), orange);
}

TEST(ScreenDriverTest, ScopesRestoreThePainterState)
{
    Canvas canvas;
    QPainter* dc = &canvas.painter;
    CDCScreenDriver driver(dc);
    const QFont before = dc->font();
    {
        CGDITextColor text(dc, 0x0000FF);
        CGDIBackColor back(dc, 0x00FF00);
        CGDIBackMode mode(dc, Qt::TransparentMode);
        CGDIObject<QFont> font(dc, MakePointFont(QStringLiteral("DejaVu Sans"), 300));
        CGDIStockObject brush(dc, StockObject::WhiteBrush);
        EXPECT_EQ(dc->pen().color(), QColor(0xFF, 0, 0));
        EXPECT_EQ(dc->background().color(), QColor(0, 0xFF, 0));
        EXPECT_EQ(dc->backgroundMode(), Qt::TransparentMode);
        EXPECT_EQ(dc->brush().color(), QColor(Qt::white));
    }
    EXPECT_EQ(dc->pen().color(), QColor(Qt::black));
    EXPECT_EQ(dc->background().color(), QColor(Qt::white));
    EXPECT_EQ(dc->backgroundMode(), Qt::OpaqueMode);
    EXPECT_EQ(dc->brush().style(), Qt::NoBrush);
    EXPECT_EQ(dc->font(), before);
}

TEST(ScreenDriverTest, PartNumberReferenceHeightFollowsTheFontPreferences)
{
    ScopedDefaultPrefs prefs;
    Canvas canvas;
    const int first = FancyPartNumberReferenceHeight(&canvas.image);
    EXPECT_GT(first, 0);
    prefs.prefs->SetInt(3058, 320);
    const int larger = FancyPartNumberReferenceHeight(&canvas.image);
    EXPECT_GT(larger, first * 3 / 2);
    prefs.prefs->SetInt(3058, 160);
    EXPECT_EQ(FancyPartNumberReferenceHeight(&canvas.image), first);

    // A part below the reference height gets a smaller font, never below
    // "Small Parts Height", which is not bold.
    EXPECT_TRUE(FancyPartNumberFont(first + 5, &canvas.image).bold());
    const QFont tiny = FancyPartNumberFont(2, &canvas.image);
    EXPECT_FALSE(tiny.bold());
    EXPECT_DOUBLE_EQ(tiny.pointSizeF(), 8.0);
}

} // namespace

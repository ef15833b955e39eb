#include "platform/ui/ColorRef.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

using namespace platform;

TEST(ColorRef, RedIsTheLowByte)
{
    EXPECT_EQ(ToQColor(0x00C80000), QColor(0, 0, 200));
    EXPECT_EQ(ToQColor(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), 0x00030201u);
    EXPECT_EQ(MakeColorRef(220, 220, 220), 0x00DCDCDCu);
    // The high byte carries no alpha.
    EXPECT_EQ(ToQColor(0xFF00FF00).alpha(), 255);
}

TEST(ColorRef, HatchCodesFollowTheirNames)
{
    EXPECT_EQ(HatchBrushStyle(0), Qt::HorPattern);
    EXPECT_EQ(HatchBrushStyle(1), Qt::VerPattern);
    EXPECT_EQ(HatchBrushStyle(4), Qt::CrossPattern);
    EXPECT_EQ(HatchBrushStyle(5), Qt::DiagCrossPattern);
    EXPECT_EQ(HatchBrushStyle(6), Qt::NoBrush);
    for (int hatch = 0; hatch < 6; ++hatch)
        EXPECT_EQ(HatchFromBrushStyle(HatchBrushStyle(hatch)), hatch);
    EXPECT_EQ(HatchFromBrushStyle(Qt::SolidPattern), -1);
    EXPECT_EQ(HatchBrushStyle(-1), Qt::NoBrush);

    // Forward diagonal lines fall to the right, backward ones rise: a black
    // pixel's lower right neighbour is black for the first only.
    auto lineFalls = [](int code) {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.fillRect(image.rect(), QBrush(Qt::black, HatchBrushStyle(code)));
        painter.end();
        for (int x = 4; x < 12; ++x)
            if (image.pixel(x, 8) == qRgb(0, 0, 0))
                return image.pixel(x + 1, 9) == qRgb(0, 0, 0);
        ADD_FAILURE() << "no line in row 8";
        return false;
    };
    EXPECT_TRUE(lineFalls(2));
    EXPECT_FALSE(lineFalls(3));
}

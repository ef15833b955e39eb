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

TEST(ColorRef, ForwardDiagonalHatchRisesToTheRight)
{
    // Hatch 2 draws lines from lower left to upper right: in a 16 x 16 fill,
    // a lit pixel at (x, y) has its neighbour lit at (x + 1, y - 1).
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.fillRect(image.rect(), QBrush(Qt::black, HatchBrushStyle(2)));
    }
    int rising = 0, falling = 0;
    for (int y = 1; y < 15; ++y)
        for (int x = 1; x < 15; ++x)
            if (image.pixel(x, y) == qRgb(0, 0, 0)) {
                rising += image.pixel(x + 1, y - 1) == qRgb(0, 0, 0);
                falling += image.pixel(x + 1, y + 1) == qRgb(0, 0, 0);
            }
    EXPECT_GT(rising, 0);
    EXPECT_EQ(falling, 0);
    EXPECT_EQ(HatchBrushStyle(9), Qt::SolidPattern);
}

#include "platform/ui/ColorRef.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace platform::ui;

TEST(ColorRefTest, ConvertsBothWaysInBlueGreenRedOrder)
{
    const QColor brown = ColorFromColorRef(0x002A2AA5);
    EXPECT_EQ(brown, QColor(165, 42, 42));
    EXPECT_EQ(ColorRefFromColor(QColor(165, 42, 42)), 0x002A2AA5u);
    // The marker byte of special values is not a colour.
    EXPECT_EQ(ColorFromColorRef(0xFF0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorRefFromColor(QColor(0, 0, 255, 10)), 0x00FF0000u);
}

TEST(ColorRefTest, HatchCodesFollowTheirNames)
{
    EXPECT_EQ(HatchStyle(0), Qt::HorPattern);
    EXPECT_EQ(HatchStyle(1), Qt::VerPattern);
    EXPECT_EQ(HatchStyle(4), Qt::CrossPattern);
    EXPECT_EQ(HatchStyle(5), Qt::DiagCrossPattern);
    EXPECT_EQ(HatchStyle(6), Qt::NoBrush);
    EXPECT_EQ(HatchStyle(-1), Qt::NoBrush);

    // Forward diagonal lines fall to the right, backward ones rise: a black
    // pixel's lower right neighbour is black for the first, its lower left one
    // for the second.
    auto lineFalls = [](int code) {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.fillRect(image.rect(), QBrush(Qt::black, HatchStyle(code)));
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

#include "platform/ui/ColorRef.h"

#include <gtest/gtest.h>

TEST(ColorRef, RedLivesInTheLowByte)
{
    struct Case
    {
        platform::ColorRef value;
        int red, green, blue;
    };
    const Case cases[] = {
        { 0x002A2AA5, 165, 42, 42 },
        { 0x000000FF, 255, 0, 0 },
        { 0x00FF0000, 0, 0, 255 },
        { 0xFF00FF00, 0, 255, 0 }, // the high byte carries no colour
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const QColor color = platform::ColorFromColorRef(c.value);
        EXPECT_EQ(color, QColor(c.red, c.green, c.blue));
        EXPECT_EQ(platform::ColorRefFromColor(color), c.value & 0xFFFFFF);
        EXPECT_EQ(platform::MakeColorRef(c.red, c.green, c.blue), c.value & 0xFFFFFF);
    }
}

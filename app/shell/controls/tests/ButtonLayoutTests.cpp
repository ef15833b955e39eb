#include "shell/controls/ButtonLayout.h"

#include <gtest/gtest.h>

namespace {

struct LayoutCase
{
    const char* name;
    QSize content;
    QSize image;
    QSize text;
    Qt::Alignment alignment;
    bool pressed;
    bool toggledOn;
    QRect expectedImage;
    QRect expectedText;
};

} // namespace

TEST(ButtonLayoutTest, PlacesImageAndTextByAlignment)
{
    const Qt::Alignment center = Qt::AlignCenter;
    const LayoutCase cases[] = {
        // Text only, 40 x 14 in 100 x 30: a 54 x 26 box.
        { "centred", { 100, 30 }, {}, { 40, 14 }, center, false, false, {}, { 30, 8, 40, 14 } },
        { "left", { 100, 30 }, {}, { 40, 14 }, Qt::AlignLeft | Qt::AlignVCenter, false, false, {},
            { 7, 8, 40, 14 } },
        { "right", { 100, 30 }, {}, { 40, 14 }, Qt::AlignRight | Qt::AlignVCenter, false, false, {},
            { 53, 8, 40, 14 } },
        { "top", { 100, 30 }, {}, { 40, 14 }, Qt::AlignHCenter | Qt::AlignTop, false, false, {},
            { 30, 6, 40, 14 } },
        { "bottom", { 100, 30 }, {}, { 40, 14 }, Qt::AlignHCenter | Qt::AlignBottom, false, false, {},
            { 30, 10, 40, 14 } },
        { "left and right together centre", { 100, 30 }, {}, { 40, 14 },
            Qt::AlignLeft | Qt::AlignRight | Qt::AlignVCenter, false, false, {}, { 30, 8, 40, 14 } },
        { "too wide text is cut to the button", { 100, 30 }, {}, { 120, 14 }, center, false, false, {},
            { 7, 8, 86, 14 } },
        { "too high text is cut to the button", { 100, 30 }, {}, { 40, 30 }, center, false, false, {},
            { 30, 6, 40, 18 } },
        { "no text", { 100, 30 }, {}, {}, center, false, false, {}, {} },
        { "pressed moves by 2", { 100, 30 }, {}, { 40, 14 }, center, true, false, {}, { 32, 10, 40, 14 } },
        { "toggled on moves by 1", { 100, 30 }, {}, { 40, 14 }, center, false, true, {}, { 31, 9, 40, 14 } },
        { "pressed wins over toggled", { 100, 30 }, {}, { 40, 14 }, center, true, true, {},
            { 32, 10, 40, 14 } },
        // Image 16 x 16: side by side when vertically centred.
        { "image then text", { 100, 30 }, { 16, 16 }, { 40, 14 }, center, false, false, { 5, 7, 16, 16 },
            { 33, 8, 40, 14 } },
        { "text then image", { 100, 30 }, { 16, 16 }, { 40, 14 }, Qt::AlignRight | Qt::AlignVCenter, false,
            false, { 52, 7, 16, 16 }, { 0, 8, 40, 14 } },
        { "image above text", { 100, 60 }, { 16, 16 }, { 40, 14 }, Qt::AlignHCenter | Qt::AlignTop, false,
            false, { 42, 5, 16, 16 }, { 30, 32, 40, 14 } },
        { "image below text", { 100, 60 }, { 16, 16 }, { 40, 14 }, Qt::AlignHCenter | Qt::AlignBottom, false,
            false, { 42, 39, 16, 16 }, { 30, 6, 40, 14 } },
        { "image only", { 100, 30 }, { 16, 16 }, {}, center, false, false, { 42, 7, 16, 16 }, {} },
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        ButtonLayoutInput input;
        input.content = c.content;
        input.image = c.image;
        input.text = c.text;
        input.alignment = c.alignment;
        input.pressed = c.pressed;
        input.toggledOn = c.toggledOn;
        const ButtonLayoutResult result = CalcButtonLayout(input);
        EXPECT_EQ(result.button, QRect(QPoint(0, 0), c.content));
        EXPECT_EQ(result.image, c.expectedImage);
        EXPECT_EQ(result.text, c.expectedText);
    }
}

TEST(ButtonLayoutTest, FitSizeHoldsTheContent)
{
    EXPECT_EQ(CalcButtonFitSize({}, {}, Qt::AlignCenter), QSize(14, 12));
    EXPECT_EQ(CalcButtonFitSize({}, { 40, 14 }, Qt::AlignCenter), QSize(54, 26));
    EXPECT_EQ(CalcButtonFitSize({ 16, 16 }, {}, Qt::AlignCenter), QSize(26, 26));
    EXPECT_EQ(CalcButtonFitSize({ 16, 16 }, { 40, 14 }, Qt::AlignCenter), QSize(73, 26));
    EXPECT_EQ(CalcButtonFitSize({ 16, 16 }, { 40, 14 }, Qt::AlignHCenter | Qt::AlignTop), QSize(54, 46));
}

#include <platform/Utf.h>

#include <gtest/gtest.h>

TEST(Utf, ConvertsBothWaysAndReplacesDamage)
{
    struct Case
    {
        std::u16string utf16;
        std::string utf8;
    };
    const Case roundTrips[] = {
        { u"", "" },
        { u"abc", "abc" },
        { u"\u00E9\u20AC", "\xC3\xA9\xE2\x82\xAC" },
        { u"\U0001F600", "\xF0\x9F\x98\x80" },
    };
    for (const Case& c : roundTrips) {
        EXPECT_EQ(platform::ToUtf8(c.utf16), c.utf8);
        EXPECT_EQ(platform::FromUtf8(c.utf8), c.utf16);
    }
    EXPECT_EQ(platform::ToUtf8(std::u16string(1, char16_t(0xD800)) + u"a"),
        "\xEF\xBF\xBD"
        "a");
    const Case damaged[] = {
        { u"\uFFFDa",
            "\xFF"
            "a" },
        { u"\uFFFDa",
            "\xC3"
            "a" }, // cut sequence
        { u"\uFFFD", "\xC0\x80" }, // overlong
        { u"\uFFFD", "\xED\xA0\x80" }, // encoded surrogate
        { u"x\uFFFD", "x\xE2\x82" }, // cut at the end
    };
    for (const Case& c : damaged) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(platform::FromUtf8(c.utf8), c.utf16);
    }
}

#include "foundation/LocaleFormat.h"

#include <QLocale>

#include <gtest/gtest.h>

TEST(LocaleFormat, NumbersInThePinnedLocale)
{
    struct Case
    {
        const char* locale;
        double x;
        int decimals;
        bool grouping;
        const char* text;
    };
    const Case cases[] = {
        { "en_US", 1234567.891, 2, true, "1,234,567.89" },
        { "en_US", 1234567.891, 2, false, "1234567.89" },
        { "en_US", 2.675, 2, false, "2.68" }, // rounded on the printed text, half away from zero
        { "en_US", -0.125, 2, false, "-0.13" },
        { "en_US", -0.001, 2, false, "0.00" }, // no negative zero
        { "en_US", 999.996, 2, true, "1,000.00" },
        { "en_US", 0.5, 0, false, "1" },
        { "en_US", 7, 3, false, "7.000" },
        { "de_DE", 1234.5, 2, true, "1.234,50" },
        { "de_DE", -1234.5, 1, false, "-1234,5" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QLocale::setDefault(QLocale(QString::fromUtf8(c.locale)));
        EXPECT_EQ(FormatLocaleNumber(c.x, c.decimals, c.grouping), QString::fromUtf8(c.text));
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(FormatPercent(12.345, 1), QStringLiteral("12.3%"));
    EXPECT_EQ(FormatInteger(-1234567), QStringLiteral("-1,234,567"));
    EXPECT_EQ(FormatOptionalInteger(std::nullopt), QStringLiteral("*"));
    EXPECT_EQ(FormatOptionalInteger(12), QStringLiteral("12"));
    EXPECT_FALSE(FormatCurrentDate().isEmpty());
}

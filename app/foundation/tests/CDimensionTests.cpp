#include "foundation/CDimension.h"
#include "foundation/DimensionFormatSettings.h"
#include "foundation/RealArchive.h"

#include <platform/BinaryArchive.h>

#include <QLocale>

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <vector>

using platform::ArchiveError;
using platform::BinaryArchive;

namespace {

class CDimensionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SetDimensionFormatSettings(DimensionFormatSettings());
    }
    void TearDown() override { SetDimensionFormatSettings(DimensionFormatSettings()); }

    static void useStyle(int style)
    {
        DimensionFormatSettings s;
        s.style = style;
        SetDimensionFormatSettings(s);
    }
};

std::vector<std::uint8_t> bytesOf(std::initializer_list<std::int32_t> words)
{
    std::vector<std::uint8_t> out;
    for (std::int32_t w : words)
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(w) >> (8 * i)));
    return out;
}

} // namespace

TEST_F(CDimensionTest, ParsesEveryTypedForm)
{
    struct Case
    {
        const char* text;
        int style;
        double inches;
    };
    const Case cases[] = {
        { "12", 1, 12 },
        { "1'", 1, 12 },
        { "5' 6 1/2\"", 1, 66.5 },
        { "5'6-1/2\"", 1, 66.5 },
        { "5' 3.5\"", 1, 63.5 },
        { "3 1/2", 1, 3.5 },
        { "3-1/2", 1, 3.5 },
        { "3 1/2'", 1, 42 },
        { "1/2'", 1, 6 },
        { "1,5", 1, 1.5 },
        { "1,000", 1, 1 },
        { "2.5cm", 1, 0.984252 },
        { "25mm", 1, 0.984252 },
        { "1m", 1, 39.3700787 },
        { "254", 5, 10 },
        { "25.4", 4, 10 },
        { "10\"", 5, 10 },
        { "1'", 4, 12 },
        { "1m", 4, 39.3700787 },
        // A unit the user typed wins over the unit of a metric display style.
        { "25mm", 4, 0.984252 },
        { "1m", 5, 39.3700787 },
        { "2.5cm", 5, 0.984252 },
        { "5' 6.5\" trailing words", 1, 66.5 }, // feet and decimal inches: the third token is not read
        { "5' 6 1/2\" trailing words", 1, 66.5 },
        { "12000", 1, 12000 },
        { "3in", 1, 3 },
        { "  7 ", 1, 7 },
        { "1/2", 1, 0.5 },
        { "2 3/4\"", 1, 2.75 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        // The inch styles (fractional, feet and inches, decimal) all read the same way.
        for (const int style : c.style == 1 ? std::vector<int> { 1, 2, 3 } : std::vector<int> { c.style }) {
            SCOPED_TRACE(style);
            useStyle(style);
            const CDimension d(QString::fromUtf8(c.text), false, false);
            ASSERT_TRUE(d.IsValid());
            EXPECT_NEAR(d.GetInches(), c.inches, 1e-6);
            EXPECT_EQ(d.GetUnits(), InchesToUnits(d.GetInches()));
        }
    }
}

TEST_F(CDimensionTest, RefusesBadTexts)
{
    struct Case
    {
        const char* text;
        int style;
    };
    const Case cases[] = {
        { "0", 1 },
        { "", 1 },
        { "abc", 1 },
        { "3/2", 1 },
        { "1/0", 1 },
        { "1.5.5", 1 },
        { "1,000,000", 1 },
        { "5' 6 1/2", 1 },
        { "5.5' 3\"", 1 },
        { "1/2cm", 1 },
        { "12001", 1 },
        { "12000.0001", 1 },
        { "3 1/2", 5 },
        { "-0", 1 },
        { "-5", 1 },
        { "inf", 1 },
        { "nan", 1 },
        { "1e400", 1 },
        { "1\" 2'", 1 },
        { "1' 2' 3", 1 },
        { "2cm 3", 1 },
        { "5' x", 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        for (const int style : c.style == 1 ? std::vector<int> { 1, 2, 3 } : std::vector<int> { c.style }) {
            SCOPED_TRACE(style);
            useStyle(style);
            const CDimension d(QString::fromUtf8(c.text), false, false);
            EXPECT_FALSE(d.IsValid());
            EXPECT_EQ(d.GetUnits(), 0);
        }
    }
}

TEST_F(CDimensionTest, ZeroAndNegativeOnlyWhenAllowed)
{
    EXPECT_TRUE(CDimension(QStringLiteral("0"), true, false).IsValid());
    EXPECT_TRUE(CDimension(QString(), true, false).IsValid());
    const CDimension negative(QStringLiteral("-5"), false, true);
    ASSERT_TRUE(negative.IsValid());
    EXPECT_DOUBLE_EQ(negative.GetInches(), -5);
    EXPECT_FALSE(CDimension(QStringLiteral("-12001"), false, true).IsValid());
}

TEST_F(CDimensionTest, NegativeMixedNumbersAreNegativeAsAWhole)
{
    struct Case
    {
        const char* text;
        double inches;
    };
    const Case cases[] = {
        { "-5", -5 },
        { "-3 1/2", -3.5 },
        { "-3-1/2", -3.5 },
        { "-3 1/4\"", -3.25 },
        { "-1/2", -0.5 },
        { "-3 1/2'", -42 },
        { "-5' 6 1/2\"", -66.5 },
        { "-5'6-1/2\"", -66.5 },
        { "-1' 6\"", -18 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CDimension d(QString::fromUtf8(c.text), false, true);
        ASSERT_TRUE(d.IsValid());
        EXPECT_DOUBLE_EQ(d.GetInches(), c.inches);
    }
    // The display text of a negative length reads back as the same length.
    for (const bool cad : { false, true })
        for (const int style : { 1, 2 }) {
            const QString text = CDimension::FromInches(-66.5).FormatDimensionAs(style, 4, 2, false, cad);
            SCOPED_TRACE(text.toStdString());
            EXPECT_DOUBLE_EQ(CDimension(text, false, true).GetInches(), -66.5);
        }
}

TEST_F(CDimensionTest, FormatsInEveryStyle)
{
    struct Case
    {
        double inches;
        int style;
        int precision;
        int decimals;
        bool hide;
        bool cad;
        const char* text;
    };
    const Case cases[] = {
        { 0, 1, 4, 2, false, false, "0\"" },
        { 12.5, 1, 4, 2, false, false, "12 1/2\"" },
        { 0.3, 1, 4, 2, false, false, "19/64\"" },
        { 0.3, 1, 1, 2, false, false, "1/4\"" },
        { 23.999, 1, 4, 2, false, false, "24\"" },
        { -3.25, 1, 4, 2, false, false, "-3 1/4\"" },
        { 12.5, 1, 4, 2, true, false, "12 1/2" },
        { 66.5, 2, 4, 2, false, false, "5' 6 1/2\"" },
        { 60, 2, 4, 2, false, false, "5'" },
        { 6, 2, 4, 2, false, false, "6\"" },
        { 71.999, 2, 4, 2, false, false, "6'" },
        { 66.5, 2, 4, 2, false, true, "5'6-1/2\"" },
        { 60, 2, 4, 2, false, true, "5'0\"" },
        { 0.5, 2, 4, 2, false, true, "0-1/2\"" },
        { 66.5, 3, 4, 2, false, false, "66.50\"" },
        { 66.5, 3, 4, 2, false, true, "5'6.50\"" },
        { 6, 3, 4, 2, false, true, "0'6.00\"" },
        { 10, 4, 4, 2, false, false, "25.40cm" },
        { 10, 5, 4, 1, false, false, "254.0mm" },
        { 11.9999, 2, 1, 2, false, false, "1'" },
        { 11.9999, 1, 1, 2, false, false, "12\"" },
        { -66.5, 2, 4, 2, false, false, "-5' 6 1/2\"" },
        { 1234.5, 3, 4, 1, false, false, "1234.5\"" },
        { 13000 * 12.0, 2, 4, 2, false, false, "13,000'" },
        { 5, 6, 4, 2, false, false, "" },
        // Far beyond the range (built from inches as given): the feet are not squeezed into an int.
        { 3e10, 2, 4, 2, false, false, "2,500,000,000'" },
        { 3e10, 2, 4, 2, false, true, "2,500,000,000'0\"" },
        { -3e10, 3, 4, 2, false, true, "-2,500,000,000'0.00\"" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CDimension::FromInches(c.inches).FormatDimensionAs(
                      c.style, c.precision, c.decimals, c.hide, c.cad),
            QString::fromUtf8(c.text));
    }
}

TEST_F(CDimensionTest, FormatDimensionTakesTheUserSettings)
{
    DimensionFormatSettings s;
    s.style = 2;
    s.cadStyle = true;
    SetDimensionFormatSettings(s);
    EXPECT_EQ(CDimension::FromInches(66.5).FormatDimension(), QStringLiteral("5'6-1/2\""));
    EXPECT_EQ(CDimension::FromInches(66.5).FormatDimension(3, 0, 1), QStringLiteral("5'6.5\""));

    s = DimensionFormatSettings();
    s.style = 5;
    s.decimals = 3;
    SetDimensionFormatSettings(s);
    EXPECT_EQ(GetDimensionFormatSettings().decimals, 1);
    EXPECT_EQ(GetMetricParseUnit(), 1);
    s.style = 4;
    SetDimensionFormatSettings(s);
    EXPECT_EQ(GetDimensionFormatSettings().decimals, 2);
    EXPECT_TRUE(IsMetricDimensionStyle());
}

TEST_F(CDimensionTest, ComparesWithinTolerance)
{
    const CDimension a = CDimension::FromUnits(1000);
    EXPECT_TRUE(CDimension::ApproxEqual(a, CDimension::FromUnits(1002)));
    EXPECT_FALSE(CDimension::ApproxEqual(a, CDimension::FromUnits(1003)));
    EXPECT_TRUE(CDimension::ApproxEqualCoarse(a, CDimension::FromUnits(1032)));
    EXPECT_FALSE(CDimension::ApproxEqualCoarse(a, CDimension::FromUnits(1033)));
    EXPECT_FALSE(CDimension::LessWithTolerance(a, CDimension::FromUnits(1002)));
    EXPECT_TRUE(CDimension::LessWithTolerance(a, CDimension::FromUnits(1003)));
    EXPECT_TRUE(CDimension::IsLessCoarse(a, CDimension::FromUnits(1033)));
}

TEST_F(CDimensionTest, MultiplySaturates)
{
    const CDimension doubled = CDimension::FromInches(7000).MultiplySaturating(2);
    EXPECT_TRUE(doubled.IsOverflow());
    EXPECT_DOUBLE_EQ(doubled.GetInches(), 12000);
    EXPECT_TRUE(CDimension::FromInches(1).MultiplySaturating(-1).IsOverflow());
    const CDimension ok = CDimension::FromInches(6000).MultiplySaturating(2);
    EXPECT_FALSE(ok.IsOverflow());
    EXPECT_EQ(ok.GetUnits(), CDimension::MaxUnits);
}

TEST_F(CDimensionTest, FieldExchange)
{
    CDimension d = CDimension::FromInches(3);
    CParseField field;
    d.ToField(field, CParseField::TextSet | CParseField::NumberSet);
    EXPECT_EQ(field.GetText(), QStringLiteral("3\""));
    EXPECT_DOUBLE_EQ(field.GetNumber(), 3.0);

    struct Case
    {
        const char* text;
        bool hasNumber;
        double number;
        bool zero;
        bool negative;
        bool ok;
        double inches;
    };
    const Case cases[] = {
        { "~5~'", false, 0, false, false, true, 60 },
        { "junk", false, 0, false, false, false, 3 },
        { "junk", true, 2.5, false, false, true, 2.5 }, // the number wins
        { nullptr, true, 0, false, false, false, 3 },
        { nullptr, true, 0, true, false, true, 0 },
        { nullptr, true, -1, false, true, true, -1 },
        { nullptr, true, 12000.5, false, false, false, 3 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "number");
        CDimension target = CDimension::FromInches(3);
        CParseField f;
        if (c.text)
            f.SetText(QString::fromUtf8(c.text));
        if (c.hasNumber)
            f.SetNumber(c.number);
        EXPECT_EQ(target.ParseField(f, c.zero, c.negative), c.ok);
        EXPECT_DOUBLE_EQ(target.GetInches(), c.inches);
    }
    CDimension untouched = CDimension::FromInches(3);
    EXPECT_TRUE(untouched.FromField(CParseField()));
    EXPECT_DOUBLE_EQ(untouched.GetInches(), 3);
}

TEST_F(CDimensionTest, Validators)
{
    CDimension target = CDimension::FromInches(10);
    EXPECT_EQ(ParseDimensionInRange(QStringLiteral("10"), target, false, 100, false), 2);
    EXPECT_EQ(ParseDimensionInRange(QStringLiteral("200"), target, false, 100, false), 1);
    EXPECT_EQ(ParseDimensionInRange(QStringLiteral("x"), target, false, 100, false), 1);
    EXPECT_EQ(ParseDimensionInRange(QStringLiteral("12"), target, false, 100, false), 0);
    EXPECT_DOUBLE_EQ(target.GetInches(), 12);

    struct Case
    {
        const char* text;
        int max;
        bool negative;
        int result;
        int value;
    };
    const Case cases[] = {
        { " 42abc", 100, false, 0, 42 },
        { "abc", 100, false, 0, 0 },
        { "-3", 100, false, 1, 7 },
        { "-3", 100, true, 0, -3 },
        { "101", 100, false, 1, 7 },
        { "99999999999999", 100, false, 1, 7 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int value = 7;
        EXPECT_EQ(ParseCountInRange(QString::fromUtf8(c.text), value, c.max, c.negative), c.result);
        EXPECT_EQ(value, c.value);
    }
    const std::int32_t k1[3] = { 1, 2, 3 }, k2[3] = { 1, 2, 3 }, k3[3] = { 1, 2, 4 };
    EXPECT_TRUE(SizeKeyEquals(k1, k2));
    EXPECT_FALSE(SizeKeyEquals(k1, k3));
}

TEST_F(CDimensionTest, StoresAndLoadsEveryForm)
{
    std::ostringstream out;
    {
        auto ar = BinaryArchive::storing(out, "s");
        RealArchive w(ar);
        CDimension::FromUnits(123456).Serialize(w);
        ar.flush();
    }
    const std::string s = out.str();
    const std::vector<std::uint8_t> stored(s.begin(), s.end());
    EXPECT_EQ(stored, bytesOf({ 2, 123456 }));

    struct Case
    {
        std::uint32_t generation;
        std::vector<std::uint8_t> bytes;
        std::int32_t units;
    };
    std::vector<std::uint8_t> real(8);
    const double inches15000 = 15000.0;
    std::memcpy(real.data(), &inches15000, 8);
    const Case cases[] = {
        { 0xFFFFFFFFu, bytesOf({ 2, 123456 }), 123456 }, // nothing set: newest form
        { 0x8000000Fu, bytesOf({ 2, -5 }), -5 },
        { 6, bytesOf({ 1, 100 }), 6400 }, // 1/256 inch
        { 2, real, CDimension::MaxUnits }, // real inches, limited to 12000
        { 4, bytesOf({ 100 }), 12800 }, // 1/128 inch
        { 0, bytesOf({ 1 }), 128 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.generation);
        auto ar = BinaryArchive::loading(c.bytes, "l");
        ar.setObjectSchema(c.generation);
        RealArchive w(ar);
        CDimension d;
        d.Serialize(w);
        EXPECT_EQ(d.GetUnits(), c.units);
        EXPECT_EQ(ar.bytesLeft(), 0u);
    }

    for (std::int32_t badVersion : { 0, 3 }) {
        auto ar = BinaryArchive::loading(bytesOf({ badVersion, 1 }), "bad.kwxe");
        RealArchive w(ar);
        CDimension d;
        try {
            d.Serialize(w);
            FAIL();
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.cause(), ArchiveError::BadSchema);
            EXPECT_EQ(e.fileName(), "bad.kwxe");
        }
    }
}

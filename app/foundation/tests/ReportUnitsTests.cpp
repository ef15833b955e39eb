#include "foundation/ReportUnits.h"
#include "foundation/TCPResource.h"

#include "FakePrefs.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

class ReportUnitsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        InitUIStrings(QStringLiteral("/nonexistent"), { FoundationStringResources() });
    }
    void TearDown() override { InstallResources(nullptr); }

    ScopedFakePrefs m_prefs;
};

} // namespace

TEST_F(ReportUnitsTest, LinealUnits)
{
    EXPECT_NEAR(ConvertLinealInches(LinealMeters, 39.3700787), 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(ConvertLinealInches(LinealFeet, 18), 1.5);
    EXPECT_DOUBLE_EQ(ConvertLinealInches(LinealYards, 72), 2);
    EXPECT_DOUBLE_EQ(ConvertLinealInches(LinealInches, 5), 5);
    EXPECT_DOUBLE_EQ(ConvertLinealInches(7, 5), 0);

    for (int unit : { LinealMeters, LinealFeet, LinealYards, LinealInches })
        EXPECT_EQ(ParseLinealUnitName(GetLinealUnitName(unit)), unit);
    EXPECT_EQ(ParseLinealUnitName(QStringLiteral("furlongs")), LinealMeters);
    EXPECT_EQ(GetLinealUnitName(9), QStringLiteral("Meters (m)"));

    struct Case
    {
        int unit;
        double inches;
        const char* text;
    };
    const Case cases[] = {
        { LinealFeet, 18000, "1,500.00 ft" },
        { LinealYards, 36, "1.00 yds" },
        { LinealMeters, 39.3700787, "1.00 m" },
        { LinealInches, 2.5, "2.50 in" },
    };
    for (const Case& c : cases) {
        m_prefs.prefs->SetInt(PrefId::LinealUnits, c.unit);
        EXPECT_EQ(FormatLinealLength(c.inches), QString::fromUtf8(c.text));
    }
    EXPECT_EQ(FormatOptionalLinealLength(std::nullopt), QStringLiteral("*"));
}

TEST_F(ReportUnitsTest, AreaUnits)
{
    struct Case
    {
        int unit;
        double squareInches;
        const char* text;
    };
    const Case cases[] = {
        { AreaSquareMeters, 1550, "1.00 m2" },
        { AreaSquareFeet, 288, "2.00 ft2" },
        { AreaSquareInches, 10, "10.00 in2" },
    };
    for (const Case& c : cases) {
        m_prefs.prefs->SetInt(PrefId::AreaUnits, c.unit);
        EXPECT_EQ(FormatArea(c.squareInches), QString::fromUtf8(c.text));
        EXPECT_EQ(ParseAreaUnitName(GetAreaUnitName(c.unit)), c.unit);
    }
    EXPECT_EQ(ParseAreaUnitName(QStringLiteral("acres")), AreaSquareMeters);
}

#include "shell/prefs/CDispStylePg.h"

#include "PrefsPageTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>

namespace {

using DispStylePageTest = PrefsPageTest;

} // namespace

TEST_F(DispStylePageTest, OpensFromTheRecord)
{
    struct Case
    {
        int style;
        bool cadFlag, hideFlag;
        CDispStylePg::Unit unit;
        bool precisionOn, cadEnabled, cadChecked, hideChecked;
        int decimalsEntries;
    };
    const Case cases[] = {
        { 1, true, true, CDispStylePg::Inches, true, false, false, true, 5 },
        { 2, true, true, CDispStylePg::FeetInches, true, true, true, false, 5 }, // units always shown
        { 3, true, false, CDispStylePg::DecimalInches, false, true, true, false, 5 },
        { 3, false, false, CDispStylePg::DecimalInches, false, true, false, false, 5 },
        { 4, true, true, CDispStylePg::Centimeters, false, false, false, true, 3 },
        { 5, false, false, CDispStylePg::Millimeters, false, false, false, false, 2 },
        { 9, false, false, CDispStylePg::Millimeters, false, false, false, false, 2 }, // out of range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        record.dimensionsStyle = c.style;
        record.cadStyle = c.cadFlag;
        record.hideDimensionUnits = c.hideFlag;
        CDispStylePg page(&record);
        EXPECT_TRUE(page.UnitButton(c.unit)->isChecked());
        EXPECT_EQ(page.PrecisionList()->isEnabled(), c.precisionOn);
        EXPECT_EQ(page.DecimalsList()->isEnabled(), !c.precisionOn);
        EXPECT_EQ(page.CadStyleBox()->isEnabled(), c.cadEnabled);
        EXPECT_EQ(page.CadStyleBox()->isChecked(), c.cadChecked);
        EXPECT_EQ(page.HideUnitsBox()->isChecked(), c.hideChecked);
        EXPECT_EQ(page.DecimalsList()->count(), c.decimalsEntries);
    }
}

TEST_F(DispStylePageTest, MetricUnitsLimitTheDecimals)
{
    record.dimensionsStyle = 3;
    record.dimensionsDecimals = 3;
    CDispStylePg page(&record);
    EXPECT_EQ(page.DecimalsList()->currentText(), QStringLiteral("3"));

    QTest::mouseClick(page.UnitButton(CDispStylePg::Millimeters), Qt::LeftButton);
    EXPECT_EQ(Entries(page.DecimalsList()), QStringList({ "0", "1" }));
    EXPECT_EQ(page.DecimalsList()->currentText(), QStringLiteral("1"));
    page.CommitToRecord();
    EXPECT_EQ(record.dimensionsStyle, 5);
    EXPECT_EQ(record.dimensionsDecimals, 1);

    page.DecimalsList()->setCurrentIndex(0);
    QTest::mouseClick(page.UnitButton(CDispStylePg::Centimeters), Qt::LeftButton);
    EXPECT_EQ(Entries(page.DecimalsList()), QStringList({ "0", "1", "2" }));
    EXPECT_EQ(page.DecimalsList()->currentIndex(), 0);
}

TEST_F(DispStylePageTest, CadStyleIsStoredOffWhereItDoesNotApply)
{
    record.dimensionsStyle = 2;
    record.cadStyle = true;
    CDispStylePg page(&record);
    EXPECT_TRUE(page.CadStyleBox()->isChecked());
    QTest::mouseClick(page.UnitButton(CDispStylePg::Inches), Qt::LeftButton);
    EXPECT_FALSE(page.CadStyleBox()->isEnabled());
    EXPECT_FALSE(page.CadStyleBox()->isChecked());
    page.CommitToRecord();
    EXPECT_FALSE(record.cadStyle);
    EXPECT_EQ(record.dimensionsStyle, 1);
}

TEST_F(DispStylePageTest, StoresEveryChoice)
{
    record.dimensionsStyle = 1;
    record.dimensionsPrecision = 4;
    record.dimensionAlignment = 34;
    record.displayWxL = true;
    CDispStylePg page(&record);
    EXPECT_EQ(page.PrecisionList()->currentText(), QStringLiteral("1/64"));
    EXPECT_GT(ColourCount(page), 2);

    page.PrecisionList()->setCurrentIndex(1);
    QTest::mouseClick(page.HideUnitsBox(), Qt::LeftButton);
    QTest::mouseClick(page.AlignLeftButton(), Qt::LeftButton);
    QTest::mouseClick(page.LengthByWidthButton(), Qt::LeftButton);
    page.CommitToRecord();
    EXPECT_EQ(record.dimensionsPrecision, 2);
    EXPECT_TRUE(record.hideDimensionUnits);
    EXPECT_EQ(record.dimensionAlignment, 33);
    EXPECT_FALSE(record.displayWxL);
    EXPECT_FALSE(page.WidthByLengthButton()->isChecked());
}

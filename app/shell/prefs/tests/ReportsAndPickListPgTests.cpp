#include "shell/prefs/CPickListPrefsPg.h"
#include "shell/prefs/ReportsPrefsPg.h"

#include "PrefsPageTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

using ReportsPageTest = PrefsPageTest;
using PickListPageTest = PrefsPageTest;

} // namespace

TEST_F(ReportsPageTest, UnitListsInAlphabeticalOrderWithTheRecordsUnits)
{
    record.areaUnits = 2;
    record.linealUnits = 3;
    ReportsPrefsPg page(&record);
    EXPECT_EQ(Entries(page.AreaUnitList()),
        QStringList({ "Square Feet (ft2)", "Square Inches (in2)", "Square Meters (m2)" }));
    EXPECT_EQ(Entries(page.LinealUnitList()),
        QStringList({ "Feet (ft)", "Inches (in)", "Meters (m)", "Yards (yds)" }));
    EXPECT_EQ(page.AreaUnitList()->currentText(), QStringLiteral("Square Meters (m2)"));
    EXPECT_EQ(page.LinealUnitList()->currentText(), QStringLiteral("Inches (in)"));
    EXPECT_EQ(page.MaxDiagramsEdit()->text(), QStringLiteral("5"));
    EXPECT_GT(ColourCount(page), 2);

    page.AreaUnitList()->setCurrentIndex(1);
    page.LinealUnitList()->setCurrentIndex(3);
    page.CommitToRecord();
    EXPECT_EQ(record.areaUnits, 0);
    EXPECT_EQ(record.linealUnits, 2);
}

TEST_F(ReportsPageTest, DiagramsPerPartAreAtLeastOne)
{
    const struct
    {
        const char* typed;
        int stored;
    } cases[] = { { "", 1 }, { "0", 1 }, { "1", 1 }, { "12", 12 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        record.maxDiagramsList = 5;
        ReportsPrefsPg page(&record);
        page.MaxDiagramsEdit()->clear();
        QTest::keyClicks(page.MaxDiagramsEdit(), QString::fromUtf8(c.typed));
        page.CommitToRecord();
        EXPECT_EQ(record.maxDiagramsList, c.stored);
    }
    ReportsPrefsPg page(&record);
    page.MaxDiagramsEdit()->clear();
    QTest::keyClicks(page.MaxDiagramsEdit(), QStringLiteral("-3x"));
    EXPECT_EQ(page.MaxDiagramsEdit()->text(), QStringLiteral("3")) << "digits only";
}

TEST_F(PickListPageTest, RoundingAndWarningFollowTheRecord)
{
    for (const bool on : { false, true }) {
        SCOPED_TRACE(on);
        record.proRateCosts = on;
        record.skippedPartsAlert = !on;
        CPickListPrefsPg page(&record);
        EXPECT_EQ(page.ProRateButton()->isChecked(), on);
        EXPECT_EQ(page.RoundUpButton()->isChecked(), !on);
        EXPECT_EQ(page.WarnSkippedBox()->isChecked(), !on);
        EXPECT_GT(ColourCount(page), 2);

        (on ? page.RoundUpButton() : page.ProRateButton())->click();
        page.WarnSkippedBox()->click();
        page.CommitToRecord();
        EXPECT_EQ(record.proRateCosts, !on);
        EXPECT_EQ(record.skippedPartsAlert, on);
    }
}

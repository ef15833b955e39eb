#include "output/print/ui/PrintPreferencePages.h"

#include "foundation/GeneralSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

TEST(PrintOptsPageTest, TheTakeOffBoxForcesOneDiagramPerPage)
{
    GeneralSettings record;
    record.layoutWithTakeOff = false;
    record.layoutsPageConfig = 2;
    record.shadeRowsForGridlines = true;
    CPrintOptsPage page(&record);
    QComboBox* perPage = page.DiagramsPerPageList();
    ASSERT_EQ(perPage->count(), 4);
    EXPECT_EQ(perPage->itemText(2), QStringLiteral("2x2"));
    EXPECT_EQ(perPage->currentIndex(), 2);
    EXPECT_TRUE(perPage->isEnabled());
    EXPECT_TRUE(page.ShadeRowsBox()->isChecked());

    page.TakeOffBox()->click();
    EXPECT_FALSE(perPage->isEnabled());
    EXPECT_EQ(perPage->currentIndex(), 0);
    page.ShadeRowsBox()->click();
    page.CommitToRecord();
    EXPECT_TRUE(record.layoutWithTakeOff);
    EXPECT_EQ(record.layoutsPageConfig, 0);
    EXPECT_FALSE(record.shadeRowsForGridlines);

    // Off again: the record's own choice comes back.
    record.layoutsPageConfig = 3;
    page.TakeOffBox()->click();
    EXPECT_TRUE(perPage->isEnabled());
    EXPECT_EQ(perPage->currentIndex(), 3);
    page.CommitToRecord();
    EXPECT_FALSE(record.layoutWithTakeOff);
    EXPECT_EQ(record.layoutsPageConfig, 3);
}

TEST(PrintOrientationPgTest, EachRowStoresPortraitAsOnAndLandscapeAsOff)
{
    using Row = CPrintOrientationPg::Row;
    const struct
    {
        Row row;
        bool GeneralSettings::*flag;
    } rows[] = {
        { Row::CoverPage, &GeneralSettings::printCoverPage },
        { Row::PartsList, &GeneralSettings::printPartsList },
        { Row::Layouts, &GeneralSettings::printLayouts },
        { Row::BillOfMaterials, &GeneralSettings::printBOM },
        { Row::TakeOffLists, &GeneralSettings::printTakeOffs },
        { Row::RawMaterials, &GeneralSettings::printRawMaterials },
        { Row::Reports, &GeneralSettings::printReports },
    };
    for (const auto& test : rows) {
        SCOPED_TRACE(static_cast<int>(test.row));
        GeneralSettings record;
        record.*test.flag = false;
        CPrintOrientationPg page(&record);
        EXPECT_TRUE(page.LandscapeButton(test.row)->isChecked());
        EXPECT_FALSE(page.PortraitButton(test.row)->isChecked());
        // The other rows read portrait.
        const Row other = test.row == Row::CoverPage ? Row::Reports : Row::CoverPage;
        EXPECT_TRUE(page.PortraitButton(other)->isChecked());

        page.PortraitButton(test.row)->click();
        page.LandscapeButton(other)->click();
        EXPECT_TRUE(page.PortraitButton(test.row)->isChecked());
        page.CommitToRecord();
        EXPECT_TRUE(record.*test.flag);
        GeneralSettings expected;
        EXPECT_FALSE(other == Row::Reports ? record.printReports : record.printCoverPage);
        (other == Row::Reports ? expected.printReports : expected.printCoverPage) = false;
        EXPECT_EQ(record, expected);
    }
}

} // namespace

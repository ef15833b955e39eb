#include "shell/prefs/CShadingPg.h"
#include "shell/prefs/ShadingPreview.h"

#include "shell/controls/COXColorPickerButton.h"
#include "shell/controls/CTCPPatternPickerButton.h"

#include "../../controls/tests/TestInput.h"
#include "PrefsPageTest.h"

#include <QRadioButton>
#include <QTest>

namespace {

class ShadingPageTest : public PrefsPageTest
{
protected:
    void SetUp() override
    {
        PrefsPageTest::SetUp();
        record.normalPartColor = 0x0000FF; // red, solid
        record.normalPartPattern = 0xFFFF;
        record.selectedPartColor = 0x00FF00; // green, hollow
        record.selectedPartPattern = -1;
        record.printedPartColor = 0xFF0000; // blue, vertical hatch
        record.printedPartPattern = 1;
        record.screenWasteColor = 0x00FFFF;
        record.screenWastePattern = 0xFFFF;
        record.printedWasteColor = 0x808080;
        record.printedWastePattern = 3;
        record.showGrain = false;
    }

    // The preview's pixels as the page shows them.
    static QImage Picture(CShadingPg& page, CShadingPg::Row row)
    {
        page.resize(560, 460);
        const QImage all = page.grab().toImage();
        const ShadingPreview* preview = page.Preview(row);
        return all.copy(QRect(preview->mapTo(&page, QPoint(0, 0)), preview->size()));
    }
    static QSet<QRgb> Inside(const QImage& image)
    {
        QSet<QRgb> colours;
        for (int y = 1; y < image.height() - 1; ++y)
            for (int x = 1; x < image.width() - 1; ++x)
                colours.insert(image.pixel(x, y));
        return colours;
    }
};

} // namespace

TEST_F(ShadingPageTest, PreviewsByPixel)
{
    CShadingPg page(&record);
    const QImage solid = Picture(page, CShadingPg::NormalPart);
    EXPECT_EQ(Inside(solid), QSet<QRgb>({ qRgb(255, 0, 0) }));
    EXPECT_EQ(solid.pixel(0, 0), qRgb(0, 0, 0)) << "black frame";
    EXPECT_EQ(Inside(Picture(page, CShadingPg::SelectedPart)), QSet<QRgb>({ qRgb(255, 255, 255) }))
        << "hollow";
    EXPECT_EQ(
        Inside(Picture(page, CShadingPg::PrintedPart)), QSet<QRgb>({ qRgb(0, 0, 255), qRgb(255, 255, 255) }));
    EXPECT_EQ(Inside(Picture(page, CShadingPg::ScreenWaste)), QSet<QRgb>({ qRgb(255, 255, 0) }));

    // A pick repaints its row: "Hollow", the last cell.
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    CTCPPatternPickerButton* picker = page.PatternPicker(CShadingPg::NormalPart);
    WhilePicking(&picker->PatternBar(),
        [picker] { ClickItem(&picker->PatternBar(), picker->PatternBar().CellRects()[7]); });
    QTest::mouseClick(picker, Qt::LeftButton);
    EXPECT_EQ(picker->GetPattern(), 0xFFFFFFFFu);
    EXPECT_EQ(Inside(Picture(page, CShadingPg::NormalPart)), QSet<QRgb>({ qRgb(255, 255, 255) }));
}

TEST_F(ShadingPageTest, GrainInWasteDisablesAndBlanksTheWasteRows)
{
    CShadingPg page(&record);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    QTest::mouseClick(page.ShowGrainButton(), Qt::LeftButton);
    for (CShadingPg::Row row : { CShadingPg::ScreenWaste, CShadingPg::PrintedWaste }) {
        SCOPED_TRACE(row);
        EXPECT_FALSE(page.ColorPicker(row)->isEnabled());
        EXPECT_FALSE(page.PatternPicker(row)->isEnabled());
        const QImage blank = Picture(page, row);
        EXPECT_EQ(Inside(blank).size(), 1);
        EXPECT_NE(blank.pixel(0, 0), qRgb(0, 0, 0)) << "no frame either";
    }
    EXPECT_TRUE(page.ColorPicker(CShadingPg::NormalPart)->isEnabled());

    page.CommitToRecord();
    EXPECT_TRUE(record.showGrain);
    EXPECT_EQ(record.screenWasteColor, 0x00FFFF) << "still stored";
    EXPECT_EQ(record.printedWastePattern, 3);

    QTest::mouseClick(page.ShadeWasteButton(), Qt::LeftButton);
    EXPECT_TRUE(page.PatternPicker(CShadingPg::PrintedWaste)->isEnabled());
    EXPECT_EQ(Inside(Picture(page, CShadingPg::ScreenWaste)), QSet<QRgb>({ qRgb(255, 255, 0) }));
}

TEST_F(ShadingPageTest, PickersSetUpAndStored)
{
    CShadingPg page(&record);
    std::vector<std::uint32_t> values;
    for (const CShadingPg::PatternEntry& entry : page.Patterns())
        values.push_back(entry.value);
    EXPECT_EQ(values, std::vector<std::uint32_t>({ 3, 4, 5, 2, 0, 1, 0xFFFF, 0xFFFFFFFF }));
    EXPECT_EQ(page.Patterns().back().name, QStringLiteral("Hollow"));

    const std::uint32_t defaultColors[] = { 0xFEDCD3, 0xCAFFFF, 0xFFFFFF, 0xFFFFFF, 0x808080 };
    const std::uint32_t defaultPatterns[] = { 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 3 };
    for (int row = 0; row < CShadingPg::RowCount; ++row) {
        SCOPED_TRACE(row);
        const auto which = static_cast<CShadingPg::Row>(row);
        EXPECT_EQ(page.ColorPicker(which)->ColorBar().DefaultValue(), defaultColors[row]);
        CTCPPatternPickerCtrl& bar = page.PatternPicker(which)->PatternBar();
        EXPECT_EQ(bar.DefaultValue(), defaultPatterns[row]);
        EXPECT_EQ(bar.DefaultButtonText(), QStringLiteral("Default"));
        EXPECT_EQ(bar.Values(), values);
        // Both pickers of a row have the flat look and a tooltip.
        for (COXBitmapButton* picker : { static_cast<COXBitmapButton*>(page.ColorPicker(which)),
                 static_cast<COXBitmapButton*>(page.PatternPicker(which)) }) {
            EXPECT_TRUE(picker->GetTrackLook());
            EXPECT_TRUE(picker->ToolTip());
        }
    }
    EXPECT_EQ(page.PatternPicker(CShadingPg::SelectedPart)->GetPattern(), 0xFFFFFFFFu);

    page.ColorPicker(CShadingPg::PrintedWaste)->SetColor(0x123456, false);
    page.PatternPicker(CShadingPg::SelectedPart)->SetPattern(4, false);
    page.CommitToRecord();
    EXPECT_EQ(record.printedWasteColor, 0x123456);
    EXPECT_EQ(record.selectedPartPattern, 4);
    EXPECT_EQ(record.selectedPartColor, 0x00FF00);
    EXPECT_EQ(record.normalPartPattern, 0xFFFF);
    EXPECT_FALSE(record.showGrain);
}

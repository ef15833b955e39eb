// The layout display page: its controls from the record, the enabling rule,
// lengths stored in inches, and the sheet's OK and Cancel.
#include "layouts/ui/LayoutDisplayPrefsPg.h"
#include "LayoutsTestSupport.h"
#include "foundation/ui/CDimensionEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

TEST(LayoutDisplayPageTest, SliceSettingsFollowShowSliceSizesAndKeepTheirValues)
{
    ScopedDefaultPrefs prefs;
    GeneralSettings record;
    record.fancyPartAnnotation = true;
    record.rotateSliceDims = true;
    LayoutDisplayPrefsPg page(&record);
    EXPECT_TRUE(page.BoldButton()->isChecked());
    EXPECT_FALSE(page.PlainButton()->isChecked());
    EXPECT_EQ(page.ShowSliceSizesBox()->text(), QStringLiteral("Show slice sizes on diagrams"));
    const std::initializer_list<QWidget*> dependents { page.MinSliceLabel(), page.MinSliceEdit(),
        page.RotateSliceDimsBox(), page.ShowOffsetsBox() };
    for (QWidget* control : dependents)
        EXPECT_TRUE(control->isEnabled());

    page.ShowSliceSizesBox()->click();
    for (QWidget* control : dependents)
        EXPECT_FALSE(control->isEnabled());
    EXPECT_TRUE(page.AutoManualEditBox()->isEnabled());
    page.PlainButton()->click();
    page.OriginBottomLeftBox()->click();
    page.CommitToRecord();
    EXPECT_FALSE(record.showOuterDims);
    EXPECT_TRUE(record.rotateSliceDims) << "saved as it stands";
    EXPECT_FALSE(record.fancyPartAnnotation);
    EXPECT_TRUE(record.originBottomLeft);
    EXPECT_DOUBLE_EQ(record.minSliceDisplayDim, 2.0);
}

TEST(LayoutDisplayPageTest, MillimetresAreStoredAsInches)
{
    ScopedDefaultPrefs prefs;
    GeneralSettings record;
    LayoutDisplayPrefsPg page(&record);
    page.MinSliceEdit()->setText(QStringLiteral("76.2mm"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(page.MinSliceEdit(), &out);
    page.CommitToRecord();
    EXPECT_NEAR(record.minSliceDisplayDim, 3.0, 1e-4);
}

TEST(LayoutDisplayPageTest, SheetOkWritesThePreferencesAndCancelNothing)
{
    ScopedDefaultPrefs prefs;
    RegisterLayoutDisplayPreferencePage();
    constexpr int kOriginBottomLeft = 2118;
    constexpr int kShowOffsets = 2132;
    constexpr int kMinSlice = 4019;
    for (const bool ok : { false, true }) {
        SCOPED_TRACE(ok);
        CUserPrefsPropSheet sheet(PrefsPage::LayoutDisplay);
        auto* page = qobject_cast<LayoutDisplayPrefsPg*>(sheet.GetPage(PrefsPage::LayoutDisplay));
        ASSERT_TRUE(page);
        EXPECT_EQ(sheet.GetTabs()->tabText(static_cast<int>(PrefsPage::LayoutDisplay)),
            QStringLiteral("Layout Display"));
        page->OriginBottomLeftBox()->click();
        page->ShowOffsetsBox()->click();
        page->MinSliceEdit()->SetValue(CDimension::FromInches(4.5));
        if (!ok) {
            sheet.reject();
            EXPECT_FALSE(prefs.prefs->GetFlag(kOriginBottomLeft));
            EXPECT_FALSE(prefs.prefs->GetFlag(kShowOffsets));
            EXPECT_DOUBLE_EQ(prefs.prefs->GetReal(kMinSlice), 2.0);
            continue;
        }
        sheet.accept();
        ApplyGeneralSettings(sheet.GetRecord());
        EXPECT_TRUE(prefs.prefs->GetFlag(kOriginBottomLeft));
        EXPECT_TRUE(prefs.prefs->GetFlag(kShowOffsets));
        EXPECT_NEAR(prefs.prefs->GetReal(kMinSlice), 4.5, 1e-4);
    }
    RegisterPreferencePage(PrefsPage::LayoutDisplay, nullptr);
}

} // namespace

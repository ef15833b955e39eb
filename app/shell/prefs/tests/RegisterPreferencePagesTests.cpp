#include "shell/prefs/CDispStylePg.h"
#include "shell/prefs/CFileLocationsPP.h"
#include "shell/prefs/CFormatsPg.h"
#include "shell/prefs/CPickListPrefsPg.h"
#include "shell/prefs/CShadingPg.h"
#include "shell/controls/CFileEditCtrl.h"
#include "shell/prefs/RegisterPreferencePages.h"
#include "shell/prefs/ReportsPrefsPg.h"

#include "foundation/CUserPrefs.h"
#include "foundation/CmdHistory.h"
#include "foundation/IDoc.h"

#include "PrefsPageTest.h"

#include <QDialogButtonBox>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

namespace {

class QuietDoc : public IDoc
{
public:
    bool IsProjectLocked() const override { return false; }
    void FlushPendingUpdate() override { }
    void AddPendingUpdate(const UpdateHint&) override { }
    void FreezeOrUnlock(std::shared_ptr<DomainUpdateInfo>) override { }
    void UpdateMaterialInBOM(std::shared_ptr<DomainUpdateInfo>) override { }
    void RefreshBOM() override { }
    bool SyncMaterialsLibrary() override { return true; }
};

class PagesInTheSheetTest : public PrefsPageTest
{
protected:
    void SetUp() override
    {
        PrefsPageTest::SetUp();
        // The store makes the folders it names by default.
        prefs = new CUserPrefs;
        prefs->Init(temp.path() + QStringLiteral("/KWL Solo/"), temp.path() + QStringLiteral("/Documents/"));
        SetUserPrefs(prefs);
        CreateCmdHistory(&doc);
        RegisterShellPreferencePages();
    }
    void TearDown() override
    {
        for (int index = 0; index < kPrefsPageCount; ++index)
            RegisterPreferencePage(static_cast<PrefsPage>(index), nullptr);
        CreateCmdHistory(nullptr);
        SetUserPrefs(nullptr);
        PrefsPageTest::TearDown();
    }

    // Runs action, then presses OK, once the sheet's modal loop runs.
    static void WhenShown(CUserPrefsPropSheet& sheet, std::function<void()> action)
    {
        QTimer::singleShot(0, &sheet, [&sheet, action] {
            action();
            sheet.GetButtons()->button(QDialogButtonBox::Ok)->click();
            if (sheet.isVisible())
                sheet.reject();
        });
    }

    CUserPrefs* prefs = nullptr;
    QuietDoc doc;
};

} // namespace

TEST_F(PagesInTheSheetTest, SixPagesInTheirPlaces)
{
    CUserPrefsPropSheet sheet;
    EXPECT_NE(dynamic_cast<CDispStylePg*>(sheet.GetPage(PrefsPage::DisplayStyle)), nullptr);
    EXPECT_NE(dynamic_cast<CPickListPrefsPg*>(sheet.GetPage(PrefsPage::PickList)), nullptr);
    EXPECT_NE(dynamic_cast<CFileLocationsPP*>(sheet.GetPage(PrefsPage::FileLocations)), nullptr);
    EXPECT_NE(dynamic_cast<CFormatsPg*>(sheet.GetPage(PrefsPage::Fonts)), nullptr);
    EXPECT_NE(dynamic_cast<CShadingPg*>(sheet.GetPage(PrefsPage::Shading)), nullptr);
    EXPECT_NE(dynamic_cast<ReportsPrefsPg*>(sheet.GetPage(PrefsPage::Reports)), nullptr);
    EXPECT_EQ(sheet.GetTabs()->tabText(5), QStringLiteral("Fonts"));
}

TEST_F(PagesInTheSheetTest, ConfirmingIsOneUndoableEdit)
{
    ASSERT_FALSE(prefs->GetFlag(2026));
    ASSERT_EQ(prefs->GetInt(3016), 1);
    const QString gridFace = prefs->GetString(1008);
    CUserPrefsPropSheet sheet;
    WhenShown(sheet, [&] {
        static_cast<CPickListPrefsPg*>(sheet.GetPage(PrefsPage::PickList))->ProRateButton()->click();
        static_cast<CDispStylePg*>(sheet.GetPage(PrefsPage::DisplayStyle))
            ->UnitButton(CDispStylePg::Millimeters)
            ->click();
        static_cast<CShadingPg*>(sheet.GetPage(PrefsPage::Shading))->ShowGrainButton()->click();
    });
    ASSERT_EQ(sheet.DoModal(), QDialog::Accepted);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1u);
    EXPECT_EQ(GetUndoMenuText(), QStringLiteral("&Undo Edit General Settings\tCtrl+Z"));
    EXPECT_TRUE(prefs->GetFlag(2026));
    EXPECT_EQ(prefs->GetInt(3016), 5);
    EXPECT_EQ(prefs->GetString(1008), gridFace) << "a face no installed font matches stays";

    HistoryUndo();
    EXPECT_FALSE(prefs->GetFlag(2026));
    EXPECT_EQ(prefs->GetInt(3016), 1);
    HistoryRedo();
    EXPECT_TRUE(prefs->GetFlag(2026));
}

TEST_F(PagesInTheSheetTest, BadFolderHoldsThePageAndTheSheet)
{
    CUserPrefsPropSheet sheet(PrefsPage::FileLocations);
    auto* page = static_cast<CFileLocationsPP*>(sheet.GetPage(PrefsPage::FileLocations));
    WhenShown(sheet, [&] {
        page->ExportField()->setText(temp.path() + QStringLiteral("/Nowhere"));
        sheet.GetTabs()->setCurrentIndex(0);
        EXPECT_EQ(sheet.GetTabs()->currentIndex(), static_cast<int>(PrefsPage::FileLocations));
    });
    EXPECT_EQ(sheet.DoModal(), QDialog::Rejected);
    EXPECT_EQ(messages.size(), 2) << "once for the tab, once for OK";
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0u);
}

TEST_F(PagesInTheSheetTest, EveryLabelShowsItsWholeTextAtTheSheetsSize)
{
    // The sheet as it opens: each label is as high as its text needs at the
    // width the page gives it, and lies within its page.
    CUserPrefsPropSheet sheet(PrefsPage::Reports);
    sheet.show();
    for (int index = 0; index < kPrefsPageCount; ++index) {
        sheet.GetTabs()->setCurrentIndex(index);
        QApplication::processEvents();
        QWidget* page = sheet.GetTabs()->widget(index);
        for (const QLabel* label : page->findChildren<QLabel*>()) {
            if (!label->isVisible() || label->text().isEmpty())
                continue;
            SCOPED_TRACE(label->text().toStdString());
            const QRect contents = label->contentsRect();
            const QRect needed = label->fontMetrics().boundingRect(
                contents, Qt::AlignLeft | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text());
            EXPECT_LE(needed.height(), contents.height());
            EXPECT_LE(needed.width(), contents.width());
            EXPECT_TRUE(page->rect().contains(QRect(label->mapTo(page, QPoint()), label->size())));
        }
    }
}

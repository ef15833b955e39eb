#include "foundation/ui/CUserPrefsPropSheet.h"

#include "foundation/CUserPrefs.h"
#include "foundation/CmdHistory.h"
#include "foundation/IDoc.h"
#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

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
    bool SyncMaterialsLibrary() override { return false; }
};

// A fonts page that sets the grid height when its OK step runs.
class GridHeightPage : public CPreferencePage
{
public:
    using CPreferencePage::CPreferencePage;
    void CommitToRecord() override { Record()->gridHeight = 120; }
};

class PrefsSheetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        InitUIStrings(temp.path(), { FoundationStringResources() });
        prefs = new CUserPrefs;
        prefs->Init(temp.path() + QStringLiteral("/KWL Solo/"), temp.path() + QStringLiteral("/Documents/"));
        SetUserPrefs(prefs);
        CreateCmdHistory(&doc);
    }
    void TearDown() override
    {
        RegisterPreferencePage(PrefsPage::Fonts, nullptr);
        CreateCmdHistory(nullptr);
        SetUserPrefs(nullptr);
        InstallResources(nullptr);
    }

    // Presses a button of the sheet once its modal loop runs.
    static void PressSoon(CUserPrefsPropSheet& sheet, QDialogButtonBox::StandardButton which)
    {
        QTimer::singleShot(0, &sheet, [&sheet, which] { sheet.GetButtons()->button(which)->click(); });
    }

    QByteArray PrefsBytes() const
    {
        QFile file(prefs->GetPrefsFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir temp;
    CUserPrefs* prefs = nullptr;
    QuietDoc doc;
};

} // namespace

TEST_F(PrefsSheetTest, NinePagesInTheirPlacesRenderOffscreen)
{
    CUserPrefsPropSheet sheet(PrefsPage::Shading);
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Preferences"));
    const char* const captions[] = { "Numeric Display Styles", "B.O.M.", "Print Options", "Print Orientation",
        "File Locations", "Fonts", "Shading", "Reports", "Layout Display" };
    ASSERT_EQ(sheet.GetTabs()->count(), kPrefsPageCount);
    for (int i = 0; i < kPrefsPageCount; ++i) {
        EXPECT_EQ(sheet.GetTabs()->tabText(i), QString::fromUtf8(captions[i]));
        EXPECT_EQ(sheet.GetTabs()->widget(i), sheet.GetPage(static_cast<PrefsPage>(i)));
    }
    EXPECT_EQ(sheet.GetTabs()->currentIndex(), 6);
    EXPECT_EQ(sheet.GetButtons()->button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));

    // At least 480 x 360, and as wide as the nine tabs need.
    const QSize size = QSize(480, 360).expandedTo(sheet.minimumSizeHint());
    sheet.resize(size);
    const QImage picture = sheet.grab().toImage();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), size * picture.devicePixelRatio());
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 4)
        for (int x = 0; x < picture.width(); x += 4)
            colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 2) << "tabs and buttons are drawn";
}

TEST_F(PrefsSheetTest, EveryTabShowsWholeAtTheSheetsSize)
{
    CUserPrefsPropSheet sheet(PrefsPage::DisplayStyle, nullptr);
    sheet.show();
    QTabBar* bar = sheet.GetTabs()->tabBar();
    ASSERT_EQ(bar->count(), 9);
    for (int i = 0; i < bar->count(); ++i) {
        SCOPED_TRACE(bar->tabText(i).toStdString());
        EXPECT_LE(bar->tabRect(i).right(), bar->width() - 1);
        EXPECT_GE(bar->tabRect(i).width(),
            bar->fontMetrics().horizontalAdvance(QString(bar->tabText(i)).remove(QLatin1Char('&'))));
    }
    for (const QWidget* arrow : bar->findChildren<QWidget*>())
        EXPECT_FALSE(arrow->isVisible()) << "no scroll arrows";
}

TEST_F(PrefsSheetTest, OkRecordsOneStepEvenWithoutChange)
{
    const QByteArray before = PrefsBytes();
    CUserPrefsPropSheet sheet;
    PressSoon(sheet, QDialogButtonBox::Ok);
    EXPECT_EQ(sheet.DoModal(), QDialog::Accepted);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1u);
    EXPECT_EQ(GetUndoMenuText(), QStringLiteral("&Undo Edit General Settings\tCtrl+Z"));
    EXPECT_EQ(PrefsBytes(), before);
}

TEST_F(PrefsSheetTest, PagesEditTheRecordAndCancelRecordsNothing)
{
    RegisterPreferencePage(PrefsPage::Fonts, [](GeneralSettings* record) { return new GridHeightPage(record); });
    {
        CUserPrefsPropSheet sheet;
        PressSoon(sheet, QDialogButtonBox::Cancel);
        EXPECT_EQ(sheet.DoModal(), QDialog::Rejected);
        EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0u);
        EXPECT_EQ(prefs->GetInt(3002), 85);
    }
    CUserPrefsPropSheet sheet;
    EXPECT_NE(dynamic_cast<GridHeightPage*>(sheet.GetPage(PrefsPage::Fonts)), nullptr);
    PressSoon(sheet, QDialogButtonBox::Ok);
    sheet.DoModal();
    EXPECT_EQ(prefs->GetInt(3002), 120);
    HistoryUndo();
    EXPECT_EQ(prefs->GetInt(3002), 85);
}

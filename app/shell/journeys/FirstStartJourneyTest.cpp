// The first start on a brand-new home, which has no documents folder yet:
// the first save and the first print take the names the dialogs propose,
// and the first preferences confirmed are kept for the next start.
#include "JourneyTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/ShellCommands.h"
#include "shell/prefs/CDispStylePg.h"

#include "document/CKWLDoc.h"
#include "foundation/ui/CUserPrefsPropSheet.h"

#include <NewHome.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

class FirstStartJourney : public JourneyTest
{
protected:
    void SetUp() override
    {
        JourneyTest::SetUp();
        // Each file dialog is answered as a user who takes the name it
        // proposes: the name shown in the folder it starts in.
        SetFileDialogFunction([this](const FileDialogRequest& request, QString& path) {
            path = ProposedFilePath(request, path);
            m_dialogs << path;
            return true;
        });
    }

    static QRadioButton* UnitButton(CUserPrefsPropSheet& sheet, CDispStylePg::Unit unit)
    {
        auto* page = dynamic_cast<CDispStylePg*>(sheet.GetPage(PrefsPage::DisplayStyle));
        return page ? page->UnitButton(unit) : nullptr;
    }

    kwl::testing::NewHome m_home;
};

TEST_F(FirstStartJourney, TheFirstSavePrintAndPreferencesOnANewHomeSucceed)
{
    const QString documents = m_home.DocumentsPath();
    ASSERT_FALSE(QFileInfo::exists(documents));
    StartProgram();
    ClickTab(CKWLView::PartsPage);
    ASSERT_NO_FATAL_FAILURE(TypePart(QStringLiteral("Shelf\t2\t3/4\t12\t28\tP\x19\n")));

    // File > Save: the proposed name is taken, and the file is where the
    // dialog said, in the documents folder.
    ASSERT_TRUE(Choose(ShellCommand::FileSave));
    ASSERT_EQ(m_dialogs.size(), 1);
    const QString project = m_dialogs.front();
    EXPECT_EQ(project, documents + QStringLiteral("/Untitled.kwxe"));
    EXPECT_TRUE(QFileInfo(project).isFile());
    EXPECT_EQ(m_app->GetDocument()->PathName(), project);
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();

    // File > Print to a PDF file under the proposed name.
    PrintEverySectionToPdf();
    m_dialogs.clear();
    ASSERT_TRUE(Choose(ShellCommand::FilePrint));
    ASSERT_EQ(m_dialogs.size(), 1);
    const QString pdf = m_dialogs.front();
    EXPECT_EQ(pdf, documents + QStringLiteral("/Untitled.pdf"));
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly)) << m_messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(printed.read(5) == "%PDF-");
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();

    // Tools > General Preferences: every tab visited, millimetres chosen, OK.
    const bool confirmed = RunPreferences([](CUserPrefsPropSheet& sheet) {
        QTabBar* tabs = sheet.GetTabs()->tabBar();
        for (int tab = tabs->count() - 1; tab >= 0; --tab) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
            EXPECT_EQ(tabs->currentIndex(), tab) << tabs->tabText(tab).toStdString();
        }
        QRadioButton* millimetres = UnitButton(sheet, CDispStylePg::Millimeters);
        ASSERT_TRUE(millimetres);
        // On its round mark: the button takes clicks on the mark and its text only.
        QTest::mouseClick(
            millimetres, Qt::LeftButton, {}, QPoint(millimetres->height() / 2, millimetres->height() / 2));
    });
    EXPECT_TRUE(confirmed) << "the sheet takes OK";
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();

    m_answer = QMessageBox::No; // should anything be left to save
    Quit();

    // The next start shows the unit chosen.
    StartProgram();
    bool millimetres = false;
    RunPreferences(
        [&millimetres](CUserPrefsPropSheet& sheet) {
            const QRadioButton* button = UnitButton(sheet, CDispStylePg::Millimeters);
            millimetres = button && button->isChecked();
        },
        false);
    EXPECT_TRUE(millimetres);
}

} // namespace

#include "ShellTestSupport.h"

#include "shell/CAboutDlg.h"
#include "shell/SmallDialogs.h"
#include "shell/controls/CFileEditCtrl.h"

#include "foundation/CUserPrefs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QStringList ButtonTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        texts << button->text();
    return texts;
}

} // namespace

TEST_F(ShellTest, SupportToolsResetTheGridStateAndThePreferences)
{
    Start();
    const QString gridState = GetCUserPrefs()->GetGridStateFilePath();
    int skips = 0;
    CSupportTools tools([&] { ++skips; });
    EXPECT_EQ(tools.windowTitle(), QStringLiteral("Support Tools"));

    // Without a file the reset still keeps the layout from being saved at
    // exit, and says nothing.
    QFile::remove(gridState);
    tools.ResetGridButton()->click();
    EXPECT_EQ(skips, 1);
    EXPECT_TRUE(m_messages.isEmpty());

    {
        QFile file(gridState);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    tools.ResetGridStatus();
    EXPECT_FALSE(QFileInfo::exists(gridState));
    EXPECT_EQ(skips, 2);

    // A file that cannot be deleted (here a folder with something in it) is
    // reported and the view keeps saving.
    ASSERT_TRUE(QDir().mkpath(gridState + QStringLiteral("/inside")));
    tools.ResetGridStatus();
    EXPECT_EQ(skips, 2);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.first().startsWith(gridState + QStringLiteral(" could not be deleted")));
    QDir(gridState).removeRecursively();

    const QString prefsFile = GetCUserPrefs()->GetPrefsFilePath();
    ASSERT_TRUE(QFileInfo::exists(prefsFile));
    tools.ResetPrefsButton()->click();
    EXPECT_FALSE(QFileInfo::exists(prefsFile));
    EXPECT_TRUE(tools.isVisible() || !tools.result()) << "the dialog stays open";
}

TEST_F(ShellTest, AboutBoxOpensTheSupportToolsOnADoubleClick)
{
    Start();
    CAboutDlg about;
    int skips = 0;
    about.SetSupportToolsHook([&] { ++skips; });
    QString opened;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = modal->windowTitle();
            if (auto* tools = qobject_cast<CSupportTools*>(modal))
                tools->ResetGridStatus();
            modal->close();
        }
    });
    QLabel* title = nullptr;
    for (QLabel* label : about.findChildren<QLabel*>())
        if (label->text() == QStringLiteral("Kerfwell Plus Solo"))
            title = label;
    ASSERT_NE(title, nullptr);
    about.show();
    QTest::mouseDClick(title, Qt::LeftButton);
    EXPECT_EQ(opened, QStringLiteral("Support Tools"));
    EXPECT_EQ(skips, 1);
}

TEST_F(ShellTest, MaterialsBackupDialogTextsAndFolder)
{
    Start();
    CMatBackupDlg backup(true);
    EXPECT_EQ(backup.windowTitle(), QStringLiteral("Raw Materials Backup"));
    EXPECT_EQ(backup.OkButton()->text(), QStringLiteral("Save"));
    EXPECT_TRUE(backup.findChild<QLabel*>()->text() == QStringLiteral("Folder to save a backup copy in:"));
    CMatBackupDlg restore(false);
    EXPECT_EQ(restore.windowTitle(), QStringLiteral("Raw Materials Restore"));
    EXPECT_EQ(restore.OkButton()->text(), QStringLiteral("Restore"));
    EXPECT_TRUE(ButtonTexts(restore).contains(QStringLiteral("Cancel")));

    // A missing folder keeps the dialog open with its message.
    const PrefsMessageHook previous
        = SetPrefsMessageHook([this](const QString& text) { m_messages << text; });
    QTemporaryDir temp;
    restore.FolderField()->setText(temp.path() + QStringLiteral("/missing"));
    restore.accept();
    EXPECT_NE(restore.result(), QDialog::Accepted);
    EXPECT_EQ(m_messages.size(), 1);
    restore.FolderField()->setText(temp.path());
    restore.accept();
    EXPECT_EQ(restore.result(), QDialog::Accepted);
    EXPECT_EQ(restore.GetFolder(), temp.path() + QStringLiteral("/"));
    SetPrefsMessageHook(previous);
}

TEST_F(ShellTest, NotesDialogKeepsTheNoteOnCancelAndHidesAnEmptySubtitle)
{
    Start();
    CNotesEditDlg withSubtitle(QStringLiteral("old"), QStringLiteral("Part 3"));
    withSubtitle.show();
    EXPECT_EQ(withSubtitle.windowTitle(), QStringLiteral("Add/Edit Notes"));
    EXPECT_TRUE(withSubtitle.Subtitle()->isVisible());
    withSubtitle.Editor()->setPlainText(QStringLiteral("new\nlines"));
    withSubtitle.reject();
    EXPECT_EQ(withSubtitle.GetNote(), QStringLiteral("old"));
    withSubtitle.accept();
    EXPECT_EQ(withSubtitle.GetNote(), QStringLiteral("new\nlines"));

    CNotesEditDlg plain(QStringLiteral("x"), QString());
    plain.show();
    EXPECT_FALSE(plain.Subtitle()->isVisible());

    QuickStartDlg quickStart;
    EXPECT_EQ(ButtonTexts(quickStart), (QStringList { QStringLiteral("OK"), QStringLiteral("Read Later") }));
    EXPECT_EQ(quickStart.TextLabel()->font().family(), QStringLiteral("Georgia"));
}

// The project's life in the program window: the bill after an open, the
// window title, the recent-file list, and the document's requests to its view.
#include "ShellTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/CMainTab.h"
#include "shell/ShellCommands.h"
#include "shell/ViewMgr.h"

#include "foundation/CmdHistory.h"
#include "foundation/FileNames.h"
#include "foundation/UpdateHint.h"
#include "foundation/UserPrefsBase.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/RMTree.h"
#include "grids/SheetGoodBOMPane.h"
#include "optimization/TopLevelBOM.h"

#include <platform/ui/RecentFileList.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr int kPrefMruCount = 3061;

void ClickTab(CKerfwellPlusApp& app, int page)
{
    CMainTab& tab = app.GetView()->GetTab();
    QTest::mouseClick(&tab, Qt::LeftButton, {}, tab.tabRect(page).center());
}

// The File menu's recent-file entries as the user sees them when it opens.
QStringList RecentMenuPaths(CKerfwellPlusApp& app)
{
    QMenu* file = app.GetMainFrame()->menuBar()->actions().front()->menu();
    Q_EMIT file->aboutToShow();
    QStringList paths;
    for (QAction* action : app.GetMainFrame()->GetRecentFileActions())
        paths << action->data().toString();
    return paths;
}

QAction* RecentMenuEntry(CKerfwellPlusApp& app, const QString& path)
{
    RecentMenuPaths(app);
    for (QAction* action : app.GetMainFrame()->GetRecentFileActions())
        if (action->data().toString() == path)
            return action;
    return nullptr;
}

// Every way of opening a project ends in the one document: its manager and
// bill stay those the B.O.M. page was given at start, and show the project.
TEST_F(ShellTest, AfterAnOpenTheBOMPageAndItsCopyShowTheOpenedProject)
{
    CKerfwellPlusApp& app = Start();
    QTemporaryDir folder;
    ASSERT_TRUE(AddBirchPart(app));
    m_chosenPath = folder.filePath(QStringLiteral("Bill.kwxe"));
    ASSERT_TRUE(app.OnFileSaveAs());
    const auto manager = app.GetDocument()->GetBOMOptMgr();
    const auto bill = app.GetDocument()->GetSheetGoodsBOM();
    platform::CommandActions& commands = app.GetMainFrame()->GetCommands();
    ASSERT_TRUE(commands.Trigger(ShellCommand::FileNew));

    ASSERT_TRUE(commands.Trigger(ShellCommand::FileOpen));
    ASSERT_EQ(app.GetDocument()->GetPartList().size(), 1U);
    EXPECT_TRUE(app.GetDocument()->GetBOMOptMgr() == manager);
    EXPECT_TRUE(app.GetDocument()->GetSheetGoodsBOM() == bill);

    ClickTab(app, CKWLView::BOMPage);
    ASSERT_EQ(app.GetView()->GetCurrentPage(), CKWLView::BOMPage);
    EXPECT_GT(app.GetView()->GetBOMPane()->GetGrid().GetRowCount(), 0);
    commands.UpdateActions();
    ASSERT_TRUE(commands.Trigger(ShellCommand::EditCopy));
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("Birch")));
}

TEST_F(ShellTest, TheWindowTitleNamesTheProjectAndMarksUnsavedChanges)
{
    CKerfwellPlusApp& app = Start();
    QTemporaryDir folder;
    CMainFrame& frame = *app.GetMainFrame();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Untitled[*] - Kerfwell Plus Solo"));
    EXPECT_FALSE(frame.isWindowModified());

    app.GetDocument()->AppendPart(new CMilledPart());
    EXPECT_TRUE(frame.isWindowModified());

    m_chosenPath = folder.filePath(QStringLiteral("Shelf.kwxe"));
    ASSERT_TRUE(app.OnFileSaveAs());
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Shelf.kwxe[*] - Kerfwell Plus Solo"));
    EXPECT_FALSE(frame.isWindowModified());

    ASSERT_TRUE(frame.GetCommands().Trigger(ShellCommand::FileNew));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Untitled[*] - Kerfwell Plus Solo"));
    ASSERT_TRUE(app.OpenDocumentFile(m_chosenPath));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Shelf.kwxe[*] - Kerfwell Plus Solo"));
    EXPECT_FALSE(frame.isWindowModified());
}

// A line break and a byte that is not UTF-8 in a project's name show as
// escapes wherever the name is shown; the file is still found by its name.
TEST_F(ShellTest, ANameWithALineBreakShowsEscapedInTheTitleTheRecentFilesAndTheMessages)
{
    CKerfwellPlusApp& app = Start();
    QTemporaryDir folder;
    CMainFrame& frame = *app.GetMainFrame();
    app.GetDocument()->AppendPart(new CMilledPart());
    m_chosenPath = folder.path() + DecodeFileName("/Caf\xe9\nShelf.kwxe");
    const QString shown = folder.path() + QStringLiteral("/Caf\\xe9\\nShelf.kwxe");
    ASSERT_TRUE(app.OnFileSaveAs());
    const std::filesystem::path file(EncodeFileName(m_chosenPath).toStdString());
    ASSERT_TRUE(std::filesystem::is_regular_file(file));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Caf\\xe9\\nShelf.kwxe[*] - Kerfwell Plus Solo"));

    QAction* entry = RecentMenuEntry(app, m_chosenPath);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->text(), QStringLiteral("&1 ") + shown);

    // The question before a new project names it as the title does.
    app.GetDocument()->AppendPart(new CMilledPart());
    m_answer = QMessageBox::No;
    ASSERT_TRUE(frame.GetCommands().Trigger(ShellCommand::FileNew));
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], QStringLiteral("Save changes to Caf\\xe9\\nShelf.kwxe?"));

    // The entry opens the file; once it is gone, the message says which.
    entry->trigger();
    EXPECT_EQ(app.GetDocument()->PathName(), m_chosenPath);
    ASSERT_TRUE(std::filesystem::remove(file));
    ASSERT_TRUE(frame.GetCommands().Trigger(ShellCommand::FileNew));
    m_messages.clear();
    RecentMenuEntry(app, m_chosenPath)->trigger();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(shown)) << m_messages[0].toStdString();
    EXPECT_FALSE(m_messages[0].contains(QLatin1Char('\n') + QStringLiteral("Shelf")));

    // So does the message of a project that cannot be found when opened.
    m_messages.clear();
    EXPECT_FALSE(app.OpenDocumentFile(m_chosenPath));
    QApplication::processEvents(); // the report comes after the open
    ASSERT_FALSE(m_messages.isEmpty());
    EXPECT_TRUE(m_messages.join(QLatin1Char(' ')).contains(shown))
        << m_messages.join(QLatin1Char(' ')).toStdString();

    // And the message of a save that fails: the folder does not exist.
    m_messages.clear();
    m_chosenPath = folder.path() + QStringLiteral("/Gone\aFolder/Shelf.kwxe");
    EXPECT_FALSE(app.OnFileSaveAs());
    QApplication::processEvents();
    ASSERT_FALSE(m_messages.isEmpty());
    EXPECT_TRUE(m_messages.join(QLatin1Char(' '))
                    .contains(folder.path() + QStringLiteral("/Gone\\x07Folder/Shelf.kwxe")))
        << m_messages.join(QLatin1Char(' ')).toStdString();
}

// Save As and Open put their file first; the list keeps "MRU Count" files
// across a restart; an entry whose file is gone says so and goes.
TEST_F(ShellTest, TheRecentFileListFollowsOpenAndSaveAsAcrossARestart)
{
    QTemporaryDir folder;
    QStringList saved;
    {
        CKerfwellPlusApp& app = Start();
        EXPECT_TRUE(RecentMenuPaths(app).isEmpty());
        app.GetDocument()->AppendPart(new CMilledPart());
        for (const char* name : {"A.kwxe", "B.kwxe", "C.kwxe"}) {
            m_chosenPath = folder.filePath(QString::fromLatin1(name));
            ASSERT_TRUE(app.OnFileSaveAs());
            saved << m_chosenPath;
        }
        ASSERT_TRUE(app.OpenDocumentFile(saved[0]));
        EXPECT_EQ(RecentMenuPaths(app), (QStringList {saved[0], saved[2], saved[1]}));
        GetUserPrefs()->SetInt(kPrefMruCount, 2);
        m_app.reset();
    }
    CKerfwellPlusApp& app = Start();
    EXPECT_EQ(RecentMenuPaths(app), (QStringList {saved[0], saved[2]}));

    ASSERT_TRUE(QFile::remove(saved[2]));
    QAction* gone = RecentMenuEntry(app, saved[2]);
    ASSERT_TRUE(gone);
    gone->trigger();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(saved[2]));
    EXPECT_TRUE(app.GetDocument()->PathName().isEmpty());
    EXPECT_EQ(RecentMenuPaths(app), (QStringList {saved[0]}));
    EXPECT_EQ(app.GetRecentFileList()->Files(), (QStringList {saved[0]}));

    QAction* there = RecentMenuEntry(app, saved[0]);
    ASSERT_TRUE(there);
    there->trigger();
    EXPECT_EQ(app.GetDocument()->PathName(), saved[0]);
    EXPECT_EQ(app.GetDocument()->GetPartList().size(), 1U);
}

// A project in a folder named in Latin-1 stays on the list across a
// restart and opens from it: the settings keep the name's bytes.
TEST_F(ShellTest, ARecentFileNamedInLatin1SurvivesARestart)
{
    QTemporaryDir folder;
    const QByteArray rawFolder = QFile::encodeName(folder.path()) + QByteArrayLiteral("/caf\xe9");
    ASSERT_EQ(::mkdir(rawFolder.constData(), 0700), 0);
    // QTemporaryDir cannot remove what Qt cannot name.
    struct RemoveAtEnd
    {
        std::filesystem::path folder;
        ~RemoveAtEnd() { std::filesystem::remove_all(folder); }
    } removeAtEnd { rawFolder.toStdString() };
    const QString path = DecodeFileName(rawFolder + QByteArrayLiteral("/Bench.kwxe"));
    {
        CKerfwellPlusApp& app = Start();
        app.GetDocument()->AppendPart(new CMilledPart());
        m_chosenPath = path;
        ASSERT_TRUE(app.OnFileSaveAs());
        m_app.reset();
    }
    // A new process reads the settings from the disk; this one would answer
    // from its cache unless the file looks changed.
    const QString settingsFile
        = QSettings(QStringLiteral("Marrowby Design"), QStringLiteral("Kerfwell Plus Solo")).fileName();
    const timespec longAgo[2] = { { 1000000000, 0 }, { 1000000000, 0 } };
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(settingsFile).constData(), longAgo, 0), 0);
    CKerfwellPlusApp& app = Start();
    QAction* entry = RecentMenuEntry(app, path);
    ASSERT_TRUE(entry);
    entry->trigger();
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(app.GetDocument()->PathName(), path);
    EXPECT_EQ(app.GetDocument()->GetPartList().size(), 1U);
    EXPECT_EQ(app.GetRecentFileList()->Files(), QStringList { path });
}

// What the document asks of its view reaches the view.
TEST_F(ShellTest, TheDocumentsRequestsReachTheView)
{
    CKerfwellPlusApp& app = Start();
    std::shared_ptr<CSheetGoodEx> birch = AddBirch();
    CKWLView& view = *app.GetView();
    CUGRowMode& parts = *view.GetPartsGrid();
    IDocumentShell& shell = app;
    platform::CommandActions& commands = app.GetMainFrame()->GetCommands();

    // Before the library reloads, the materials tree lets its selection go.
    UpdateHint added(0x201, 0); // what the command that adds a material announces
    view.GetViewMgr()->ApplyDocumentUpdate(added);
    view.GetRMTree().SelectItemByData(birch.get());
    ASSERT_TRUE(view.GetRMTree().IsMaterialSelected());
    shell.ClearMaterialsTreeSelection();
    EXPECT_FALSE(view.GetRMTree().IsMaterialSelected());

    // The parts list is rebuilt from the document, for a reset and for a new project.
    struct Rebuild
    {
        const char* name;
        void (IDocumentShell::*request)();
    };
    for (const Rebuild& rebuild : {Rebuild {"RebuildPartsGrid", &IDocumentShell::RebuildPartsGrid},
                                   Rebuild {"RefreshPartsPage", &IDocumentShell::RefreshPartsPage}}) {
        SCOPED_TRACE(rebuild.name);
        const int rows = parts.GetRowCount();
        app.GetDocument()->AppendPart(new CMilledPart()); // no update sent
        ASSERT_EQ(parts.GetRowCount(), rows);
        (shell.*rebuild.request)();
        EXPECT_EQ(parts.GetRowCount(), rows + 1);
    }

    // After an open the columns fit again.
    const int width = parts.GetColumnWidth(1);
    parts.SetColumnWidth(1, width + 300);
    shell.FitPartsGridColumns();
    EXPECT_EQ(parts.GetColumnWidth(1), width);

    // Before the project closes no in-place edit is left on one of its parts.
    parts.GotoCell(1, 0);
    parts.BeginCellEdit(1, 0);
    ASSERT_TRUE(parts.IsEditing());
    shell.OnCloseDocument();
    EXPECT_FALSE(parts.IsEditing());

    // After a new project the commands' states are brought up to date.
    CmdHistory* history = GetCmdHistory();
    ASSERT_TRUE(history);
    history->Clear();
    commands.Find(ShellCommand::EditUndo)->setEnabled(true);
    shell.OnNewDocument();
    EXPECT_FALSE(commands.Find(ShellCommand::EditUndo)->isEnabled());
}

// Closing the window closes the project: the reset runs and the history goes.
TEST_F(ShellTest, ClosingTheWindowClosesTheProject)
{
    CKerfwellPlusApp& app = Start();
    ASSERT_TRUE(AddBirchPart(app));
    m_answer = QMessageBox::No;
    ASSERT_TRUE(app.GetMainFrame()->GetCommands().Trigger(ShellCommand::AppExit));
    EXPECT_FALSE(app.GetMainFrame()->isVisible());
    EXPECT_TRUE(app.GetDocument()->GetPartList().empty());
    EXPECT_FALSE(app.GetDocument()->IsModified());
    EXPECT_EQ(app.GetDocument()->GetSheetGoodsBOM()->GetCount(), 0U);
}

} // namespace

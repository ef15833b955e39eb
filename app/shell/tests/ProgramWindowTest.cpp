#include "HandOverTestSupport.h"
#include "ShellTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/CMainTab.h"
#include "shell/CkwlCmdLineInfo.h"
#include "shell/ShellCommands.h"
#include "shell/ViewMgr.h"

#include "document/CKWLDoc.h"
#include "layouts/ui/ILayoutsFrame.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "foundation/UIResources.h"
#include "foundation/UserPrefsBase.h"
#include "model/CMaterials.h"
#include "model/CMilledPart.h"
#include "model/CSheetGoodEx.h"
#include "model/SheetGoodSizeCost.h"
#include "model/SizeCostFactory.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

TEST_F(ShellTest, AStartLogsItsStepsInOrderAndShowsTheFiveTabs)
{
    CKerfwellPlusApp& app = Start();
    const QStringList expected = {QStringLiteral("App Startup"), QStringLiteral("1.0"),
                                  QStringLiteral("Factories initialized"), QStringLiteral("User Prefs initialized"),
                                  QStringLiteral("Shared settings mgr loaded"), QStringLiteral("Materials loaded."),
                                  QStringLiteral("Main Frame created")};
    QStringList lines = LogLines();
    // Each start appends to the one log of this process: look at the last one.
    const qsizetype start = lines.lastIndexOf(QStringLiteral("App Startup"));
    ASSERT_GE(start, 0);
    lines = lines.mid(start);
    qsizetype at = 0;
    for (const QString& line : expected) {
        at = lines.indexOf(line, at);
        EXPECT_GE(at, 0) << line.toStdString();
    }

    CMainTab& tab = app.GetView()->GetTab();
    ASSERT_EQ(tab.count(), 5);
    EXPECT_EQ(tab.tabText(0), QStringLiteral("Parts"));
    EXPECT_EQ(tab.tabText(2), QStringLiteral("B.O.M."));
    EXPECT_EQ(tab.tabText(4), QStringLiteral("Raw Materials"));
    EXPECT_EQ(app.GetView()->GetCurrentPage(), 0);
    EXPECT_FALSE(app.GetMainFrame()->HasLoadingSplash());

    // A click on the Reports tab shows the reports page alone.
    QTest::mouseClick(&tab, Qt::LeftButton, {}, tab.tabRect(3).center());
    EXPECT_EQ(app.GetView()->GetCurrentPage(), 3);
    EXPECT_TRUE(app.GetView()->GetPage(3)->isVisible());
    EXPECT_FALSE(app.GetView()->GetPage(0)->isVisible());

    const QImage picture = app.GetView()->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    const QRect tabArea = tab.geometry() & picture.rect();
    int ink = 0;
    for (int y = tabArea.top(); y <= tabArea.bottom(); ++y)
        for (int x = tabArea.left(); x <= tabArea.right(); ++x)
            ink += qGray(picture.pixel(x, y)) < 100;
    EXPECT_GT(ink, 50); // the five tab texts
}

TEST_F(ShellTest, StartInstallsTheSizeCostFactoryAndExitReleasesTheDialogFont)
{
    InstallSizeCostFactory(nullptr);
    CKerfwellPlusApp& app = Start();
    EXPECT_NE(GetSizeCostFactory(), nullptr);
    GetDialogFont();
    app.ExitInstance();
    EXPECT_FALSE(IsDialogFontCreated());
}

TEST_F(ShellTest, FileCommandsRoundTripAProject)
{
    CKerfwellPlusApp& app = Start();
    QTemporaryDir folder;
    CKWLDoc& document = *app.GetDocument();
    auto* part = new CMilledPart();
    part->SetDescription(QStringLiteral("Shelf"));
    document.AppendPart(part);
    platform::CommandActions& commands = app.GetMainFrame()->GetCommands();

    m_chosenPath = folder.filePath(QStringLiteral("Shelf.kwxe"));
    EXPECT_TRUE(commands.Trigger(ShellCommand::FileSaveAs));
    EXPECT_EQ(document.PathName(), m_chosenPath);
    EXPECT_FALSE(document.IsModified());

    // Page Setup and Print Setup are reached from the File menu.
    commands.UpdateActions();
    EXPECT_TRUE(commands.Find(ShellCommand::PageSetup)->isEnabled());
    EXPECT_TRUE(commands.Find(ShellCommand::FilePrintSetup)->isEnabled());
    EXPECT_TRUE(commands.Trigger(ShellCommand::FileNew));
    EXPECT_TRUE(document.GetPartList().empty());
    EXPECT_TRUE(document.PathName().isEmpty());

    EXPECT_TRUE(commands.Trigger(ShellCommand::FileOpen));
    ASSERT_EQ(document.GetPartList().size(), 1U);
    EXPECT_EQ(document.GetPartList()[0]->GetDescription(), QStringLiteral("Shelf"));

    document.GetPartList()[0]->SetDescription(QStringLiteral("Top"));
    document.SetModified();
    EXPECT_TRUE(commands.Trigger(ShellCommand::FileSave));
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(app.OpenDocumentFile(m_chosenPath));
    EXPECT_EQ(document.GetPartList()[0]->GetDescription(), QStringLiteral("Top"));
}

TEST_F(ShellTest, AFailedSaveKeepsTheWork)
{
    CKerfwellPlusApp& app = Start();
    CKWLDoc& document = *app.GetDocument();
    document.AppendPart(new CMilledPart());
    m_chosenPath = QStringLiteral("/nonexistent-folder/Project.kwxe");
    EXPECT_FALSE(app.OnFileSaveAs());
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.GetPartList().size(), 1U);
    EXPECT_TRUE(document.PathName().isEmpty());
}

TEST_F(ShellTest, AProjectOnTheCommandLineThatCannotBeOpenedLeavesTheProgramOpen)
{
    QTemporaryDir folder;
    const QString damaged = folder.filePath(QStringLiteral("Damaged.kwxe"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a project");
    file.close();
    CKerfwellPlusApp& app = Start({damaged});
    QCoreApplication::processEvents(); // the queued report
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(app.GetMainFrame()->isVisible());
    EXPECT_TRUE(app.GetDocument()->GetPartList().empty());
    EXPECT_TRUE(app.GetDocument()->PathName().isEmpty());
}

TEST_F(ShellTest, ASecondStartHandsItsProjectToTheFirst)
{
    CKerfwellPlusApp& first = Start({}, QStringLiteral("KwlHandOverTest"));
    QTemporaryDir folder;
    first.GetDocument()->AppendPart(new CMilledPart());
    m_chosenPath = folder.filePath(QStringLiteral("Handed.kwxe"));
    ASSERT_TRUE(first.OnFileSaveAs());
    first.OnFileNew();
    ASSERT_TRUE(first.GetDocument()->GetPartList().empty());

    EXPECT_TRUE(LaterStart(QStringLiteral("KwlHandOverTest"), {m_chosenPath}).HandedOver());
    for (int i = 0; i < 50 && first.GetDocument()->PathName().isEmpty(); ++i)
        QTest::qWait(20);
    EXPECT_EQ(first.GetDocument()->PathName(), m_chosenPath);
    EXPECT_EQ(first.GetDocument()->GetPartList().size(), 1U);
}

TEST_F(ShellTest, ASecondProgramEndsAtOnceAndLeavesTheLogAlone)
{
    Start({}, QStringLiteral("KerfwellPlusSoloInstance"));
    const QString log = SessionLog::Instance().GetPath();
    QFile before(log);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray content = before.readAll();
    before.close();
    QProcess second;
    second.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    second.start(QStringLiteral(KWL_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    QFile after(log);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), content);
}

// The window's frame, title bar included, lies on the screen when it is
// restored: on a first start (maximized over a rectangle in the middle of
// the screen), and whatever placement was stored (a screen that is gone, a
// title bar above the screen, a window larger than the screen). A placement
// on the screen stays as it was.
TEST_F(ShellTest, TheRestoredFrameLiesOnTheScreen)
{
    struct Case
    {
        const char* name;
        int showCmd; // 0: nothing stored
        QRect stored;
        QRect kept; // the normal rectangle when it must not move
    };
    const Case cases[] = {
        { "a first start", 0, QRect(), QRect() },
        { "on a screen that is gone", 1, QRect(-3000, -2000, 500, 400), QRect() },
        { "the title bar above the screen", 3, QRect(100, -20, 500, 400), QRect() },
        { "larger than the screen", 1, QRect(0, 0, 5000, 4000), QRect() },
        { "on the screen", 1, QRect(100, 120, 500, 400), QRect(100, 120, 500, 400) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            QSettings profile(QStringLiteral("Marrowby Design"), QStringLiteral("Kerfwell Plus Solo"));
            profile.remove(QStringLiteral("5.0"));
            if (c.showCmd) {
                profile.beginGroup(QStringLiteral("5.0"));
                profile.setValue(QStringLiteral("WPShowCmd"), c.showCmd);
                profile.setValue(QStringLiteral("WPNormL"), c.stored.left());
                profile.setValue(QStringLiteral("WPNormT"), c.stored.top());
                profile.setValue(QStringLiteral("WPNormR"), c.stored.left() + c.stored.width());
                profile.setValue(QStringLiteral("WPNormB"), c.stored.top() + c.stored.height());
            }
        }
        CMainFrame& frame = *Start().GetMainFrame();
        const QRect available = frame.screen()->availableGeometry();
        EXPECT_EQ(frame.isMaximized(), c.showCmd != 1);
        if (!c.showCmd) {
            EXPECT_EQ(frame.normalGeometry(), DefaultNormalRect(available));
            EXPECT_EQ(frame.normalGeometry().center(), available.center());
            EXPECT_GT(frame.normalGeometry().width(), available.width() / 2);
        }
        frame.showNormal();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        EXPECT_TRUE(available.contains(frame.frameGeometry()))
            << frame.frameGeometry().x() << "," << frame.frameGeometry().y() << " "
            << frame.frameGeometry().width() << "x" << frame.frameGeometry().height();
        EXPECT_GT(frame.frameGeometry().top(), available.top() - 1);
        if (c.kept.isValid()) {
            EXPECT_EQ(frame.geometry(), c.kept);
        } else if (c.showCmd && c.stored.width() < available.width()) {
            EXPECT_EQ(frame.geometry().size(), c.stored.size());
        }
        m_app.reset();
    }
}

// How a normal rectangle is placed for its frame to lie on the available
// part of the screen.
TEST(MainFramePlacementTest, TheFrameIsMovedAndIfItMustShrunkOntoTheScreen)
{
    const QRect available(0, 30, 1000, 700); // a panel at the top
    const QMargins frame(4, 28, 4, 4);
    const struct
    {
        QRect normal;
        QRect placed;
    } cases[] = {
        { QRect(100, 100, 500, 400), QRect(100, 100, 500, 400) }, // on the screen: stays
        { QRect(0, 0, 500, 400), QRect(4, 58, 500, 400) }, // the title bar under the panel
        { QRect(800, 600, 500, 400), QRect(496, 326, 500, 400) }, // pulled back from the corner
        { QRect(-3000, 9000, 500, 400), QRect(4, 326, 500, 400) }, // a screen that is gone
        { QRect(0, 0, 2000, 2000), QRect(4, 58, 992, 668) }, // shrunk to the room there is
    };
    for (const auto& c : cases) {
        const QRect placed = FitNormalRectOnScreen(c.normal, frame, available);
        EXPECT_EQ(placed, c.placed) << c.normal.x() << "," << c.normal.y();
        EXPECT_TRUE(available.contains(placed.marginsAdded(frame)));
    }
    EXPECT_EQ(DefaultNormalRect(available), QRect(125, 117, 750, 525));
}

TEST_F(ShellTest, ThePrintSystemGuardSkipsOneStartAfterACrash)
{
    Start();
    auto guardLine = [] {
        const QStringList lines = LogLines();
        for (qsizetype i = lines.size() - 1; i >= 0; --i)
            if (lines[i].contains(QStringLiteral("printer control initialization")))
                return lines[i];
        return QString();
    };
    int starts = 0;
    auto startFrame = [&] {
        CMainFrame frame([&] { ++starts; return true; });
        EXPECT_TRUE(frame.OnCreate());
    };
    startFrame();
    EXPECT_EQ(guardLine(), QStringLiteral("After printer control initialization"));
    EXPECT_EQ(starts, 1);
    GetUserPrefs()->SetFlag(2119, false); // a start that died in the print system
    startFrame();
    EXPECT_EQ(guardLine(), QStringLiteral("Postponed printer control initialization"));
    EXPECT_EQ(starts, 1);
    startFrame();
    EXPECT_EQ(guardLine(), QStringLiteral("After printer control initialization"));
    EXPECT_EQ(starts, 2);
}

TEST(MainViewGeometryTest, TabStripAndPageArea)
{
    struct Case
    {
        QRect client;
        QRect tab;
        QRect page;
    };
    const Case cases[] = {
        {QRect(0, 0, 800, 600), QRect(5, 10, 790, 25), QRect(5, 43, 790, 550)},
        // Narrow: the tab keeps 620 pixels.
        {QRect(0, 0, 400, 600), QRect(5, 10, 620, 25), QRect(5, 43, 620, 550)},
        // Short: the page is empty at the client's bottom.
        {QRect(0, 0, 800, 30), QRect(5, 10, 790, 25), QRect(5, 30, 790, 0)},
    };
    for (const Case& c : cases) {
        const MainViewGeometry geometry = ComputeMainViewGeometry(c.client);
        EXPECT_EQ(geometry.tab, c.tab);
        EXPECT_EQ(geometry.page, c.page);
    }
}

TEST(CommandLineTest, SwitchesNamesAndImportFiles)
{
    struct Case
    {
        QStringList arguments;
        CkwlCmdLineInfo::ShellCommand command;
        QString file;
        std::uint32_t flags;
    };
    using Command = CkwlCmdLineInfo::ShellCommand;
    const Case cases[] = {
        {{}, Command::FileNew, {}, 0},
        {{QStringLiteral("/home/a/Bench.kwxe")}, Command::FileOpen, QStringLiteral("/home/a/Bench.kwxe"), 0},
        {{QStringLiteral("parts.csv")}, Command::FileNew, {}, 2},
        {{QStringLiteral("NOTES.TXT")}, Command::FileNew, {}, 2},
        {{QStringLiteral("-i"), QStringLiteral("Bench.kwxe")}, Command::FileNew, {}, 2},
        {{QStringLiteral("-S"), QStringLiteral("-w"), QStringLiteral("Bench.kwxe")}, Command::FileOpen,
         QStringLiteral("Bench.kwxe"), 12},
        {{QStringLiteral("-p"), QStringLiteral("Bench.kwxe")}, Command::FilePrint, QStringLiteral("Bench.kwxe"), 0},
        {{QStringLiteral("-pt"), QStringLiteral("Office"), QStringLiteral("Bench.kwxe")}, Command::FilePrintTo,
         QStringLiteral("Bench.kwxe"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        CkwlCmdLineInfo info;
        info.Parse(c.arguments);
        EXPECT_EQ(info.GetShellCommand(), c.command);
        EXPECT_EQ(info.GetFileName(), c.file);
        EXPECT_EQ(info.GetFlags(), c.flags);
    }
}

TEST(InstallTest, TheInstalledProgramHasItsFiles)
{
    QTemporaryDir prefix;
    QProcess install;
    install.start(QStringLiteral(KWL_CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(KWL_BINARY_DIR), QStringLiteral("--prefix"), prefix.path()});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    for (const char* file : {"bin/KWLSolo", "lib/libnestcore.so", "lib/libqzXmlUtility.so", "lib/libShareguard.so",
                             "share/kwlsolo/DefMats.KWDE", "share/applications/kwlsolo.desktop",
                             "share/mime/packages/kwlsolo-mime.xml"})
        EXPECT_TRUE(QFile::exists(QDir(prefix.path()).filePath(QString::fromLatin1(file)))) << file;
    EXPECT_TRUE(QDir(QDir(prefix.path()).filePath(QStringLiteral("share/kwlsolo/lang"))).exists());
}

} // namespace

#include "optimization/RunProgressDialog.h"

namespace {

// While the jobs of a run write parts and results, the main view does not
// paint; the progress dialog does.
TEST_F(ShellTest, TheLayoutsTabShowsTheLayoutsFrameOverTheOptimizedProject)
{
    CKerfwellPlusApp& app = Start();
    CMilledPart* part = AddBirchPart(app);
    ASSERT_TRUE(part);

    LayoutsViewMgr* layouts = app.GetView()->GetViewMgr()->GetLayoutsViewMgr();
    ASSERT_TRUE(layouts);
    QWidget* frame = layouts->GetFrame()->GetFrameWnd();
    EXPECT_EQ(app.GetView()->GetPage(1), frame);
    EXPECT_FALSE(frame->isVisible());

    CMainTab& tab = app.GetView()->GetTab();
    QTest::mouseClick(&tab, Qt::LeftButton, {}, tab.tabRect(1).center());
    EXPECT_EQ(app.GetView()->GetCurrentPage(), 1);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->geometry(), app.GetView()->GetPageRect());
    EXPECT_TRUE(app.GetDocument()->IsFullyOptimized());
    EXPECT_TRUE(layouts->GetCurrentDiagram());

    QTest::mouseClick(&tab, Qt::LeftButton, {}, tab.tabRect(0).center());
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(ShellTest, TheViewDoesNotPaintWhileARunWritesTheProject)
{
    CKerfwellPlusApp& app = Start();
    CMilledPart* part = AddBirchPart(app);
    ASSERT_TRUE(part);

    bool paintingDuringRun = true;
    RunProgressDialogMaker real = SetRunProgressDialogMaker(nullptr);
    SetRunProgressDialogMaker([&](RunStartLatch& start, TaskProgressRows rows) {
        paintingDuringRun = app.GetView()->updatesEnabled();
        return real(start, std::move(rows));
    });
    EXPECT_TRUE(app.GetDocument()->Optimize(-1));
    SetRunProgressDialogMaker(real);
    EXPECT_FALSE(paintingDuringRun);
    EXPECT_TRUE(app.GetView()->updatesEnabled());
    EXPECT_EQ(part->GetOptimizerPlacedCopies(), 2U);
}

} // namespace

namespace {

// The project's own file is refused by what it is, not by how it is named:
// a link or a "../" path to it too, while a name differing in case is
// another file.
TEST_F(ShellTest, TheExportDialogRefusesTheProjectsOwnFile)
{
    CKerfwellPlusApp& app = Start();
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    app.GetDocument()->AppendPart(new CMilledPart());
    m_chosenPath = folder.filePath(QStringLiteral("Bench.kwxe"));
    ASSERT_TRUE(app.OnFileSaveAs());
    ASSERT_TRUE(QFile::link(m_chosenPath, folder.filePath(QStringLiteral("Link.kwxe"))));
    ViewMgr& views = *app.GetView()->GetViewMgr();
    const QStringList refused = {m_chosenPath, folder.filePath(QStringLiteral("Link.kwxe")),
                                 folder.filePath(QStringLiteral("sub/../Bench.kwxe"))};
    for (const QString& path : refused) {
        SCOPED_TRACE(path.toStdString());
        m_chosenPath = path;
        m_messages.clear();
        QString chosen;
        EXPECT_FALSE(views.AskExportFileName(true, 2, 1006, chosen));
        EXPECT_EQ(m_messages.size(), 1);
    }
    m_chosenPath = folder.filePath(QStringLiteral("BENCH.kwxe"));
    m_messages.clear();
    QString chosen;
    EXPECT_TRUE(views.AskExportFileName(true, 2, 1006, chosen));
    EXPECT_TRUE(m_messages.isEmpty());
}

} // namespace

namespace {

TEST_F(ShellTest, MenuTextsFollowTheHistoryAndTheLock)
{
    CKerfwellPlusApp& app = Start();
    platform::CommandActions& commands = app.GetMainFrame()->GetCommands();
    commands.UpdateActions();
    EXPECT_EQ(commands.Find(ShellCommand::LockProject)->text(), QStringLiteral("&Lock Project"));
    EXPECT_FALSE(commands.Find(ShellCommand::EditUndo)->isEnabled());
    app.GetDocument()->AppendPart(new CMilledPart());
    EXPECT_TRUE(commands.Trigger(ShellCommand::LockProject));
    commands.UpdateActions();
    EXPECT_EQ(commands.Find(ShellCommand::LockProject)->text(), QStringLiteral("Un&lock Project"));
    EXPECT_TRUE(commands.Find(ShellCommand::LockProject)->isChecked());
    EXPECT_EQ(commands.Find(ShellCommand::EditUndo)->text(), QStringLiteral("&Undo Lock Project"));
    EXPECT_EQ(commands.Find(ShellCommand::EditUndo)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
}

} // namespace

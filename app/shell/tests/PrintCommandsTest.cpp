// Print and Print Preview in the program window, and the print switches of
// the command line, over the document printer.
#include "FileDialogAnswer.h"
#include "HandOverTestSupport.h"
#include "ShellTestSupport.h"

#include "CancellingRunDialog.h"
#include "PrintTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/ShellCommands.h"
#include "shell/ViewMgr.h"

#include "document/CKWLDoc.h"
#include "foundation/FileNames.h"
#include "foundation/PrintSettings.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/ui/CIconButton.h"
#include "layouts/ui/ILayoutsFrame.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "layouts/ui/ThumbnailsZone.h"
#include "optimization/RunProgressDialog.h"
#include "output/print/PrintSetupCommands.h"
#include "output/print/ui/CPrintCommands.h"
#include "output/print/ui/CPrintLayoutsDlg.h"
#include "output/print/ui/CTPPreviewView.h"
#include "output/print/ui/CTPPrintPreviewBar.h"
#include "platform/ui/PrintControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLocalSocket>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include <sys/stat.h>

namespace {

class ShellPrintTest : public ShellTest
{
protected:
    void TearDown() override
    {
        SetPrintDialogRunner({});
        ShellTest::TearDown();
    }

    // The open project saved under a name in the folder, as the file
    // dialog would answer; the path it was saved to.
    QString SaveProjectAs(CKerfwellPlusApp& app, const QTemporaryDir& folder, const char* name)
    {
        m_chosenPath = folder.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(app.OnFileSaveAs());
        return m_chosenPath;
    }

    // The last printer of the dialog's list: PDF output.
    static void ChoosePdfOutput(CPrintLayoutsDlg& dialog)
    {
        QComboBox* printers = dialog.PrinterChoice();
        printers->setCurrentIndex(printers->count() - 1);
        Q_EMIT printers->activated(printers->count() - 1);
    }

    // The user asks for the cover page alone, on PDF output.
    void AnswerWithTheCoverPageAsPdf()
    {
        SetPrintDialogRunner([this](CPrintLayoutsDlg& dialog) {
            m_ignoredWhileOpen = GetUserPrefs()->GetFlag(kPrefIgnorePrefs);
            ChoosePdfOutput(dialog);
            dialog.SelectedSectionsButton()->click();
            for (QCheckBox* box : { dialog.PartsListBox(), dialog.ReportsBox(), dialog.LayoutsBox(),
                     dialog.TakeOffListsBox(), dialog.BillOfMaterialsBox() })
                box->setChecked(false);
            dialog.CoverPageBox()->setChecked(true);
            dialog.accept();
            return static_cast<int>(QDialog::Accepted);
        });
    }

    bool m_ignoredWhileOpen = false;
};

TEST_F(ShellPrintTest, PrintWritesTheProjectToPdfAndThePreviewGivesThePageBack)
{
    CKerfwellPlusApp& app = Start();
    QTemporaryDir folder;
    platform::CommandActions& commands = app.GetMainFrame()->GetCommands();
    commands.UpdateActions();
    EXPECT_TRUE(commands.Find(ShellCommand::FilePrint)->isEnabled());
    EXPECT_TRUE(commands.Find(ShellCommand::FilePrintPreview)->isEnabled());

    AnswerWithTheCoverPageAsPdf();
    m_chosenPath = folder.filePath(QStringLiteral("Cover.pdf"));
    EXPECT_TRUE(commands.Trigger(ShellCommand::FilePrint));
    EXPECT_TRUE(m_ignoredWhileOpen);
    EXPECT_FALSE(GetUserPrefs()->GetFlag(kPrefIgnorePrefs));
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(m_dialogs.size(), 1);
    EXPECT_TRUE(m_dialogs.front().startsWith(QStringLiteral("save:"))) << m_dialogs.front().toStdString();
    EXPECT_TRUE(m_dialogs.front().endsWith(QStringLiteral(".pdf"))) << m_dialogs.front().toStdString();
    EXPECT_TRUE(PdfPageText(m_chosenPath, 1).contains(QStringLiteral("Project Cover Page")));

    CKWLView& view = *app.GetView();
    view.GetViewMgr()->ShowTab(CKWLView::ReportsPage);
    EXPECT_TRUE(commands.Trigger(ShellCommand::FilePrintPreview));
    CPrintCommands& print = view.GetPrintCommands();
    ASSERT_TRUE(print.IsPreviewing());
    EXPECT_EQ(app.GetMainFrame()->centralWidget(), print.GetPreviewPane());
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.GetCurrentPage(), CKWLView::PartsPage);
    ASSERT_NE(print.GetPreviewView(), nullptr);
    EXPECT_GE(print.GetPreviewView()->GetControl()->PageCount(), 1);
    commands.UpdateActions();
    EXPECT_FALSE(commands.Find(ShellCommand::FilePrintPreview)->isEnabled());

    auto* bar = print.GetPreviewPane()->findChild<CTPPrintPreviewBar*>();
    ASSERT_NE(bar, nullptr);
    bar->CloseButton()->click();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(print.IsPreviewing());
    EXPECT_EQ(app.GetMainFrame()->centralWidget(), &view);
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.GetCurrentPage(), CKWLView::ReportsPage);
    EXPECT_TRUE(view.updatesEnabled());
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
}

// The preview's pages are those of the project the window's title names:
// while it is up nothing replaces or renames that project. Not the keys of
// New and Open, live while the preview hides the menus, not Save As or an
// edit, not a dropped file, and not a later start's project, which opens
// once the preview is closed.
TEST_F(ShellPrintTest, WhileThePreviewIsUpItsProjectStaysTheOneTheTitleNames)
{
    const QString instance = QStringLiteral("KwlPreviewHandOver");
    CKerfwellPlusApp& app = Start({}, instance);
    QTemporaryDir folder;
    const QString seed = SaveProjectAs(app, folder, "Seed.kwxe");
    const QString big = SaveProjectAs(app, folder, "Big.kwxe");
    CMainFrame& frame = *app.GetMainFrame();
    platform::CommandActions& commands = frame.GetCommands();
    CPrintCommands& print = app.GetView()->GetPrintCommands();
    auto titleNames
        = [&frame](const char* name) { return frame.windowTitle().startsWith(QLatin1String(name)); };
    auto previewBar = [&print] {
        return print.IsPreviewing() ? print.GetPreviewPane()->findChild<CTPPrintPreviewBar*>() : nullptr;
    };
    AnswerWithTheCoverPageAsPdf();
    m_answer = QMessageBox::No; // a project that was changed after all is not saved

    std::unique_ptr<LaterStart> later;
    const struct
    {
        const char* name;
        std::function<void()> act;
    } cases[] = {
        { "Ctrl+N", [&] { QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier); } },
        { "Ctrl+O", [&] { QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier); } },
        { "Save As", [&] { EXPECT_FALSE(commands.Trigger(ShellCommand::FileSaveAs)); } },
        { "a recent file",
            [&] {
                bool found = false;
                for (QAction* entry : frame.GetRecentFileActions())
                    if (entry->data().toString() == seed) {
                        found = true;
                        entry->trigger();
                    }
                EXPECT_TRUE(found);
            } },
        { "an edit", [&] { EXPECT_FALSE(commands.Trigger(ShellCommand::InsertNewPart)); } },
        // The preview prints from its own bar, one preview at a time.
        { "Print, asked for directly", [&] { print.OnFilePrint(); } },
        { "Print Preview, asked for directly", [&] { print.OnFilePrintPreview(); } },
        { "the diagrams on screen",
            [&] { static_cast<IViewMgr*>(app.GetView()->GetViewMgr())->PrintActivePage(); } },
        { "a dropped file",
            [&] {
                QMimeData data;
                data.setUrls({ QUrl::fromLocalFile(seed) });
                QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(&frame, &enter);
                EXPECT_FALSE(enter.isAccepted());
                QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(&frame, &drop);
            } },
        { "a later start",
            [&] {
                later = std::make_unique<LaterStart>(instance, QStringList { seed });
                EXPECT_TRUE(later->HandedOver());
                // Time enough for the running program to look more than once.
                QTest::qWait(300);
            } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (app.GetDocument()->PathName() != big) {
            ASSERT_TRUE(app.OpenDocumentFile(big));
        }
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        // The File menu, opened before, lists the recent files.
        Q_EMIT frame.menuBar()->actions().front()->menu()->aboutToShow();
        ASSERT_TRUE(commands.Trigger(ShellCommand::FilePrintPreview));
        ASSERT_NE(previewBar(), nullptr);
        m_chosenPath = seed; // what a file dialog would answer
        m_dialogs.clear();
        m_messages.clear();

        c.act();
        QCoreApplication::processEvents();
        EXPECT_TRUE(print.IsPreviewing());
        EXPECT_TRUE(m_dialogs.isEmpty()) << m_dialogs.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(app.GetDocument()->PathName(), big);
        EXPECT_TRUE(titleNames("Big.kwxe")) << frame.windowTitle().toStdString();
        // (A part without a material would stop the print with a message.)
        ASSERT_TRUE(app.GetDocument()->GetPartList().empty());

        // The preview prints the project it shows, under that project's name.
        const QString printed = folder.filePath(QStringLiteral("Printed.pdf"));
        QFile::remove(printed);
        m_chosenPath = printed;
        previewBar()->PrintButton()->click();
        EXPECT_EQ(
            m_dialogs, QStringList(QStringLiteral("save:") + folder.filePath(QStringLiteral("Big.pdf"))));
        EXPECT_TRUE(PdfPageText(printed, 1).contains(QStringLiteral("Big.kwxe")));
        previewBar()->CloseButton()->click();
        ASSERT_TRUE(WaitFor([&] { return !print.IsPreviewing(); }));
    }

    // Closed, the preview gives the commands back, and the handed-over
    // project opens.
    ASSERT_TRUE(WaitFor([&] { return app.GetDocument()->PathName() == seed; }));
    EXPECT_TRUE(titleNames("Seed.kwxe")) << frame.windowTitle().toStdString();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(app.GetDocument()->PathName().isEmpty());
    EXPECT_TRUE(commands.Trigger(ShellCommand::InsertNewPart));
    EXPECT_FALSE(app.GetDocument()->GetPartList().empty());
}

// The window's close box during a preview closes the preview only, as its
// Close button does, and so does Escape: the program goes on, and a project
// a later start handed over meanwhile opens, after one save question at
// most. Exit still ends the program, but a project handed over and not yet
// opened opens first: the later start was told it was taken.
TEST_F(ShellPrintTest, TheCloseBoxAndEscapeCloseThePreviewOnlyAndAHandedOverProjectOpens)
{
    const QString instance = QStringLiteral("KwlPreviewCloseBox");
    CKerfwellPlusApp& app = Start({}, instance);
    QTemporaryDir folder;
    const QString seed = SaveProjectAs(app, folder, "Seed.kwxe");
    const QString big = SaveProjectAs(app, folder, "Big.kwxe");
    CMainFrame& frame = *app.GetMainFrame();
    CPrintCommands& print = app.GetView()->GetPrintCommands();
    AnswerWithTheCoverPageAsPdf();
    m_answer = QMessageBox::No;

    auto closeBox = [&] {
        // As the window system delivers a click on the close box.
        QCloseEvent close;
        QCoreApplication::sendEvent(frame.windowHandle(), &close);
    };
    const struct
    {
        const char* name;
        bool modified;
        bool handOver;
        std::function<void()> act;
        bool exits; // whether the program ends once the project opened
    } cases[] = {
        { "the close box", false, true, closeBox, false },
        { "the close box, the project changed", true, true, closeBox, false },
        { "the close box, nothing handed over", true, false, closeBox, false },
        { "Escape", true, true,
            [&] {
                QWidget* focus = QApplication::focusWidget();
                QTest::keyClick(focus ? focus : &frame, Qt::Key_Escape);
            },
            false },
        { "Exit", true, true, [&] { frame.GetCommands().Trigger(ShellCommand::AppExit); }, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(app.OpenDocumentFile(big));
        if (c.modified)
            app.GetDocument()->SetModified();
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        ASSERT_TRUE(frame.GetCommands().Trigger(ShellCommand::FilePrintPreview));
        ASSERT_TRUE(print.IsPreviewing());
        if (c.handOver) {
            LaterStart later(instance, { seed });
            ASSERT_TRUE(later.HandedOver());
            QTest::qWait(200); // the running program looks more than once meanwhile
        }
        ASSERT_EQ(app.GetDocument()->PathName(), big);
        m_messages.clear();

        c.act();
        const QString shown = c.handOver ? seed : big;
        EXPECT_TRUE(WaitFor([&] { return app.GetDocument()->PathName() == shown; }));
        QTest::qWait(50);
        EXPECT_FALSE(print.IsPreviewing());
        EXPECT_TRUE(frame.isVisible());
        EXPECT_EQ(frame.centralWidget(), app.GetView());
        // One question about the changed project when another opens.
        EXPECT_EQ(m_messages.size(), c.modified && c.handOver ? 1 : 0)
            << m_messages.join(QLatin1Char('\n')).toStdString();

        if (c.exits) {
            // Asked again, Exit ends the program; a later start then waits
            // for its end and opens a window of its own.
            frame.GetCommands().Trigger(ShellCommand::AppExit);
            EXPECT_FALSE(frame.isVisible());
            EXPECT_FALSE(app.GetInstance().ServerName().isEmpty());
            QLocalSocket probe;
            probe.connectToServer(app.GetInstance().ServerName());
            EXPECT_FALSE(probe.waitForConnected(200));
        }
    }
}

// A project in a folder named in Latin-1, under a Latin-1 name: Save As and
// Print to PDF start in its folder and propose its name; accepted unchanged,
// they write to the name's own bytes, and no file whose name holds the bytes
// of the replacement character appears anywhere.
TEST_F(ShellPrintTest, SaveAsAndPrintToPdfOfAProjectNamedInLatin1WriteToItsOwnBytes)
{
    CKerfwellPlusApp& app = Start();
    QTemporaryDir root;
    const QByteArray folder = QFile::encodeName(root.path()) + "/L\xe9gumes";
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    // Qt's own file functions cannot remove it: the bytes are not UTF-8.
    struct RemoveAtEnd
    {
        std::filesystem::path folder;
        ~RemoveAtEnd() { std::filesystem::remove_all(folder); }
    } removeAtEnd { folder.toStdString() };
    const QByteArray project = folder + "/l\xe9gume.kwxe";
    m_chosenPath = DecodeFileName(project);
    ASSERT_TRUE(app.OnFileSaveAs());

    SetFileDialogFunction(nullptr); // the real dialog from here on
    m_answer = QMessageBox::Yes; // the project's own file is replaced
    CMilledPart* part = AddBirchPart(app);
    ASSERT_TRUE(part);
    part->SetDescription(QStringLiteral("Leek"));
    ShownFileDialog shown;
    AnswerNextFileDialog(shown);
    ASSERT_TRUE(app.OnFileSaveAs());
    EXPECT_EQ(shown.listed, folder);
    EXPECT_EQ(shown.name, QStringLiteral("l\\xe9gume.kwxe"));
    EXPECT_EQ(EncodeFileName(app.GetDocument()->PathName()), project);
    EXPECT_FALSE(app.GetDocument()->IsModified());
    auto read = [](const QByteArray& file) {
        std::ifstream in(file.toStdString(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    // Texts are stored as UTF-16.
    EXPECT_NE(read(project).find(std::string("L\0e\0e\0k\0", 8)), std::string::npos);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.front().contains(QStringLiteral("l\\xe9gume.kwxe")))
        << m_messages.front().toStdString();

    AnswerWithTheCoverPageAsPdf();
    shown = {};
    AnswerNextFileDialog(shown);
    EXPECT_TRUE(app.GetMainFrame()->GetCommands().Trigger(ShellCommand::FilePrint));
    EXPECT_EQ(shown.listed, folder);
    EXPECT_EQ(shown.name, QStringLiteral("l\\xe9gume.pdf"));
    EXPECT_EQ(read(folder + "/l\xe9gume.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(m_messages.size(), 1) << m_messages.join(QLatin1Char('\n')).toStdString();

    std::vector<std::string> names;
    for (const std::filesystem::path& tree : { std::filesystem::path(root.path().toStdString()),
             std::filesystem::path(qgetenv("HOME").toStdString()) })
        for (const auto& entry : std::filesystem::recursive_directory_iterator(tree))
            names.push_back(entry.path().filename().string());
    for (const std::string& name : names)
        EXPECT_EQ(name.find("\xef\xbf\xbd"), std::string::npos) << name;
    EXPECT_NE(std::find(names.begin(), names.end(), "l\xe9gume.kwxe"), names.end());
}

TEST_F(ShellPrintTest, APrintWhoseOptimizationIsCancelledAsksForNoFileAndSaysWhy)
{
    CKerfwellPlusApp& app = Start();
    ASSERT_TRUE(AddBirchPart(app));
    QTemporaryDir folder;
    m_chosenPath = folder.filePath(QStringLiteral("Cancelled.pdf"));
    PrintSettings everything = GetUserPrefs()->GetPrintSettings();
    everything.scope = 1; // all sections
    const RunProgressDialogMaker real = SetRunProgressDialogMaker(
        [](RunStartLatch& start, TaskProgressRows) { return std::make_unique<CancellingDialog>(start); });
    CPrintCommands& print = app.GetView()->GetPrintCommands();
    struct Case
    {
        const char* name;
        std::function<bool()> print;
    };
    const Case cases[] = {
        { "File > Print onto PDF output", [&] {
             SetPrintDialogRunner([](CPrintLayoutsDlg& dialog) {
                 ChoosePdfOutput(dialog);
                 dialog.AllSectionsButton()->click();
                 dialog.accept();
                 return static_cast<int>(QDialog::Accepted);
             });
             EXPECT_TRUE(app.GetMainFrame()->GetCommands().Trigger(ShellCommand::FilePrint));
             return false; // the menu command answers nothing of its own
         } },
        { "a print job onto a PDF file", [&] {
             QPrinter pdf(QPrinter::HighResolution);
             pdf.setOutputFormat(QPrinter::PdfFormat);
             return print.PrintDocumentNow(&pdf);
         } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GetUserPrefs()->SetPrintSettings(everything);
        m_messages.clear();
        m_dialogs.clear();
        EXPECT_FALSE(c.print());
        EXPECT_TRUE(m_dialogs.isEmpty()) << m_dialogs.join(QLatin1Char('\n')).toStdString();
        EXPECT_FALSE(QFileInfo::exists(m_chosenPath));
        EXPECT_EQ(m_messages.join(QLatin1Char('\n')).toStdString(),
                  "The project was not optimized, so nothing was printed.");
    }
    SetRunProgressDialogMaker(real);
    EXPECT_FALSE(app.GetDocument()->IsFullyOptimized());
}

TEST_F(ShellPrintTest, TheRawMaterialsScopePrintsTheMaterialsList)
{
    CKerfwellPlusApp& app = Start();
    QTemporaryDir folder;
    SetPrintDialogRunner([](CPrintLayoutsDlg& dialog) {
        ChoosePdfOutput(dialog);
        dialog.RawMaterialsButton()->click();
        dialog.accept();
        return static_cast<int>(QDialog::Accepted);
    });
    m_chosenPath = folder.filePath(QStringLiteral("Materials.pdf"));
    EXPECT_TRUE(app.GetMainFrame()->GetCommands().Trigger(ShellCommand::FilePrint));
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
    const QString text = PdfPageText(m_chosenPath, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Raw Materials"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Project Cover Page")));
}

TEST_F(ShellPrintTest, QuickPrintPrintsTheCheckedThumbnailsOfTheLayoutsPage)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "prints on the installed printer rather than into a file";
    CKerfwellPlusApp& app = Start();
    QTemporaryDir folder;
    // Two materials, two targets: the thumbnails show the diagrams of one.
    ASSERT_TRUE(AddBirchPart(app));
    ASSERT_TRUE(AddBirchPart(app));
    CKWLView& view = *app.GetView();
    view.GetViewMgr()->ShowTab(CKWLView::LayoutsPage);
    LayoutsViewMgr* layouts = view.GetViewMgr()->GetLayoutsViewMgr();
    ASSERT_TRUE(layouts && layouts->GetCurrentDiagram());
    auto* zone = layouts->GetFrame()->GetFrameWnd()->findChild<ThumbnailsZone*>();
    ASSERT_NE(zone, nullptr);
    zone->CheckAllButton()->click();
    std::vector<DisplayDiagramPtr> checked;
    view.GetViewMgr()->CollectThumbnailDiagrams(checked);
    ASSERT_EQ(checked.size(), 1u);
    EXPECT_EQ(checked.front(), layouts->GetCurrentDiagram());
    ASSERT_TRUE(zone->QuickPrintButton()->isEnabled());

    m_chosenPath = folder.filePath(QStringLiteral("Checked.pdf"));
    zone->QuickPrintButton()->click();
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
    const QString text = RunPdfTool(QStringLiteral("pdftotext"), { m_chosenPath, QStringLiteral("-") });
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("\\[[A-Z]+\\d+\\] Birch"))), 1)
        << text.toStdString();
    EXPECT_FALSE(GetUserPrefs()->GetPrintSettings().IsCurrentDiagramsOnly());
}

TEST_F(ShellPrintTest, TheViewManagerPrintsTheDiagramsOnScreenAndKeepsTheUsersChoice)
{
    CKerfwellPlusApp& app = Start();
    QTemporaryDir folder;
    PrintSettings chosen = GetUserPrefs()->GetPrintSettings();
    chosen.scope = 5;
    chosen.SetSectionBits(PrintSettings::CoverPage | PrintSettings::Reports);
    GetUserPrefs()->SetPrintSettings(chosen);
    CKWLView& view = *app.GetView();
    view.GetViewMgr()->ShowTab(CKWLView::RawMaterialsPage);
    m_chosenPath = folder.filePath(QStringLiteral("Diagrams.pdf"));
    static_cast<IViewMgr*>(view.GetViewMgr())->PrintActivePage();
    EXPECT_EQ(GetUserPrefs()->GetPrintSettings(), chosen);
    EXPECT_EQ(view.GetCurrentPage(), CKWLView::RawMaterialsPage);
    EXPECT_TRUE(view.updatesEnabled());
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        // The layouts alone, on a PDF file: no cover page.
        EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_FALSE(PdfPageText(m_chosenPath, 1).contains(QStringLiteral("Project Cover Page")));
        EXPECT_EQ(m_dialogs.size(), 1);
    }
}

TEST_F(ShellPrintTest, ThePrintSwitchesPrintTheProjectAndEndTheProgram)
{
    QTemporaryDir folder;
    const QString project = folder.filePath(QStringLiteral("Bench.kwxe"));
    {
        CKerfwellPlusApp& app = Start();
        m_chosenPath = project;
        ASSERT_TRUE(app.OnFileSaveAs());
        m_app.reset();
    }
    const struct
    {
        QStringList arguments;
        const char* pdf;
    } cases[] = {
        { { QStringLiteral("-p"), project }, "p.pdf" },
        { { QStringLiteral("-pt"), QStringLiteral("Bench Printer"), project }, "pt.pdf" },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pdf);
        m_messages.clear();
        m_chosenPath = folder.filePath(QString::fromLatin1(test.pdf));
        m_app = std::make_unique<CKerfwellPlusApp>(QStringLiteral("KwlShellTest"));
        EXPECT_FALSE(m_app->InitInstance(test.arguments)); // the job ends the program
        EXPECT_EQ(m_app->GetDocument()->PathName(), project);
        // "-pt" names the printer of one job; the stored printer stays.
        EXPECT_TRUE(GetUserPrefs()->GetPrintSettings().GetPrinterPageSetup().device.isEmpty());
        if (QPrinterInfo::availablePrinterNames().isEmpty()) {
            // Without a printer the job goes to a PDF file.
            EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
            EXPECT_TRUE(PdfPageText(m_chosenPath, 1).contains(QStringLiteral("Project Cover Page")));
        }
        m_app.reset();
    }
}


// A later start that hands its project over while a print switch's job runs
// was told that its project is taken: the program stays and opens it
// instead of ending with the job.
TEST_F(ShellPrintTest, AProjectHandedOverDuringAPrintSwitchsJobOpensInsteadOfTheEnd)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "prints on the installed printer rather than into a file";
    const QString instance = QStringLiteral("KwlPrintSwitchHandOver");
    QTemporaryDir folder;
    const QString project = folder.filePath(QStringLiteral("Bench.kwxe"));
    const QString seed = folder.filePath(QStringLiteral("Seed.kwxe"));
    {
        CKerfwellPlusApp& app = Start({}, instance);
        for (const QString& path : { seed, project }) {
            m_chosenPath = path;
            ASSERT_TRUE(app.OnFileSaveAs());
        }
        m_app.reset();
    }
    // The PDF file's name is asked while the job runs: a later start comes then.
    bool handedOver = false;
    SetFileDialogFunction([&](const FileDialogRequest&, QString& path) {
        LaterStart later(instance, { seed });
        handedOver = later.HandedOver();
        path = folder.filePath(QStringLiteral("Bench.pdf"));
        return true;
    });
    m_app = std::make_unique<CKerfwellPlusApp>(instance);
    EXPECT_TRUE(m_app->InitInstance({ QStringLiteral("-p"), project }));
    EXPECT_TRUE(handedOver);
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(QStringLiteral("Bench.pdf"))));
    EXPECT_TRUE(WaitFor([&] { return m_app->GetDocument()->PathName() == seed; }));
}

} // namespace

#include "PrintUiTestSupport.h"

#include "foundation/ResourceBase.h"
#include "foundation/SessionLog.h"
#include "output/print/PrintSetupCommands.h"
#include "output/print/ui/CPrintCommands.h"
#include "output/print/ui/CTPPrintPreviewBar.h"
#include "output/print/ui/PrintUiStrings.h"
#include "platform/ui/PrintControl.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGraphicsView>
#include <QLabel>
#include <QMap>
#include <QPageLayout>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

using PrintPreviewTest = PrintUiTest;
using PrintCommandsTest = PrintUiTest;

// How often the session log holds a line at a level.
int CountLogLines(int level, const QString& text)
{
    QFile log(SessionLog::Instance().GetPath());
    if (!log.open(QIODevice::ReadOnly))
        return -1;
    return QString::fromUtf8(log.readAll())
        .count(QStringLiteral("[%1] %2").arg(SessionLog::LevelName(level), text));
}

// A page-setup dialog in which the user sets a bottom margin of one inch.
bool SetBottomMarginToOneInch(QPrinter& printer, QWidget*)
{
    QPageLayout layout = printer.pageLayout();
    QMarginsF margins = layout.margins(QPageLayout::Point);
    margins.setBottom(72.0);
    layout.setMargins(margins);
    printer.setPageLayout(layout);
    return true;
}

// Runs a check when the window is told to close.
class CloseWatcher : public QObject
{
public:
    CloseWatcher(QObject& parent, std::function<void()> check)
        : QObject(&parent)
        , m_check(std::move(check))
    { }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            m_check();
        return false;
    }

private:
    std::function<void()> m_check;
};

void ProcessPostedEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(PrintPreviewTest, PageSetupKeepsTheBottomMarginTheUserChoseAndItsCancelChangesNothing)
{
    PrintSettings settings = Stored();
    settings.printerPageSetup.bottomMargin = 500;
    Store(settings);
    FakePrintHost host;
    CTPPreviewView view(host, host.view);
    ASSERT_TRUE(view.Create());
    platform::PrintControl& control = *view.GetControl();
    EXPECT_DOUBLE_EQ(control.MarginBottom(), 720.0);
    EXPECT_DOUBLE_EQ(control.FooterMargin(), 900.0);
    ASSERT_EQ(compositions, 1);

    view.SetPageSetupRunner([](QPrinter& printer, QWidget* parent) {
        SetBottomMarginToOneInch(printer, parent);
        return false; // Cancel
    });
    view.OnPageSetup();
    EXPECT_EQ(Stored(), settings);
    EXPECT_EQ(compositions, 1);
    EXPECT_DOUBLE_EQ(control.MarginBottom(), 720.0);
    EXPECT_DOUBLE_EQ(control.FooterMargin(), 900.0);

    view.SetPageSetupRunner(SetBottomMarginToOneInch);
    view.OnPageSetup();
    EXPECT_EQ(Stored().printerPageSetup.bottomMargin, 1000);
    EXPECT_EQ(Stored().printerPageSetup.topMargin, settings.printerPageSetup.topMargin);
    EXPECT_DOUBLE_EQ(control.MarginBottom(), 1440.0);
    EXPECT_DOUBLE_EQ(control.FooterMargin(), 1620.0);
    EXPECT_EQ(compositions, 2); // composed again on the new page setup
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PrintPreviewTest, ThePreviewOffersTheZoomChoices)
{
    FakePrintHost host;
    CTPPreviewView view(host, host.view);
    ASSERT_TRUE(view.Create());
    ASSERT_NE(view.GetPreviewWidget(), nullptr);
    QStringList choices;
    for (const QAction* action : view.GetPreviewWidget()->actions())
        choices << action->text();
    EXPECT_EQ(choices.join(QLatin1Char('|')), LoadUIString(kStrZoomChoices));
    view.GetPreviewWidget()->actions().at(1)->trigger();
    EXPECT_EQ(view.GetPreviewWidget()->zoomMode(), QPrintPreviewWidget::FitToWidth);
}

TEST_F(PrintPreviewTest, AControlThatCannotBeMadeIsReportedWithTheSupportContact)
{
    const QString logLine = QStringLiteral("PreviewView::OnCreate() failed!");
    const int logged = CountLogLines(SessionLog::Error, logLine);
    ASSERT_GE(logged, 0);
    const PrintControlMaker previous = SetPrintControlMaker([] { return nullptr; });
    FakePrintHost host;
    CTPPreviewView view(host, host.view);
    EXPECT_FALSE(view.Create());
    SetPrintControlMaker(previous);
    EXPECT_EQ(CountLogLines(SessionLog::Error, logLine), logged + 1);
    EXPECT_FALSE(view.HasControl());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.front().startsWith(QStringLiteral("Could not start printing.")));
    EXPECT_TRUE(messages.front().contains(QStringLiteral("contact help@example.test or")));
    EXPECT_EQ(compositions, 0);
}

TEST_F(PrintCommandsTest, PrintWritesTheChosenSectionsIntoAPdfFile)
{
    QTemporaryDir folder;
    FakePrintHost host;
    host.page = 3;
    host.pdfPath = folder.filePath(QStringLiteral("Bench.pdf"));
    bool ignoredWhileOpen = false;
    SetPrintDialogRunner([&](CPrintLayoutsDlg& dialog) {
        ignoredWhileOpen = GetUserPrefs()->GetFlag(kPrefIgnorePrefs);
        QComboBox* printers = dialog.PrinterChoice();
        printers->setCurrentIndex(printers->count() - 1);
        Q_EMIT printers->activated(printers->count() - 1);
        dialog.SelectedSectionsButton()->click();
        dialog.accept();
        return static_cast<int>(QDialog::Accepted);
    });
    bool ignoredWhilePrinting = true;
    body = [&](TestPrinter& printer) {
        ignoredWhilePrinting = GetUserPrefs()->GetFlag(kPrefIgnorePrefs);
        platform::IPrintControl& out = printer.GetControl();
        out.StartDoc();
        out.PrintParagraph(QStringLiteral("Bench cut list"));
        out.NewPage();
        out.PrintParagraph(QStringLiteral("Second page of the job"));
        out.EndDoc();
    };
    CPrintCommands commands(host);
    commands.OnFilePrint();
    EXPECT_TRUE(ignoredWhileOpen);
    EXPECT_FALSE(ignoredWhilePrinting);
    EXPECT_FALSE(GetUserPrefs()->GetFlag(kPrefIgnorePrefs));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(scopesSeen, QList<int> { CPrintLayoutsDlg::SelectedSections });
    EXPECT_EQ(host.pdfQuestions, 1);
    EXPECT_TRUE(PdfPageText(host.pdfPath, 1).contains(QStringLiteral("Bench cut list")));
    EXPECT_TRUE(PdfPageText(host.pdfPath, 2).contains(QStringLiteral("Second page of the job")));
    EXPECT_EQ(host.page, 3);
    EXPECT_TRUE(host.redraw);
    EXPECT_GE(host.editsFinished, 1);
}

// A PDF file that cannot be made is named with the system's reason, not
// taken for a fault of the page set-up; nothing is written.
TEST_F(PrintCommandsTest, APdfFileThatCannotBeMadeIsNamedWithItsReason)
{
    QTemporaryDir folder;
    QFile notAFolder(folder.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    FakePrintHost host;
    host.pdfPath = folder.filePath(QStringLiteral("notes.txt/Bench.pdf"));
    SetPrintDialogRunner([&](CPrintLayoutsDlg& dialog) {
        QComboBox* printers = dialog.PrinterChoice();
        printers->setCurrentIndex(printers->count() - 1);
        Q_EMIT printers->activated(printers->count() - 1);
        dialog.accept();
        return static_cast<int>(QDialog::Accepted);
    });
    body = [&](TestPrinter& printer) {
        platform::IPrintControl& out = printer.GetControl();
        out.StartDoc();
        out.PrintParagraph(QStringLiteral("Bench cut list"));
        out.EndDoc();
    };
    CPrintCommands commands(host);
    commands.OnFilePrint();
    ASSERT_EQ(messages.size(), 1) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(messages.front().startsWith(QStringLiteral("The PDF file cannot be written:")))
        << messages.front().toStdString();
    EXPECT_TRUE(messages.front().contains(host.pdfPath));
    EXPECT_FALSE(messages.front().contains(QStringLiteral("Page Setup")));
    EXPECT_FALSE(QFile::exists(host.pdfPath));
}

TEST_F(PrintCommandsTest, CancellingEitherDialogPrintsNothing)
{
    FakePrintHost host;
    SetPrintDialogRunner([](CPrintLayoutsDlg& dialog) {
        EXPECT_TRUE(GetUserPrefs()->GetFlag(kPrefIgnorePrefs));
        dialog.reject();
        return static_cast<int>(QDialog::Rejected);
    });
    CPrintCommands commands(host);
    commands.OnFilePrint();
    commands.OnFilePrintPreview();
    EXPECT_EQ(compositions, 0);
    EXPECT_FALSE(GetUserPrefs()->GetFlag(kPrefIgnorePrefs));
    EXPECT_EQ(host.refreshes, 1); // the preview's Cancel repaints the view
    EXPECT_FALSE(commands.IsPreviewing());
}

TEST_F(PrintCommandsTest, PrintActivePageLeavesTheStoredChoiceAsItWas)
{
    PrintSettings before = Stored();
    before.scope = CPrintLayoutsDlg::RawMaterials;
    before.SetSectionBits(PrintSettings::CoverPage | PrintSettings::BillOfMaterials);
    Store(before);
    FakePrintHost host;
    host.page = 1;
    CPrintCommands commands(host);
    for (bool fails : { true, false }) {
        SCOPED_TRACE(fails);
        if (!fails && !QPrinterInfo::availablePrinterNames().isEmpty())
            continue; // a real printer would print
        messages.clear();
        PrintSettings seen;
        body = [&](TestPrinter& printer) {
            seen = Stored();
            if (fails)
                throw platform::PrintControlError(
                    platform::StatusFailed, platform::PrintInterface::Control, QStringLiteral("paper jam"));
            platform::IPrintControl& out = printer.GetControl();
            out.StartDoc();
            out.PrintParagraph(QStringLiteral("diagram"));
            out.EndDoc();
        };
        commands.PrintActivePage();
        EXPECT_EQ(seen.scope, CPrintLayoutsDlg::SelectedSections);
        EXPECT_EQ(seen.sectionBits, PrintSettings::Layouts);
        EXPECT_TRUE(seen.IsCurrentDiagramsOnly());
        EXPECT_EQ(Stored(), before);
        EXPECT_EQ(messages, fails ? QStringList { LoadUIString(kStrPrintProblem) } : QStringList());
        EXPECT_EQ(host.page, 1);
        EXPECT_TRUE(host.redraw);
    }
}

TEST_F(PrintCommandsTest, ThePreviewTakesTheMainViewsPlaceAndCloseBringsThePageBack)
{
    FakePrintHost host;
    host.page = 3;
    SetPrintDialogRunner([](CPrintLayoutsDlg& dialog) {
        QComboBox* printers = dialog.PrinterChoice();
        printers->setCurrentIndex(printers->count() - 1);
        Q_EMIT printers->activated(printers->count() - 1);
        dialog.accept();
        return static_cast<int>(QDialog::Accepted);
    });
    CPrintCommands commands(host);
    commands.OnFilePrintPreview();
    ASSERT_TRUE(commands.IsPreviewing());
    QWidget* pane = commands.GetPreviewPane();
    EXPECT_EQ(host.frame.centralWidget(), pane);
    EXPECT_FALSE(host.view->isVisible());
    EXPECT_FALSE(host.frame.menuBar()->isVisible());
    EXPECT_EQ(host.page, 0); // the Parts page while the preview shows
    EXPECT_FALSE(host.redraw);
    EXPECT_EQ(compositions, 1);

    QCoreApplication::processEvents(); // lays the pane out
    auto* bar = pane->findChild<CTPPrintPreviewBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(commands.GetPreviewView(), nullptr);
    EXPECT_GE(bar->geometry().top(), commands.GetPreviewView()->geometry().bottom());
    EXPECT_EQ(bar->geometry().bottom(), pane->rect().bottom());
    int x = 1;
    for (QPushButton* button : { bar->PrintButton(), bar->PageSetupButton(), bar->CloseButton() }) {
        EXPECT_EQ(button->x(), x);
        EXPECT_EQ(button->width(), button->sizeHint().width() + 25);
        x += button->width();
    }
    EXPECT_EQ(bar->PrintButton()->text(), QStringLiteral("Print"));

    // PDF output was chosen: Print writes the previewed pages to a file.
    QTemporaryDir folder;
    host.pdfPath = folder.filePath(QStringLiteral("Preview.pdf"));
    bar->PrintButton()->click();
    EXPECT_TRUE(PdfPageText(host.pdfPath, 1).contains(QStringLiteral("Composed for scope 1")));
    EXPECT_EQ(bar->PageSetupButton()->text(), QStringLiteral("Page Setup..."));

    bar->CloseButton()->click();
    ProcessPostedEvents();
    EXPECT_FALSE(commands.IsPreviewing());
    EXPECT_EQ(host.frame.centralWidget(), host.view);
    EXPECT_TRUE(host.view->isVisible());
    EXPECT_TRUE(host.frame.menuBar()->isVisible());
    EXPECT_EQ(host.page, 3);
    EXPECT_TRUE(host.redraw);
}

TEST_F(PrintCommandsTest, AFailingCompositionEndsWithTheMessageAndTheViewAsItWas)
{
    FakePrintHost host;
    host.page = 2;
    body = [](TestPrinter& printer) {
        printer.GetControl().StartDoc();
        throw platform::PrintControlError(
            platform::StatusFailed, platform::PrintInterface::Control, QStringLiteral("out of paper"));
    };
    CPrintCommands commands(host);
    EXPECT_FALSE(commands.StartPreview());
    EXPECT_FALSE(commands.IsPreviewing());
    EXPECT_EQ(host.frame.centralWidget(), host.view);
    EXPECT_TRUE(host.frame.menuBar()->isVisible());
    EXPECT_EQ(host.page, 2);
    EXPECT_TRUE(host.redraw);

    EXPECT_FALSE(commands.PrintDocumentNow());
    EXPECT_EQ(messages, QStringList(2, LoadUIString(kStrPrintProblem)));
    EXPECT_EQ(host.page, 2);
    EXPECT_TRUE(host.redraw);
}

} // namespace

namespace {

TEST_F(PrintCommandsTest, ACompositionFailingInThePreviewClosesItWithTheMessage)
{
    FakePrintHost host;
    host.page = 4;
    CPrintCommands commands(host);
    ASSERT_TRUE(commands.StartPreview());
    ASSERT_TRUE(commands.IsPreviewing());
    body = [](TestPrinter&) {
        throw platform::PrintControlError(
            platform::StatusFailed, platform::PrintInterface::Control, QStringLiteral("driver gone"));
    };
    commands.GetPreviewView()->SetPageSetupRunner([](QPrinter&, QWidget*) { return true; });
    commands.GetPreviewView()->OnPageSetup();
    ProcessPostedEvents();
    EXPECT_EQ(messages, QStringList { LoadUIString(kStrPrintProblem) });
    EXPECT_FALSE(commands.IsPreviewing());
    EXPECT_EQ(host.frame.centralWidget(), host.view);
    EXPECT_EQ(host.page, 4);
    EXPECT_TRUE(host.redraw);
}

} // namespace

namespace {

// The window's close box during a preview closes the preview, as its Close
// button does, and nothing else: the window stays, with its bars and view
// back. Closed without a preview, the window closes.
TEST_F(PrintCommandsTest, TheWindowsCloseBoxClosesThePreviewOnly)
{
    FakePrintHost host;
    host.page = 2;
    host.frame.show();
    QToolBar* tools = host.frame.findChild<QToolBar*>();
    ASSERT_NE(tools, nullptr);
    // Stands in for the window's own close handling: filters installed
    // later (the preview's) run before it.
    int closesReachingTheWindow = 0;
    host.frame.installEventFilter(new CloseWatcher(host.frame, [&] { ++closesReachingTheWindow; }));
    CPrintCommands commands(host);
    ASSERT_TRUE(commands.StartPreview());
    ASSERT_TRUE(tools->isHidden());
    EXPECT_FALSE(host.frame.close());
    EXPECT_EQ(closesReachingTheWindow, 0);
    EXPECT_TRUE(host.frame.isVisible());
    EXPECT_FALSE(tools->isHidden());
    EXPECT_EQ(host.frame.centralWidget(), host.view);
    EXPECT_FALSE(commands.IsPreviewing());
    EXPECT_EQ(host.page, 2);

    EXPECT_TRUE(host.frame.close());
    EXPECT_EQ(closesReachingTheWindow, 1);
}

} // namespace

namespace {

// In the preview of a job of several pages, PageUp, PageDown, Home and End
// move between the pages wherever the focus is in the preview, and the bar
// tells which page of how many is shown, also after scrolling.
TEST_F(PrintCommandsTest, TheKeysMoveThePreviewBetweenItsPagesAndTheBarNumbersThem)
{
    constexpr int kPages = 4;
    body = [](TestPrinter& printer) {
        platform::IPrintControl& out = printer.GetControl();
        out.StartDoc();
        for (int page = 1; page <= kPages; ++page) {
            if (page > 1)
                out.NewPage();
            out.PrintParagraph(QStringLiteral("Page body %1").arg(page));
        }
        out.EndDoc();
    };
    FakePrintHost host;
    host.frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host.frame));
    CPrintCommands commands(host);
    ASSERT_TRUE(commands.StartPreview());
    auto* bar = commands.GetPreviewPane()->findChild<CTPPrintPreviewBar*>();
    ASSERT_NE(bar, nullptr);
    QTRY_VERIFY(bar->isVisible()); // the window shows its new pane from the event loop
    auto* pages = commands.GetPreviewView()->GetPreviewWidget()->findChild<QGraphicsView*>();
    ASSERT_NE(pages, nullptr);
    const auto numbered = [](int page) { return QStringLiteral("Page %1 of %2").arg(page).arg(kPages); };
    EXPECT_EQ(bar->PageNumberLabel()->text(), numbered(1));
    EXPECT_TRUE(bar->PageNumberLabel()->isVisible());

    // Where the pages stand scrolled to show each page.
    QMap<int, int> scrolledTo { { 1, pages->verticalScrollBar()->value() } };
    const struct
    {
        QWidget* focus;
        Qt::Key key;
        int page;
    } steps[] = {
        { bar->PrintButton(), Qt::Key_PageDown, 2 },
        { bar->PrintButton(), Qt::Key_PageDown, 3 },
        { pages, Qt::Key_PageUp, 2 },
        { pages, Qt::Key_End, 4 },
        { bar->CloseButton(), Qt::Key_PageDown, 4 },
        { pages, Qt::Key_Home, 1 },
        { bar->PageSetupButton(), Qt::Key_PageUp, 1 },
        { pages, Qt::Key_PageDown, 2 },
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(QStringLiteral("%1 to page %2")
                         .arg(QKeySequence(step.key).toString())
                         .arg(step.page)
                         .toStdString());
        step.focus->setFocus();
        QTest::keyClick(step.focus, step.key);
        EXPECT_EQ(commands.GetPreviewView()->GetPreviewPage(), step.page);
        EXPECT_EQ(bar->PageNumberLabel()->text(), numbered(step.page));
        const int scroll = pages->verticalScrollBar()->value();
        EXPECT_EQ(scrolledTo.value(step.page, scroll), scroll); // the same page, the same place
        scrolledTo[step.page] = scroll;
    }
    ASSERT_EQ(scrolledTo.size(), kPages);
    for (int page = 2; page <= kPages; ++page)
        EXPECT_GT(scrolledTo[page], scrolledTo[page - 1]) << page;

    // Scrolled by the wheel (or the scroll bar) onto a page, the bar follows.
    pages->verticalScrollBar()->setValue(scrolledTo[3]);
    EXPECT_EQ(bar->PageNumberLabel()->text(), numbered(3));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

} // namespace

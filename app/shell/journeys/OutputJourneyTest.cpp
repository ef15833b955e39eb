// What leaves the program: a printed PDF and the mobile package, each
// compared with what the pages show.
#include "JourneyTestSupport.h"

#include "PrintTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/ShellCommands.h"
#include "shell/ViewMgr.h"

#include "shell/prefs/CPickListPrefsPg.h"

#include "document/CKWLDoc.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/ui/CUserPrefsPropSheet.h"
#include "model/CMaterials.h"
#include "model/CPricingScheme.h"
#include "model/CSheetGoodEx.h"
#include "model/ISGSC.h"
#include "grids/PartsGridColumns.h"
#include "optimization/RunProgressDialog.h"
#include "optimization/ui/CTaskProgressDialog.h"

#include <QEvent>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

// Clicks the progress dialog's Cancel button as the dialog comes up.
class CancelOnShow : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* dialog = dynamic_cast<CTaskProgressDialog*>(watched))
                dialog->GetCancelButton()->click();
        return false;
    }
};

// A grid row's non-empty cells, in order, on one line of the PDF's text.
QRegularExpression RowPattern(const QString& row)
{
    QStringList cells;
    for (const QString& cell : row.split(QStringLiteral(" | ")))
        if (!cell.trimmed().isEmpty())
            cells << QRegularExpression::escape(cell.trimmed());
    return QRegularExpression(QStringLiteral("(^|\\s)") + cells.join(QStringLiteral("\\s+")) + QStringLiteral("(\\s|$)"),
                              QRegularExpression::MultilineOption);
}

class OutputJourney : public JourneyTest
{
protected:
    void TearDown() override
    {
        if (m_realMaker)
            SetRunProgressDialogMaker(m_realMaker);
        JourneyTest::TearDown();
    }

    // Each run's progress dialog is cancelled as it comes up.
    void CancelEveryRun()
    {
        m_realMaker = SetRunProgressDialogMaker(nullptr);
        SetRunProgressDialogMaker([this](RunStartLatch& start, TaskProgressRows rows) {
            std::unique_ptr<RunProgressDialog> dialog = m_realMaker(start, std::move(rows));
            if (auto* window = dynamic_cast<QObject*>(dialog.get()))
                window->installEventFilter(&m_canceller);
            return dialog;
        });
    }

    // Export for Mobile into the named file of the test's folder: the package's bytes.
    QByteArray ExportForMobile(const QString& name)
    {
        m_chosenPath = m_folder.filePath(name);
        EXPECT_TRUE(Choose(ShellCommand::ExportForMobile));
        QFile file(m_chosenPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_folder;
    CancelOnShow m_canceller;
    RunProgressDialogMaker m_realMaker;
};

TEST_F(OutputJourney, ThePrintedProjectHoldsTheBillAndThePartsAndACancelledRunPrintsNothing)
{
    StartProgram();
    ASSERT_NO_FATAL_FAILURE(TypeParts());
    ClickTab(CKWLView::LayoutsPage);
    ClickTab(CKWLView::BOMPage);
    const QStringList bill = BomRows();
    ASSERT_GT(bill.size(), 1);
    const QStringList parts = PartsRows();

    // Saved and opened again: what is printed comes from the opened file.
    m_chosenPath = m_folder.filePath(QStringLiteral("Printed.kwxe"));
    ASSERT_TRUE(Choose(ShellCommand::FileSaveAs));
    ASSERT_TRUE(Choose(ShellCommand::FileNew));
    ASSERT_TRUE(Choose(ShellCommand::FileOpen));
    ASSERT_EQ(PartCount(), 3);

    PrintEverySectionToPdf();
    const QString pdf = m_folder.filePath(QStringLiteral("Printed.pdf"));
    m_chosenPath = pdf;
    m_dialogs.clear();
    ASSERT_TRUE(Choose(ShellCommand::FilePrint));
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
    const QString text
        = RunPdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_FALSE(text.isEmpty());
    // Each bill row and each parts row printed as one line, its cells in order.
    for (const QString& row : bill.mid(1) + parts.mid(1, 3))
        EXPECT_TRUE(text.contains(RowPattern(row))) << row.toStdString() << "\n" << text.toStdString();

    // A changed project, and its optimization cancelled: no file is asked
    // for, none written, and the user is told why.
    ClickTab(CKWLView::PartsPage);
    ASSERT_NO_FATAL_FAILURE(TypePart(QStringLiteral("Door\t1\t1/2\t20\t30\tP\n")));
    ASSERT_FALSE(m_app->GetDocument()->IsFullyOptimized());
    CancelEveryRun();
    const QString cancelled = m_folder.filePath(QStringLiteral("Cancelled.pdf"));
    m_chosenPath = cancelled;
    m_dialogs.clear();
    m_messages.clear();
    ASSERT_TRUE(Choose(ShellCommand::FilePrint));
    EXPECT_TRUE(m_dialogs.isEmpty()) << m_dialogs.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(QFile::exists(cancelled));
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("The project was not optimized, so nothing was printed.")});
    EXPECT_FALSE(m_app->GetDocument()->IsFullyOptimized());
}

TEST_F(OutputJourney, TheMobilePackageCountsWhatTheBillAndTheLayoutsShow)
{
    StartProgram();
    ASSERT_NO_FATAL_FAILURE(TypeParts());
    const PagesShown pages = ReadEveryPage();
    int diagrams = 0;
    for (int thumbnails : pages.thumbnails)
        diagrams += thumbnails;
    const QStringList& bill = pages.bom;
    ASSERT_GT(bill.size(), 1);

    const QString package = m_folder.filePath(QStringLiteral("Cabinet.ikwx"));
    m_chosenPath = package;
    ASSERT_TRUE(Choose(ShellCommand::ExportForMobile));
    QFile file(package);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << m_messages.join(QLatin1Char('\n')).toStdString();
    QXmlStreamReader xml(&file);
    int parts = 0;
    int stacks = 0;
    double sheets = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("Part"))
            ++parts;
        else if (xml.name() == QLatin1String("DiagramStack"))
            ++stacks;
        else if (xml.name() == QLatin1String("BomLineItem"))
            sheets += xml.attributes().value(QStringLiteral("Qty")).toDouble();
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber() << "; "
                                 << m_messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(parts, PartCount());
    EXPECT_EQ(stacks, diagrams);
    const int quantity = static_cast<int>(bill.front().split(QStringLiteral(" | ")).indexOf(QStringLiteral("Quantity")));
    ASSERT_GE(quantity, 0) << bill.front().toStdString();
    double billSheets = 0;
    for (const QString& row : bill.mid(1))
        billSheets += row.split(QStringLiteral(" | ")).value(quantity).toDouble();
    EXPECT_EQ(sheets, billSheets) << bill.join(QLatin1Char('\n')).toStdString();
}

// The package counts whole sheets whatever the B.O.M. page shows: with
// pro-rated costs chosen in the preferences, the export is the same file as
// without, and the choice is still there afterwards.
TEST_F(OutputJourney, TheMobilePackageIsTheSameWithProRatedCostsChosen)
{
    StartProgram();
    // The 3/4" plywood priced 2.40 a square foot.
    auto* library = dynamic_cast<CMaterials*>(GetMaterialsLibrary());
    ASSERT_TRUE(library);
    std::shared_ptr<ISGSC> priced;
    for (const auto& material : library->GetMaterials())
        if (auto sheetGood = std::dynamic_pointer_cast<CSheetGoodEx>(material))
            if (sheetGood->GetName() == QStringLiteral("Plywood 3/4 in") && !sheetGood->GetSizeCosts().empty())
                priced = sheetGood->GetSizeCosts().front();
    ASSERT_TRUE(priced);
    priced->SetPricingScheme(std::make_unique<CSGPSSquareFoot>());
    const CMoney cost = CMoney::FromReal(2.40);
    priced->SetUnitCost(&cost);
    ASSERT_NO_FATAL_FAILURE(TypeParts());
    ClickTab(CKWLView::BOMPage);
    const QStringList wholeSheets = BomRows();

    const QByteArray off = ExportForMobile(QStringLiteral("Off.ikwx"));
    // 32 square feet a sheet at 2.40: the whole sheets' cost.
    EXPECT_TRUE(off.contains("TotalCost=\"76.8\"") || off.contains("TotalCost=\"153.6\""))
        << off.toStdString();

    ASSERT_TRUE(RunPreferences([](CUserPrefsPropSheet& sheet) {
        auto* page = dynamic_cast<CPickListPrefsPg*>(sheet.GetPage(PrefsPage::PickList));
        ASSERT_TRUE(page);
        page->ProRateButton()->click();
    }));
    ASSERT_TRUE(GetUserPrefs()->GetFlag(PrefId::ProRateCosts));
    ClickTab(CKWLView::BOMPage);
    EXPECT_NE(BomRows(), wholeSheets) << "the page shows pro-rated quantities";

    m_messages.clear();
    const QByteArray on = ExportForMobile(QStringLiteral("On.ikwx"));
    EXPECT_EQ(on, off);
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Export was successful.")});
    EXPECT_TRUE(GetUserPrefs()->GetFlag(PrefId::ProRateCosts));
    ClickTab(CKWLView::PartsPage);
    ClickTab(CKWLView::BOMPage);
    EXPECT_NE(BomRows(), wholeSheets);
}

// The run meets the 3/4" plywood before the 1/2" one; the package lists the
// project's materials and bill in the same order whether or not the Layouts
// page was shown in between.
TEST_F(OutputJourney, TheMobilePackageIsTheSameBeforeAndAfterAVisitOfTheLayouts)
{
    StartProgram();
    ASSERT_NO_FATAL_FAILURE(TypeParts());
    ASSERT_FALSE(m_app->GetDocument()->IsFullyOptimized());
    const QByteArray first = ExportForMobile(QStringLiteral("First.ikwx"));
    const qsizetype half = first.indexOf("Name=\"Plywood 1/2 in\"");
    ASSERT_GE(half, 0) << first.toStdString();
    EXPECT_LT(half, first.indexOf("Name=\"Plywood 3/4 in\"")) << first.toStdString();

    ClickTab(CKWLView::LayoutsPage);
    EXPECT_EQ(ExportForMobile(QStringLiteral("Second.ikwx")).toStdString(), first.toStdString());
}

} // namespace

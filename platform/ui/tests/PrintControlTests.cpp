#include "platform/ui/PrintControl.h"
#include "platform/ui/PrinterCodes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <vector>

using namespace platform;

namespace {

// Runs a call and answers the status it failed with (0 when it did not).
template <typename Call> std::int32_t StatusOf(Call call, PrintInterface* where = nullptr)
{
    try {
        call();
    } catch (const PrintControlError& error) {
        if (where)
            *where = error.Interface();
        return error.Status();
    }
    return 0;
}

} // namespace

TEST(PrintLengthTest, ReadsLengthTextsInTwips)
{
    struct Case
    {
        const char* text;
        double twips;
    };
    const Case cases[] = {
        { "", 0.0 },
        { "5mm", 5 * 1440 / 25.4 },
        { "0.6mm", 0.6 * 1440 / 25.4 },
        { "1cm", 1440 / 2.54 },
        { "0.25in", 360.0 },
        { "10pt", 200.0 },
        { "100tw", 100.0 },
        { "72", 72.0 },
        { " 3MM ", 3 * 1440 / 25.4 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto length = PrintLength::FromText(QString::fromLatin1(c.text));
        ASSERT_TRUE(length.has_value());
        EXPECT_NEAR(length->twips, c.twips, 1e-9);
    }
    for (const char* bad : { "5 furlongs", "-3mm", "mm", "1.2.3in" })
        EXPECT_FALSE(PrintLength::FromText(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(PrintControlTest, FailuresCarryTheirStatusAndInterface)
{
    PrintControl control;
    EXPECT_EQ(StatusOf([&] { control.PrintParagraph(QStringLiteral("x")); }), StatusNoDocument);
    EXPECT_EQ(StatusOf([&] { control.NewPage(); }), StatusNoDocument);
    EXPECT_EQ(StatusOf([&] { control.DrawLine(0, 0, 1, 1); }), StatusNoDocument);
    EXPECT_EQ(StatusOf([&] { control.EndDoc(); }), StatusNoDocument);
    EXPECT_EQ(StatusOf([&] { control.SetTextAlign(9); }), StatusInvalidArgument);
    EXPECT_EQ(StatusOf([&] { control.SetOrientation(2); }), StatusInvalidArgument);
    EXPECT_EQ(StatusOf([&] { control.SetFontSize(0.0F); }), StatusInvalidArgument);
    EXPECT_EQ(StatusOf([&] { control.SetBrushStyle(8); }), StatusInvalidArgument);
    EXPECT_EQ(StatusOf([&] { control.SetPaperSize(0); }), StatusInvalidArgument);
    EXPECT_EQ(StatusOf([&] { control.SetMarginTop(-1.0); }), StatusInvalidArgument);

    PrintInterface where = PrintInterface::Control;
    EXPECT_EQ(
        StatusOf([&] { control.Styles().Apply(QStringLiteral("Nowhere")); }, &where), StatusInvalidArgument);
    EXPECT_EQ(where, PrintInterface::Styles);

    control.StartDoc();
    EXPECT_EQ(StatusOf([&] { control.StartDoc(); }), StatusFailed);
    // Measuring needs no page, but drawing a measured box does.
    control.EndDoc();
    EXPECT_GT(control.PrintTextBox(QStringLiteral("x"), 0, 0, 1000, 0, true, true, false), 0.0);
    EXPECT_EQ(StatusOf([&] { control.PrintTextBox(QStringLiteral("x"), 0, 0, 1000, 0, true, false, false); }),
        StatusNoDocument);
}

TEST(PrintControlTest, ParagraphsRunOverOntoNewPagesWithTheirHeader)
{
    PrintControl control;
    int pageStarts = 0;
    control.SetNewPageHandler([&] {
        ++pageStarts;
        control.SetHeader(QStringLiteral("||%1").arg(pageStarts));
    });
    control.SetFontSize(20.0F);
    control.StartDoc();
    EXPECT_EQ(pageStarts, 1);
    EXPECT_DOUBLE_EQ(control.CurrentY(), control.PageTop());

    control.SetSpaceBefore(*PrintLength::FromText(QStringLiteral("5mm")));
    control.PrintParagraph(QStringLiteral("First"));
    const double afterFirst = control.CurrentY();
    EXPECT_NEAR(afterFirst, control.PageTop() + 5 * 1440 / 25.4 + control.LineHeight(), 1e-6);

    control.SetSpaceBefore(PrintLength::Twips(0));
    while (control.PageCount() < 2)
        control.PrintParagraph(QStringLiteral("More"));
    EXPECT_EQ(pageStarts, 2);
    EXPECT_EQ(control.HeaderOfPage(0), QStringLiteral("||1"));
    EXPECT_EQ(control.HeaderOfPage(1), QStringLiteral("||2"));
    // The line that did not fit starts the new page.
    EXPECT_DOUBLE_EQ(control.CurrentY(), control.PageTop() + control.LineHeight());
    EXPECT_EQ(control.TextsOnPage(1).size(), 1U);
    control.EndDoc();
}

TEST(PrintControlTest, PaperSettingsChangedInADocumentApplyFromTheNextPage)
{
    PrintControl control;
    control.SetPaperSize(9); // A4
    control.StartDoc();
    const double portraitRight = control.PageRight();
    control.SetOrientation(1);
    control.SetMarginLeft(1440);
    EXPECT_DOUBLE_EQ(control.PageRight(), portraitRight);
    EXPECT_DOUBLE_EQ(control.PageLeft(), 360.0);
    control.NewPage();
    EXPECT_GT(control.PageRight(), portraitRight);
    EXPECT_DOUBLE_EQ(control.PageLeft(), 1440.0);
    EXPECT_EQ(control.PaperSize(), 9);
    control.EndDoc();
}

TEST(PrintControlTest, NamedStylesRestoreTextFormatOrDrawingSettings)
{
    PrintControl control;
    control.SetFontName(QStringLiteral("Verdana"));
    control.SetFontSize(14.0F);
    control.SetFontBold(true);
    control.SetTextAlign(7);
    control.Styles().Store(QStringLiteral("Title"), StyleKindText);
    control.SetFontName(QStringLiteral("Arial"));
    control.SetFontSize(8.0F);
    control.SetFontBold(false);
    control.SetTextAlign(0);
    control.Styles().Apply(QStringLiteral("Title"));
    EXPECT_EQ(control.FontName(), QStringLiteral("Verdana"));
    EXPECT_FLOAT_EQ(control.FontSize(), 14.0F);
    EXPECT_TRUE(control.FontBold());
    EXPECT_EQ(control.TextAlign(), 7);

    // A drawing style leaves the text format alone.
    control.SetBrushStyle(3);
    control.Styles().Store(QStringLiteral("Hatched"), StyleKindDrawing);
    control.SetFontSize(9.0F);
    control.Styles().Apply(QStringLiteral("Hatched"));
    EXPECT_FLOAT_EQ(control.FontSize(), 9.0F);

    PrintInterface where = PrintInterface::Control;
    EXPECT_EQ(
        StatusOf([&] { control.Styles().Store(QStringLiteral("Odd"), 5); }, &where), StatusInvalidArgument);
    EXPECT_EQ(where, PrintInterface::Styles);
}

TEST(PrintControlTest, PreviewShowsTheComposedPages)
{
    PrintControl control;
    control.StartDoc();
    control.PrintParagraph(QStringLiteral("One"));
    control.NewPage();
    control.PrintParagraph(QStringLiteral("Two"));
    control.EndDoc();
    QWidget parent;
    QPrintPreviewWidget* preview = control.CreatePreviewWidget(&parent);
    EXPECT_EQ(preview->pageCount(), 2);
}

TEST(PrinterCodesTest, BinAndDuplexCodesRoundTrip)
{
    for (int code : { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 15 }) {
        const auto source = PaperSourceFromBinCode(code);
        ASSERT_TRUE(source.has_value()) << code;
        EXPECT_EQ(BinCodeFromPaperSource(*source), code);
    }
    EXPECT_FALSE(PaperSourceFromBinCode(12).has_value());
    EXPECT_EQ(PaperSourceFromBinCode(7), QPrinter::Auto);
    for (int code : { 1, 2, 3 }) {
        const auto mode = DuplexModeFromCode(code);
        ASSERT_TRUE(mode.has_value()) << code;
        EXPECT_EQ(DuplexCodeFromMode(*mode), code);
    }
    EXPECT_EQ(DuplexModeFromCode(2), QPrinter::DuplexLongSide);
    EXPECT_EQ(DuplexCodeFromMode(QPrinter::DuplexAuto), 0);
}

TEST(PrintControlTest, PrintingShowsItsProgressAndItsCancelStopsTheJob)
{
    PrintControl control;
    control.SetDocTitle(QStringLiteral("Bench"));
    control.StartDoc();
    for (int page = 0; page < 3; ++page) {
        if (page > 0)
            control.NewPage();
        control.PrintParagraph(QStringLiteral("page %1").arg(page + 1));
    }
    control.EndDoc();
    control.SetShowProgress(true);
    control.SetProgressTexts(QStringLiteral("Printing..."), QStringLiteral("Cancel"),
        QStringLiteral("on the %s on %s"), QStringLiteral("Now printing Page %d of"));

    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("job.pdf")));
    // The user reads the first page's line and cancels.
    QString label;
    QString caption;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* progress = qobject_cast<QProgressDialog*>(widget); progress && progress->isVisible()) {
                caption = progress->windowTitle();
                label = progress->labelText();
                progress->cancel();
            }
        }
    });
    control.PrintOn(printer);
    EXPECT_EQ(caption, QStringLiteral("Printing..."));
    EXPECT_EQ(label,
        QStringLiteral("Bench\non the PDF on %1\nNow printing Page 1 of 3").arg(printer.outputFileName()));
    // The job stopped after the page being sent.
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), { printer.outputFileName() });
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
}

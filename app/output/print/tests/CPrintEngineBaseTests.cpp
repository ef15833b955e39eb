#include "PrintTestSupport.h"

#include "foundation/CUserPrefs.h"
#include "platform/ui/PrintControl.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <functional>

using platform::PrintControl;
using platform::Rect;

namespace {

class PrintEngineTest : public ::testing::Test
{
protected:
    QString PdfPath() const { return m_prefs.Folder() + QStringLiteral("/out.pdf"); }
    QString Today() const { return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat); }

    ScopedPrintPrefs m_prefs;
    PrintControl m_control;
};

// Ink (non-white pixels) inside a region of a page picture.
QRect InkBox(const QImage& image, const QRect& region)
{
    QRect ink;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 160)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

} // namespace

TEST_F(PrintEngineTest, HeadersShowDateTitleAndRestartedPageNumbers)
{
    TestPrinter printer(&m_control, [](TestPrinter& p) {
        platform::IPrintControl& control = p.GetControl();
        control.StartDoc();
        p.StartNewPage(true);
        p.SetPageHeader(QStringLiteral("Cover Page"), true);
        p.PrintTextBlock(QStringLiteral("Project Cover Page"), CPrintEngineBase::SectionTitle);
        p.ResetPageNumber();
        p.StartNewPage(true);
        p.SetPageHeader(QStringLiteral("Parts"), true);
        // Enough lines to run over onto a second Parts page.
        while (control.PageCount() < 3)
            p.PrintTextBlock(QStringLiteral("A part of the parts list"), CPrintEngineBase::Body);
        p.StartNewPage(true);
        p.SetPageHeader(QString(), false);
        p.StartNewPage(false);
        // A per-cent sign in a title is text, never a format.
        p.SetPageHeader(QStringLiteral("Sale 100%d now"), false);
        control.EndDoc();
    });
    printer.PrintBody();

    const QString today = Today();
    ASSERT_EQ(m_control.PageCount(), 5);
    EXPECT_EQ(m_control.HeaderOfPage(0), today + QStringLiteral("||Cover Page: 1"));
    EXPECT_EQ(m_control.HeaderOfPage(1), today + QStringLiteral("||Parts: 1"));
    EXPECT_EQ(m_control.HeaderOfPage(2), today + QStringLiteral("||Parts: 2"));
    EXPECT_EQ(m_control.HeaderOfPage(3), QStringLiteral("||1"));
    EXPECT_EQ(m_control.HeaderOfPage(4), QStringLiteral("||Sale 100%d now: 2"));

    m_control.WritePdf(PdfPath());
    const QString page3 = PdfPageText(PdfPath(), 3);
    EXPECT_TRUE(page3.contains(today)) << page3.toStdString();
    EXPECT_TRUE(page3.contains(QStringLiteral("Parts: 2"))) << page3.toStdString();
    EXPECT_TRUE(PdfPageText(PdfPath(), 5).contains(QStringLiteral("Sale 100%d now: 2")));
    // The title line sits left of the header's right part on the same line.
    const QString page1 = PdfPageText(PdfPath(), 1);
    const QString firstLine = page1.section(QLatin1Char('\n'), 0, 0);
    EXPECT_LT(firstLine.indexOf(today), firstLine.indexOf(QStringLiteral("Cover Page: 1")))
        << page1.toStdString();
}

TEST_F(PrintEngineTest, FourTextStylesPrintWithTheirFonts)
{
    TestPrinter printer(&m_control, [](TestPrinter& p) {
        p.GetControl().StartDoc();
        p.PrintTextBlock(QStringLiteral("Section title"), CPrintEngineBase::SectionTitle);
        p.PrintTextBlock(QStringLiteral("Subsection title"), CPrintEngineBase::SubSectionTitle);
        p.PrintTextBlock(QStringLiteral("Body text"), CPrintEngineBase::Body);
        p.PrintTextBlock(QStringLiteral("Column header"), CPrintEngineBase::ColHeader);
        p.GetControl().EndDoc();
    });
    printer.PrintBody();

    const std::vector<platform::PrintedText> texts = m_control.TextsOnPage(0);
    ASSERT_EQ(texts.size(), 4U);
    struct Expected
    {
        const char* text;
        const char* font;
        float points;
        bool bold;
    };
    // Body and column headers use "Grid Face" at "Grid Height" 85 / 10.
    const Expected expected[] = {
        { "Section title", "Verdana", 14.0F, true },
        { "Subsection title", "Arial", 12.0F, true },
        { "Body text", "Verdana", 8.5F, false },
        { "Column header", "Verdana", 8.5F, true },
    };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(texts[i].text, QString::fromLatin1(expected[i].text));
        EXPECT_EQ(texts[i].fontName, QString::fromLatin1(expected[i].font));
        EXPECT_FLOAT_EQ(texts[i].points, expected[i].points);
        EXPECT_EQ(texts[i].bold, expected[i].bold);
    }
    m_control.WritePdf(PdfPath());
    const QString text = PdfPageText(PdfPath(), 1);
    for (const Expected& e : expected)
        EXPECT_TRUE(text.contains(QString::fromLatin1(e.text))) << e.text;
}

TEST_F(PrintEngineTest, TextBoxesPlaceInkByAlignmentCode)
{
    // Nine boxes of 2 x 1 inch, one per alignment code, 1/4 inch apart.
    auto boxOf = [](int code) {
        const int column = code % 3;
        const int row = code / 3;
        const int left = 1440 + column * (2880 + 360);
        const int top = 1440 + row * (1440 + 360);
        return Rect(left, top, left + 2880, top + 1440);
    };
    TestPrinter printer(&m_control, [&](TestPrinter& p) {
        p.GetControl().StartDoc();
        for (int code = 0; code <= 8; ++code) {
            p.SetTextFormat(QStringLiteral("Arial"), 14.0F, 0.0, 0.0, true, code);
            p.DrawLabel(QStringLiteral("WM"), boxOf(code), false, 0);
        }
        p.GetControl().EndDoc();
    });
    printer.PrintBody();
    m_control.WritePdf(PdfPath());
    const QImage page = PdfPageImage(PdfPath(), 1);
    ASSERT_FALSE(page.isNull());

    for (int code = 0; code <= 8; ++code) {
        SCOPED_TRACE(code);
        const Rect box = boxOf(code);
        const QRect region(box.left / 20, box.top / 20, box.Width() / 20, box.Height() / 20);
        const QRect ink = InkBox(page, region);
        ASSERT_FALSE(ink.isEmpty());
        // Where the ink's centre lies, in thirds of the box.
        const double across = (ink.center().x() - region.left()) / static_cast<double>(region.width());
        const double down = (ink.center().y() - region.top()) / static_cast<double>(region.height());
        const int column = std::clamp(static_cast<int>(across * 3), 0, 2);
        const int row = std::clamp(static_cast<int>(down * 3), 0, 2);
        static constexpr int kRowOfCode[] = { 0, 0, 0, 2, 2, 2, 1, 1, 1 }; // top, bottom, middle
        EXPECT_EQ(column, code % 3);
        EXPECT_EQ(row, kRowOfCode[code]);
    }
}

TEST_F(PrintEngineTest, HatchedRectanglesShowTheirPattern)
{
    // Red in the stored colour order (0x00BBGGRR).
    constexpr int kRed = 0x0000FF;
    TestPrinter printer(&m_control, [&](TestPrinter& p) {
        p.GetControl().StartDoc();
        for (std::uint32_t hatch = 0; hatch <= 6; ++hatch) {
            const int brush = hatch == 6 ? 0 : CPrintEngineBase::GetHatchCode(hatch); // 6: solid
            p.DefineDrawingStyle(QStringLiteral("Fill%1").arg(hatch), 0, 0, kRed, brush);
            p.GetControl().Styles().Apply(QStringLiteral("Fill%1").arg(hatch));
            const int left = 1440 + static_cast<int>(hatch % 4) * 2160;
            const int top = 1440 + static_cast<int>(hatch / 4) * 2160;
            p.DrawRectangle(Rect(left, top, left + 1440, top + 1440));
        }
        p.GetControl().EndDoc();
    });
    printer.PrintBody();
    m_control.WritePdf(PdfPath());
    const QImage page = PdfPageImage(PdfPath(), 1);
    ASSERT_FALSE(page.isNull());

    auto isRed = [&](int x, int y) {
        const QRgb pixel = page.pixel(x, y);
        return qRed(pixel) > 150 && qGreen(pixel) < 120 && qBlue(pixel) < 120;
    };
    for (int hatch = 0; hatch <= 6; ++hatch) {
        SCOPED_TRACE(hatch);
        const int left = (1440 + (hatch % 4) * 2160) / 20 + 4;
        const int top = (1440 + (hatch / 4) * 2160) / 20 + 4;
        const int size = 72 - 8; // the inside, away from the outline
        int red = 0;
        int fullRows = 0;
        int fullColumns = 0;
        for (int i = 0; i < size; ++i) {
            int rowRed = 0;
            int columnRed = 0;
            for (int j = 0; j < size; ++j) {
                rowRed += isRed(left + j, top + i) ? 1 : 0;
                columnRed += isRed(left + i, top + j) ? 1 : 0;
            }
            red += rowRed;
            fullRows += rowRed == size ? 1 : 0;
            fullColumns += columnRed == size ? 1 : 0;
        }
        if (hatch == 6) {
            EXPECT_EQ(red, size * size);
            continue;
        }
        EXPECT_GT(red, 0);
        EXPECT_LT(red, size * size / 2);
        EXPECT_EQ(fullRows > 0, hatch == 0 || hatch == 4);
        EXPECT_EQ(fullColumns > 0, hatch == 1 || hatch == 4);
    }
}

TEST_F(PrintEngineTest, OrientationChangesFromTheNextPage)
{
    TestPrinter printer(&m_control, [](TestPrinter& p) {
        platform::IPrintControl& control = p.GetControl();
        control.SetOrientation(0);
        control.StartDoc();
        p.StartNewPage(true);
        p.PrintTextBlock(QStringLiteral("Portrait page"), CPrintEngineBase::Body);
        control.SetOrientation(1);
        p.PrintTextBlock(QStringLiteral("Still portrait"), CPrintEngineBase::Body);
        p.StartNewPage(false);
        p.PrintTextBlock(QStringLiteral("Landscape page"), CPrintEngineBase::Body);
        control.EndDoc();
    });
    printer.PrintBody();
    m_control.WritePdf(PdfPath());
    const QString sizes = PdfPageSizes(PdfPath(), 2);
    EXPECT_TRUE(sizes.contains(QRegularExpression(QStringLiteral("Page +1 size: +612 x 792 pts"))))
        << sizes.toStdString();
    EXPECT_TRUE(sizes.contains(QRegularExpression(QStringLiteral("Page +2 size: +792 x 612 pts"))))
        << sizes.toStdString();
    EXPECT_TRUE(PdfPageText(PdfPath(), 2).contains(QStringLiteral("Landscape page")));
}

TEST_F(PrintEngineTest, MeasuresAndPages)
{
    TestPrinter printer(&m_control);
    m_control.StartDoc();
    EXPECT_EQ(printer.GetTextWidth(QString()), 144);
    EXPECT_EQ(printer.GetTextMarginX(), 72);
    EXPECT_EQ(printer.GetTextMarginY(), 36);
    EXPECT_GT(printer.GetSmallTextHeight(), 0);
    EXPECT_EQ(m_control.FontName(), QStringLiteral("Verdana"));
    EXPECT_FLOAT_EQ(m_control.FontSize(), 8.0F);

    // The first page needs no new page of the control; later ones do.
    printer.StartNewPage(true);
    EXPECT_EQ(m_control.PageCount(), 1);
    printer.StartNewPage(false);
    EXPECT_EQ(m_control.PageCount(), 2);
    EXPECT_EQ(printer.GetPageNumber(), 2);

    const Rect page = printer.GetPageRect();
    EXPECT_EQ(page, Rect(360, 720, 12240 - 360, 15840 - 720));
    EXPECT_FALSE(printer.IsNearPageEnd());
    m_control.SetCurrentY(page.bottom + 5000);
    EXPECT_EQ(printer.GetRemainingHeight(), 0);
    EXPECT_TRUE(printer.IsNearPageEnd());
}

TEST_F(PrintEngineTest, TextFitsWidthOnlyBeyondOnePointFourTimes)
{
    // A control whose every text is 100 twips wide.
    class FixedWidthControl : public PrintControl
    {
    public:
        double TextWidth(const QString&) override { return 100.0; }
    };
    FixedWidthControl control;
    TestPrinter printer(&control);
    EXPECT_FALSE(printer.TextFitsWidth(QStringLiteral("x"), Rect(0, 0, 140, 10)));
    EXPECT_TRUE(printer.TextFitsWidth(QStringLiteral("x"), Rect(0, 0, 141, 10)));
    EXPECT_TRUE(printer.TextFitsWidth(QStringLiteral("x"), Rect(141, 0, 0, 10)));
    EXPECT_EQ(printer.GetTextWidth(QStringLiteral("x")), 244);
}

TEST_F(PrintEngineTest, FittedLabelsShrinkAndTurn)
{
    TestPrinter printer(&m_control);
    m_control.StartDoc();
    const int fullHeight = [&] {
        m_control.SetFontSize(16.0F);
        m_control.SetFontBold(true);
        return printer.GetTextHeight();
    }();

    printer.DrawFittedLabel(QStringLiteral("P1"), Rect(0, 0, 4000, 2000), 0x0000FF);
    printer.DrawFittedLabel(QStringLiteral("P2"), Rect(0, 3000, 4000, 3000 + fullHeight * 3 / 4), 0);
    printer.DrawFittedLabel(QStringLiteral("Long label text"), Rect(5000, 0, 5400, 6000), 0);
    printer.DrawFittedLabel(QStringLiteral("P4"), Rect(0, 7000, 4000, 7050), 0);
    const std::vector<platform::PrintedText> texts = m_control.TextsOnPage(0);
    ASSERT_EQ(texts.size(), 4U);

    EXPECT_FLOAT_EQ(texts[0].points, 16.0F); // "Ex Large Diagram Height" 160
    EXPECT_TRUE(texts[0].bold);
    EXPECT_EQ(texts[0].angle, 0);

    EXPECT_LT(texts[1].points, 16.0F);
    EXPECT_GE(texts[1].points, 8.0F); // never below "Bold Diagram Dims Height"
    EXPECT_FALSE(texts[1].bold);

    EXPECT_EQ(texts[2].angle, 900);
    EXPECT_FLOAT_EQ(texts[3].points, 8.0F);
    EXPECT_EQ(m_control.TextAngle(), 0);
}

TEST(PrintEngineNullControlTest, CallsFailWithTheNullPointerStatus)
{
    ScopedPrintPrefs prefs;
    try {
        TestPrinter printer(nullptr);
        FAIL() << "a printer without control began its document";
    } catch (const platform::PrintControlError& error) {
        EXPECT_EQ(error.Status(), platform::StatusNullPointer);
    }
}

TEST(PrintEngineFillTest, HatchCodesAndFillColours)
{
    struct Case
    {
        std::uint32_t index;
        bool hatch;
        int code;
        std::uint32_t colour;
    };
    const Case cases[] = {
        { 0, true, 2, 0x123456 },
        { 5, true, 7, 0x123456 },
        { 6, true, 0, 0x123456 },
        { 0xFFFF, false, 0, 0x123456 },
        { 0xFFFFFFFF, false, 0, 0xFFFFFF },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(CPrintEngineBase::HasHatch(c.index), c.hatch);
        EXPECT_EQ(CPrintEngineBase::GetHatchCode(c.index), c.code);
        EXPECT_EQ(CPrintEngineBase::GetFillColour(0x123456, c.index), c.colour);
    }
}

TEST_F(PrintEngineTest, DocumentTitleIsTheProjectName)
{
    SetProjectNameSource([](IDoc*) { return QStringLiteral("Kitchen 50% off"); });
    TestPrinter printer(&m_control);
    printer.SetDocumentTitle();
    SetProjectNameSource(nullptr);
    m_control.StartDoc();
    printer.PrintTextBlock(QStringLiteral("x"), CPrintEngineBase::Body);
    m_control.EndDoc();
    m_control.WritePdf(PdfPath());
    const QString info = RunPdfTool(QStringLiteral("pdfinfo"), { PdfPath() });
    EXPECT_TRUE(info.contains(QStringLiteral("Kitchen 50% off"))) << info.toStdString();
}

TEST_F(PrintEngineTest, DeviceContextDrawsOnTheCurrentPageInTwips)
{
    TestPrinter printer(&m_control);
    m_control.StartDoc();
    printer.StartNewPage(true);
    printer.StartNewPage(false);
    QPainter* painter = printer.GetDeviceContext();
    ASSERT_NE(painter, nullptr);
    painter->fillRect(QRect(1440, 1440, 1440, 720), QColor(0, 0, 255));
    // Later calls close the painter and draw over its picture.
    printer.DrawLine(1440, 4320, 2880, 4320);
    m_control.EndDoc();
    m_control.WritePdf(PdfPath());
    const QImage page = PdfPageImage(PdfPath(), 2);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.pixel(72 + 36, 72 + 18), qRgb(0, 0, 255));
    EXPECT_EQ(page.pixel(72 + 80, 72 + 18), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(72 + 36, 72 + 40), qRgb(255, 255, 255));
    EXPECT_LT(qGray(page.pixel(100, 216)), 128);
    EXPECT_EQ(PdfPageImage(PdfPath(), 1).pixel(72 + 36, 72 + 18), qRgb(255, 255, 255));
}

TEST_F(PrintEngineTest, DiagramTextOperationsSetTheirAlignmentAndTurn)
{
    TestPrinter printer(&m_control);
    m_control.StartDoc();
    const Rect rect(1440, 1440, 4320, 2880);
    struct Case
    {
        const char* name;
        std::function<void()> draw;
        int alignment;
        int angle;
        float points;
    };
    // "Bold Diagram Dims Height" and "Small Parts Height" are both 8 points.
    const Case cases[] = {
        { "right", [&] { printer.DrawRightText(QStringLiteral("t"), rect, true); }, 2, 0, 8.0F },
        { "vertical label", [&] { printer.DrawVerticalLabel(QStringLiteral("t"), rect, false); }, 0, 900,
            8.0F },
        { "aligned 0", [&] { printer.DrawAlignedText(QStringLiteral("t"), 0, rect); }, 4, 0, 8.0F },
        { "aligned 1", [&] { printer.DrawAlignedText(QStringLiteral("t"), 1, rect); }, 1, 0, 8.0F },
        { "aligned 2", [&] { printer.DrawAlignedText(QStringLiteral("t"), 2, rect); }, 1, 900, 8.0F },
        { "aligned 3", [&] { printer.DrawAlignedText(QStringLiteral("t"), 3, rect); }, 4, 900, 8.0F },
        { "in rect", [&] { printer.DrawTextInRect(QStringLiteral("t"), rect, false); }, 7, 0, 8.0F },
        { "in rect turned", [&] { printer.DrawTextInRect(QStringLiteral("t"), rect, true); }, 1, 900, 8.0F },
        { "vertical", [&] { printer.DrawVerticalText(QStringLiteral("t"), rect); }, 0, 900, 8.0F },
        { "right centred", [&] { printer.DrawRightCentredText(QStringLiteral("t"), rect); }, 8, 0, 8.0F },
    };
    std::size_t drawn = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.draw();
        const std::vector<platform::PrintedText> texts = m_control.TextsOnPage(0);
        ASSERT_EQ(texts.size(), ++drawn);
        EXPECT_EQ(m_control.TextAlign(), c.alignment);
        EXPECT_EQ(texts.back().angle, c.angle);
        EXPECT_FLOAT_EQ(texts.back().points, c.points);
        EXPECT_FALSE(texts.back().bold);
        EXPECT_EQ(m_control.TextAngle(), 0);
    }
    // An empty rectangle draws nothing (it only selects the font).
    printer.DrawRightCentredText(QString(), Rect());
    EXPECT_EQ(m_control.TextsOnPage(0).size(), drawn);
}

TEST_F(PrintEngineTest, TextFitsHeightAllowsATenthToSpare)
{
    TestPrinter printer(&m_control);
    const double line = m_control.TextHeight(QStringLiteral("X"));
    const int enough = static_cast<int>(std::ceil(line * 1.1));
    EXPECT_TRUE(printer.TextFitsHeight(QStringLiteral("X"), Rect(0, 0, 5000, enough), false));
    EXPECT_FALSE(printer.TextFitsHeight(QStringLiteral("X"), Rect(0, 0, 5000, enough - 1), false));
    // Turned: the width is the extent, the height the room along the text.
    EXPECT_TRUE(printer.TextFitsHeight(QStringLiteral("X"), Rect(0, 0, enough, 5000), true));
    // Two words that must wrap in a narrow box need two lines.
    EXPECT_FALSE(printer.TextFitsHeight(QStringLiteral("Wide Words"), Rect(0, 0, 300, enough), false));
}

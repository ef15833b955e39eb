#include "platform/ui/PrintControl.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <vector>

using namespace platform;

namespace {

constexpr double kSidePadding = 72.0;

const PrintedText* FindText(const std::vector<PrintedText>& texts, const QString& text)
{
    const auto it = std::find_if(
        texts.begin(), texts.end(), [&](const PrintedText& printed) { return printed.text == text; });
    return it == texts.end() ? nullptr : &*it;
}

void Cell(PrintControl& control, int setting, int row, int column, const QVariant& value)
{
    control.SetTableCell(setting, row, column, row, column, value);
}

} // namespace

TEST(PrintTableTest, LongTablesFlowOverPagesWithTheHeadingRowOnEach)
{
    PrintControl control;
    int pageStarts = 0;
    control.SetNewPageHandler([&] { ++pageStarts; });
    control.StartDoc();
    control.PrintParagraph(QStringLiteral("Before the table"));
    control.StartTable();
    control.SetTableBorder(TableLinesAll);
    control.CreateTable(QStringLiteral("<|>"), QStringLiteral("Part|Qty"), QString());
    constexpr int kRows = 120;
    control.SetTableCell(TableRows, 1, 1, 1, 1, kRows);
    for (int row = 1; row <= kRows; ++row) {
        Cell(control, TableText, row, 1, QStringLiteral("P%1").arg(row));
        Cell(control, TableText, row, 2, row);
    }
    control.EndTable();
    control.PrintParagraph(QStringLiteral("After the table"));
    control.EndDoc();

    ASSERT_GE(control.PageCount(), 3);
    EXPECT_EQ(pageStarts, control.PageCount());
    int bodyRows = 0;
    for (int page = 0; page < control.PageCount(); ++page) {
        SCOPED_TRACE(page);
        const std::vector<PrintedText> texts = control.TextsOnPage(page);
        const PrintedText* heading = FindText(texts, QStringLiteral("Part"));
        ASSERT_NE(heading, nullptr);
        EXPECT_TRUE(FindText(texts, QStringLiteral("Qty")));
        for (const PrintedText& text : texts) {
            if (text.text.startsWith(QLatin1Char('P')) && text.text != QStringLiteral("Part")) {
                ++bodyRows;
                EXPECT_GT(text.y, heading->y); // the heading stands above the rows
            }
        }
    }
    EXPECT_EQ(bodyRows, kRows);
    // The heading went with the first row onto the first page, under the paragraph.
    const std::vector<PrintedText> first = control.TextsOnPage(0);
    EXPECT_LT(
        FindText(first, QStringLiteral("Before the table"))->y, FindText(first, QStringLiteral("Part"))->y);
    EXPECT_TRUE(FindText(first, QStringLiteral("P1")));
    // The flow goes on under the last row.
    const std::vector<PrintedText> last = control.TextsOnPage(control.PageCount() - 1);
    EXPECT_GT(FindText(last, QStringLiteral("After the table"))->y,
        FindText(last, QStringLiteral("P%1").arg(kRows))->y);
}

TEST(PrintTableTest, ColumnWidthsInTwipsOrPerCentAndSpans)
{
    PrintControl control;
    control.StartDoc();
    const double left = control.PageLeft();
    const double width = control.PageRight() - left;
    control.StartTable();
    control.SetTableCell(TableColumns, 1, 1, 1, 1, 4);
    control.SetTableCell(TableRows, 1, 1, 1, 1, 3);
    Cell(control, TableColumnWidth, 1, 1, 1440); // twips as a number
    Cell(control, TableColumnWidth, 1, 2, QStringLiteral("25.000000%"));
    Cell(control, TableColumnWidth, 1, 3, QStringLiteral("1in"));
    Cell(control, TableColumnWidth, 1, 4, QStringLiteral("10%"));
    Cell(control, TableColumnTakesRest, 1, 4, 1);
    for (int column = 1; column <= 4; ++column)
        Cell(control, TableText, 1, column, QStringLiteral("c%1").arg(column));
    // A cell spanning all columns, right-aligned, and one spanning two.
    Cell(control, TableText, 2, 1, QStringLiteral("wide"));
    Cell(control, TableSpan, 2, 1, 4);
    Cell(control, TableAlign, 2, 1, 8);
    Cell(control, TableText, 2, 2, QStringLiteral("covered"));
    Cell(control, TableText, 3, 2, QStringLiteral("two"));
    Cell(control, TableSpan, 3, 2, 2);
    Cell(control, TableText, 3, 4, QStringLiteral("after"));
    control.EndTable();
    control.EndDoc();

    const std::vector<PrintedText> texts = control.TextsOnPage(0);
    const double quarter = width / 4.0;
    EXPECT_NEAR(FindText(texts, QStringLiteral("c1"))->x, left + kSidePadding, 0.01);
    EXPECT_NEAR(FindText(texts, QStringLiteral("c2"))->x, left + 1440 + kSidePadding, 0.01);
    EXPECT_NEAR(FindText(texts, QStringLiteral("c3"))->x, left + 1440 + quarter + kSidePadding, 0.01);
    EXPECT_NEAR(FindText(texts, QStringLiteral("c4"))->x, left + 2880 + quarter + kSidePadding, 0.01);
    EXPECT_NEAR(FindText(texts, QStringLiteral("after"))->x, left + 2880 + quarter + kSidePadding, 0.01);
    EXPECT_NEAR(FindText(texts, QStringLiteral("two"))->x, left + 1440 + kSidePadding, 0.01);
    EXPECT_EQ(FindText(texts, QStringLiteral("covered")), nullptr);
    // The last column took the rest: the spanning cell ends at the page's right.
    const PrintedText* wide = FindText(texts, QStringLiteral("wide"));
    ASSERT_NE(wide, nullptr);
    EXPECT_NEAR(wide->x + control.TextWidth(QStringLiteral("wide")), left + width - kSidePadding, 1.0);
}

TEST(PrintTableTest, CellTextWrapsAndSetsBoldAndColour)
{
    PrintControl control;
    control.StartDoc();
    control.StartTable();
    control.CreateTable(QStringLiteral("<1440|<"), QStringLiteral("Unit Cost|Description"),
        QStringLiteral("1.50|Shelf\n2.25|Door"));
    Cell(control, TableBold, 0, 1, true);
    Cell(control, TableTextColor, 0, 1, 0xFFFFFF);
    Cell(control, TableColumnWidth, 1, 1, QStringLiteral("900tw"));
    control.EndTable();
    control.EndDoc();

    const std::vector<PrintedText> texts = control.TextsOnPage(0);
    const PrintedText* unit = FindText(texts, QStringLiteral("Unit"));
    const PrintedText* cost = FindText(texts, QStringLiteral("Cost"));
    ASSERT_NE(unit, nullptr);
    ASSERT_NE(cost, nullptr);
    EXPECT_GT(cost->y, unit->y);
    EXPECT_TRUE(unit->bold);
    EXPECT_EQ(unit->color, 0xFFFFFFu);
    EXPECT_FALSE(FindText(texts, QStringLiteral("Description"))->bold);
    EXPECT_GT(FindText(texts, QStringLiteral("Door"))->y, FindText(texts, QStringLiteral("Shelf"))->y);
}

TEST(PrintTableTest, RowsKeptWithTheNextMoveToTheNextPageTogether)
{
    PrintControl control;
    control.StartDoc();
    // Fill the page until two lines are left.
    while (control.PageBottom() - control.CurrentY() > 2.5 * control.LineHeight())
        control.PrintParagraph(QStringLiteral("filler"));
    ASSERT_EQ(control.PageCount(), 1);
    control.StartTable();
    control.SetTableCell(TableColumns, 1, 1, 1, 1, 1);
    control.SetTableCell(TableRows, 1, 1, 1, 1, 3);
    Cell(control, TableText, 1, 1, QStringLiteral("one"));
    Cell(control, TableText, 2, 1, QStringLiteral("heading of three"));
    Cell(control, TableKeepWithNext, 2, 1, 1);
    Cell(control, TableText, 3, 1, QStringLiteral("three"));
    control.EndTable();
    control.EndDoc();

    ASSERT_EQ(control.PageCount(), 2);
    EXPECT_TRUE(FindText(control.TextsOnPage(0), QStringLiteral("one")));
    EXPECT_TRUE(FindText(control.TextsOnPage(1), QStringLiteral("heading of three")));
    EXPECT_TRUE(FindText(control.TextsOnPage(1), QStringLiteral("three")));
}

TEST(PrintTableTest, BadTableCallsFailWithTheirStatus)
{
    PrintControl control;
    control.StartDoc();
    struct Case
    {
        const char* name;
        std::function<void()> call;
        std::int32_t status;
    };
    auto inTable = [&](std::function<void()> call) {
        return [&control, call] {
            control.StartTable();
            control.CreateTable(QStringLiteral("<|<"), QStringLiteral("a|b"), QStringLiteral("1|2"));
            try {
                call();
            } catch (...) {
                control.EndTable();
                throw;
            }
            control.EndTable();
        };
    };
    const Case cases[] = {
        { "cell outside a block", [&] { Cell(control, TableText, 1, 1, QStringLiteral("x")); },
            StatusFailed },
        { "end outside a block", [&] { control.EndTable(); }, StatusFailed },
        { "row outside", inTable([&] { Cell(control, TableText, 2, 1, QStringLiteral("x")); }),
            StatusInvalidArgument },
        { "column outside", inTable([&] { Cell(control, TableText, 1, 3, QStringLiteral("x")); }),
            StatusInvalidArgument },
        { "unknown setting", inTable([&] { Cell(control, 99, 1, 1, 1); }), StatusInvalidArgument },
        { "bad length", inTable([&] { Cell(control, TableRuleAbove, 1, 1, QStringLiteral("wide")); }),
            StatusInvalidArgument },
        { "bad width", inTable([&] { Cell(control, TableColumnWidth, 1, 1, QStringLiteral("x%")); }),
            StatusInvalidArgument },
        { "bad grid lines", inTable([&] { control.SetTableBorder(5); }), StatusInvalidArgument },
        { "zero span", inTable([&] { Cell(control, TableSpan, 1, 1, 0); }), StatusInvalidArgument },
        { "alignment 9", inTable([&] { Cell(control, TableAlign, 1, 1, 9); }), StatusInvalidArgument },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t status = 0;
        try {
            c.call();
        } catch (const PrintControlError& error) {
            status = error.Status();
        }
        EXPECT_EQ(status, c.status);
    }
    // A failed call leaves the document usable.
    control.PrintParagraph(QStringLiteral("still printing"));
    control.EndDoc();
    EXPECT_TRUE(FindText(control.TextsOnPage(0), QStringLiteral("still printing")));
}

namespace {

// One page of a written PDF at 72 dots per inch (one pixel is 20 twips);
// null when the poppler tools are missing.
QImage PageImage(const PrintControl& control, const QString& folder, int page)
{
    const QString pdf = folder + QStringLiteral("/table.pdf");
    control.WritePdf(pdf);
    const QString prefix = folder + QStringLiteral("/page");
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
        { QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
            QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
            pdf, prefix });
    process.waitForFinished(30000);
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The darkest grey along a short run of pixels.
int DarkestAcross(const QImage& image, int fromX, int toX, int y)
{
    int darkest = 255;
    for (int x = fromX; x <= toX; ++x)
        darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

} // namespace

TEST(PrintTableTest, GridLineCodesAndRules)
{
    QTemporaryDir folder;
    PrintControl control;
    constexpr int kRed = 0x0000FF;
    const int codes[] = { TableLinesNone, TableLinesRows, TableLinesAll };
    control.StartDoc();
    for (int code : codes) {
        if (code != TableLinesNone)
            control.NewPage();
        control.StartTable();
        control.SetTableBorder(code);
        control.CreateTable(QStringLiteral("<2880|<2880"), QStringLiteral("a|b"), QStringLiteral("c|d"));
        Cell(control, TableEndPadding, 1, 1, QStringLiteral("0.25in"));
        Cell(control, TableRuleAbove, 1, 2, QStringLiteral("0.6mm"));
        Cell(control, TableRuleColor, 1, 2, kRed);
        control.EndTable();
    }
    control.EndDoc();

    const int left = static_cast<int>(control.PageLeft() / 20);
    const int divider = left + 2880 / 20;
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(codes[page]);
        const QImage image = PageImage(control, folder.path(), page + 1);
        ASSERT_FALSE(image.isNull());
        const auto texts = control.TextsOnPage(page);
        const PrintedText* d = FindText(texts, QStringLiteral("d"));
        ASSERT_NE(d, nullptr);
        const int rowMiddle = static_cast<int>(d->y / 20);
        // The outer left edge: codes 4 and 8. The line between the columns: code 8 only.
        EXPECT_EQ(DarkestAcross(image, left - 2, left + 1, rowMiddle) < 128, codes[page] != TableLinesNone);
        EXPECT_EQ(
            DarkestAcross(image, divider - 2, divider + 1, rowMiddle) < 128, codes[page] == TableLinesAll);
        // The red rule along the top of the body row's second cell, whatever the lines.
        bool red = false;
        for (int y = rowMiddle - 40; y < rowMiddle; ++y) {
            const QRgb pixel = image.pixel(divider + 20, y);
            red = red || (qRed(pixel) > 200 && qGreen(pixel) < 80);
        }
        EXPECT_TRUE(red);
    }
}

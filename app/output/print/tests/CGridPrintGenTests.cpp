#include "PrintTestSupport.h"

#include "foundation/CUserPrefs.h"
#include "foundation/PrintSettings.h"
#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/IPrintable.h"
#include "output/print/CGDMPrintGenerator.h"
#include "output/print/CGridPrintGenerator.h"
#include "output/print/PrintPrefs.h"
#include "platform/ui/PrintControl.h"

#include <gtest/gtest.h>

#include <list>

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <vector>

using platform::PrintControl;
using platform::PrintedText;

namespace {

// A grid manager's printable face over a few columns of texts; the grid
// position of a column is its index.
class FakePrintable : public IPrintable
{
public:
    struct Column
    {
        QString heading;
        std::vector<QString> values; // check-box columns: "0" or "1"
        int alignment = CUGCell::kAlignLeft;
        bool freeText = false;
        bool checkBox = false;
        // A label a row shows instead of its text, when not empty.
        std::vector<QString> labels = {};
    };

    std::vector<Column> columns;
    int rows = 0;
    int notesPosition = -1;
    std::vector<QString> notes;

    void GetCell(int column, int row, CUGCell* cell) override
    {
        const Column& c = columns.at(static_cast<std::size_t>(column));
        if (row < 0) {
            cell->SetText(c.heading);
            return;
        }
        const QString& value = c.values.at(static_cast<std::size_t>(row));
        if (c.checkBox) {
            cell->SetCellType(2);
            cell->SetNumber(value.toDouble());
        } else {
            cell->SetText(value);
        }
        cell->SetAlignment(c.alignment);
        if (static_cast<std::size_t>(row) < c.labels.size()
            && !c.labels[static_cast<std::size_t>(row)].isEmpty())
            cell->SetLabelText(c.labels[static_cast<std::size_t>(row)]);
    }
    int GetRowCount() override { return rows; }
    int GetVisibleColumnCount() override { return static_cast<int>(columns.size()); }
    int GetColumnAtGridPosition(int position) override
    {
        return position >= 0 && position < GetVisibleColumnCount() ? position : -1;
    }
    bool HasNotesColumn() override { return notesPosition >= 0; }
    QString GetRowNotes(int row) override { return notes.at(static_cast<std::size_t>(row)); }
    int GetNotesGridPosition() override { return notesPosition; }
    int GetPrintColumnCount() override { return GetVisibleColumnCount() - (HasNotesColumn() ? 1 : 0); }
    bool IsFreeTextColumn(int column) override
    {
        return columns.at(static_cast<std::size_t>(column)).freeText;
    }
    void Resort() override { }
};

// The control, remembering the column widths it was given.
class WidthRecordingControl : public PrintControl
{
public:
    void SetTableCell(int setting, int firstRow, int firstColumn, int lastRow, int lastColumn,
        const QVariant& value) override
    {
        if (setting == platform::TableColumnWidth)
            widths.push_back(value);
        PrintControl::SetTableCell(setting, firstRow, firstColumn, lastRow, lastColumn, value);
    }
    std::vector<QVariant> widths;
};

class GridPrintTest : public ::testing::Test
{
protected:
    QString PdfPath() const { return m_prefs.Folder() + QStringLiteral("/grid.pdf"); }

    // Runs body between the document's open and close, then writes the PDF.
    void Compose(const std::function<void(TestPrinter&)>& body)
    {
        TestPrinter printer(&m_control, [&](TestPrinter& p) {
            m_control.StartDoc();
            body(p);
            m_control.EndDoc();
        });
        printer.PrintBody();
        m_control.WritePdf(PdfPath());
    }

    const PrintedText* Find(const QString& text, int page = 0) const
    {
        // Each look-up keeps its own copy of the page's texts, so a pointer
        // from an earlier look-up stays valid beside a later one.
        const std::vector<PrintedText>& texts = m_texts.emplace_back(m_control.TextsOnPage(page));
        const auto it = std::find_if(
            texts.begin(), texts.end(), [&](const PrintedText& printed) { return printed.text == text; });
        return it == texts.end() ? nullptr : &*it;
    }

    // The width the grid font gives a text.
    double GridTextWidth(const QString& text)
    {
        m_control.SetFontName(PrintPrefs().GetString(PrintPrefId::GridFace));
        m_control.SetFontSize(PrintPrefPoints(PrintPrefId::GridHeight));
        m_control.SetFontBold(false);
        return m_control.TextWidth(text);
    }

    ScopedPrintPrefs m_prefs;
    WidthRecordingControl m_control;
    mutable std::list<std::vector<PrintedText>> m_texts;
};

FakePrintable PartsList()
{
    FakePrintable parts;
    parts.rows = 3;
    parts.columns = {
        { QStringLiteral("Part #"), { QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3") } },
        { QStringLiteral("Description"),
            { QStringLiteral("Side panel"), QStringLiteral("Shelf"), QStringLiteral("Door") },
            CUGCell::kAlignLeft, true },
        { QStringLiteral("Notes"), { QStringLiteral("Edge band front"), QString(), QString() },
            CUGCell::kAlignLeft, true },
        { QStringLiteral("Banded"), { QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0") },
            CUGCell::kAlignLeft, false, true },
    };
    parts.notesPosition = 2;
    parts.notes = parts.columns[2].values;
    return parts;
}

} // namespace

TEST_F(GridPrintTest, EmptyGridIsSkippedOrPrintedAsItsHeadingRow)
{
    FakePrintable empty = PartsList();
    empty.rows = 0;
    Compose([&](TestPrinter& p) {
        p.PrintTextBlock(QStringLiteral("Marker"), CPrintEngineBase::Body);
        // The print settings skip empty grids by default.
        p.PrintPartsGrid(empty, 4739, QStringLiteral("Parts"));
        EXPECT_EQ(m_control.PageCount(), 1);
        EXPECT_EQ(m_control.TextsOnPage(0).size(), 1U);
        p.PrintGridDisplayManager(empty, QStringLiteral("Plywood"));
    });
    ASSERT_EQ(m_control.PageCount(), 1);
    ASSERT_NE(Find(QStringLiteral("Plywood")), nullptr);
    ASSERT_NE(Find(QStringLiteral("Part #")), nullptr);
    EXPECT_GT(Find(QStringLiteral("Part #"))->y, Find(QStringLiteral("Plywood"))->y);
    EXPECT_TRUE(Find(QStringLiteral("Banded")));
    EXPECT_FALSE(Find(QStringLiteral("A1")));
    const QString text = PdfPageText(PdfPath(), 1);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Part #\\s+Description\\s+Banded"))))
        << text.toStdString();

    // With skipping off in the print settings, the parts list prints its heading row too.
    PrintSettings settings = m_prefs.Prefs().GetPrintSettings();
    settings.skipEmptyGrids = 0;
    m_prefs.Prefs().SetPrintSettings(settings);
    Compose([&](TestPrinter& p) { p.PrintPartsGrid(empty, 4739, QStringLiteral("Parts")); });
    EXPECT_TRUE(Find(QStringLiteral("Part #")));
}

TEST_F(GridPrintTest, PartsListPrintsNotesRowsLabelsAndCheckBoxesAsYesNo)
{
    FakePrintable parts = PartsList();
    parts.columns[0].labels = { QString(), QString(), QStringLiteral("A3 (copy)") };
    Compose([&](TestPrinter& p) { p.PrintPartsGrid(parts, 4739, QStringLiteral("Parts")); });

    EXPECT_TRUE(m_control.HeaderOfPage(0).endsWith(QStringLiteral("||Parts: 1")));
    // The notes column is no column of its own: its text comes in a row under its part.
    EXPECT_FALSE(Find(QStringLiteral("Notes")));
    const PrintedText* notesRow = Find(QStringLiteral("^^Notes: Edge band front"));
    ASSERT_NE(notesRow, nullptr);
    EXPECT_GT(notesRow->y, Find(QStringLiteral("A1"))->y);
    EXPECT_LT(notesRow->y, Find(QStringLiteral("A2"))->y);
    EXPECT_NEAR(notesRow->x, Find(QStringLiteral("A1"))->x, 0.5); // spans from the first column

    const QString text = PdfPageText(PdfPath(), 1);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("A1\\s+Side panel\\s+Yes"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("A2\\s+Shelf\\s+No")))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("^^Notes: Edge band front")));
    EXPECT_EQ(text.count(QStringLiteral("^^Notes:")), 1);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("A3 \\(copy\\)\\s+Door\\s+No"))))
        << text.toStdString();
}

TEST_F(GridPrintTest, NarrowTableKeepsTwipsOrStretchesInPerCent)
{
    FakePrintable narrow;
    narrow.rows = 2;
    narrow.columns = {
        { QStringLiteral("Size"), { QStringLiteral("4 x 8"), QStringLiteral("5 x 5") } },
        { QStringLiteral("Cost"), { QStringLiteral("42.00"), QStringLiteral("7.50") }, CUGCell::kAlignRight },
    };
    const int sizeWidth = static_cast<int>(std::trunc(GridTextWidth(QStringLiteral("4 x 8")))) + 181;
    const int costWidth = static_cast<int>(std::trunc(GridTextWidth(QStringLiteral("42.00")))) + 181;

    Compose([&](TestPrinter& p) {
        CGDMPrintGenerator generator(p, narrow);
        generator.SetStretchColumns(false);
        generator.SetStartOnNewPage(false);
        generator.Print(QString());
    });
    ASSERT_EQ(m_control.widths.size(), 2U);
    EXPECT_EQ(m_control.widths[0], QVariant(sizeWidth));
    EXPECT_EQ(m_control.widths[1], QVariant(costWidth));
    // The second column begins where the first one's natural width ends.
    EXPECT_NEAR(Find(QStringLiteral("Cost"))->x, m_control.PageLeft() + sizeWidth + 72, 0.5);

    m_control.widths.clear();
    Compose([&](TestPrinter& p) { p.PrintGridDisplayManager(narrow, QString()); });
    ASSERT_EQ(m_control.widths.size(), 2U);
    double total = 0.0;
    for (const QVariant& width : m_control.widths) {
        const QString share = width.toString();
        EXPECT_TRUE(share.contains(QRegularExpression(QStringLiteral("^\\d+\\.\\d{6}%$"))))
            << share.toStdString();
        total += share.chopped(1).toDouble();
    }
    EXPECT_NEAR(total, 100.0, 1e-4);
    // Stretched, the right-aligned cost ends at the page's right edge less the cell's margin.
    const PrintedText* cost = Find(QStringLiteral("42.00"));
    ASSERT_NE(cost, nullptr);
    EXPECT_NEAR(cost->x + GridTextWidth(QStringLiteral("42.00")), m_control.PageRight() - 72, 1.0);
}

TEST_F(GridPrintTest, OverWideTableLetsHeadingsWithBlanksWrap)
{
    FakePrintable wide;
    wide.rows = 1;
    wide.columns = {
        { QStringLiteral("Material"), { QString() } },
        { QStringLiteral("Unit Cost"), { QStringLiteral("1.5") }, CUGCell::kAlignRight },
        { QStringLiteral("Thickness"), { QStringLiteral("3/4") } },
    };
    // A material name just long enough that the natural widths overflow the
    // page, while the columns fit once "Unit Cost" may wrap.
    const double usable = m_control.PageRight() - m_control.PageLeft();
    const auto natural = [&](const QString& text) { return std::trunc(GridTextWidth(text)) + 181; };
    const double headings = natural(QStringLiteral("Unit Cost")) + natural(QStringLiteral("Thickness"));
    QString& material = wide.columns[0].values[0];
    material = QStringLiteral("Baltic birch");
    while (natural(material) + headings <= usable)
        material += QLatin1Char('x');
    const double widestWord = std::max(natural(QStringLiteral("Unit")), natural(QStringLiteral("Cost")));
    ASSERT_LE(natural(material) + widestWord + natural(QStringLiteral("Thickness")), usable);

    Compose([&](TestPrinter& p) { p.PrintGridDisplayManager(wide, QString()); });
    const PrintedText* unit = Find(QStringLiteral("Unit"));
    const PrintedText* cost = Find(QStringLiteral("Cost"));
    ASSERT_NE(unit, nullptr);
    ASSERT_NE(cost, nullptr);
    EXPECT_GT(cost->y, unit->y);
    EXPECT_TRUE(Find(QStringLiteral("Thickness"))); // no blank, never wraps
    EXPECT_TRUE(Find(material));
    const QString text = PdfPageText(PdfPath(), 1);
    EXPECT_FALSE(text.contains(QStringLiteral("Unit Cost"))) << text.toStdString();
}

TEST_F(GridPrintTest, OddRowsAreShadedWhenTheGridlinesAndThePreferenceAreOn)
{
    m_prefs.Prefs().SetFlag(PrintPrefId::ShadeRowsForGridlines, true);
    FakePrintable parts = PartsList();
    parts.notesPosition = -1; // four plain columns
    parts.columns[2].heading = QStringLiteral("Info");
    Compose([&](TestPrinter& p) { p.PrintGridDisplayManager(parts, QString()); });
    const QImage page = PdfPageImage(PdfPath(), 1);
    ASSERT_FALSE(page.isNull());

    // One pixel per row, inside the first cell, left of its text.
    const int x = static_cast<int>((m_control.PageLeft() + 50) / 20);
    const QString rows[]
        = { QStringLiteral("Part #"), QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3") };
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        const PrintedText* text = Find(rows[row]);
        ASSERT_NE(text, nullptr);
        const QRgb pixel = page.pixel(x, static_cast<int>(text->y / 20) - 2);
        const bool shaded = row % 2 == 1;
        EXPECT_NEAR(qRed(pixel), shaded ? 0xDC : 0xFF, 3);
        EXPECT_NEAR(qBlue(pixel), shaded ? 0xDC : 0xFF, 3);
    }
}

// The B.O.M. and report grids print straight from the grid window: headings
// from its heading row, check boxes and alignment from its column defaults.
TEST_F(GridPrintTest, AGridWindowPrintsAsAGridManagerDoes)
{
    CUGRowMode grid;
    grid.SetReadOnly(true);
    grid.SetColumnCount(3);
    grid.SetRowCount(2);
    CUGCell checkBox;
    checkBox.SetCellType(2);
    grid.SetColumnDefault(2, &checkBox);
    grid.SetColumnAlignment(1, CUGCell::kAlignRight);
    const char* const cells[3][3]
        = { { "Material", "Unit Cost", "Banded" }, { "Oak", "42.00", "1" }, { "Ash", "7.50", "0" } };
    for (int row = -1; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QString text = QString::fromUtf8(cells[row + 1][column]);
            if (column == 2 && row >= 0)
                grid.SetCellNumberAt(column, row, text.toDouble());
            else
                grid.SetCellTextAt(column, row, text);
        }
    }
    const auto print = [&](bool stretch) {
        m_control.widths.clear();
        Compose([&](TestPrinter& p) {
            CGridPrintGenerator generator(p, grid);
            generator.SetStretchColumns(stretch);
            generator.SetStartOnNewPage(false);
            generator.Print(QString());
        });
    };
    const auto natural
        = [&](const QString& text) { return static_cast<int>(std::trunc(GridTextWidth(text))) + 181; };

    // At their natural widths, in twips; the check boxes as Yes and No.
    print(false);
    ASSERT_EQ(m_control.widths.size(), 3U);
    EXPECT_EQ(m_control.widths[0], QVariant(natural(QStringLiteral("Material"))));
    EXPECT_EQ(m_control.widths[1], QVariant(natural(QStringLiteral("Unit Cost"))));
    EXPECT_EQ(m_control.widths[2], QVariant(natural(QStringLiteral("Banded"))));
    const QString text = PdfPageText(PdfPath(), 1);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Material\\s+Unit Cost\\s+Banded"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Oak\\s+42.00\\s+Yes"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Ash\\s+7.50\\s+No")))) << text.toStdString();
    const PrintedText* cost = Find(QStringLiteral("42.00"));
    ASSERT_NE(cost, nullptr);
    EXPECT_NEAR(cost->x + GridTextWidth(QStringLiteral("42.00")),
        m_control.PageLeft() + natural(QStringLiteral("Material")) + natural(QStringLiteral("Unit Cost"))
            - 72,
        1.0);

    // Stretched: shares of the page in per-cent.
    print(true);
    ASSERT_EQ(m_control.widths.size(), 3U);
    double total = 0.0;
    for (const QVariant& width : m_control.widths) {
        EXPECT_TRUE(width.toString().endsWith(QLatin1Char('%'))) << width.toString().toStdString();
        total += width.toString().chopped(1).toDouble();
    }
    EXPECT_NEAR(total, 100.0, 1e-4);

    // Over-wide: "Unit Cost" wraps and its column narrows to its data.
    const double usable = m_control.PageRight() - m_control.PageLeft();
    QString material = QStringLiteral("Baltic birch");
    while (natural(material) + natural(QStringLiteral("Unit Cost")) + natural(QStringLiteral("Banded"))
        <= usable)
        material += QLatin1Char('x');
    grid.SetCellTextAt(0, 0, material);
    print(false);
    ASSERT_EQ(m_control.widths.size(), 3U);
    EXPECT_EQ(m_control.widths[1],
        QVariant(std::max({ natural(QStringLiteral("42.00")), natural(QStringLiteral("Unit")),
            natural(QStringLiteral("Cost")) })));
    const PrintedText* unit = Find(QStringLiteral("Unit"));
    const PrintedText* wrapped = Find(QStringLiteral("Cost"));
    ASSERT_NE(unit, nullptr);
    ASSERT_NE(wrapped, nullptr);
    EXPECT_GT(wrapped->y, unit->y);
    EXPECT_FALSE(Find(QStringLiteral("Unit Cost")));
    EXPECT_TRUE(Find(QStringLiteral("No")));
}

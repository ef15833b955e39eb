#include "DocPrintFixture.h"

using namespace doc_print_test;

TEST_F(DocPrinterTest, EverySectionInOrderWithItsHeaderOrientationAndNumbering)
{
    StackList stacks;
    m_bom->GetAllDiagrams(stacks);
    ASSERT_FALSE(stacks.empty());
    m_bom->PinDiagram(stacks.front());
    SetSettings(3, 0, false, 2);
    m_printPrefs->Prefs().SetFlag(kLayoutsOrientation, false);
    Print();

    // One optimization, asked before anything was composed.
    ASSERT_FALSE(m_optimizations.empty());
    EXPECT_EQ(m_optimizations.front().mode, -1);
    EXPECT_FALSE(m_optimizations.front().docOpen);

    const QStringList headers = Headers();
    ASSERT_GE(headers.size(), 6) << headers.join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(headers[0], QStringLiteral("Cover Page: 1"));
    EXPECT_EQ(headers[1], QStringLiteral("Parts: 1"));
    // Each later section begins at page 1 and its pages follow in order.
    const QStringList sections { "Cover Page", "Parts", "Layouts", "Take-Off Lists", "B.O.M.", "Reports" };
    int section = 0;
    int expectedNumber = 1;
    for (const QString& header : headers) {
        const QString title = header.section(QStringLiteral(": "), 0, 0);
        if (title != sections[section]) {
            ++section;
            ASSERT_LT(section, sections.size()) << header.toStdString();
            ASSERT_EQ(title, sections[section]) << headers.join(QLatin1Char(',')).toStdString();
            expectedNumber = 1;
        }
        EXPECT_EQ(header, QStringLiteral("%1: %2").arg(title).arg(expectedNumber++));
    }
    EXPECT_EQ(section, sections.size() - 1);

    const QString text = AllText();
    const QStringList inOrder { "Project Cover Page", "Primary Objective", "Parts List", "Layouts",
        "Layout Diagram Take-Offs", "Kerf:", "Copies in Layout", "Bill of Materials", "Sheet Goods",
        "Oak BOM row", "Reports", "Cost Summary", "Parts Statistics", "Materials Statistics",
        "Skipped Parts" };
    qsizetype at = 0;
    for (const QString& expected : inOrder) {
        SCOPED_TRACE(expected.toStdString());
        const qsizetype found = text.indexOf(expected, at);
        ASSERT_GE(found, 0) << text.toStdString();
        at = found + 1;
    }
    // Each take-off list as on screen, with the Info column, the diagram's parts in it.
    const QString takeOffs = text.mid(text.indexOf(QStringLiteral("Layout Diagram Take-Offs")));
    EXPECT_TRUE(
        takeOffs.contains(QRegularExpression(QStringLiteral("Part #\\s+Description\\s+Copies in Layout"))))
        << takeOffs.toStdString();
    EXPECT_EQ(takeOffs.count(QStringLiteral("<Info>")), 3);
    EXPECT_TRUE(takeOffs.contains(QStringLiteral("Block")));

    // The parts table: no notes column, a notes row under the part with notes.
    const int partsPage = static_cast<int>(headers.indexOf(QStringLiteral("Parts: 1")));
    const QString parts = PdfPageText(PdfPath(), partsPage + 1);
    EXPECT_TRUE(parts.contains(QRegularExpression(QStringLiteral("Part #\\s+Description\\s+Copies"))))
        << parts.toStdString();
    EXPECT_TRUE(parts.contains(QStringLiteral("Notes: Glue up first")));
    EXPECT_EQ(parts.count(QStringLiteral("Notes")), 1);

    // Landscape layouts, portrait everything else.
    const std::vector<QSizeF> sizes = PageSizes(PdfPath(), m_control.PageCount());
    ASSERT_EQ(static_cast<int>(sizes.size()), m_control.PageCount());
    for (int page = 0; page < m_control.PageCount(); ++page) {
        SCOPED_TRACE(headers[page].toStdString());
        const bool landscape
            = sizes[static_cast<std::size_t>(page)].width() > sizes[static_cast<std::size_t>(page)].height();
        EXPECT_EQ(landscape, headers[page].startsWith(QStringLiteral("Layouts")));
    }
}

TEST_F(DocPrinterTest, ACancelledOptimizationPrintsNothingAndSaysSo)
{
    SetSettings(3, 0, false, 1);
    m_cancel = true;
    Print();
    EXPECT_TRUE(m_cancelled);
    EXPECT_EQ(m_control.PageCount(), 0);
    EXPECT_FALSE(m_control.IsDocOpen());
    ASSERT_EQ(m_optimizations.size(), 1u);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages.front(), QStringLiteral("The project was not optimized, so nothing was printed."));

    // Sections that show no results need no optimization.
    m_optimizations.clear();
    m_messages.clear();
    SetSettings(2, PrintSettings::CoverPage | PrintSettings::PartsList, false, 1);
    Print();
    EXPECT_FALSE(m_cancelled);
    EXPECT_TRUE(m_optimizations.empty());
    EXPECT_EQ(m_control.PageCount(), 2);
}

TEST_F(DocPrinterTest, TheReportsPageShowsTheUsersReportAgainAfterPrinting)
{
    m_reports->SelectReport(2);
    ASSERT_EQ(m_reports->GetReportTitle(), QStringLiteral("Parts Statistics"));
    SetSettings(2, PrintSettings::Reports, false, 1);
    m_printPrefs->Prefs().SetFlag(kReportsOrientation, false);
    Print();

    EXPECT_EQ(m_reports->GetCurrentReport(), 2);
    EXPECT_EQ(m_reports->GetReportTitle(), QStringLiteral("Parts Statistics"));
    EXPECT_TRUE(m_reports->HasReportRows());
    // Only Reports: its own orientation from the first page, numbered from 1.
    ASSERT_GE(m_control.PageCount(), 1);
    EXPECT_EQ(Headers().front(), QStringLiteral("Reports: 1"));
    const std::vector<QSizeF> sizes = PageSizes(PdfPath(), 1);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_GT(sizes[0].width(), sizes[0].height());
    EXPECT_TRUE(AllText().contains(QRegularExpression(QStringLiteral("Reports\\s+Cost Summary"))));
}

TEST_F(DocPrinterTest, AnEmptySkippedPartsReportIsNeverPrinted)
{
    m_emptySkippedParts = true;
    SetSettings(2, PrintSettings::Reports, false, 1);
    PrintSettings settings = m_printPrefs->Prefs().GetPrintSettings();
    settings.skipEmptyGrids = 0;
    m_printPrefs->Prefs().SetPrintSettings(settings);
    Print();
    const QString text = AllText();
    EXPECT_TRUE(text.contains(QStringLiteral("Materials Statistics"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Skipped Parts"))) << text.toStdString();
}

TEST_F(DocPrinterTest, TheRawMaterialsListHasEveryMaterialEvenWithoutRows)
{
    AddMaterial(QStringLiteral("Birch"));
    m_printPrefs->Prefs().SetFlag(2081, false);
    {
        CRawMatsPrinter printer(&m_doc, this, nullptr, &m_control);
        printer.PrintBody();
    }
    m_control.WritePdf(PdfPath());
    ASSERT_GE(m_control.PageCount(), 1);
    EXPECT_EQ(Headers().front(), QStringLiteral("Raw Materials: 1"));
    const std::vector<QSizeF> sizes = PageSizes(PdfPath(), 1);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_GT(sizes[0].width(), sizes[0].height());

    const QString text = AllText();
    // Sorted by name, each captioned; the material without rows keeps its
    // caption and the heading row.
    const qsizetype ash = text.indexOf(QStringLiteral("Ash"));
    const qsizetype birch = text.indexOf(QStringLiteral("Birch"));
    const qsizetype oak = text.indexOf(QStringLiteral("Oak"));
    ASSERT_GE(ash, 0) << text.toStdString();
    EXPECT_LT(text.indexOf(QStringLiteral("Raw Materials")), ash);
    EXPECT_LT(ash, birch);
    EXPECT_LT(birch, oak);
    const QString birchTable = text.mid(birch, oak - birch);
    EXPECT_TRUE(birchTable.contains(QStringLiteral("Thick."))) << birchTable.toStdString();
    EXPECT_FALSE(birchTable.contains(QStringLiteral("48\""))) << birchTable.toStdString();
    EXPECT_TRUE(text.mid(oak).contains(QStringLiteral("48\"")));
}

#include "../PrintTestSupport.h"
#include "ReportsTestProject.h"

#include "foundation/CUserPrefs.h"
#include "foundation/PrintSettings.h"
#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/IPrintable.h"
#include "model/CMilledPart.h"
#include "model/ProjectSettings.h"
#include "output/print/CDocPrinter.h"
#include "output/print/IPrintViewMgr.h"
#include "output/print/PrintMessages.h"
#include "output/reports/ui/ReportsViewMgr.h"
#include "platform/ui/PrintControl.h"

#include <QRegularExpression>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>

using platform::PrintControl;

namespace {

constexpr int kLayoutsOrientation = 2060;
constexpr int kReportsOrientation = 2101;

// The parts list as its grid manager offers it to printing: number,
// description, notes (shown third) and copies.
class PartsPrintable : public IPrintable
{
public:
    std::vector<CMilledPart*> parts;
    std::map<int, QString> notes;

    void GetCell(int column, int row, CUGCell* cell) override
    {
        static const char* const headings[] = { "Part #", "Description", "Notes", "Copies" };
        if (row < 0) {
            cell->SetText(QString::fromUtf8(headings[column]));
            return;
        }
        const CMilledPart* part = parts.at(static_cast<std::size_t>(row));
        switch (column) {
        case 0:
            cell->SetText(QStringLiteral("P%1").arg(row + 1));
            break;
        case 1:
            cell->SetText(part->GetDescription());
            break;
        case 2:
            cell->SetText(GetRowNotes(row));
            break;
        default:
            cell->SetText(QString::number(part->GetCopies()));
            break;
        }
    }
    int GetRowCount() override { return static_cast<int>(parts.size()); }
    int GetVisibleColumnCount() override { return 4; }
    int GetColumnAtGridPosition(int position) override
    {
        return position >= 0 && position < 4 ? position : -1;
    }
    bool HasNotesColumn() override { return true; }
    QString GetRowNotes(int row) override { return notes.count(row) ? notes.at(row) : QString(); }
    int GetNotesGridPosition() override { return 2; }
    int GetPrintColumnCount() override { return 3; }
    void Resort() override { }
};

// A diagram's take-off list: one row naming the diagram's material.
class TakeOffCopy : public IPrintable
{
public:
    explicit TakeOffCopy(QString material)
        : m_material(std::move(material))
    { }
    void GetCell(int column, int row, CUGCell* cell) override
    {
        if (row < 0)
            cell->SetText(column == 0 ? QStringLiteral("Take-off part") : QStringLiteral("Info"));
        else
            cell->SetText(column == 0 ? QStringLiteral("TO ") + m_material : QStringLiteral("i"));
    }
    int GetRowCount() override { return 1; }
    int GetVisibleColumnCount() override { return 2; }
    int GetColumnAtGridPosition(int position) override
    {
        return position >= 0 && position < 2 ? position : -1;
    }
    void Resort() override { }

private:
    QString m_material;
};

// The main view as the document printer reaches it: the project of the
// reports' tests, a real Reports page, a parts list with notes on one part
// and a small B.O.M. grid.
class DocPrinterTest : public ReportsProjectTest, public IReportsPageHost, public IPrintViewMgr
{
protected:
    void SetUp() override
    {
        ReportsProjectTest::SetUp();
        m_printPrefs = std::make_unique<ScopedPrintPrefs>();
        m_printPrefs->Prefs().SetInt(3086, 5);
        m_printPrefs->Prefs().SetFlag(2036, true);
        m_doc.settings.SetProjectName(QStringLiteral("Hall cabinet"));
        SetCurrentProjectSettings(&m_doc.settings);
        m_parent.resize(900, 500);
        m_reports = std::make_unique<ReportsViewMgr>(*this);

        m_parts.parts = Parts();
        m_parts.notes[1] = QStringLiteral("Glue up first");

        m_bomGrid.SetReadOnly(true);
        m_bomGrid.SetColumnCount(2);
        m_bomGrid.SetRowCount(2);
        m_bomGrid.SetCellTextAt(0, -1, QStringLiteral("Material"));
        m_bomGrid.SetCellTextAt(1, -1, QStringLiteral("Sheets"));
        m_bomGrid.SetCellTextAt(0, 0, QStringLiteral("Oak BOM row"));
        m_bomGrid.SetCellTextAt(1, 0, QStringLiteral("3"));
        m_bomGrid.SetCellTextAt(0, 1, QStringLiteral("Ash BOM row"));
        m_bomGrid.SetCellTextAt(1, 1, QStringLiteral("1"));
        m_emptyGrid.SetReadOnly(true);
        m_emptyGrid.SetColumnCount(2);
        m_emptyGrid.SetCellTextAt(0, -1, QStringLiteral("Part #"));
        m_emptyGrid.SetCellTextAt(1, -1, QStringLiteral("Qty Skipped"));

        m_previousHook = SetPrintMessageHook([this](const QString& text) { m_messages << text; });
    }
    void TearDown() override
    {
        SetPrintMessageHook(m_previousHook);
        m_reports.reset();
        SetCurrentProjectSettings(nullptr);
        m_printPrefs.reset();
        ReportsProjectTest::TearDown();
    }

    // IReportsPageHost
    QWidget* GetPageParent() override { return &m_parent; }
    QRect GetPageRect() const override { return QRect(0, 0, 900, 500); }
    IOptimizationDoc& GetReportsDocument() override { return m_doc; }
    bool OptimizeForReports() override { return true; }

    // IPrintViewMgr
    bool OptimizeForPrinting(int mode) override
    {
        m_optimizations.push_back({ mode, m_control.IsDocOpen() });
        return !m_cancel;
    }
    IPrintable* GetPartsListPrintable() override { return &m_parts; }
    bool ReloadBOMPage() override { return true; }
    CUGRowMode* GetBOMGrid() override { return &m_bomGrid; }
    int GetSelectedReport() override { return m_reports->GetCurrentReport(); }
    void SelectReport(int index) override { m_reports->SelectReport(index); }
    CUGRowMode* GetReportGrid() override
    {
        if (m_emptySkippedParts && m_reports->GetCurrentReport() == kReportSkippedParts)
            return &m_emptyGrid;
        return &m_reports->GetReportGrid();
    }
    void RefreshReport() override { m_reports->RefreshReport(); }
    std::unique_ptr<IPrintable> CreateTakeOffPrintCopy(const DisplayDiagramPtr& diagram) override
    {
        return std::make_unique<TakeOffCopy>(diagram->GetStockSpec().GetMaterialName());
    }

    void SetSettings(int scope, std::uint32_t bits, bool takeOffOnLayoutPage, int diagramsPerPage)
    {
        PrintSettings settings = m_printPrefs->Prefs().GetPrintSettings();
        settings.scope = scope;
        settings.sectionBits = bits;
        settings.takeOffOnLayoutPage = takeOffOnLayoutPage ? 1 : 0;
        settings.diagramsPerPage = diagramsPerPage;
        m_printPrefs->Prefs().SetPrintSettings(settings);
    }

    QString PdfPath() const { return m_printPrefs->Folder() + QStringLiteral("/project.pdf"); }

    void Print()
    {
        CDocPrinter printer(&m_doc, this, nullptr, &m_control);
        printer.PrintBody();
        m_cancelled = printer.WasCancelled();
        if (m_control.PageCount() > 0)
            m_control.WritePdf(PdfPath());
    }

    // The right part of each page's header ("Parts: 1").
    QStringList Headers() const
    {
        QStringList headers;
        for (int page = 0; page < m_control.PageCount(); ++page)
            headers << m_control.HeaderOfPage(page).section(QLatin1Char('|'), -1);
        return headers;
    }

    QString AllText() const
    {
        return RunPdfTool(
            QStringLiteral("pdftotext"), { QStringLiteral("-layout"), PdfPath(), QStringLiteral("-") })
            .normalized(QString::NormalizationForm_KC);
    }

    struct Optimization
    {
        int mode;
        bool docOpen;
    };

    std::unique_ptr<ScopedPrintPrefs> m_printPrefs;
    PrintControl m_control;
    QWidget m_parent;
    std::unique_ptr<ReportsViewMgr> m_reports;
    PartsPrintable m_parts;
    CUGRowMode m_bomGrid;
    CUGRowMode m_emptyGrid;
    std::vector<Optimization> m_optimizations;
    bool m_cancel = false;
    bool m_cancelled = false;
    bool m_emptySkippedParts = false;
    QStringList m_messages;
    PrintMessageHook m_previousHook;
};

// The page sizes pdfinfo reports, as "w x h" per page.
std::vector<QSizeF> PageSizes(const QString& pdf, int pages)
{
    std::vector<QSizeF> sizes;
    const QString info = PdfPageSizes(pdf, pages);
    const QRegularExpression line(QStringLiteral("Page\\s+\\d+ size:\\s+([\\d.]+) x ([\\d.]+)"));
    auto it = line.globalMatch(info);
    while (it.hasNext()) {
        const auto match = it.next();
        sizes.emplace_back(match.captured(1).toDouble(), match.captured(2).toDouble());
    }
    return sizes;
}

} // namespace

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
        "Layout Diagram Take-Offs", "Kerf:", "TO Oak", "Bill of Materials", "Sheet Goods", "Oak BOM row",
        "Reports", "Cost Summary", "Parts Statistics", "Materials Statistics", "Skipped Parts" };
    qsizetype at = 0;
    for (const QString& expected : inOrder) {
        SCOPED_TRACE(expected.toStdString());
        const qsizetype found = text.indexOf(expected, at);
        ASSERT_GE(found, 0) << text.toStdString();
        at = found + 1;
    }
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

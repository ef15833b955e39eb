#pragma once
// The document printer's tests' world: the project of the reports' tests
// with a real Reports page, a parts list with notes, a small B.O.M. grid and
// the layouts take-off grid, reached as the view manager offers them.

#include "../PrintTestSupport.h"
#include "ReportsTestProject.h"

#include "foundation/CUserPrefs.h"
#include "foundation/PrintSettings.h"
#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CTakeOffGDM.h"
#include "grids/IPrintable.h"
#include "model/CMilledPart.h"
#include "model/ProjectSettings.h"
#include "output/print/CDocPrinter.h"
#include "output/print/CRawMatsPrinter.h"
#include "output/print/IPrintViewMgr.h"
#include "output/print/PrintMessages.h"
#include "output/reports/ui/ReportsViewMgr.h"
#include "platform/ui/PrintControl.h"

#include <QRegularExpression>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>

using platform::PrintControl;

namespace doc_print_test {

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

        m_takeOff = std::make_shared<CTakeOffGDM>(nullptr, &m_takeOffRows);
        m_takeOff->ShowInfoColumn(true);
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
    std::shared_ptr<CTakeOffGDM> GetTakeOffGridMgr() override { return m_takeOff; }
    void CollectThumbnailDiagrams(std::vector<DisplayDiagramPtr>& out) override
    {
        out.insert(out.end(), m_checkedDiagrams.begin(), m_checkedDiagrams.end());
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
    TakeOffRows m_takeOffRows;
    std::shared_ptr<CTakeOffGDM> m_takeOff;
    // The layouts page's checked thumbnails.
    std::vector<DisplayDiagramPtr> m_checkedDiagrams;
    std::vector<Optimization> m_optimizations;
    bool m_cancel = false;
    bool m_cancelled = false;
    bool m_emptySkippedParts = false;
    QStringList m_messages;
    PrintMessageHook m_previousHook;
};

// The page sizes pdfinfo reports, as "w x h" per page.
inline std::vector<QSizeF> PageSizes(const QString& pdf, int pages)
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

} // namespace doc_print_test

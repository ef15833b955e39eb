#include "output/print/CDocPrinter.h"

#include "foundation/PrintSettings.h"
#include "foundation/ResourceBase.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/WaitCursor.h"
#include "output/print/CCoverPagePrinter.h"
#include "output/print/IPrintViewMgr.h"
#include "output/print/LayoutsPrintJob.h"
#include "output/print/PrintMessages.h"
#include "output/print/PrintPrefs.h"
#include "output/print/PrintStrings.h"
#include "platform/ui/IPrintControl.h"

#include <array>

namespace {

// Orientation preferences, section "Print Orientation" (on: portrait).
constexpr int kCoverPageOrientation = 2055;
constexpr int kPartsListOrientation = 2054;
constexpr int kLayoutsOrientation = 2060;
constexpr int kTakeOffsOrientation = 2071;
constexpr int kBomOrientation = 2061;
constexpr int kReportsOrientation = 2101;

constexpr CDocPrinter::Section kCoverPage { PrintSettings::CoverPage, kCoverPageOrientation };
constexpr CDocPrinter::Section kParts { PrintSettings::PartsList, kPartsListOrientation };
constexpr CDocPrinter::Section kLayouts { PrintSettings::Layouts, kLayoutsOrientation };
constexpr CDocPrinter::Section kTakeOffs { PrintSettings::TakeOffLists, kTakeOffsOrientation };
constexpr CDocPrinter::Section kBom { PrintSettings::BillOfMaterials, kBomOrientation };
constexpr CDocPrinter::Section kReports { PrintSettings::Reports, kReportsOrientation };
constexpr std::array<CDocPrinter::Section, 6> kSections { kCoverPage, kParts, kLayouts, kTakeOffs, kBom,
    kReports };

// Every target with pending results (the Reports page asks the same).
constexpr int kOptimizeAll = -1;

struct PrintedReport
{
    int registryIndex;
    int captionId;
    // An empty report of this kind says nothing worth a page.
    bool alwaysSkipWhenEmpty;
};
constexpr std::array<PrintedReport, 4> kReportsInOrder { {
    { 0, kStrPrintCostSummary, false },
    { 2, kStrPrintPartsStatistics, false },
    { 1, kStrPrintMaterialsStatistics, false },
    { 3, kStrPrintSkippedParts, true },
} };

} // namespace

CDocPrinter::CDocPrinter(
    IDoc* document, IPrintViewMgr* viewManager, QWidget* host, platform::IPrintControl* control)
    : CPrintEngineBase(document, viewManager, host, control)
{
    BeginDocument();
}

CDocPrinter::~CDocPrinter() = default;

bool CDocPrinter::IsSelected(std::uint32_t sectionBit)
{
    return PrintPrefs().GetPrintSettings().IsSectionSelected(sectionBit);
}

void CDocPrinter::ApplyOrientation(int orientationPref)
{
    GetControl().SetOrientation(PrintPrefs().GetFlag(orientationPref) ? 0 : 1);
}

void CDocPrinter::PrintBody()
{
    WaitCursor wait;
    m_cancelled = false;
    SetDocumentTitle();

    // One optimization for every section that shows results, before
    // anything is composed: a cancelled run prints nothing at all rather
    // than a project without its layouts and reports.
    IPrintViewMgr* views = GetViewManager();
    const bool needsResults
        = IsSelected(kLayouts.bit) || IsSelected(kTakeOffs.bit) || IsSelected(kReports.bit);
    if (needsResults && views && !views->OptimizeForPrinting(kOptimizeAll)) {
        m_cancelled = true;
        ShowPrintStopMessage(LoadUIString(kStrPrintNotOptimized));
        return;
    }

    for (const Section& section : kSections) {
        if (IsSelected(section.bit)) {
            ApplyOrientation(section.orientationPref);
            break;
        }
    }
    platform::IPrintControl& control = GetControl();
    control.StartDoc();

    if (IsSelected(kCoverPage.bit)) {
        ApplyOrientation(kCoverPage.orientationPref);
        CCoverPagePrinter(*this).PrintCoverPage();
    }
    PrintParts();
    if (IsSelected(kLayouts.bit)) {
        ApplyOrientation(kLayouts.orientationPref);
        PrintLayouts(false);
    }
    if (IsSelected(kTakeOffs.bit)) {
        ApplyOrientation(kTakeOffs.orientationPref);
        PrintLayouts(true);
    }
    PrintBOM();
    PrintReports();

    // The Reports page rebuilds the report it shows.
    if (views)
        views->RefreshReport();
    control.EndDoc();
}

void CDocPrinter::PrintParts()
{
    // The numbering starts after the cover page whether or not the parts
    // list is printed.
    ResetPageNumber();
    if (!IsSelected(kParts.bit))
        return;
    ApplyOrientation(kParts.orientationPref);
    IPrintViewMgr* views = GetViewManager();
    IPrintable* parts = views ? views->GetPartsListPrintable() : nullptr;
    if (parts)
        PrintPartsGrid(*parts, kStrPrintPartsList, LoadUIString(kStrPrintPartsHeader));
}

void CDocPrinter::PrintLayouts(bool takeOffLists)
{
    LayoutsPrintJob job(*this);
    job.Print(takeOffLists);
}

void CDocPrinter::PrintBOM()
{
    if (!IsSelected(kBom.bit))
        return;
    ApplyOrientation(kBom.orientationPref);
    IPrintViewMgr* views = GetViewManager();
    if (!views || !views->ReloadBOMPage())
        return;
    CUGRowMode* grid = views->GetBOMGrid();
    if (!grid)
        return;
    const PrintSettings& settings = PrintPrefs().GetPrintSettings();
    StartNewPage(true);
    SetPageHeader(LoadUIString(kStrPrintBomHeader), true);
    PrintTextBlock(LoadUIString(kStrPrintBillOfMaterials), SectionTitle);
    PrintUGGrid(*grid, kStrPrintSheetGoods, settings.bomSkipEmpty == 1, true, settings.bomNewPage == 1);
}

void CDocPrinter::PrintReports()
{
    if (!IsSelected(kReports.bit))
        return;
    ApplyOrientation(kReports.orientationPref);
    StartNewPage(true);
    SetPageHeader(LoadUIString(kStrPrintReportsHeader), true);
    PrintTextBlock(LoadUIString(kStrPrintReportsTitle), SectionTitle);
    IPrintViewMgr* views = GetViewManager();
    if (!views)
        return;
    const bool skipEmpty = PrintPrefs().GetPrintSettings().skipEmptyGrids == 1;
    // Each report is printed from the Reports page, which shows it for the
    // time; the user's choice comes back afterwards.
    const int shown = views->GetSelectedReport();
    for (const PrintedReport& report : kReportsInOrder) {
        views->SelectReport(report.registryIndex);
        if (CUGRowMode* grid = views->GetReportGrid())
            PrintUGGrid(*grid, report.captionId, report.alwaysSkipWhenEmpty || skipEmpty, false, false);
    }
    views->SelectReport(shown);
}

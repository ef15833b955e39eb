#include "output/print/LayoutsPrintJob.h"

#include "foundation/PrintSettings.h"
#include "foundation/ResourceBase.h"
#include "foundation/UserPrefsBase.h"
#include "grids/IPrintable.h"
#include "grids/TakeOffDiagramRows.h"
#include "layouts/LayoutPrefs.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/IOptimizationDoc.h"
#include "optimization/StackOrders.h"
#include "output/print/CPrintEngineBase.h"
#include "output/print/IPrintViewMgr.h"
#include "output/print/PrintPrefs.h"
#include "output/print/PrintStrings.h"
#include "platform/ui/IPrintControl.h"

#include <QStringList>

namespace {
// The layouts' own optimization request (sheet goods and their off-cuts).
constexpr int kOptimizeLayouts = 3;
// Twips between two diagrams on one page, and between a diagram and its list.
constexpr int kRegionGap = 720;
// Diagrams whose stock record carries this value use the second arrangement.
constexpr int kSecondGroupValue = 1;
} // namespace

LayoutsPrintJob::LayoutsPrintJob(CPrintEngineBase& engine)
    : m_engine(engine)
    , m_painter(engine)
{ }

LayoutsPrintJob::~LayoutsPrintJob() = default;

std::vector<platform::Rect> LayoutsPrintJob::PageRegions(const platform::Rect& page, int arrangement)
{
    const int w = page.Width();
    const int h = page.Height();
    switch (arrangement) {
    case 1: {
        const int half = (h - kRegionGap) / 2;
        const platform::Rect top(page.left, page.top, page.right, page.top + half);
        return { top, platform::Rect(page.left, top.bottom + kRegionGap, page.right, page.bottom) };
    }
    case 2: {
        const int midX = page.left + w / 2;
        const int midY = page.top + h / 2;
        return { platform::Rect(page.left, page.top, midX, midY),
            platform::Rect(page.left, midY, midX, page.bottom),
            platform::Rect(midX, page.top, page.right, midY),
            platform::Rect(midX, midY, page.right, page.bottom) };
    }
    case 3: {
        const int band = h / 4;
        std::vector<platform::Rect> bands;
        for (int i = 0; i < 4; ++i)
            bands.emplace_back(page.left, page.top + i * band, page.right, page.top + (i + 1) * band);
        return bands;
    }
    default:
        return { page };
    }
}

void LayoutsPrintJob::CollectDiagrams()
{
    m_diagrams.clear();
    // Quick printing prints what the layouts page shows checked.
    if (PrintPrefs().GetPrintSettings().IsCurrentDiagramsOnly()) {
        if (IPrintViewMgr* views = m_engine.GetViewManager())
            views->CollectThumbnailDiagrams(m_diagrams);
        return;
    }
    auto* document = dynamic_cast<IOptimizationDoc*>(m_engine.GetDocument());
    const std::shared_ptr<BOMOptMgr> bills = document ? document->GetBOMOptMgr() : nullptr;
    if (!bills)
        return;
    StackList stacks;
    bills->GetAllDiagrams(stacks);
    SortStacksFully(stacks);
    // Identical copies print once when the layouts hide them.
    ExpandStacks(stacks, !LayoutPrefFlag(LayoutPref::HideLayoutDupes), m_diagrams);
}

void LayoutsPrintJob::Print(bool takeOffSection)
{
    IPrintViewMgr* views = m_engine.GetViewManager();
    if (!views || !views->OptimizeForPrinting(kOptimizeLayouts))
        return;
    CollectDiagrams();
    if (m_diagrams.empty())
        return;
    m_runMaterial = nullptr;
    if (takeOffSection)
        PrintTakeOffSection();
    else if (PrintPrefs().GetPrintSettings().takeOffOnLayoutPage == 1)
        PrintWithTakeOffLists();
    else
        PrintByArrangement();
}

LayoutsPrintJob::Run LayoutsPrintJob::NextRun(std::size_t index)
{
    const void* material = m_diagrams[index]->GetStockSpec().material.get();
    if (material != m_runMaterial || index == 0) {
        m_runMaterial = material;
        m_run.place = 1;
        m_run.length = 1;
        for (std::size_t next = index + 1;
             next < m_diagrams.size() && m_diagrams[next]->GetStockSpec().material.get() == material; ++next)
            ++m_run.length;
    } else {
        ++m_run.place;
    }
    return m_run;
}

void LayoutsPrintJob::PaintDiagram(std::size_t index, const platform::Rect& region)
{
    const Run run = NextRun(index);
    m_painter.SetMaterialRun(run.place, run.length);
    m_painter.Paint(m_diagrams[index], region, { 0, run.place, run.length, 0 }, false);
}

void LayoutsPrintJob::PrintByArrangement()
{
    // Every diagram belongs to exactly one group, whatever order the values
    // come in.
    std::vector<std::size_t> first;
    std::vector<std::size_t> second;
    for (std::size_t i = 0; i < m_diagrams.size(); ++i) {
        const bool inSecond = m_diagrams[i]->GetStockSpec().matType == kSecondGroupValue;
        (inSecond ? second : first).push_back(i);
    }
    const PrintSettings& settings = PrintPrefs().GetPrintSettings();
    const int firstWord = settings.diagramsPerPage;
    const int secondWord = settings.tenthWord;
    if (!first.empty() && !second.empty() && firstWord != secondWord) {
        PrintRange(first, firstWord, true);
        PrintRange(second, secondWord, false);
        return;
    }
    std::vector<std::size_t> all(m_diagrams.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = i;
    PrintRange(all, first.empty() ? secondWord : firstWord, true);
}

void LayoutsPrintJob::PrintRange(const std::vector<std::size_t>& indexes, int arrangement, bool newPage)
{
    // The second group follows on the page after the first group's last
    // diagram rather than drawing over it.
    if (newPage)
        m_engine.StartNewPage(true);
    else if (m_pageHasDiagrams)
        m_engine.StartNewPage(false);
    m_pageHasDiagrams = false;
    m_regions = PageRegions(m_engine.GetPageRect(), arrangement);
    m_engine.SetPageHeader(LoadUIString(kStrPrintLayoutsHeader), true);
    std::size_t slot = 0;
    for (const std::size_t index : indexes) {
        if (slot == m_regions.size()) {
            m_engine.StartNewPage(false);
            slot = 0;
        }
        PaintDiagram(index, m_regions[slot++]);
        m_pageHasDiagrams = true;
    }
}

void LayoutsPrintJob::PrintWithTakeOffLists()
{
    platform::Rect diagramRegion;
    platform::Rect listRegion;
    for (std::size_t i = 0; i < m_diagrams.size(); ++i) {
        m_engine.StartNewPage(false);
        if (i == 0) {
            const platform::Rect page = m_engine.GetPageRect();
            diagramRegion = PageRegions(page, 1).front();
            listRegion
                = platform::Rect(page.left, diagramRegion.bottom + kRegionGap, page.right, page.bottom);
            m_engine.ResetPageNumber();
            m_engine.SetPageHeader(LoadUIString(kStrPrintLayoutsHeader), true);
        }
        PaintDiagram(i, diagramRegion);
        m_engine.GetControl().SetCurrentY(listRegion.top);
        PrintTakeOffList(m_diagrams[i]);
    }
}

void LayoutsPrintJob::PrintTakeOffSection()
{
    m_engine.StartNewPage(true);
    m_engine.SetPageHeader(LoadUIString(kStrPrintTakeOffListsHeader), true);
    m_engine.PrintTextBlock(LoadUIString(kStrPrintLayoutDiagramTakeOffs), CPrintEngineBase::SectionTitle);
    for (std::size_t i = 0; i < m_diagrams.size(); ++i) {
        if (m_engine.IsNearPageEnd())
            m_engine.StartNewPage(false);
        const Run run = NextRun(i);
        const std::vector<HeaderLine> lines
            = PrintedHeaderLines(*m_diagrams[i], run.place, run.place, run.length);
        for (std::size_t l = 0; l < lines.size(); ++l) {
            QStringList texts;
            for (const HeaderItem& item : lines[l].items)
                texts << item.text.trimmed();
            m_engine.PrintTextBlock(texts.join(QStringLiteral("    ")),
                l == 0 ? CPrintEngineBase::SubSectionTitle : CPrintEngineBase::Body);
        }
        PrintTakeOffList(m_diagrams[i]);
    }
}

void LayoutsPrintJob::PrintTakeOffList(const DisplayDiagramPtr& diagram)
{
    IPrintViewMgr* views = m_engine.GetViewManager();
    const std::shared_ptr<CTakeOffGDM> takeOff = views ? views->GetTakeOffGridMgr() : nullptr;
    if (!takeOff)
        return;
    std::vector<std::unique_ptr<TAKEOFFITEM>> items;
    TakeOffRows rows;
    CollectTakeOffDiagramRows(*diagram, rows, items);
    // The copy reads the rows: it goes before them.
    if (const std::shared_ptr<IPrintable> copy = takeOff->CreatePrintCopy(&rows, diagram))
        m_engine.PrintGridDisplayManager(*copy, QString());
}

#pragma once
// The Layouts and Take-Off Lists sections of a printed project: the cutting
// diagrams one, two or four to a page (or each above its take-off list),
// and each diagram's header lines with its take-off list. The document
// printer makes one job per section and calls Print once.

#include "optimization/DisplayDiagram.h"
#include "output/print/PrintedLayoutPainter.h"
#include "platform/Rect.h"

#include <vector>

class CPrintEngineBase;

class LayoutsPrintJob
{
public:
    explicit LayoutsPrintJob(CPrintEngineBase& engine);
    ~LayoutsPrintJob();
    LayoutsPrintJob(const LayoutsPrintJob&) = delete;
    LayoutsPrintJob& operator=(const LayoutsPrintJob&) = delete;

    // Nothing when the project cannot be optimized or has no diagrams.
    void Print(bool takeOffSection);

    // The places of a page for a diagrams-per-page arrangement (0 one, 1 two
    // halves 720 twips apart, 2 four quarters column by column, 3 four
    // full-width bands; anything else one).
    static std::vector<platform::Rect> PageRegions(const platform::Rect& page, int arrangement);

private:
    // Where a diagram stands in the run of diagrams of its material.
    struct Run
    {
        int place = 1;
        int length = 1;
    };

    void CollectDiagrams();
    Run NextRun(std::size_t index);
    void PaintDiagram(std::size_t index, const platform::Rect& region);
    void PrintByArrangement();
    void PrintRange(const std::vector<std::size_t>& indexes, int arrangement, bool newPage);
    void PrintWithTakeOffLists();
    void PrintTakeOffSection();
    void PrintTakeOffList(const DisplayDiagramPtr& diagram);

    CPrintEngineBase& m_engine;
    PrintedLayoutPainter m_painter;
    std::vector<DisplayDiagramPtr> m_diagrams;
    std::vector<platform::Rect> m_regions;
    const void* m_runMaterial = nullptr;
    Run m_run;
    bool m_pageHasDiagrams = false;
};

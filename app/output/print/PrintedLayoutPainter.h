#pragma once
// Cutting layouts on paper: the layouts window's painting algorithm drawn
// through the print engine in twips, its tools named styles of the print
// control. Several diagrams share a page in compact mode, with smaller
// header texts.

#include "layouts/LayoutPainterStrategy.h"

#include <memory>

class CPrintEngineBase;

// The header lines of a printed diagram: label, stock and bin; place in
// the run of its size, copies and stock trim; kerf and waste. Item kind 1
// is bold. The take-off lists print the same lines above each list.
std::vector<HeaderLine> PrintedHeaderLines(
    const DisplayDiagram& diagram, int number, int place, int runLength);

class PrintedLayoutPainter : public LayoutPainterStrategy
{
public:
    explicit PrintedLayoutPainter(CPrintEngineBase& engine);
    ~PrintedLayoutPainter() override;

    // Where the diagram stands in the run of diagrams of its material
    // ("place of run this size"); set before each Paint.
    void SetMaterialRun(int place, int runLength);
    // Several diagrams to a page (the print settings say so).
    static bool IsCompactMode();

    // The grain codes of the background styles.
    enum : int { GrainStock = 1, GrainHorizontal = 2, GrainVertical = 3, GrainNone = 4 };

protected:
    int GetOuterDimensionMargin() override;
    IDeviceDriver* GetDriver() override;
    void CreateDrawingTools() override;
    void OnPaintDone(const platform::Rect& area) override;
    bool IsTooSmall(const platform::Rect& area) override;
    platform::Rect GetDiagramRect() override;
    void DrawHeader() override;
    int GetHeaderTextHeight() override;
    int GetHeaderGap() override;
    void DrawHeaderItem(const platform::Rect& rect, const HeaderItem& item) override;
    void BuildHeaderLines() override;
    int MeasureHeaderItem(const HeaderItem& item) override;
    void OnHeaderLaidOut(platform::Rect& block) override;
    int GetHeaderLineHeight() override;
    int GetHeaderBandHeight() override;
    int GetBorderWidth() override { return 28; }
    void AdjustBodyRect(platform::Rect& rect) override;
    void DrawBackground(const platform::Rect& rect) override;
    void DrawTrims(const platform::Rect&, int, int) override { }
    void FillPart(const platform::Rect& rect, int kind) override;
    bool ShowsDragFeedback() override { return false; }
    int GetPartOutlineWidth() override { return 57; }
    int GetDimensionOffset() override { return 270; }
    int GetDimensionTick() override { return 86; }
    int GetLabelMargin() override { return 14; }
    bool ShowsPartLabels() override { return true; }
    void DrawPartLabel(const QString& text, const platform::Rect& labelRect, bool patterned,
        const platform::Rect& partRect) override;
    void DrawUnfittedLabel(const QString& text, const platform::Rect& partRect, bool vertical) override;
    int GetWasteBrushKind() override;

private:
    class Surface;
    void ApplyNamedStyle(const QString& name);
    void SelectItemStyle(const HeaderItem& item);

    CPrintEngineBase& m_engine;
    std::unique_ptr<Surface> m_surface;
    bool m_partHatched = false;
    bool m_compact = false;
    int m_place = 1;
    int m_runLength = 1;
};

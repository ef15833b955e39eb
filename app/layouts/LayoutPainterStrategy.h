#pragma once
// The base of every painter that draws one cutting layout (a shown diagram:
// the sheet with its trims, the waste and the placed parts) onto a drawing
// surface. It fixes the drawing order and the geometry; the virtual
// operations decide the look. A painter is made for one pass: set the
// highlight, Paint, destroy (or Paint again, which rebinds everything).

#include "foundation/ScaleFactors.h"
#include "layouts/DiagramHighlight.h"
#include "layouts/IDeviceDriver.h"
#include "model/PartGeometryTranslator.h"
#include "optimization/DisplayDiagram.h"
#include "platform/Rect.h"

#include <QString>

#include <array>
#include <memory>
#include <vector>

class PartAnnotator;
class DiagramAnnotator;

// Part classes of a pass: how a part is filled.
namespace PartClass {
constexpr int Normal = 0;
constexpr int Selected = 1;
constexpr int Dragged = 2;
// A drop the placement test would refuse (drawn by the interactive diagram).
constexpr int Refused = 3;
} // namespace PartClass

// Waste brushes by kind.
namespace WasteBrush {
constexpr int Waste = 0;
constexpr int None = 1;
constexpr int HatchAcross = 2;
constexpr int HatchAlong = 3;
constexpr int White = 4;
} // namespace WasteBrush

struct HeaderItem
{
    QString text;
    // Font: 0 statistics, 2 diagram, 3 small parts, 5 default GUI; others
    // keep the font already selected.
    int kind = 0;
};

struct HeaderLine
{
    std::vector<HeaderItem> items;
    bool measuredWidths = false;
    int spareIndex = 0; // the item that takes the spare width
};

// {unread, number as shown (1-based), number of diagrams, unread}.
using CaptionInfo = std::array<int, 4>;

class LayoutPainterStrategy
{
public:
    LayoutPainterStrategy() = default;
    virtual ~LayoutPainterStrategy();
    LayoutPainterStrategy(const LayoutPainterStrategy&) = delete;
    LayoutPainterStrategy& operator=(const LayoutPainterStrategy&) = delete;

    void Paint(const DisplayDiagramPtr& diagram, const platform::Rect& area, const CaptionInfo& captionInfo,
        bool drawDraggedLast);
    void SetHighlight(const DiagramHighlight& record, bool matchTurnFlag);

    // Fits a label into the part: turned when the rectangle is more than 2.1
    // times as tall as wide; when it does not fit, line breaks become " - "
    // and it is tried once more before the painter's fallback.
    void DrawPartLabelText(
        const QString& text, const platform::Rect& labelRect, const platform::Rect& partRect);
    void DrawLabel(const QString& text, const platform::Rect& labelRect, const platform::Rect& partRect,
        const DrawnPart& drawnPart);
    bool PartFillIsPatterned(const DrawnPart& drawnPart);
    int ClassifyPart(const DrawnPart& drawnPart);

    // Read by the annotators.
    int PartOutlineWidth() { return GetPartOutlineWidth(); }
    int DimensionOffset() { return GetDimensionOffset(); }
    int DimensionTick() { return GetDimensionTick(); }
    int LabelMargin() { return GetLabelMargin(); }
    bool PartLabelsShown() { return ShowsPartLabels(); }
    int OuterDimensionMargin() { return GetOuterDimensionMargin(); }
    IDeviceDriver* Driver() { return GetDriver(); }

    const DisplayDiagramPtr& GetDiagram() const { return m_diagram; }
    bool IsSheetTurned() const { return m_sheetTurned; }
    const platform::Rect& GetArea() const { return m_area; }
    const CaptionInfo& GetCaptionInfo() const { return m_captionInfo; }
    const platform::Rect& GetHeaderRect() const { return m_headerRect; }
    const platform::Rect& GetBodyRect() const { return m_bodyRect; }
    const platform::Rect& GetDiagramRectangle() const { return m_diagramRect; }
    const platform::Rect& GetInnerRect() const { return m_innerRect; }
    const ScaleFactors& GetScale() const { return m_scale; }
    const std::vector<HeaderLine>& GetHeaderLines() const { return m_headerLines; }
    // The header line's item widths as laid out (for a line of the given width).
    std::vector<int> LayOutHeaderItems(const HeaderLine& line, int lineWidth);

protected:
    virtual int GetOuterDimensionMargin() { return 0; }
    virtual IDeviceDriver* GetDriver() = 0;
    virtual void CreateDrawingTools() = 0;
    virtual void OnPaintDone(const platform::Rect&) { }
    virtual bool IsTooSmall(const platform::Rect& area) = 0;
    virtual platform::Rect GetDiagramRect() = 0;
    virtual void DrawHeader() = 0;
    virtual int GetHeaderTextHeight() = 0;
    virtual int GetHeaderGap() = 0;
    virtual void DrawHeaderItem(const platform::Rect& rect, const HeaderItem& item) = 0;
    virtual void AdjustSecondHeaderLine(platform::Rect&) { }
    virtual void AdjustFirstHeaderLine(platform::Rect&) { }
    virtual void BuildHeaderLines() = 0;
    virtual int MeasureHeaderItem(const HeaderItem& item) = 0;
    // May move the laid-out header block; it is kept inside the area after.
    virtual void OnHeaderLaidOut(platform::Rect&) { }
    virtual int GetHeaderLineHeight();
    virtual void BeginDiagram() { }
    virtual int GetHeaderBandHeight() = 0;
    virtual int GetBorderWidth() = 0;
    virtual void AdjustBodyRect(platform::Rect&) { }
    virtual void DrawBackground(const platform::Rect& rect) = 0;
    virtual void DrawTrims(const platform::Rect& rect, int trimX, int trimY) = 0;
    virtual void FillPart(const platform::Rect& rect, int kind) = 0;
    virtual void OnPartPlaced(const platform::Rect&, DrawnPart&) { }
    virtual bool ShowsDragFeedback() = 0;
    virtual int GetPartOutlineWidth() = 0;
    virtual int GetDimensionOffset() = 0;
    virtual int GetDimensionTick() = 0;
    virtual int GetLabelMargin() = 0;
    virtual bool ShowsPartLabels() = 0;
    virtual void DrawPartLabel(
        const QString& text, const platform::Rect& labelRect, bool patterned, const platform::Rect& partRect)
        = 0;
    virtual void DrawUnfittedLabel(const QString& text, const platform::Rect& partRect, bool vertical) = 0;
    virtual void DrawBadges(const platform::Rect&) { }
    virtual int GetWasteBrushKind() = 0;

    // Header steps for painters that draw a header: lay the lines out at
    // the bottom of the area, then draw those that fit.
    void LayOutHeader();
    void DrawHeaderLines();
    // The sheet fitted (or stretched) into the body less the outer-dimension
    // margin and centred there.
    platform::Rect ComputeCenteredDiagramRect(bool fromOrigin);

    std::vector<HeaderLine> m_headerLines;

private:
    void DrawDiagram(bool drawDraggedLast);
    void DrawParts(bool drawDraggedLast);
    void DrawPart(const platform::Rect& rect, const DrawnPart& part, int partClass);

    DisplayDiagramPtr m_diagram;
    DiagramHighlight m_highlight;
    bool m_matchTurnFlag = false;
    std::shared_ptr<PartAnnotator> m_annotator;
    std::shared_ptr<DiagramAnnotator> m_diagramAnnotator;
    bool m_sheetTurned = false;
    platform::Rect m_area;
    platform::Rect m_draggedPartRect;
    CaptionInfo m_captionInfo {};
    PartGeometryTranslatorPtr m_geometry;
    ScaleFactors m_scale;
    int m_headerLineHeight = 0;
    platform::Rect m_headerRect;
    platform::Rect m_bodyRect;
    platform::Rect m_diagramRect;
    platform::Rect m_innerRect;
};

// The rounded a * b / c of the desktop's integer helper; -1 when c is 0.
int MulDiv(int a, int b, int c);

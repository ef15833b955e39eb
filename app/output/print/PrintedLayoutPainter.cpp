#include "output/print/PrintedLayoutPainter.h"

#include "foundation/PrintSettings.h"
#include "foundation/UserPrefsBase.h"
#include "layouts/DiagramTexts.h"
#include "layouts/LayoutPrefs.h"
#include "optimization/DiagramGeometry.h"
#include "output/print/CPrintEngineBase.h"
#include "output/print/PrintPrefs.h"
#include "platform/ui/IPrintControl.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kDiagramStatsFace = 1035;
constexpr int kDiagramHeight = 3003;
constexpr int kPrintedPartColor = 3009;
constexpr int kPrintedPartPattern = 3010;
constexpr int kPrintedWasteColor = 3013;
constexpr int kPrintedWastePattern = 3014;

constexpr std::uint32_t kWhite = 0xFFFFFF;
// Hatching in white on white would not show.
constexpr std::uint32_t kLightGreyHatch = 0xC8C8C8;
// Half an inch: a smaller area holds no readable diagram.
constexpr int kLeastArea = 720;
constexpr int kLeastDiagram = 144;
constexpr int kCompactInset = 180;
constexpr int kAreaMargin = 180;
constexpr int kStockPen = 28;
constexpr int kPartPen = 14;
// Control brush styles 2 and 3: the horizontal and vertical hatches.
constexpr int kBrushHatchHorizontal = 2;
constexpr int kBrushHatchVertical = 3;
constexpr int kBrushSolid = 0;

const QString kStatsBold = QStringLiteral("StatsBold");
const QString kStatsNorm = QStringLiteral("StatsNorm");
const QString kStock = QStringLiteral("Stock");
const QString kStockGrainHorz = QStringLiteral("StockGrainHorz");
const QString kStockGrainVert = QStringLiteral("StockGrainVert");
const QString kStockGrainNone = QStringLiteral("StockGrainNone");
const QString kPart = QStringLiteral("Part");
const QString kErasePart = QStringLiteral("ErasePart");

std::uint32_t PrefColour(int id)
{
    return static_cast<std::uint32_t>(PrintPrefs().GetInt(id));
}

HeaderItem Item(const QString& text, int kind = 0)
{
    return { text, kind };
}

} // namespace

std::vector<HeaderLine> PrintedHeaderLines(
    const DisplayDiagram& diagram, int number, int place, int runLength)
{
    HeaderLine first;
    first.measuredWidths = true;
    first.items = { Item(StockCaptionText(diagram, number), 1), Item(BinText(diagram)) };
    HeaderLine second;
    second.measuredWidths = true;
    second.items.push_back(Item(SizeCountText(place, runLength)));
    if (LayoutPrefFlag(LayoutPref::HideLayoutDupes))
        second.items.push_back(Item(QuantityText(diagram)));
    second.items.push_back(Item(StockTrimText(diagram)));
    HeaderLine third;
    third.measuredWidths = true;
    third.items = { Item(KerfText(diagram)), Item(WasteText(diagram)) };
    return { std::move(first), std::move(second), std::move(third) };
}

// The engine as the painter's drawing surface. The base's annotators keep
// the device context across drawing calls to restore its font and pen; the
// control's page context ends at its next call, so they get a context of
// their own that draws nothing on the page (everything printed goes through
// the engine's operations).
class PrintedLayoutPainter::Surface : public IDeviceDriver
{
public:
    explicit Surface(CPrintEngineBase& engine)
        : m_engine(engine)
        , m_scratch(8, 8, QImage::Format_ARGB32_Premultiplied)
        , m_painter(&m_scratch)
    { }

    QPainter* GetDeviceContext() override { return &m_painter; }
    int GetTextMarginX() override { return m_engine.GetTextMarginX(); }
    int GetTextMarginY() override { return m_engine.GetTextMarginY(); }
    int GetTextHeight() override { return m_engine.GetTextHeight(); }
    int GetSmallTextHeight() override { return m_engine.GetSmallTextHeight(); }
    int GetTextWidth(const QString& text) override { return m_engine.GetTextWidth(text); }
    void DrawFramedText(platform::Rect rect, const QString& text) override
    {
        m_engine.DrawFramedText(rect, text);
    }
    void DrawLabel(const QString& text, const platform::Rect& rect, bool vertical, int margin) override
    {
        m_engine.DrawLabel(text, rect, vertical, margin);
    }
    bool TextFitsHeight(const QString& text, const platform::Rect& rect, bool vertical) override
    {
        return m_engine.TextFitsHeight(text, rect, vertical);
    }
    bool TextFitsWidth(const QString& text, const platform::Rect& rect) override
    {
        return m_engine.TextFitsWidth(text, rect);
    }
    void DrawRectangle(const platform::Rect& rect) override { m_engine.DrawRectangle(rect); }
    void DrawLine(int x1, int y1, int x2, int y2) override { m_engine.DrawLine(x1, y1, x2, y2); }
    void DrawFittedLabel(const QString& text, const platform::Rect& rect, int value) override
    {
        m_engine.DrawFittedLabel(text, rect, value);
    }
    void DrawRightText(const QString& text, const platform::Rect& rect, bool opaque) override
    {
        m_engine.DrawRightText(text, rect, opaque);
    }
    void DrawVerticalLabel(const QString& text, const platform::Rect& rect, bool opaque) override
    {
        m_engine.DrawVerticalLabel(text, rect, opaque);
    }
    void DrawAlignedText(const QString& text, int mode, const platform::Rect& rect) override
    {
        m_engine.DrawAlignedText(text, mode, rect);
    }
    void DrawTextInRect(const QString& text, const platform::Rect& rect, bool vertical) override
    {
        m_engine.DrawTextInRect(text, rect, vertical);
    }
    void DrawVerticalText(const QString& text, const platform::Rect& rect) override
    {
        m_engine.DrawVerticalText(text, rect);
    }
    void DrawRightCentredText(const QString& text, const platform::Rect& rect) override
    {
        m_engine.DrawRightCentredText(text, rect);
    }

private:
    CPrintEngineBase& m_engine;
    QImage m_scratch;
    QPainter m_painter;
};

PrintedLayoutPainter::PrintedLayoutPainter(CPrintEngineBase& engine)
    : m_engine(engine)
    , m_surface(std::make_unique<Surface>(engine))
{ }

PrintedLayoutPainter::~PrintedLayoutPainter() = default;

void PrintedLayoutPainter::SetMaterialRun(int place, int runLength)
{
    m_place = place;
    m_runLength = runLength;
}

bool PrintedLayoutPainter::IsCompactMode()
{
    // Only sheet goods are printed: their diagrams-per-page setting applies.
    const PrintSettings& settings = PrintPrefs().GetPrintSettings();
    return settings.takeOffOnLayoutPage != 1 && settings.diagramsPerPage != 0
        && settings.diagramsPerPage != 1;
}

IDeviceDriver* PrintedLayoutPainter::GetDriver()
{
    return m_surface.get();
}

void PrintedLayoutPainter::ApplyNamedStyle(const QString& name)
{
    m_engine.GetControl().Styles().Apply(name);
}

int PrintedLayoutPainter::GetOuterDimensionMargin()
{
    if (!LayoutPrefFlag(LayoutPref::ShowOuterDims))
        return 0;
    if (!LayoutPrefFlag(LayoutPref::RotateSliceDims))
        return 540;
    // Selects the dimension font without drawing anything.
    m_engine.DrawRightCentredText(QString(), platform::Rect());
    return m_engine.GetTextWidth(QStringLiteral("8,8888.8mm"));
}

void PrintedLayoutPainter::CreateDrawingTools()
{
    m_compact = IsCompactMode();
    const QString statsFace = PrintPrefs().GetString(kDiagramStatsFace);
    const float statsSize = m_compact ? 6.0F : 10.0F;
    const QString spacing = QStringLiteral("1mm");
    m_engine.DefineTextStyle(kStatsBold, statsFace, statsSize, spacing, spacing, true, 6);
    m_engine.DefineTextStyle(kStatsNorm, statsFace, statsSize, spacing, spacing, false, 6);

    const std::uint32_t waste = PrefColour(kPrintedWasteColor);
    const auto wastePattern = static_cast<std::uint32_t>(PrintPrefs().GetInt(kPrintedWastePattern));
    m_engine.DefineDrawingStyle(kStock, kStockPen, 0,
        static_cast<int>(CPrintEngineBase::GetFillColour(waste, wastePattern)),
        CPrintEngineBase::GetHatchCode(wastePattern));
    const auto hatch = static_cast<int>(waste == kWhite ? kLightGreyHatch : waste);
    m_engine.DefineDrawingStyle(kStockGrainHorz, kStockPen, 0, hatch, kBrushHatchHorizontal);
    m_engine.DefineDrawingStyle(kStockGrainVert, kStockPen, 0, hatch, kBrushHatchVertical);
    m_engine.DefineDrawingStyle(kStockGrainNone, kStockPen, 0, static_cast<int>(kWhite), kBrushSolid);

    const std::uint32_t part = PrefColour(kPrintedPartColor);
    const auto partPattern = static_cast<std::uint32_t>(PrintPrefs().GetInt(kPrintedPartPattern));
    m_partHatched = CPrintEngineBase::HasHatch(partPattern);
    m_engine.DefineDrawingStyle(kPart, kPartPen, 0,
        static_cast<int>(CPrintEngineBase::GetFillColour(part, partPattern)),
        CPrintEngineBase::GetHatchCode(partPattern));
    m_engine.DefineDrawingStyle(kErasePart, kPartPen, 0, static_cast<int>(kWhite), kBrushSolid);
}

void PrintedLayoutPainter::OnPaintDone(const platform::Rect& area)
{
    // A thin outline around the diagram's place, without fill.
    platform::IPrintControl& control = m_engine.GetControl();
    control.SetPenStyle(6);
    control.SetPenWidth(0);
    control.SetPenColor(0);
    control.SetBrushStyle(1);
    m_engine.DrawRectangle(area);
}

bool PrintedLayoutPainter::IsTooSmall(const platform::Rect& area)
{
    return area.Width() < kLeastArea || area.Height() < kLeastArea;
}

platform::Rect PrintedLayoutPainter::GetDiagramRect()
{
    platform::Rect rect = ComputeCenteredDiagramRect(false);
    rect.right = std::max(rect.right, rect.left + kLeastDiagram);
    rect.bottom = std::max(rect.bottom, rect.top + kLeastDiagram);
    return rect;
}

void PrintedLayoutPainter::DrawHeader()
{
    m_headerLines.clear();
    BuildHeaderLines();
    LayOutHeader();
    DrawHeaderLines();
}

int PrintedLayoutPainter::GetHeaderTextHeight()
{
    ApplyNamedStyle(kStatsBold);
    return m_engine.GetTextHeight();
}

int PrintedLayoutPainter::GetHeaderGap()
{
    return m_engine.GetTextMarginY();
}

void PrintedLayoutPainter::DrawHeaderItem(const platform::Rect& rect, const HeaderItem& item)
{
    ApplyNamedStyle(item.kind == 1 ? kStatsBold : kStatsNorm);
    m_engine.DrawFramedText(rect, item.text);
}

void PrintedLayoutPainter::SelectItemStyle(const HeaderItem& item)
{
    switch (item.kind) {
    case 1:
        ApplyNamedStyle(kStatsBold);
        break;
    case 2:
        m_engine.SetTextFormat(PrintPrefs().GetString(PrintPrefId::DiagramFace),
            PrintPrefPoints(kDiagramHeight), 0.0, 0.0, false, 6);
        break;
    case 3:
        m_engine.SetTextFormat(PrintPrefs().GetString(PrintPrefId::DiagramFace),
            PrintPrefPoints(PrintPrefId::SmallPartsHeight), 0.0, 0.0, false, 6);
        break;
    default:
        ApplyNamedStyle(kStatsNorm);
        break;
    }
}

int PrintedLayoutPainter::MeasureHeaderItem(const HeaderItem& item)
{
    SelectItemStyle(item);
    return m_engine.GetTextWidth(item.text);
}

void PrintedLayoutPainter::BuildHeaderLines()
{
    if (const DisplayDiagramPtr& diagram = GetDiagram())
        m_headerLines = PrintedHeaderLines(*diagram, GetCaptionInfo()[1], m_place, m_runLength);
}

void PrintedLayoutPainter::OnHeaderLaidOut(platform::Rect& block)
{
    if (!m_compact)
        return;
    block.left += kCompactInset;
    block.right -= kCompactInset;
    block.Offset(0, -kCompactInset);
}

int PrintedLayoutPainter::GetHeaderLineHeight()
{
    const int pitch = m_engine.GetTextMarginY() + GetHeaderTextHeight();
    return m_compact ? pitch : pitch + m_engine.GetTextMarginX();
}

int PrintedLayoutPainter::GetHeaderBandHeight()
{
    // As on the screen: the header block and a text margin above it.
    return m_engine.GetTextMarginX() + (GetArea().bottom - GetHeaderRect().top);
}

void PrintedLayoutPainter::AdjustBodyRect(platform::Rect& rect)
{
    rect = DeflateRectSafely(rect, kAreaMargin, kAreaMargin);
}

int PrintedLayoutPainter::GetWasteBrushKind()
{
    if (!LayoutPrefFlag(LayoutPref::ShowGrain))
        return GrainStock;
    const DisplayDiagramPtr& diagram = GetDiagram();
    if (!diagram || !diagram->MaterialHasGrain())
        return GrainNone;
    return diagram->IsLengthwise() ? GrainHorizontal : GrainVertical;
}

void PrintedLayoutPainter::DrawBackground(const platform::Rect& rect)
{
    switch (GetWasteBrushKind()) {
    case GrainHorizontal:
        ApplyNamedStyle(kStockGrainHorz);
        break;
    case GrainVertical:
        ApplyNamedStyle(kStockGrainVert);
        break;
    case GrainNone:
        ApplyNamedStyle(kStockGrainNone);
        break;
    default:
        ApplyNamedStyle(kStock);
        break;
    }
    m_engine.DrawRectangle(rect);
}

void PrintedLayoutPainter::FillPart(const platform::Rect& rect, int)
{
    // A hatch is drawn over white, not over the waste beneath the part.
    if (m_partHatched) {
        ApplyNamedStyle(kErasePart);
        m_engine.DrawRectangle(rect);
    }
    ApplyNamedStyle(kPart);
    m_engine.DrawRectangle(rect);
}

void PrintedLayoutPainter::DrawPartLabel(
    const QString& text, const platform::Rect& labelRect, bool, const platform::Rect& partRect)
{
    m_engine.SetTextFormat(
        PrintPrefs().GetString(PrintPrefId::DiagramFace), PrintPrefPoints(kDiagramHeight), 0.0, 0.0, true, 7);
    DrawPartLabelText(text, labelRect, partRect);
}

void PrintedLayoutPainter::DrawUnfittedLabel(
    const QString& text, const platform::Rect& partRect, bool vertical)
{
    m_engine.SetTextFormat(PrintPrefs().GetString(PrintPrefId::DiagramFace),
        PrintPrefPoints(PrintPrefId::SmallPartsHeight), 0.0, 0.0, false, 7);
    m_engine.DrawLabel(text, partRect, vertical, 0);
}

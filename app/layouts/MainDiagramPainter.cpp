#include "layouts/MainDiagramPainter.h"

#include "foundation/UIResources.h"
#include "layouts/DiagramTexts.h"
#include "layouts/GDIScopes.h"
#include "layouts/LayoutPrefs.h"

namespace {

constexpr int kBodyMargin = 10;
constexpr int kOuterDimensionMargin = 30;
// Room left of the first two header lines (for the window's buttons).
constexpr int kHeaderButtonWidth = 27;

HeaderItem Item(const QString& text)
{
    return { text, 0 };
}

} // namespace

MainDiagramPainter::MainDiagramPainter(std::shared_ptr<IDeviceDriver> driver)
    : ThumbnailLayoutPainter(std::move(driver), false)
{ }

int MainDiagramPainter::GetOuterDimensionMargin()
{
    if (!LayoutPrefFlag(LayoutPref::ShowOuterDims))
        return 0;
    if (LayoutPrefFlag(LayoutPref::RotateSliceDims))
        return GetDriver()->GetTextWidth(QStringLiteral("8,8888.8"));
    return kOuterDimensionMargin;
}

platform::Rect MainDiagramPainter::GetDiagramRect()
{
    platform::Rect r = ComputeCenteredDiagramRect(false);
    if (r.Width() < kMinDiagramSize)
        r.right = r.left + kMinDiagramSize;
    if (r.Height() < kMinDiagramSize)
        r.bottom = r.top + kMinDiagramSize;
    return r;
}

void MainDiagramPainter::DrawHeader()
{
    m_headerLines.clear();
    BuildHeaderLines();
    LayOutHeader();
    DrawHeaderLines();
}

int MainDiagramPainter::GetHeaderTextHeight()
{
    QPainter* dc = DC();
    CGDIObject<QFont> font(dc, GetUIResources()->GetDiagramStatsFont());
    return GetDriver()->GetTextHeight();
}

int MainDiagramPainter::GetHeaderGap()
{
    return GetDriver()->GetTextMarginY();
}

void MainDiagramPainter::SelectItemFont(const HeaderItem& item)
{
    QPainter* dc = DC();
    const std::shared_ptr<UIResources> fonts = GetUIResources();
    switch (item.kind) {
    case 0:
        dc->setFont(fonts->GetDiagramStatsFont());
        break;
    case 2:
        dc->setFont(fonts->GetDiagramFont());
        break;
    case 3:
        dc->setFont(fonts->GetSmallPartsFont());
        break;
    case 5:
        dc->setFont(fonts->GetDefaultGuiFont());
        break;
    default:
        break;
    }
}

void MainDiagramPainter::DrawHeaderItem(const platform::Rect& rect, const HeaderItem& item)
{
    QPainter* dc = DC();
    CGDIObject<QFont> keep(dc, dc->font());
    SelectItemFont(item);
    GetDriver()->DrawFramedText(rect, item.text);
}

int MainDiagramPainter::MeasureHeaderItem(const HeaderItem& item)
{
    QPainter* dc = DC();
    CGDIObject<QFont> keep(dc, dc->font());
    SelectItemFont(item);
    return GetDriver()->GetTextWidth(item.text);
}

void MainDiagramPainter::AdjustFirstHeaderLine(platform::Rect& rect)
{
    rect.left += (GetHeaderGap() + kHeaderButtonWidth) * 2;
}

void MainDiagramPainter::AdjustSecondHeaderLine(platform::Rect& rect)
{
    rect.left += (GetHeaderGap() + kHeaderButtonWidth) * 2;
}

void MainDiagramPainter::BuildHeaderLines()
{
    const DisplayDiagramPtr& diagram = GetDiagram();
    if (!diagram)
        return;
    const int number = GetCaptionInfo()[1];
    HeaderLine first;
    first.measuredWidths = true;
    first.spareIndex = 0;
    first.items = { Item(StockCaptionText(*diagram, number)), Item(GrainText(*diagram)),
        Item(VendorText(*diagram)), Item(BinText(*diagram)) };
    HeaderLine second;
    second.measuredWidths = true;
    second.spareIndex = 1;
    second.items.push_back(Item(DiagramOfText(number, GetCaptionInfo()[2])));
    if (LayoutPrefFlag(LayoutPref::HideLayoutDupes))
        second.items.push_back(Item(QuantityText(*diagram)));
    second.items.push_back(Item(StockTrimText(*diagram)));
    second.items.push_back(Item(KerfText(*diagram)));
    second.items.push_back(Item(WasteText(*diagram)));
    m_headerLines.push_back(std::move(first));
    m_headerLines.push_back(std::move(second));
}

int MainDiagramPainter::GetHeaderBandHeight()
{
    return GetDriver()->GetTextMarginX() + (GetArea().bottom - GetHeaderRect().top);
}

void MainDiagramPainter::AdjustBodyRect(platform::Rect& rect)
{
    rect.Deflate(kBodyMargin, kBodyMargin);
}

void MainDiagramPainter::OnPartPlaced(const platform::Rect& rect, DrawnPart& part)
{
    part.SetScreenRect(rect);
}

void MainDiagramPainter::DrawPartLabel(
    const QString& text, const platform::Rect& labelRect, bool patterned, const platform::Rect& partRect)
{
    QPainter* dc = DC();
    CGDIObject<QFont> font(dc, GetUIResources()->GetDiagramFont());
    CGDIObject<QPen> pen(dc, QPen(Qt::black, 1));
    CGDIBackColor back(dc, 0xFFFFFF);
    CGDIBackMode mode(dc, patterned ? Qt::OpaqueMode : Qt::TransparentMode);
    DrawPartLabelText(text, labelRect, partRect);
}

void MainDiagramPainter::DrawUnfittedLabel(const QString& text, const platform::Rect& partRect, bool vertical)
{
    QPainter* dc = DC();
    CGDIObject<QFont> font(dc, GetUIResources()->GetSmallPartsFont());
    GetDriver()->DrawLabel(text, partRect, vertical, 0);
}

void MainDiagramPainter::DrawBadges(const platform::Rect& rect)
{
    DrawPinBadge(rect);
}

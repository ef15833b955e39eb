#include "layouts/ThumbnailLayoutPainter.h"

#include "foundation/UIResources.h"
#include "layouts/BadgePainter.h"
#include "layouts/GDIScopes.h"
#include "layouts/LayoutPrefs.h"

#include <QFontMetrics>

namespace {

constexpr platform::ColorRef kWhite = 0xFFFFFF;
// Hatching on a white waste colour would not show.
constexpr platform::ColorRef kLightGreyHatch = 0xC8C8C8;
constexpr int kHatchHorizontal = 0;
constexpr int kHatchVertical = 1;

} // namespace

ThumbnailLayoutPainter::ThumbnailLayoutPainter(std::shared_ptr<IDeviceDriver> driver, bool isCurrent)
    : m_driver(std::move(driver))
    , m_isCurrent(isCurrent)
{ }

void ThumbnailLayoutPainter::CreateDrawingTools()
{
    m_outlinePen = QPen(Qt::black, 2);
    const platform::ColorRef waste
        = static_cast<platform::ColorRef>(LayoutPrefInt(LayoutPref::ScreenWasteColor, kWhite));
    m_wasteBrush
        = MakePatternBrush(waste, LayoutPrefInt(LayoutPref::ScreenWastePattern, LayoutPref::SolidPattern));
    const platform::ColorRef hatch = waste == kWhite ? kLightGreyHatch : waste;
    m_grainHatchAcross = MakePatternBrush(hatch, kHatchHorizontal);
    m_grainHatchAlong = MakePatternBrush(hatch, kHatchVertical);
    m_whiteBrush = QBrush(Qt::white);
}

bool ThumbnailLayoutPainter::IsTooSmall(const platform::Rect& area)
{
    return !(area.Width() > 4 && area.Height() > 4);
}

platform::Rect ThumbnailLayoutPainter::GetDiagramRect()
{
    return GetBodyRect();
}

int ThumbnailLayoutPainter::GetWasteBrushKind()
{
    if (!LayoutPrefFlag(LayoutPref::ShowGrain))
        return WasteBrush::Waste;
    const DisplayDiagramPtr& diagram = GetDiagram();
    if (!diagram || !diagram->MaterialHasGrain())
        return WasteBrush::White;
    return diagram->IsLengthwise() ? WasteBrush::HatchAcross : WasteBrush::HatchAlong;
}

void ThumbnailLayoutPainter::DrawBackground(const platform::Rect& rect)
{
    QPainter* dc = DC();
    const QPen pen = m_isCurrent ? QPen(platform::ToQColor(kCurrentOutlineColor), 2) : m_outlinePen;
    QBrush brush;
    switch (GetWasteBrushKind()) {
    case WasteBrush::Waste:
        brush = m_wasteBrush;
        break;
    case WasteBrush::HatchAcross:
        brush = m_grainHatchAcross;
        break;
    case WasteBrush::HatchAlong:
        brush = m_grainHatchAlong;
        break;
    case WasteBrush::White:
        brush = m_whiteBrush;
        break;
    default:
        brush = QBrush(Qt::NoBrush);
        break;
    }
    CGDIObject<QPen> penScope(dc, pen);
    CGDIObject<QBrush> brushScope(dc, brush);
    CGDIBackColor back(dc, kWhite);
    m_driver->DrawRectangle(rect);
}

void ThumbnailLayoutPainter::DrawTrims(const platform::Rect& rect, int trimX, int trimY)
{
    QPainter* dc = DC();
    CGDIObject<QBrush> brush(dc, QBrush(platform::ToQColor(kTrimColor)));
    CGDIStockObject pen(dc, StockObject::NullPen);
    if (trimY > 0) {
        m_driver->DrawRectangle({ rect.left, rect.top, rect.right, rect.top + 1 + trimY });
        m_driver->DrawRectangle({ rect.left, rect.bottom - trimY, rect.right, rect.bottom + 1 });
    }
    if (trimX > 0) {
        m_driver->DrawRectangle({ rect.left, rect.top, rect.left + 1 + trimX, rect.bottom });
        m_driver->DrawRectangle({ rect.right - trimX, rect.top, rect.right + 1, rect.bottom });
    }
}

void ThumbnailLayoutPainter::FillPart(const platform::Rect& rect, int kind)
{
    QBrush brush;
    switch (kind) {
    case PartClass::Dragged:
        brush = QBrush(platform::ToQColor(kDraggedPartColor));
        break;
    case PartClass::Refused:
        brush = QBrush(platform::ToQColor(kRefusedPartColor));
        break;
    case PartClass::Selected:
        brush = MakePatternBrush(
            static_cast<platform::ColorRef>(LayoutPrefInt(LayoutPref::SelectedPartColor, 0xCAFFFF)),
            LayoutPrefInt(LayoutPref::SelectedPartPattern, LayoutPref::SolidPattern));
        break;
    default:
        brush = MakePatternBrush(
            static_cast<platform::ColorRef>(LayoutPrefInt(LayoutPref::NormalPartColor, 0xFEDCD3)),
            LayoutPrefInt(LayoutPref::NormalPartPattern, LayoutPref::SolidPattern));
        break;
    }
    QPainter* dc = DC();
    CGDIObject<QBrush> brushScope(dc, brush);
    CGDIBackColor back(dc, kWhite);
    CGDIBackMode mode(dc, Qt::OpaqueMode);
    m_driver->DrawRectangle(rect);
}

void ThumbnailLayoutPainter::DrawBadges(const platform::Rect& rect)
{
    DrawCaption();
    DrawPinBadge(rect);
}

void ThumbnailLayoutPainter::DrawPinBadge(const platform::Rect& rect)
{
    const DisplayDiagramPtr& diagram = GetDiagram();
    if (diagram && IsPinned(*diagram))
        BadgePainter::Get()->Draw(*DC(), rect);
}

void ThumbnailLayoutPainter::DrawCaption()
{
    const DisplayDiagramPtr& diagram = GetDiagram();
    if (!diagram)
        return;
    const int number = GetCaptionInfo()[1];
    const std::uint32_t copies = diagram->GetStack()->GetCount();
    QString text = QString::number(number);
    if (LayoutPrefFlag(LayoutPref::HideLayoutDupes) && copies > 1)
        text = QStringLiteral("%1  x%2").arg(number).arg(copies);
    QPainter* dc = DC();
    CGDIObject<QFont> font(dc, MakePointFont(QStringLiteral("Arial"), 90, 700));
    CGDITextColor color(dc, diagram->GetStack()->HasSeveralCopies() ? kSeveralCopiesCaptionColor : 0x000000);
    CGDIBackColor back(dc, kWhite);
    const platform::Rect& body = GetBodyRect();
    const int height = QFontMetrics(dc->font(), dc->device()).height();
    dc->drawText(ToQRect({ body.left, body.bottom - height, body.right, body.bottom }),
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

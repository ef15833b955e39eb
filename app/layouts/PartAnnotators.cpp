#include "layouts/PartAnnotators.h"

#include "layouts/DiagramTexts.h"
#include "layouts/LayoutPainterStrategy.h"
#include "layouts/LayoutPrefs.h"
#include "model/CMilledPart.h"
#include "optimization/DiagramGeometry.h"

namespace {

constexpr int kDefaultBoldPartColor = 0x808080;

} // namespace

std::shared_ptr<PartAnnotator> MakePartAnnotator(LayoutPainterStrategy& painter, bool fancy)
{
    if (fancy)
        return std::make_shared<FancyPartAnnotator>(painter);
    return std::make_shared<PlainPartAnnotator>(painter);
}

void PlainPartAnnotator::Annotate(
    const DrawnPart& drawnPart, const platform::Rect& labelRect, const platform::Rect& partRect)
{
    if (!m_painter.PartLabelsShown())
        return;
    const QString text = PlainPartLabelText(drawnPart);
    if (!text.isEmpty())
        m_painter.DrawLabel(text, labelRect, partRect, drawnPart);
}

void FancyPartAnnotator::Annotate(
    const DrawnPart& drawnPart, const platform::Rect& labelRect, const platform::Rect& partRect)
{
    const CMilledPart* part = drawnPart.GetPart();
    if (!m_painter.PartLabelsShown() || !part)
        return;
    IDeviceDriver* driver = m_painter.Driver();
    if (LayoutPrefFlag(LayoutPref::ShowPartIds))
        driver->DrawFittedLabel(part->GetID().FormatPartID(), labelRect,
            LayoutPrefInt(LayoutPref::BoldPartColor, kDefaultBoldPartColor));
    if (LayoutPrefFlag(LayoutPref::ShowDimensions)) {
        const bool patterned = m_painter.PartFillIsPatterned(drawnPart);
        QString along = part->GetLength().FormatDimension();
        QString across = part->GetWidth().FormatDimension();
        if (m_painter.IsSheetTurned() != drawnPart.IsRotated())
            std::swap(along, across);
        driver->DrawRightText(along, labelRect, patterned);
        driver->DrawVerticalLabel(across, labelRect, patterned);
    }
    const QString text = FancyPartLabelText(drawnPart);
    if (text.isEmpty())
        return;
    const int small = driver->GetSmallTextHeight();
    m_painter.DrawLabel(text, DeflateRectSafely(labelRect, small, small), partRect, drawnPart);
}

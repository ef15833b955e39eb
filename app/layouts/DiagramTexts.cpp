#include "layouts/DiagramTexts.h"

#include "foundation/LocaleFormat.h"
#include "foundation/ResourceBase.h"
#include "layouts/LayoutPrefs.h"
#include "layouts/LayoutsStrings.h"
#include "model/CMilledPart.h"
#include "model/IOptimizableSize.h"
#include "optimization/DiagramIndex.h"

namespace {

QString Labelled(int id, const QString& value)
{
    return LoadUIString(id) + QStringLiteral(": ") + value;
}

const IOptimizableSize* SizeOf(const DisplayDiagram& diagram)
{
    return diagram.GetStockSpec().size.get();
}

QString RotatedPrefix(const DrawnPart& drawn)
{
    return drawn.IsRotated() ? LoadUIString(kStrRotatedMark) + QLatin1Char(' ') : QString();
}

} // namespace

QString StockCaptionText(const DisplayDiagram& diagram, int captionNumber)
{
    const StockSpec& stock = diagram.GetStockSpec();
    const QString letter = GetDiagramIndex().FindDiagramLabel(diagram.GetStack());
    const QString size = stock.GetRoughWidth().FormatDimension() + QStringLiteral(" x ")
        + stock.GetRoughLength().FormatDimension();
    QString text
        = QStringLiteral("[%1%2] %3: %4").arg(letter).arg(captionNumber).arg(stock.GetMaterialName(), size);
    if (captionNumber != 0)
        text += QLatin1Char(' ');
    return text;
}

QString GrainText(const DisplayDiagram& diagram)
{
    int id = kStrGrainNone;
    if (diagram.MaterialHasGrain())
        id = diagram.IsLengthwise() ? kStrGrainHorizontal : kStrGrainVertical;
    return Labelled(kStrGrain, LoadUIString(id));
}

QString VendorText(const DisplayDiagram& diagram)
{
    const IOptimizableSize* size = SizeOf(diagram);
    const CVendorPtr vendor = size ? size->GetVendor() : nullptr;
    return Labelled(kStrVendor, vendor ? vendor->GetDisplayName() : QString());
}

QString BinText(const DisplayDiagram& diagram)
{
    const IOptimizableSize* size = SizeOf(diagram);
    return Labelled(kStrBin, size ? size->GetBin() : QString());
}

QString DiagramOfText(int number, int count)
{
    return LoadUIString(kStrDiagramOf).arg(number).arg(count);
}

QString SizeCountText(int number, int count)
{
    return LoadUIString(kStrSizeOfThisSize).arg(number).arg(count);
}

QString QuantityText(const DisplayDiagram& diagram)
{
    return QStringLiteral("%1 %2").arg(LoadUIString(kStrQtyThisDiagram)).arg(diagram.GetStack()->GetCount());
}

QString StockTrimText(const DisplayDiagram& diagram)
{
    const StockSpec& stock = diagram.GetStockSpec();
    return Labelled(kStrStockTrim,
        stock.GetLeftRightTrim().FormatDimension() + QStringLiteral("::")
            + stock.GetTopBottomTrim().FormatDimension() + QLatin1Char(' '));
}

QString KerfText(const DisplayDiagram& diagram)
{
    return LoadUIString(kStrKerf) + diagram.GetStockSpec().GetKerf().FormatDimension();
}

QString WasteText(const DisplayDiagram& diagram)
{
    return LoadUIString(kStrWaste) + QLatin1Char(' ')
        + FormatLocaleNumber(GetYieldRatio(diagram) * 100.0, 1, false) + QLatin1Char('%');
}

QString DiagramNumberText(int number)
{
    return QString::number(number) + QLatin1Char(' ');
}

QString PlainPartLabelText(const DrawnPart& drawn)
{
    const CMilledPart* part = drawn.GetPart();
    const bool ids = LayoutPrefFlag(LayoutPref::ShowPartIds);
    const bool dims = LayoutPrefFlag(LayoutPref::ShowDimensions);
    const bool descriptions = LayoutPrefFlag(LayoutPref::ShowPartDescriptions);
    const bool userInfo = LayoutPrefFlag(LayoutPref::ShowUserInfo);
    if (!part || !(ids || dims || descriptions || userInfo))
        return QString();

    QString text = RotatedPrefix(drawn);
    bool wroteHead = false;
    if (ids) {
        text += part->GetID().FormatPartID() + QStringLiteral(": ");
        wroteHead = true;
    }
    if (dims) {
        const QString width = part->GetWidth().FormatDimension();
        const QString length = part->GetLength().FormatDimension();
        text += LayoutPrefFlag(PrefId::DisplayWxL) ? width + QStringLiteral(" x ") + length
                                                   : length + QStringLiteral(" x ") + width;
        wroteHead = true;
    }
    bool brokeLine = false;
    if (descriptions && !part->GetDescription().isEmpty()) {
        if (wroteHead) {
            text += QLatin1Char('\n');
            brokeLine = true;
        }
        text += part->GetDescription();
    }
    if (userInfo && !part->GetUserInfo().isEmpty()) {
        if (wroteHead && !brokeLine)
            text += QLatin1Char('\n');
        text += QStringLiteral(" <") + part->GetUserInfo() + QLatin1Char('>');
    }
    return text;
}

QString FancyPartLabelText(const DrawnPart& drawn)
{
    const CMilledPart* part = drawn.GetPart();
    const bool descriptions = LayoutPrefFlag(LayoutPref::ShowPartDescriptions);
    const bool subAssemblies = LayoutPrefFlag(LayoutPref::ShowSubAssemblies);
    const bool userInfo = LayoutPrefFlag(LayoutPref::ShowUserInfo);
    if (!part || !(descriptions || subAssemblies || userInfo))
        return QString();
    QString text = RotatedPrefix(drawn);
    if (descriptions && !part->GetDescription().isEmpty()) {
        if (subAssemblies)
            text += QStringLiteral(": ");
        text += part->GetDescription();
    }
    if (userInfo && !part->GetUserInfo().isEmpty())
        text += QStringLiteral(" <") + part->GetUserInfo() + QLatin1Char('>');
    return text;
}

#include "layouts/LayoutsStrings.h"

namespace {

const StringResource g_layoutsStrings[] = {
    { kStrGrain, u"Layouts_Grain_Grain" },
    { kStrVendor, u"Layouts_Vendor_Vendor" },
    { kStrSizeOfThisSize, u"Layouts_SizeCount_%1 of %2 this size" },
    { kStrDiagramOf, u"Layouts_DiagramOf_Diagram %1 of %2" },
    { kStrRotatedMark, u"Layouts_Rotated_[R]" },
    { kStrKerf, u"Layouts_Kerf_Kerf:" },
    { kStrQtyThisDiagram, u"Layouts_QtyThisDiagram_Qty this diag.:" },
    { kStrWaste, u"Layouts_Waste_Waste:" },
    { kStrBin, u"Layouts_Bin_Bin" },
    { kStrStockTrim, u"Layouts_StockTrim_Stock Trim" },
    { kStrGrainHorizontal, u"Layouts_GrainHorizontal_Horizontal" },
    { kStrGrainVertical, u"Layouts_GrainVertical_Vertical" },
    { kStrGrainNone, u"Layouts_GrainNone_None" },
};

} // namespace

std::span<const StringResource> LayoutsStringResources()
{
    return g_layoutsStrings;
}

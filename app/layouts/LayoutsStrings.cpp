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
    { kStrKerfField, u"LOTakeOffList_Kerf_Kerf:" },
    { kStrLayoutQty, u"LOTakeOffList_LayoutQty_Layout Qty:" },
    { kStrTreeRoot, u"LayoutsTree_Root_Sheet Goods" },
    { kStrTreePinAllPrompt, u"Command_PinAllInNode_Pin all diagrams in this tree node\\nPin All" },
    { kStrTreeUnpinAllPrompt, u"Command_UnpinAllInNode_Unpin all diagrams in this tree node\\nUnpin All" },
    { kStrToggleLabelStyle, u"Layouts_ToggleLabelStyle_Toggle labeling style. Ctrl-click to change all diagrams." },
    { kStrPinAllTip, u"Layouts_PinAllTip_Pin All. Ctrl-click to Unpin All." },
    { kStrQuickPrintTip, u"Layouts_QuickPrintTip_Quick Print checked layouts" },
    { kStrCheckAll, u"Layouts_CheckAll_Check All" },
    { kStrUncheckAll, u"Layouts_UncheckAll_Uncheck All" },
    { kStrTurnDiagram, u"Layouts_TurnDiagram_Turn Diagram" },
    { kStrDefaultLabelingStyle, u"LayoutDisplay_LabelingStyle_Default layout labeling style:" },
    { kStrPlain, u"LayoutDisplay_Plain_Plain" },
    { kStrBold, u"LayoutDisplay_Bold_Bold" },
    { kStrOriginBottomLeft, u"LayoutDisplay_OriginBottomLeft_Always place origin in the bottom left of layout diagrams" },
    { kStrAutoManualEdit, u"LayoutDisplay_AutoManualEdit_Automatically convert diagrams to manual edit mode when a part is dragged" },
    { kStrShowSliceSizes, u"LayoutDisplay_ShowSliceSizes_Show slice sizes on diagrams" },
    { kStrHideSliceDims, u"LayoutDisplay_HideSliceDims_Hide slice dimensions smaller than:" },
    { kStrRotateSliceDims, u"LayoutDisplay_RotateSliceDims_Rotate slice dimensions" },
    { kStrShowOffsets, u"LayoutDisplay_ShowOffsets_Show offsets from origin (saw fence settings)" },
};

} // namespace

std::span<const StringResource> LayoutsStringResources()
{
    return g_layoutsStrings;
}

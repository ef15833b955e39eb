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
    { kStrToggleLabelStyle,
        u"Layouts_ToggleLabelStyle_Toggle labeling style. Ctrl-click to change all diagrams." },
    { kStrPinAllTip, u"Layouts_PinAllTip_Pin All. Ctrl-click to Unpin All." },
    { kStrQuickPrintTip, u"Layouts_QuickPrintTip_Quick Print checked layouts" },
    { kStrCheckAll, u"Layouts_CheckAll_Check All" },
    { kStrUncheckAll, u"Layouts_UncheckAll_Uncheck All" },
    { kStrTurnDiagram, u"Layouts_TurnDiagram_Turn Diagram" },
    { kStrDefaultLabelingStyle, u"LayoutDisplay_LabelingStyle_Default layout labeling style:" },
    { kStrPlain, u"LayoutDisplay_Plain_Plain" },
    { kStrBold, u"LayoutDisplay_Bold_Bold" },
    { kStrOriginBottomLeft,
        u"LayoutDisplay_OriginBottomLeft_Always place origin in the bottom left of layout diagrams" },
    { kStrAutoManualEdit,
        u"LayoutDisplay_AutoManualEdit_Automatically convert diagrams to manual edit mode when a part is "
        u"dragged" },
    { kStrShowSliceSizes, u"LayoutDisplay_ShowSliceSizes_Show slice sizes on diagrams" },
    { kStrHideSliceDims, u"LayoutDisplay_HideSliceDims_Hide slice dimensions smaller than:" },
    { kStrRotateSliceDims, u"LayoutDisplay_RotateSliceDims_Rotate slice dimensions" },
    { kStrShowOffsets, u"LayoutDisplay_ShowOffsets_Show offsets from origin (saw fence settings)" },
    { kStrCaptionStretch, u"LayoutsBar_Stretch_Stretch" },
    { kStrCaptionPartNumbers, u"LayoutsBar_PartNumbers_Part #s" },
    { kStrCaptionDescriptions, u"LayoutsBar_Descriptions_Desc." },
    { kStrCaptionDimensions, u"LayoutsBar_Dimensions_Dims." },
    { kStrCaptionUserInfo, u"LayoutsBar_UserInfo_<Info>" },
    { kStrCaptionShowGrain, u"LayoutsBar_ShowGrain_Show Grain" },
    { kStrCaptionHideDupes, u"LayoutsBar_HideDupes_Hide Dupes" },
    { kStrCaptionStyle, u"LayoutsBar_Style_Style" },
    { kStrCaptionSettings, u"LayoutsBar_Settings_Settings" },
    { kStrCaptionPin, u"LayoutsBar_Pin_Pin" },
    // The prompts of the layouts page's commands: status text, then tooltip.
    { 32873, u"LayoutsCmd_Stretch_Stretch narrow layouts\nStretch" },
    { 32874, u"LayoutsCmd_PartNumbers_Show part numbers\nPart #s" },
    { 32875, u"LayoutsCmd_Descriptions_Show part descriptions\nDescriptions" },
    { 32912, u"LayoutsCmd_UserInfo_Show text from part list <Info> column\nShow part <Info>" },
    { 32877, u"LayoutsCmd_Dimensions_Show dimensions for parts\nDimensions" },
    { 32890, u"LayoutsCmd_ShowGrain_Show grain in waste area of layout diagrams\nShow Grain" },
    { 32878, u"LayoutsCmd_HideDupes_Hide duplicate layout diagrams\nHide Duplicate Layouts" },
    { 32880, u"LayoutsCmd_Settings_Show the optimization preferences property page\nOptimization Settings" },
    { 32879, u"LayoutsCmd_Style_Select a layout style for the current diagram\nLayout Style" },
    { 32925, u"LayoutsCmd_Pin_Pin/Unpin the current diagram\nPin/Unpin Diagram" },
    { 32928, u"LayoutsCmd_PinAll_Pin all diagrams in this tree node\nPin All" },
    { 32929, u"LayoutsCmd_UnpinAll_Unpin all diagrams in this tree node\nUnpin All" },
    { kStrListDragHint, u"ManualEdit_ListDragHint_Press Ctrl to rotate part." },
    { kStrDiagramDragHint,
        u"ManualEdit_DiagramDragHint_Press Ctrl to rotate part. Press Shift to constrain to horizontal or "
        u"vertical drag. Type 'X' to cancel the currently active kerfs." },
    { kStrDropOnMainDiagram,
        u"ManualEdit_DropOnMainDiagram_To move the part to this thumbnail, drag it to the main diagram area "
        u"before releasing the mouse button." },
    { kStrAutoConvertOff,
        u"ManualEdit_AutoConvertOff_The part cannot be moved to this diagram because the diagram does not\\n"
        u"have the manual edit style selected, and the auto-convert to manual edit feature is disabled.\\n\\n"
        u"Turn auto-convert to manual edit back on in Settings>General Preferences>Layout Display." },
};

} // namespace

std::span<const StringResource> LayoutsStringResources()
{
    return g_layoutsStrings;
}

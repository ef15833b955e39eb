#pragma once

#include "foundation/UIStringTable.h"

#include <QString>

#include <span>

// Ids of the UI strings the layouts window shows.
enum LayoutsStringId : int {
    kStrGrain = 23, // "Grain"
    kStrVendor = 50, // "Vendor"
    kStrSizeOfThisSize = 3031, // "%1 of %2 this size"
    kStrDiagramOf = 4418, // "Diagram %1 of %2"
    kStrRotatedMark = 4420, // "[R]"
    kStrKerf = 4421, // "Kerf:"
    kStrQtyThisDiagram = 4423, // "Qty this diag.:"
    kStrWaste = 4425, // "Waste:"
    kStrBin = 4453, // "Bin"
    kStrStockTrim = 5126, // "Stock Trim"
    kStrGrainHorizontal = 5169, // "Horizontal"
    kStrGrainVertical = 5170, // "Vertical"
    kStrGrainNone = 5171, // "None"
    // The take-off list and the layouts tree.
    kStrKerfField = 4744, // "Kerf:"
    kStrLayoutQty = 4751, // "Layout Qty:"
    kStrTreeRoot = 4452, // "Sheet Goods"
    kStrTreePinAllPrompt = 32928, // "Pin all diagrams in this tree node\nPin All"
    kStrTreeUnpinAllPrompt = 32929, // "Unpin all diagrams in this tree node\nUnpin All"
    // The main diagram window and the thumbnails.
    kStrToggleLabelStyle = 187, // "Toggle labeling style. Ctrl-click to change all diagrams."
    kStrPinAllTip = 247, // "Pin All. Ctrl-click to Unpin All."
    kStrQuickPrintTip = 3009, // "Quick Print checked layouts"
    kStrCheckAll = 3014, // "Check All"
    kStrUncheckAll = 3015, // "Uncheck All"
    kStrTurnDiagram = 5202, // "Turn Diagram"
    // The layout display preferences page.
    kStrDefaultLabelingStyle = 188, // "Default layout labeling style:"
    kStrPlain = 189, // "Plain"
    kStrBold = 190, // "Bold"
    kStrOriginBottomLeft = 198,
    kStrAutoManualEdit = 268,
    kStrShowSliceSizes = 272,
    kStrHideSliceDims = 302,
    kStrRotateSliceDims = 305,
    kStrShowOffsets = 436,
    // The layouts frame's toolbar captions.
    kStrCaptionStretch = 4415, // "Stretch"
    kStrCaptionPartNumbers = 4414, // "Part #s"
    kStrCaptionDescriptions = 4411, // "Desc."
    kStrCaptionDimensions = 4417, // "Dims."
    kStrCaptionUserInfo = 59, // "<Info>"
    kStrCaptionShowGrain = 5201, // "Show Grain"
    kStrCaptionHideDupes = 4412, // "Hide Dupes"
    kStrCaptionStyle = 4416, // "Style"
    kStrCaptionSettings = 4413, // "Settings"
    kStrCaptionPin = 243, // "Pin"
    // Manual editing of diagrams.
    kStrListDragHint = 266, // "Press Ctrl to rotate part."
    kStrDiagramDragHint = 267, // "Press Ctrl to rotate part. Press Shift to ..."
    kStrDropOnMainDiagram = 306, // "To move the part to this thumbnail, drag it ..."
    kStrAutoConvertOff = 307, // "The part cannot be moved to this diagram ..."
};

// This layer's string table, handed to the string service at start-up.
std::span<const StringResource> LayoutsStringResources();

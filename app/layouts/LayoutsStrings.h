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
};

// This layer's string table, handed to the string service at start-up.
std::span<const StringResource> LayoutsStringResources();

#pragma once

#include "foundation/UIStringTable.h"

#include <QString>

#include <span>

// Ids of the UI strings the program's grids show.
enum GridsStringId : int {
    kStrColumnVendor = 4456,       // "Vendor"
    kStrColumnBin = 4453,          // "Bin"
    kStrColumnFromInventory = 4644, // "From Inv."
    kStrColumnLength = 4649,       // "Length"
    kStrColumnMaterialName = 4650, // "Material Name"
    kStrColumnToBuy = 4651,        // "To Buy"
    kStrColumnQuantity = 4655,     // "Quantity"
    kStrColumnThickness = 4657,    // "Thick"
    kStrColumnTotalCost = 4658,    // "Total Cost"
    kStrColumnUnitCost = 4659,     // "Unit Cost"
    kStrColumnUnits = 4660,        // "Units"
    kStrColumnWidth = 4661,        // "Width"
    kStrDelete = 4541,             // "Delete"
    kStrDeleteVendor = 5077,       // "Delete vendor"
    kStrVendorsTitle = 5078,       // "Vendors"
    kStrEditVendorsList = 5173,    // "Edit Vendors List"
    // The size/cost grid, the material strip, the raw-materials tree and the B.O.M. pane.
    kStrPinnedStockSizeGeometry = 219, // "This stock size is used by a pinned layout diagram. ..."
    kStrPinnedStockSizeDelete = 220,   // "A selected stock size is used by a pinned layout diagram. ..."
    kStrPinnedMaterialGeometry = 221,  // "This material is used by a pinned layout diagram. ..."
    kStrHelpWithMaterials = 154,       // "Help with Materials..."
    kStrPreferredLayoutStyle = 207,    // "Preferred layout style"
    kStrAgainstGrain = 4510,           // "Against grain"
    kStrFirstCutDirection = 4511,      // "First Cut Direction"
    kStrSawKerf = 4512,                // " Saw kerf"
    kStrDoesntMatter = 4513,           // "Doesn't matter"
    kStrSawSetup = 4514,               // "Saw Setup"
    kStrWithGrain = 4516,              // "With grain"
    kStrSCColThickness = 4517,         // "Thick."
    kStrSCColCanBuyMore = 4518,        // "Can Buy More"
    kStrSCColInventory = 4519,         // "Inv. (Sheets)"
    kStrSCColLength = 4520,            // "Length"
    kStrSCColOffCut = 4521,            // "Off-Cut"
    kStrSCColUnitCost = 4522,          // "Unit Cost"
    kStrSCColUnits = 4523,             // "Units"
    kStrSCColWidth = 4524,             // "Width"
    kStrSCColLRTrim = 5124,            // "LR Trim"
    kStrSCColTBTrim = 5125,            // "TB Trim"
    kStrSCColNotes = 4189,             // "Notes" (shared with the parts grid)
    kStrNo = 4547,                     // "No"
    kStrBOMTitle = 5040,               // "B.O.M."
    kStrBOMSheetGoods = 4639,          // "Sheet Goods"
    kStrMenuCopy = 5010,               // "Copy"
    kStrMenuCut = 5011,                // "Cut"
    kStrMenuDeleteSizeCost = 5012,     // "Delete Size-Cost Info"
    kStrMenuDeleteNote = 5013,         // "Delete Note"
    kStrMenuAddEditNote = 5014,        // "Add/Edit Note"
    kStrMenuPaste = 5015,              // "Paste"
    kStrLongSideHorizontal = 5165,     // "Always draw with longer side horizontal"
    kStrHasGrain = 5166,               // "Has grain"
    kStrMaterialInfo = 5167,           // "Material Info"
    // The take-off list of the layouts page.
    kStrTakeOffInfoColumn = 58,          // "<Info>"
    kStrTakeOffShowInfo = 60,            // "Show &Info column from parts list"
    kStrTakeOffUnplacedCopies = 256,     // "Unplaced Copies"
    kStrTakeOffTabMaterial = 261,        // "Selected Material/Thickness"
    kStrTakeOffTabDiagram = 264,         // "Selected Diagram"
    kStrTakeOffTabUnplaced = 265,        // "Unplaced Parts"
    kStrTakeOffDiagramList = 439,        // "Diagram #s"
    kStrTakeOffLength = 4431,            // "Length"
    kStrTakeOffWidth = 4433,             // "Width"
    kStrTakeOffX = 4434,                 // "X"
    kStrTakeOffY = 4435,                 // "Y"
    kStrTakeOffCopiesInLayout = 4438,    // "Copies in Layout"
    kStrTakeOffCopiesPlaced = 4439,      // "Copies Placed"
    kStrTakeOffDescription = 4440,       // "Description"
    kStrTakeOffPartId = 4442,            // "Part #"
    kStrTakeOffTurnedMark = 4443,        // "[R]"
    kStrTakeOffReasonSkipped = 4656,     // "Reason Skipped"
};

// This layer's string table, handed to the string service at start-up.
std::span<const StringResource> GridsStringResources();

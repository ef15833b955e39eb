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

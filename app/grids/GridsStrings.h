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
};

// This layer's string table, handed to the string service at start-up.
std::span<const StringResource> GridsStringResources();

#pragma once

#include "foundation/UIStringTable.h"

#include <QString>

#include <span>

// Ids of the UI strings the data model shows.
enum ModelStringId : int {
    kStrUnitBoards = 12,          // "Boards"
    kStrSkipManualEdit = 258,     // "The part was dragged off a layout dia..."
    kStrSkipBriefManualEdit = 259, // "Manual edit"
    kStrLibraryUnavailable = 370, // "The raw materials database file is un..."
    kStrEditMaterial = 4114,      // "Edit Material"
    kStrNewMaterial = 4124,       // "New Material"
    kStrNewSizeCost = 4126,       // "New Size-Cost Info"
    kStrDeleteMaterial = 4108,    // "Delete Material"
    kStrMaterialsRestored = 4459, // "Your raw materials database has been restored."
    kStrMaterialsNotRestored = 4463, // "There was a problem reading from the backup folder. ..."
    kStrInsertItems = 4121,       // "Insert %1"
    kStrMaterialPinned = 222,     // "This material is used by a pinned layout diagram. ..."
    kStrPart = 4129,              // "Part"
    kStrEditItem = 4112,          // "Edit %1"
    kStrReoptimizeUnplaced = 309, // "Reoptimize Unplaced Parts"
    kStrSizeCostInfo = 4132,      // "Size-Cost Info"
    kStrSheetGood = 4209,         // "Sheet Good"
    kStrLibraryBackupUsed = 4226, // "AR-103: Raw Materials data file is da..."
    kStrLibraryDefaultsUsed = 4227, // "AR-104: Raw Materials data file and a..."
    kStrLibraryNoFiles = 4228,    // "AR-105: No Raw Materials data files a..."
    kStrMaterialNameTaken = 4237, // "is already in the list of Materials."
    kStrPlacedOfCopies = 4436,    // "%1 of %2"
    kStrSheetGoods = 4534,        // "Sheet Goods"
    kStrDeletedVendor = 4542,     // "<Deleted>"
    kStrNotApplicable = 4545,     // "N/A"
    kStrNewMaterialName = 4546,   // "New"
    kStrNotSpecified = 4548,      // "Not Specified"
    kStrYes = 4550,               // "Yes"
    kStrSkipNoInventory = 5020,   // "There is not enough inventory of the ..."
    kStrSkipNoMaterial = 5021,    // "No material name is specified for thi..."
    kStrSkipNoStockSize = 5022,   // "The specified material does not have ..."
    kStrSkipNoStockThickness = 5023, // "The specified material does not have ..."
    kStrSkipNoStockWL = 5024,     // "The specified material stock sizes of..."
    kStrSkipUndetermined = 5025,  // "The specific reason this part was ski..."
    kStrSkipBriefNoInventory = 5027, // "Insufficient inventory"
    kStrSkipBriefNoMaterial = 5028, // "Unspecified material"
    kStrSkipBriefNoStockSize = 5029, // "No stock sizes"
    kStrSkipBriefNoStockThickness = 5030, // "Stock thickness/inventory"
    kStrSkipBriefNoStockWL = 5031, // "Narrow/short stock"
    kStrSkipBriefUndetermined = 5032, // "Undetermined"
    kStrDefaultSheetUnit = 5061,  // "Sheets"
    kStrUnitLinealFeet = 5062,    // "Lineal Ft."
    kStrUnitLinealMetres = 5064,  // "Lineal M."
    kStrUnitSheets = 5065,        // "Sheets"
    kStrUnitSquareFeet = 5066,    // "Sq. Ft."
    kStrUnitSquareMetres = 5067,  // "Sq. M."
    kStrEditGrain = 5164,         // "Edit Grain Information"
    kStrMinimizeProRatedCostSentence = 4168, // "Minimize pro-rated cost."
    kStrMinimizeTotalCostSentence = 4170, // "Minimize total cost."
    kStrMinimizeWasteSentence = 4171, // "Minimize Waste."
    kStrEditProjectSettings = 5174, // "Edit Project Settings"
    kStrEditSizeCost = 4117,      // "Edit Size-Cost Info"
    kStrDeleteSizeCost = 4110,    // "Delete Size-Cost Info"
};

// The model's string table, handed to the string service at start-up.
std::span<const StringResource> ModelStringResources();
// The text of a UI string of the program's string service (empty without one).
QString UiText(int id);

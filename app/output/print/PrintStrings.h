#pragma once

#include "foundation/UIStringTable.h"

#include <span>

// Ids of the UI strings printing shows ("Yes" comes from the data model's table).
enum PrintStringId : int {
    kStrProgramName = 151,
    kStrNarrowLayoutsStretched = 4172,
    kStrPrintProRateCosts = 4174,
    kStrPrintRoundUpCosts = 4175,
    kStrLayoutsToScale = 4177,
    kStrUseInventoryFirst = 4178,
    kStrUseOffCutsFirst = 4179,
    kStrProjectCoverPage = 4738,
    kStrLayoutDiagramSettings = 4740,
    kStrNotesHeading = 4757,
    kStrOptimizationSettings = 4761,
    kStrBomRoundingMethod = 4767,
    kStrPrimaryObjective = 4769,
    kStrProjectName = 4770,
    kStrCoverPage = 4776,
    kStrPrintNo = 4547,
    kStrPrintNotes = 4758,
    // The document printer's sections.
    kStrPrintCostSummary = 47,
    kStrPrintSkippedParts = 48,
    kStrPrintPartsStatistics = 55,
    kStrPrintMaterialsStatistics = 56,
    kStrPrintReportsTitle = 74,
    kStrPrintReportsHeader = 75,
    kStrPrintPartsList = 4739,
    kStrPrintRawMaterialsTitle = 4753,
    kStrPrintBillOfMaterials = 4766,
    kStrPrintBomHeader = 4774,
    kStrPrintLayoutsHeader = 4778,
    kStrPrintPartsHeader = 4779,
    kStrPrintRawMaterialsHeader = 4781,
    kStrPrintTakeOffListsHeader = 4782,
    kStrPrintSheetGoods = 4783,
    kStrPrintLayoutDiagramTakeOffs = 4787,
    // The message of a print run stopped by a cancelled optimization.
    kStrPrintNotOptimized = 4792,
    // The window title of Print Setup.
    kStrPrintSetupTitle = 5510,
};

// Printing's string table, handed to the string service at start-up.
std::span<const StringResource> PrintStringResources();

#pragma once
// The texts of the reports: titles, column captions and the fixed cells.

#include "foundation/UIStringTable.h"

#include <QString>

#include <span>

enum ReportsStringId {
    kStrReportSkippedParts = 13,        // "Skipped Parts"
    kStrReportMaterialsStatsTitle = 66, // "Materials Statistics"
    kStrColMaterialNameAndSize = 68,    // "Material Name and Size"
    kStrColWaste = 69,                  // "Waste"
    kStrReportTotal = 70,               // "Total"
    kStrReportProjectTotal = 71,        // "Project Total"
    kStrColPartsArea = 80,              // "Parts Area"
    kStrReportMaterialsStats = 82,      // "Materials Statistics" (list entry)
    kStrColTotalCuts = 85,              // "Total Cuts"
    kStrColCutLength = 86,              // "Cut Length"
    kStrColPartsPerimeter = 87,         // "Parts Perimeter"
    kStrReportPartsStats = 94,          // "Parts Statistics" (list entry)
    kStrReportPartsStatsTitle = 95,     // "Parts Statistics"
    kStrColTotalQty = 96,               // "Total Qty"
    kStrColSkippedQty = 97,             // "Skipped Qty"
    kStrColPartsAreaShort = 98,         // "Parts Area"
    kStrColPartsPerimeterShort = 99,    // "Parts Perimeter"
    kStrColMaterialName = 100,          // "Material Name"
    kStrColLinealStock = 191,           // "Lineal Stock"
    kStrManuallyEditedFootnote = 274,   // "* Manually edited diagram."
    kStrColDescription = 4185,          // "Description"
    kStrColMaterial = 4187,             // "Material Name"
    kStrColPartNumber = 4190,           // "Part #"
    kStrReportCostSummary = 4634,       // "Cost Summary"
    kStrColQtySkipped = 4654,           // "Qty Skipped"
    kStrColReasonSkipped = 4656,        // "Reason Skipped"
};

// Strings already registered by other layers and used here: 4655
// "Quantity", 4658 "Total Cost", 4659 "Unit Cost", 4660 "Units" (grids);
// 4436 "%1 of %2", 5065 "Sheets" and the skip reasons (model).
enum ReportsSharedStringId {
    kStrColQuantity = 4655,
    kStrColTotalCost = 4658,
    kStrColUnitCost = 4659,
    kStrColUnits = 4660,
};

std::span<const StringResource> ReportsStringResources();

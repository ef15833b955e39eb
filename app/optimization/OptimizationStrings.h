#pragma once

#include "foundation/UIStringTable.h"

#include <QString>

#include <span>

// Ids of the UI strings this layer shows.
enum OptimizationStringId : int {
    kStrToBeDetermined = 437, // "TBD"
    kStrSkipped = 438,        // "Skipped"
    // The progress dialog of a run.
    kStrOptProgressTitle = 4607,  // "Layout Optimization Progress..."
    kStrOptProgressTasks = 4608,  // "Optimization Tasks"
    kStrOptProgressStatus = 4609, // "Status"
    kStrOptProgressTask = 4610,   // "Task"
    // The skipped-parts warning.
    kStrSkippedPartsTitle = 5016,      // "Warning: Skipped Parts"
    kStrSkippedPartsDontShow = 5017,   // "Don't show this warning again"
    kStrSkippedPartsMessage = 5018,    // "One or more parts could not be placed ..."
    // The packing strategies of the optimization settings.
    kStrBalanceLowWaste = 209,         // "Balance low waste with ease of cutting"
    kStrAlignmentOverCost = 211,       // "Alignment is more important than cost/waste"
    kStrPackTightly = 4854,            // "Pack parts tightly, even if layouts are complex"
    kStrAlignParts = 4855,             // "Align parts without concern for off-cut sizes"
    kStrPackingStrategy = 4860,        // "Packing Strategy"
};

// This layer's string table, handed to the string service at start-up.
std::span<const StringResource> OptimizationStringResources();
QString OptimizationText(int id);

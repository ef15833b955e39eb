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
};

// This layer's string table, handed to the string service at start-up.
std::span<const StringResource> OptimizationStringResources();
QString OptimizationText(int id);

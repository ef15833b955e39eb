#pragma once

#include "foundation/UIStringTable.h"

#include <QString>

#include <span>

// Ids of the UI strings this layer shows.
enum OptimizationStringId : int {
    kStrToBeDetermined = 437, // "TBD"
    kStrSkipped = 438,        // "Skipped"
};

// This layer's string table, handed to the string service at start-up.
std::span<const StringResource> OptimizationStringResources();
QString OptimizationText(int id);

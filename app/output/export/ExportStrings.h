#pragma once
// The texts of the mobile export.

#include "foundation/UIStringTable.h"

#include <span>

enum ExportStringId : int {
    kStrExportSucceeded = 14, // "Export was successful."
    kStrExportFailed = 15,    // "Kerfwell Plus could not export the data. ..."
};

std::span<const StringResource> ExportStringResources();

#pragma once

#include "foundation/UIStringTable.h"

#include <span>

// Ids of the UI strings printing shows ("Yes" comes from the data model's table).
enum PrintStringId : int {
    kStrPrintNo = 4547,    // "No"
    kStrPrintNotes = 4758, // "^^Notes:"
};

// Printing's string table, handed to the string service at start-up.
std::span<const StringResource> PrintStringResources();

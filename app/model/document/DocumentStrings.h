#pragma once

#include "foundation/UIStringTable.h"

#include <span>

// Ids of the UI strings the project document shows.
enum DocumentStringId : int {
    kStrProgramVersion = 156,    // the version text files are written with
    kStrNewerFileVersion = 503,  // "The file you are trying to open was created with ..."
    kStrDocumentReadError = 4225, // "AR-101: Error reading document: ..."
    kStrSaveChanges = 5092,      // "Save changes to %1?"
    kStrUntitled = 5093,         // "Untitled"
};

// The document's string table, handed to the string service at start-up.
std::span<const StringResource> DocumentStringResources();

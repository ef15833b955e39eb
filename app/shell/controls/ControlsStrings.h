#pragma once

#include "foundation/UIStringTable.h"

#include <span>

// Ids of the UI strings the program's own controls show.
enum ControlsStringId : int {
    kStrAllFiles = 4005, // "All Files (*.*)"
    kStrBrowse = 4691,
    kStrPathDoesNotExist = 4693,
    kStrEnterExistingFolder = 4694,
};

// The controls' string table, handed to the string service at start-up.
std::span<const StringResource> ControlsStringResources();

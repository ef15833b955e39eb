#pragma once

#include "foundation/UIStringTable.h"

#include <span>

// Ids of the UI strings the project document shows.
enum DocumentStringId : int {
    kStrProgramVersion = 156,    // the version text files are written with
    kStrNewerFileVersion = 503,  // "The file you are trying to open was created with ..."
    kStrDocumentReadError = 4225, // "AR-101: Error reading document: ..."
    // A project file that could not be taken off the disk at all: the
    // heading, then the line that says why.
    kStrFileNotOpened = 5480,    // "The project could not be opened."
    kStrFileNotFound = 5301,     // "%1 cannot be found."
    kStrFileNotReadable = 5302,  // "%1 cannot be read: %2"
    kStrNotARegularFile = 5303,  // "Not a regular file"
    kStrFileTooLarge = 5304,     // "Larger than any project file (%1 MB)"
    kStrSaveChanges = 5092,      // "Save changes to %1?"
    kStrUntitled = 5093,         // "Untitled"
    kStrLockProject = 5177,      // "Lock Project"
    kStrUnlockProject = 5178,    // "Unlock Project"
    // The project settings sheet.
    kStrProjectSettingsTitle = 4850, // "Project Settings"
    kStrGeneralPage = 4851,          // "General"
    kStrOptimizationPage = 4858,     // "Optimization"
    kStrProjectLockedSettings = 5176, // "Since this project is locked, ..."
    kStrSettingsProjectName = 4863,          // "Project Name"
    kStrSettingsPrimaryObjective = 4862,     // "Primary Objective"
    kStrMinimize = 4873,             // "Minimize:"
    kStrObjectiveWaste = 4878,       // "Waste"
    kStrObjectiveTotalCost = 4872,   // "Total cost"
    kStrObjectiveProRated = 4864,    // "Pro-rated cost"
    kStrConstraints = 210,           // "Subject to these constraints:"
    kStrSettingsUseOffCutsFirst = 4876,      // "Use off-cuts first, even if cost is higher"
    kStrSettingsUseInventoryFirst = 4875,    // "Use inventory before new purchases when feasible"
};

// The document's string table, handed to the string service at start-up.
std::span<const StringResource> DocumentStringResources();

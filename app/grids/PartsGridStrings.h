#pragma once

#include "foundation/UIStringTable.h"

#include <span>

// Ids of the UI strings of the parts grid, its commands and the group edit.
enum PartsGridStringId : int {
    kStrAddPartTip = 52, // "(Click here to add a part)"
    kStrColUserInfo = 58, // "<Info>"
    kStrPinnedPartGeometry
    = 227, // "This part appears on at least one pinned layout diagram. Its dimensions..."
    kStrPinnedPartCopies = 228, // "This part appears on at least one pinned layout diagram. To reduce..."
    kStrPinnedGroupGeometry = 229, // "This edit would change a part on a pinned layout diagram. The edit..."
    kStrPinnedGroupCopies = 230, // "This edit would change a part on a pinned layout diagram. To reduce..."
    kStrColDiagramList = 439, // "Diagram #s"
    kStrMenuJumpToDiagram = 441, // "Jump to Diagram\tF3"
    kStrDeleteItems = 4106, // "Delete %1"
    kStrGroupEditStep = 4119, // "Group Edit"
    kStrRenumberParts = 4131, // "Renumber Parts"
    kStrColCopies = 4184, // "Copies"
    kStrColPartDescription = 4185, // "Description"
    kStrColPartLength = 4186, // "Length"
    kStrColPartMaterial = 4187, // "Material Name"
    kStrColNotes = 4189, // "Notes"
    kStrColPartID = 4190, // "Part #"
    kStrColPartThickness = 4192, // "Thick"
    kStrColPartWidth = 4194, // "Width"
    kStrPartsMenuCopy = 4195, // "Copy"
    kStrPartsMenuCut = 4196, // "Cut"
    kStrMenuDelete = 4197, // "Delete"
    kStrPartsMenuDeleteNote = 4198, // "Delete Note"
    kStrMenuEditNote = 4199, // "Add/Edit Note"
    kStrMenuGroupEdit = 4200, // "Group Edit..."
    kStrMenuInsertNewPart = 4201, // "Insert New Part"
    kStrPartsMenuPaste = 4202, // "Paste"
    kStrMenuSwapLengthWidth = 4203, // "Swap Length and Width"
    kStrPartsLocked = 4235, // "This operation is not possible when the project is locked. ..."
    kStrGroupLabelCopies = 4272, // "Copies"
    kStrGroupLabelDescription = 4273, // "Description"
    kStrGroupEditTitle = 4274, // "Group Edit"
    kStrGroupEditIntro = 4275, // "%1 parts are selected for editing. Enter the new values below."
    kStrGroupLabelLength = 4276, // "Length"
    kStrGroupLabelMaterial = 4277, // "Material Name"
    kStrGroupLabelThickness = 4281, // "Thickness"
    kStrGroupLabelWidth = 4282, // "Width"
    kStrMenuAbbreviatedHeaders = 5079, // "Abbre&viated Column Headers"
    kStrMenuInsertDuplicate = 5122, // "Insert Duplicate Part\tF7"
};

// The parts grid's string table, handed to the string service at start-up.
std::span<const StringResource> PartsGridStringResources();

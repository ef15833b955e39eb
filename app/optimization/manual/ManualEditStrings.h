#pragma once

#include "foundation/UIStringTable.h"

#include <QString>

#include <span>

// Ids of the UI strings of the layout editing commands and layout styles.
enum ManualEditStringId : int {
    kStrManualEditStyle = 213, // "Manual Edit"
    kStrPinDiagram = 217, // "Pin Diagram"
    kStrUnpinDiagram = 218, // "Unpin Diagram"
    kStrPinAllDiagrams = 245, // "Pin All Diagrams"
    kStrUnpinAllDiagrams = 246, // "Unpin All Diagrams"
    kStrConvertToManualEdit = 251, // "Convert Diagram to Manual Edit"
    kStrMovePart = 252, // "Move Part"
    kStrRemovePart = 257, // "Remove Part"
    kStrAddPartToDiagram = 260, // "Add Part to Diagram"
    kStrRemoveEmptyDiagram = 277, // "Remove Empty Diagram"
    kStrMaxBottomOffCutStyle = 4426, // "Max. Bottom Off-Cut"
    kStrMaxSideOffCutStyle = 4427, // "Max. Side Off-Cut"
    kStrPreferCrossCutsStyle = 4428, // "Prefer Cross-Cuts"
    kStrPreferRipCutsStyle = 4429, // "Prefer Rip-Cuts"
    kStrStandardLayoutStyle = 4430, // "Standard Layout"
};

// This target's string table, handed to the string service at start-up.
std::span<const StringResource> ManualEditStringResources();

// The label of a layout style kind (0 to 5); any other kind is a Standard Layout.
QString GetLayoutStyleLabel(int style);

#pragma once
// The part the layouts page has selected, as the take-off list, the main
// diagram and the thumbnails exchange it; the painters highlight it.

#include "platform/Rect.h"

class CMilledPart;

struct TakeOffSelection
{
    CMilledPart* part = nullptr; // null when nothing is selected
    bool turned = false;
    // Layout units; set when the part was picked on a diagram, else zero.
    platform::Rect rect;
    // A drag of the selected part has begun.
    bool dragArmed = false;

    friend bool operator==(const TakeOffSelection&, const TakeOffSelection&) = default;
};

// What a painter highlights is the page's selection itself.
using DiagramHighlight = TakeOffSelection;

// A working copy of a selection: everything but the drag mark.
inline void CopyViewStateRecord(TakeOffSelection& destination, const TakeOffSelection& source)
{
    destination = source;
    destination.dragArmed = false;
}

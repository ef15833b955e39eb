#include "layouts/ui/LayoutsSelection.h"

#include "foundation/UpdateHint.h"

void MapHint(LayoutsViewState& state, const UpdateHint& hint, bool full, int source, int takeOffMode)
{
    const std::uint64_t detail = hint.GetDetailFlags();
    const std::uint64_t extra = hint.GetExtraFlags();
    if (DisplayDiagramPtr diagram = hint.GetDiagramToShow())
        state.selection.diagramToShow = std::move(diagram);
    state.extraFlags |= extra;
    state.source = static_cast<std::uint32_t>(source);
    if (full) {
        state.paneFlags = state.listFlags = PaneRefresh::All;
        return;
    }
    if (detail & 0x1)
        state.paneFlags |= PaneRefresh::Tree;
    if ((detail & 0x206) || (extra & 0x1))
        state.paneFlags |= PaneRefresh::Thumbnails;
    if ((detail & 0x66D8) || (extra & 0x6))
        state.paneFlags |= PaneRefresh::MainDiagram;
    // In mode 1 the list shows the parts of the shown diagram.
    if (detail & 0x800)
        state.paneFlags |= PaneRefresh::TakeOff;
    else if (((extra & 0x2) || (detail & 0x4000)) && takeOffMode == 1)
        state.paneFlags |= PaneRefresh::TakeOff;
    if (detail & 0xC0)
        state.listFlags |= PaneRefresh::TreeKeep;
    if ((detail & 0x6D80) || (extra & 0x6))
        state.listFlags |= PaneRefresh::ThumbnailsRedraw;
    // A selection made in the list itself needs no re-selecting there.
    if ((detail & 0x40) || ((extra & 0x4) && source != 8) || (detail & 0x1000) || (detail & 0x400))
        state.listFlags |= PaneRefresh::TakeOffReselect;
}

#pragma once
// The one selection of the layouts page, the pending refresh work of its
// panes, and how a document update hint becomes that work.

#include "layouts/DiagramHighlight.h"
#include "layouts/ui/ILayoutsTreeMgr.h"
#include "optimization/DisplayDiagram.h"
#include "optimization/DrawnPart.h"

#include <QPoint>

#include <cstdint>

class UpdateHint;

// Copied whole as a snapshot and assigned whole.
struct LayoutsSelection
{
    // The tree's part.
    int level = 0;
    OptimizationResultsPtr results;
    std::shared_ptr<IOptimizableMaterial> material;
    OptimizationTargetPtr target;
    // The diagram the main diagram shows; empty for none.
    DisplayDiagramPtr diagram;
    // The diagram the next rebuild of the thumbnails is to select.
    DisplayDiagramPtr diagramToShow;
    // Zero-based position of the shown diagram among the thumbnails.
    int diagramIndex = 0;
    TakeOffSelection takeOff;

    LayoutsTreeSelection GetTreeFields() const { return { level, results, material, target }; }
    void SetTreeFields(const LayoutsTreeSelection& tree)
    {
        level = tree.level;
        results = tree.results;
        material = tree.material;
        target = tree.target;
    }
};

// What a refresh still has to do; a bit leaves both words when its work is done.
namespace PaneRefresh {
// paneFlags
constexpr std::uint32_t Tree = 0x1; // rebuild the tree, take its selection
constexpr std::uint32_t Thumbnails = 0x2; // rebuild the thumbnails, take their diagram
constexpr std::uint32_t MainDiagram = 0x4; // main diagram and style icon
constexpr std::uint32_t TakeOff = 0x8; // refresh the take-off list from the selection
// listFlags
constexpr std::uint32_t TreeKeep = 0x1; // rebuild the tree keeping the selection
constexpr std::uint32_t ThumbnailsRedraw = 0x2;
constexpr std::uint32_t TakeOffReselect = 0x8; // re-select in, or refit, the list
constexpr std::uint32_t All = 0xFFFFFFFFu;
} // namespace PaneRefresh

// Detail bits the page raises itself, and the extra bits of its selection changes.
namespace LayoutsHint {
constexpr std::uint64_t ArrangementRebuilt = 0x1;
constexpr std::uint64_t CopyTurned = 0x2;
constexpr std::uint64_t HideDupesToggled = 0x4;
constexpr std::uint64_t TakeOffModeChanged = 0x800;
constexpr std::uint64_t ShowGrainToggled = 0x2000;
constexpr std::uint64_t StyleChanged = 0x4000;
constexpr std::uint64_t TreeSelectionChanged = 0x1; // extra
constexpr std::uint64_t DiagramChanged = 0x2; // extra
constexpr std::uint64_t TakeOffSelectionChanged = 0x4; // extra
} // namespace LayoutsHint

struct LayoutsViewState
{
    LayoutsSelection selection;
    // The drawn part under the pointer when a press on the diagram began.
    DrawnPartPtr pressedPart;
    QPoint pressPoint;
    std::uint32_t paneFlags = 0;
    std::uint32_t listFlags = 0;
    // The extra masks of every hint since the last completed refresh.
    std::uint64_t extraFlags = 0;
    // The source of the last hint.
    std::uint32_t source = 0;
};

// Turns a hint into pending refresh work. full: the results are out of
// date, so everything is redone; takeOffMode: the "TakeOff Mode" preference.
void MapHint(LayoutsViewState& state, const UpdateHint& hint, bool full, int source, int takeOffMode);

#pragma once
// Command ids of the layouts page: its toolbar, the layout style menus, the
// diagram context menu and the tree's pin commands.

namespace LayoutsCmd {
constexpr int Stretch = 32873;
constexpr int PartNumbers = 32874;
constexpr int Descriptions = 32875;
constexpr int Dimensions = 32877;
constexpr int HideDupes = 32878;
constexpr int LayoutStyle = 32879; // the "Style" button and its menu
constexpr int OptimizationSettings = 32880;
constexpr int ShowGrain = 32890;
constexpr int UserInfo = 32912;
constexpr int PinDiagram = 32925;
constexpr int PinAllInNode = 32928;
constexpr int UnpinAllInNode = 32929;
constexpr int RemoveEmptyDiagram = 32935;

// The layout styles on the "Style" menu ...
constexpr int StyleRipCuts = 236;
constexpr int StyleCrossCuts = 237;
constexpr int StyleSideOffCut = 238;
constexpr int StyleBottomOffCut = 239;
constexpr int StyleStandard = 240;
constexpr int StyleManualEdit = 32930;
// ... and the same styles on the diagram context menu.
constexpr int ContextRipCuts = 32918;
constexpr int ContextCrossCuts = 32919;
constexpr int ContextSideOffCut = 32920;
constexpr int ContextBottomOffCut = 32921;
constexpr int ContextStandard = 32922;
constexpr int ContextManualEdit = 32931;

// The diagram context menu.
constexpr int DiagramContextMenu = 314;

// Posted to the frame: arrange the page anew (after a failed row balance).
constexpr int RearrangeMessage = 0x800E;
} // namespace LayoutsCmd

// Show codes of the frame.
namespace FrameShow {
constexpr int Hide = 0;
constexpr int Show = 5;
} // namespace FrameShow

// The six style commands in the order of the "Style" menu, with the style
// each applies and its context-menu twin.
struct LayoutStyleCommand
{
    int style;
    int mainId;
    int contextId;
};
inline constexpr LayoutStyleCommand kLayoutStyleCommands[] = {
    { 1, LayoutsCmd::StyleRipCuts, LayoutsCmd::ContextRipCuts },
    { 2, LayoutsCmd::StyleCrossCuts, LayoutsCmd::ContextCrossCuts },
    { 3, LayoutsCmd::StyleSideOffCut, LayoutsCmd::ContextSideOffCut },
    { 4, LayoutsCmd::StyleBottomOffCut, LayoutsCmd::ContextBottomOffCut },
    { 0, LayoutsCmd::StyleStandard, LayoutsCmd::ContextStandard },
    { 5, LayoutsCmd::StyleManualEdit, LayoutsCmd::ContextManualEdit },
};

// The entry of a main or context id; null for any other id.
inline const LayoutStyleCommand* FindLayoutStyleCommand(int id)
{
    for (const LayoutStyleCommand& entry : kLayoutStyleCommands)
        if (entry.mainId == id || entry.contextId == id)
            return &entry;
    return nullptr;
}

// The main id of a style (0 for a style outside the table).
inline int LayoutStyleCommandId(int style)
{
    for (const LayoutStyleCommand& entry : kLayoutStyleCommands)
        if (entry.style == style)
            return entry.mainId;
    return 0;
}

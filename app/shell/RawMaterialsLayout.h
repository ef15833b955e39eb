#pragma once
// Where the Raw Materials page's controls lie in the page area, and the
// drag of the bar that divides the tree from the size/cost grid. Both are
// plain values so that the page's geometry can be checked without windows.

#include <QPoint>
#include <QRect>

#include <optional>

struct RawMaterialsLayout
{
    static constexpr int kDividerHeight = 8;
    // The divider stays at least this far below the page top and above its bottom.
    static constexpr int kLeastTreeHeight = 162;
    static constexpr int kLeastGridHeight = 60;
    static constexpr int kLargeScreenTreeWidth = 230;
    static constexpr int kLargeScreenColumn = 236;
    static constexpr int kLargeScreenDividerLeft = 232;
    static constexpr int kStripGap = 6;
    static constexpr int kRoomBesideStrip = 400;

    QRect divider;
    QRect tree;
    QPoint stripTopLeft;
    QRect grid;
};

// page: the page area below the tab strip; dividerPosition: the remembered
// divider top (-1 when none); stripWidth: the width of the material
// information strip. A window too short for the minimums gives zero sizes,
// never negative ones.
RawMaterialsLayout ComputeRawMaterialsLayout(
    const QRect& page, int dividerPosition, bool largeScreen, int stripWidth);

// The divider drag: a press on the bar starts it, moves inside the allowed
// band move the bar, the release gives the bar's new position.
class DividerDrag
{
public:
    // True when the press (view coordinates) hit the bar and a drag began.
    bool Press(const QPoint& point, const QRect& divider, bool enabled);
    // The bar's top while dragging: y when it lies in the allowed band of
    // the page, else the last accepted one.
    std::optional<int> Move(int y, const QRect& page);
    // The position to keep when a drag ends.
    std::optional<int> Release();
    bool IsDragging() const { return m_dragging; }

private:
    bool m_dragging = false;
    // Starts at the bar's own top, so a click without a move keeps it there.
    int m_lastAccepted = 0;
};

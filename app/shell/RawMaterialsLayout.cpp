#include "shell/RawMaterialsLayout.h"

#include <algorithm>

namespace {

int PageRight(const QRect& page)
{
    return page.left() + page.width();
}

int PageBottom(const QRect& page)
{
    return page.top() + page.height();
}

QRect Box(int left, int top, int width, int height)
{
    return QRect(left, top, std::max(width, 0), std::max(height, 0));
}

} // namespace

RawMaterialsLayout ComputeRawMaterialsLayout(
    const QRect& page, int dividerPosition, bool largeScreen, int stripWidth)
{
    using L = RawMaterialsLayout;
    const int right = PageRight(page);
    const int bottom = PageBottom(page);
    RawMaterialsLayout layout;

    int dividerTop = page.top() + L::kLeastTreeHeight;
    int dividerLeft = page.left() + L::kLargeScreenDividerLeft;
    if (!largeScreen) {
        dividerLeft = page.left();
        if (dividerPosition > bottom - L::kLeastGridHeight)
            dividerTop = bottom - L::kLeastGridHeight;
        else if (dividerPosition > dividerTop)
            dividerTop = dividerPosition;
    }
    layout.divider = Box(dividerLeft, dividerTop, right - dividerLeft - 2, L::kDividerHeight);

    const int treeWidth = largeScreen
        ? L::kLargeScreenTreeWidth
        : std::max(L::kLargeScreenTreeWidth, page.width() - stripWidth - L::kRoomBesideStrip);
    const int treeHeight = largeScreen ? page.height() : dividerTop - page.top() - 2;
    layout.tree = Box(page.left(), page.top(), treeWidth, treeHeight);

    layout.stripTopLeft = largeScreen ? QPoint(page.left() + L::kLargeScreenColumn, page.top())
                                      : QPoint(page.left() + treeWidth + L::kStripGap, page.top());

    const int gridLeft = largeScreen ? page.left() + L::kLargeScreenColumn : page.left();
    const int gridTop = dividerTop + L::kDividerHeight + 2;
    layout.grid = Box(gridLeft, gridTop, right - gridLeft, bottom - gridTop);
    return layout;
}

bool DividerDrag::Press(const QPoint& point, const QRect& divider, bool enabled)
{
    if (!enabled || !divider.contains(point))
        return false;
    m_dragging = true;
    m_lastAccepted = divider.top();
    return true;
}

std::optional<int> DividerDrag::Move(int y, const QRect& page)
{
    if (!m_dragging)
        return std::nullopt;
    const int least = page.top() + RawMaterialsLayout::kLeastTreeHeight;
    const int most = PageBottom(page) - RawMaterialsLayout::kLeastGridHeight;
    if (y >= least && y <= most)
        m_lastAccepted = y;
    return m_lastAccepted;
}

std::optional<int> DividerDrag::Release()
{
    if (!m_dragging)
        return std::nullopt;
    m_dragging = false;
    return m_lastAccepted;
}

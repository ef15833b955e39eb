#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGHeadings.h"
#include "gridctrl/CUGScrollBars.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

namespace {

void hover(QWidget* heading, int x, int y)
{
    sendMouse(heading, QEvent::MouseMove, QPoint(x, y), Qt::NoButton, Qt::NoButton);
}

void drag(QWidget* heading, QPoint from, QPoint to)
{
    hover(heading, from.x(), from.y());
    sendMouse(heading, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(heading, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(heading, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

} // namespace

TEST(CUGTopHdg, ColumnEdgesHoverWithinTwoPixels)
{
    CUGCtrl grid;
    createGrid(grid, 3, 5);
    CUGTopHdg* heading = grid.GetTopHeading();
    hover(heading, 77, 10);
    EXPECT_TRUE(heading->IsHovering());
    EXPECT_EQ(heading->SizedIndex(), 0);
    hover(heading, 78, 10);
    EXPECT_FALSE(heading->IsHovering());
    hover(heading, 73, 10);
    EXPECT_TRUE(heading->IsHovering());
    hover(heading, 72, 10);
    EXPECT_FALSE(heading->IsHovering());
}

TEST(CUGTopHdg, SizingDrags)
{
    CUGCtrl grid;
    createGrid(grid, 4, 5);
    grid.SetCornerButtonSizing(2); // live sizing
    CUGTopHdg* heading = grid.GetTopHeading();

    // An edge with a hidden column to its right opens that column.
    grid.SetColumnWidth(1, 0);
    hover(heading, 75, 10);
    EXPECT_EQ(heading->SizedIndex(), 1);
    drag(heading, QPoint(75, 10), QPoint(95, 10));
    EXPECT_EQ(grid.GetColumnWidth(0), 75);
    EXPECT_EQ(grid.GetColumnWidth(1), 20);

    // Left of the column's left edge the width stops at 0.
    drag(heading, QPoint(170, 10), QPoint(10, 10)); // column 2: 95 .. 170
    EXPECT_EQ(grid.GetColumnWidth(2), 0);

    // Preview mode: the width changes only when the button is released.
    grid.SetColumnWidth(2, 75);
    grid.SetCornerButtonSizing(1);
    hover(heading, 95, 10);
    sendMouse(heading, QEvent::MouseButtonPress, QPoint(95, 10), Qt::LeftButton, Qt::LeftButton);
    sendMouse(heading, QEvent::MouseMove, QPoint(105, 10), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(grid.GetColumnWidth(1), 20);
    EXPECT_EQ(heading->PreviewX(), 105);
    sendMouse(heading, QEvent::MouseButtonRelease, QPoint(105, 10), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(grid.GetColumnWidth(1), 30);
    EXPECT_EQ(heading->PreviewX(), -1);
}

TEST(CUGTopHdg, ColumnMoveByDraggingItsHeading)
{
    CUGCtrl grid;
    createGrid(grid, 4, 5, 400, 200);
    grid.EnableColumnMoving(true);
    grid.SetCellTextAt(0, -1, QStringLiteral("first"));
    CUGTopHdg* heading = grid.GetTopHeading();
    hover(heading, 30, 10);
    sendMouse(heading, QEvent::MouseButtonPress, QPoint(30, 10), Qt::LeftButton, Qt::LeftButton);
    sendMouse(heading, QEvent::MouseMove, QPoint(200, 10), Qt::NoButton, Qt::LeftButton); // right half of column 2
    EXPECT_EQ(heading->DropPosition(), 3);
    EXPECT_EQ(heading->DropMarkerX(), 225);
    sendMouse(heading, QEvent::MouseButtonRelease, QPoint(200, 10), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(grid.GetCellText(2, -1), QStringLiteral("first"));
    EXPECT_EQ(heading->DropMarkerX(), -1);
}

TEST(CUGVScroll, ThousandPositionsForManyRows)
{
    CUGCtrl grid;
    createGrid(grid, 3, 5000, 300, 20 + 400);
    ASSERT_EQ(grid.GetSheetInfo()->m_maxTopRow, 4980);
    CUGVScroll* bar = grid.GetVScrollBar();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 1000);
    EXPECT_EQ(bar->pageStep(), 1);
    grid.ScrollToRow(2490);
    EXPECT_EQ(bar->value(), 500);
    bar->OnScrollCode(kScrollThumbPosition, 250);
    EXPECT_EQ(grid.GetFirstVisibleRow(), 1245);
    // Dragging the thumb moves the rows only in scroll mode 1.
    bar->OnScrollCode(kScrollThumbTrack, 100);
    EXPECT_EQ(grid.GetFirstVisibleRow(), 1245);
    grid.SetVerticalScrollMode(1);
    bar->OnScrollCode(kScrollThumbTrack, 100);
    EXPECT_EQ(grid.GetFirstVisibleRow(), 498);

    // Few rows: one position per row, from the locked rows on.
    CUGCtrl small;
    createGrid(small, 3, 30, 300, 20 + 400);
    small.SetLockedRows(2);
    small.LayoutChildren();
    EXPECT_EQ(small.GetVScrollBar()->minimum(), 2);
    EXPECT_EQ(small.GetVScrollBar()->maximum(), small.GetSheetInfo()->m_maxTopRow);
    small.GetVScrollBar()->OnScrollCode(kScrollLineDown, 0);
    EXPECT_EQ(small.GetFirstVisibleRow(), 3);
    EXPECT_EQ(small.GetVScrollBar()->value(), 3);
}

TEST(CUGCnrBtn, EdgesSizeTheHeadings)
{
    CUGCtrl grid;
    createGrid(grid, 3, 5);
    grid.SetCornerButtonSizing(2);
    QWidget* corner = grid.GetCornerButton();
    ASSERT_EQ(corner->width(), 40);
    // The three rightmost pixel columns size the side heading.
    drag(corner, QPoint(37, 5), QPoint(60, 5));
    EXPECT_EQ(grid.GetSheetInfo()->m_sideHdgWidth, 60);
    EXPECT_EQ(grid.GetSheetInfo()->m_gridRect.left, 60);
    drag(corner, QPoint(36, 5), QPoint(80, 5)); // 4 pixels in: a plain click
    EXPECT_EQ(grid.GetSheetInfo()->m_sideHdgWidth, 60);
    // The three bottom pixel rows size the top heading.
    drag(grid.GetCornerButton(), QPoint(5, 17), QPoint(5, 30));
    EXPECT_EQ(grid.GetSheetInfo()->m_topHdgHeight, 30);
    EXPECT_EQ(grid.GetTopHeadingRowHeight(-1), 30);
}

TEST(CUGSideHdg, RowEdgesSizeRows)
{
    CUGCtrl grid;
    createGrid(grid, 3, 5);
    grid.SetCornerButtonSizing(2);
    QWidget* side = grid.GetSideHeading();
    drag(side, QPoint(10, 40), QPoint(10, 55)); // bottom edge of row 1
    EXPECT_EQ(grid.GetRowHeight(1), 35);
    EXPECT_EQ(grid.GetRowHeight(0), 20);
    drag(side, QPoint(10, 20), QPoint(10, -30));
    EXPECT_EQ(grid.GetRowHeight(0), 0);
}

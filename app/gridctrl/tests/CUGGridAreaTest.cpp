#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGHeadings.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QTest>
#include <QWheelEvent>

using platform::Rect;

namespace {

bool dark(QRgb rgb)
{
    return qGray(rgb) < 110;
}

} // namespace

TEST(CUGGridArea, PaintsHeadingsLinesLockedColumnAndFocus)
{
    CUGCtrl grid;
    useDejaVu(grid);
    ASSERT_TRUE(QFontInfo(*grid.GetDefaultFont()).family().contains(QStringLiteral("DejaVu")));
    createGrid(grid, 8, 50, 400, 300);
    grid.SetLockedColumns(1);
    for (int c = 0; c < 8; ++c)
        grid.SetCellTextAt(c, -1, QString(QChar(u'A' + c)));
    grid.GotoCell(2, 3);
    grid.show();
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.GetGridArea()->setFocus();
    ASSERT_TRUE(grid.GetGridArea()->HasFocusFlag());

    const QImage image = grid.grab().toImage();
    const CUGGridInfo* gi = grid.GetSheetInfo();
    const int left = gi->m_gridRect.left;
    const int top = gi->m_gridRect.top;
    const QRgb face = platform::ToQColor(platform::SystemColorRef(platform::SystemColor::ButtonFace)).rgb();
    // Column headings: button face with their captions.
    const QRect headingC(left + 150 + 10, 2, 55, 16);
    EXPECT_GT(countPixels(image, headingC, [&](QRgb p) { return p == face; }), 100);
    EXPECT_GT(countPixels(image, headingC, dark), 5);
    // Grid lines at the right of a scrolled column.
    EXPECT_EQ(image.pixel(left + 225 - 1, top + 30), qRgb(220, 220, 220));
    // The line after the locked column.
    EXPECT_EQ(image.pixel(left + 75 - 1, top + 30), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(left + 75 - 1, top + 130), qRgb(0, 0, 0));
    // The dotted focus frame on the current cell (2, 3).
    EXPECT_GT(countPixels(image, QRect(left + 150, top + 61, 1, 17), dark), 4);
    EXPECT_EQ(countPixels(image, QRect(left + 150, top + 101, 1, 17), dark), 0);
}

TEST(CUGGridArea, ZeroWidthColumnIsNeverPainted)
{
    CUGCtrl grid;
    createGrid(grid, 3, 5);
    grid.SetColumnWidth(1, 0);
    for (int r = 0; r < 5; ++r)
        grid.SetCellBackColorAt(1, r, platform::MakeColorRef(255, 0, 0));
    grid.GotoCell(1, 2);
    grid.show();
    const QImage image = grid.GetGridArea()->grab().toImage();
    EXPECT_EQ(countPixels(image, image.rect(), [](QRgb p) { return p == qRgb(255, 0, 0); }), 0);
    int column = -1, row = -1;
    Rect rect;
    ASSERT_EQ(grid.CellAtPoint(75, 5, &column, &row, &rect), 0);
    EXPECT_EQ(column, 2);
}

TEST(CUGGridArea, RepaintListAfterScrolling)
{
    CUGCtrl grid;
    createGrid(grid, 8, 50); // 260 pixels wide
    grid.SetColumnWidth(0, 10);
    grid.LayoutChildren();
    CUGGridInfo* gi = grid.GetSheetInfo();
    ASSERT_EQ(gi->m_rightCol, 4); // 10 + 3 x 75 = 235, column 4 partly shown
    RedrawHintList& hints = grid.GetGridArea()->DrawHints();
    hints.Clear();
    ASSERT_EQ(grid.ScrollToColumn(1), 0);
    using Range = RedrawHintList::Range;
    // The columns from the old right column on, then the old and new current cells.
    const std::vector<Range> narrow{{4, 0, 8, 50}, {0, 0, 0, 0}, {0, 0, 0, 0}};
    EXPECT_EQ(hints.Ranges(), narrow);

    hints.Clear();
    ASSERT_EQ(grid.ScrollToColumn(5), 0); // 4 x 75 pixels: more than the window
    ASSERT_FALSE(hints.Ranges().empty());
    EXPECT_EQ(hints.Ranges().front(), (Range{0, 0, 8, 50}));
    EXPECT_EQ(hints.Ranges().size(), 3u);

    // A window lying over the grid area: no image is moved, all is repainted.
    grid.show();
    auto* cover = new QWidget(&grid);
    cover->setGeometry(100, 50, 40, 40);
    cover->show();
    hints.Clear();
    ASSERT_EQ(grid.ScrollToColumn(4), 0);
    ASSERT_FALSE(hints.Ranges().empty());
    EXPECT_EQ(hints.Ranges().front(), (Range{0, 0, 8, 50}));
}

TEST(CUGGridArea, NavigationKeys)
{
    CUGCtrl grid;
    createGrid(grid, 3, 10);
    QWidget* area = grid.GetGridArea();
    grid.GotoCell(2, 4);
    QTest::keyClick(area, Qt::Key_Tab);
    EXPECT_EQ(grid.GetCurrentColumn(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 5);
    QTest::keyClick(area, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid.GetCurrentColumn(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 5);
    QTest::keyClick(area, Qt::Key_Right);
    QTest::keyClick(area, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
    EXPECT_EQ(grid.GetCurrentColumn(), 1);
    QTest::keyClick(area, Qt::Key_End);
    EXPECT_EQ(grid.GetCurrentColumn(), 2);
    QTest::keyClick(area, Qt::Key_Home);
    EXPECT_EQ(grid.GetCurrentColumn(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
}

TEST(CUGGridArea, WheelScrollsThreeRowsPerNotch)
{
    CUGCtrl grid;
    createGrid(grid, 3, 100);
    grid.ScrollToRow(10);
    auto wheel = [&](int delta) {
        const QPointF pos(10, 10);
        QWheelEvent event(pos, grid.GetGridArea()->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(grid.GetGridArea(), &event);
    };
    wheel(120);
    EXPECT_EQ(grid.GetFirstVisibleRow(), 7);
    // Small deltas add up to a notch instead of being dropped.
    wheel(-60);
    EXPECT_EQ(grid.GetFirstVisibleRow(), 7);
    wheel(-60);
    EXPECT_EQ(grid.GetFirstVisibleRow(), 10);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
}

TEST(CUGGridArea, DragBelowTheAreaStepsAtTheTimersPace)
{
    CUGCtrl grid;
    createGrid(grid, 3, 100);
    CUGGrid* area = grid.GetGridArea();
    const int below = grid.GetSheetInfo()->m_gridHeight + 15;
    sendMouse(area, QEvent::MouseButtonPress, QPoint(10, 45), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(grid.GetCurrentRow(), 2);
    sendMouse(area, QEvent::MouseMove, QPoint(10, below), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(grid.GetCurrentRow(), 3);
    EXPECT_TRUE(area->IsAutoScrolling());
    // Held still, the row steps once per timer tick, not as fast as it can.
    for (int tick = 0; tick < 3; ++tick)
        area->OnAutoScrollTimer();
    EXPECT_EQ(grid.GetCurrentRow(), 6);
    sendMouse(area, QEvent::MouseButtonRelease, QPoint(10, below), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(area->IsAutoScrolling());
    area->OnAutoScrollTimer();
    EXPECT_EQ(grid.GetCurrentRow(), 6);
}

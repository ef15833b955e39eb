#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGDataSource.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGMultiSelect.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

#include <QTest>

using platform::Rect;

TEST(CUGCtrlCore, LayoutWithAndWithoutScrollBars)
{
    CUGCtrl grid;
    createGrid(grid, 3, 5); // 225 x 100 pixels of cells in 260 x 180
    const CUGGridInfo* gi = grid.GetSheetInfo();
    EXPECT_EQ(gi->m_gridRect, Rect(40, 20, 300, 200));
    EXPECT_EQ(gi->m_cnrBtnRect, Rect(0, 0, 40, 20));
    EXPECT_EQ(gi->m_topHdgRect, Rect(40, 0, 300, 20));
    EXPECT_EQ(gi->m_sideHdgRect, Rect(0, 20, 40, 200));
    EXPECT_EQ(gi->m_gridWidth, 260);
    EXPECT_EQ(gi->m_gridHeight, 180);
    EXPECT_EQ(gi->m_vScrollRect.Width(), 0);
    EXPECT_EQ(gi->m_hScrollRect.Height(), 0);

    const int bar = gi->m_vScrollWidth;
    ASSERT_GT(bar, 0);
    grid.SetRowCount(10); // 200 pixels of rows: the vertical bar appears
    EXPECT_EQ(gi->m_gridRect, Rect(40, 20, 300 - bar, 200));
    EXPECT_EQ(gi->m_vScrollRect, Rect(300 - bar, 0, 300, 200));
    EXPECT_EQ(gi->m_hScrollRect.Height(), 0);

    grid.SetColumnCount(4); // 300 pixels of columns: both bars
    const int hBar = gi->m_hScrollHeight;
    EXPECT_EQ(gi->m_gridRect, Rect(40, 20, 300 - bar, 200 - hBar));
    EXPECT_EQ(gi->m_hScrollRect, Rect(0, 200 - hBar, 300 - bar, 200));
    EXPECT_EQ(gi->m_vScrollRect, Rect(300 - bar, 0, 300, 200 - hBar));
}

TEST(CUGCtrlCore, CountsAndLockedRegions)
{
    CUGCtrl grid;
    createGrid(grid, 4, 10);
    EXPECT_EQ(grid.GetCurrentColumn(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
    EXPECT_EQ(grid.SetColumnCount(32001), 1);
    EXPECT_EQ(grid.GetColumnCount(), 4);
    ASSERT_EQ(grid.GotoCell(2, 8), 0);
    grid.SetRowCount(5);
    EXPECT_EQ(grid.GetCurrentRow(), 4);

    EXPECT_EQ(grid.SetLockedColumns(5), 1);
    ASSERT_EQ(grid.SetLockedColumns(2), 0);
    EXPECT_EQ(grid.GetSheetInfo()->m_lockColWidth, 150);
    EXPECT_EQ(grid.GetFirstVisibleColumn(), 2);
    ASSERT_EQ(grid.SetLockedRows(3), 0);
    // A count of 0 leaves no locked column or row behind to be measured.
    grid.SetColumnCount(0);
    grid.SetRowCount(0);
    EXPECT_EQ(grid.GetSheetInfo()->m_numLockCols, 0);
    EXPECT_EQ(grid.GetSheetInfo()->m_numLockRows, 0);
    EXPECT_EQ(grid.GetSheetInfo()->m_lockColWidth, 0);
    EXPECT_EQ(grid.GetCurrentColumn(), -1);
    grid.SetColumnCount(3);
    grid.SetLockedColumns(2);
    grid.SetColumnCount(2);
    EXPECT_EQ(grid.GetSheetInfo()->m_numLockCols, 1);
}

namespace {

class RefusingSource : public CUGDataSource {
public:
    int answer = 0;
    int asked = 0;
    int CanMoveCurrentCell(int, int, int, int) override
    {
        ++asked;
        return answer;
    }
};

class HookGrid : public CUGCtrl {
public:
    bool allowMoves = true;
    int AllowCellMove(int, int, int, int) override { return allowMoves; }
};

} // namespace

TEST(CUGCtrlCore, RefusedMovesKeepTheCurrentCell)
{
    HookGrid grid;
    createGrid(grid, 4, 10);
    RefusingSource source;
    grid.SetDefaultDataSource(grid.AddDataSource(&source));
    source.answer = 2; // only exactly 1 allows a move
    EXPECT_EQ(grid.GotoCell(1, 1), 2);
    EXPECT_EQ(grid.GotoRow(3), 2);
    EXPECT_EQ(grid.StepCurrentRow(3), 2);
    QTest::keyClick(grid.GetGridArea(), Qt::Key_Down);
    QTest::keyClick(grid.GetGridArea(), Qt::Key_Right);
    EXPECT_EQ(grid.GetCurrentColumn(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
    EXPECT_GE(source.asked, 5);

    source.answer = 1;
    grid.allowMoves = false;
    EXPECT_EQ(grid.GotoCell(1, 1), 2);
    QTest::keyClick(grid.GetGridArea(), Qt::Key_Down);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
    grid.allowMoves = true;
    EXPECT_EQ(grid.GotoCell(1, 1), 0);
    EXPECT_EQ(grid.GetCurrentColumn(), 1);
    EXPECT_EQ(grid.GotoCell(9, 1), 1);
}

TEST(CUGCtrlCore, KeepInViewAndPageMoves)
{
    CUGCtrl grid;
    createGrid(grid, 3, 100); // 9 whole rows in the area of 180 - the scroll bar
    CUGGridInfo* gi = grid.GetSheetInfo();
    const int visibleRows = gi->m_gridHeight / 20;
    ASSERT_EQ(grid.GotoRow(30), 0);
    EXPECT_EQ(grid.GetFirstVisibleRow(), 30 - visibleRows + 1);
    ASSERT_EQ(grid.GotoRow(5), 0);
    EXPECT_EQ(grid.GetFirstVisibleRow(), 5);

    // A page forward moves to the first row that no longer fits.
    ASSERT_EQ(grid.StepCurrentRow(3), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 5 + visibleRows);
    ASSERT_EQ(grid.StepCurrentRow(2), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 5);
    ASSERT_EQ(grid.StepCurrentRow(5), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 99);
    EXPECT_EQ(grid.GetFirstVisibleRow(), gi->m_maxTopRow);
    EXPECT_EQ(grid.GotoRow(100), 1); // already on the last row
    ASSERT_EQ(grid.StepCurrentRow(4), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
    EXPECT_EQ(grid.GetFirstVisibleRow(), 0);

    ASSERT_EQ(grid.StepTopRow(3), 0);
    EXPECT_EQ(grid.GetFirstVisibleRow(), visibleRows);
    EXPECT_EQ(grid.GetCurrentRow(), 0); // scrolling leaves the current cell
    ASSERT_EQ(grid.ScrollToRow(1000), 0);
    EXPECT_EQ(grid.GetFirstVisibleRow(), gi->m_maxTopRow);
}

TEST(CUGCtrlCore, GeometryAndHitTest)
{
    CUGCtrl grid;
    createGrid(grid, 4, 10);
    grid.SetColumnWidth(1, 0);
    int column = 2, row = 1;
    Rect rect;
    ASSERT_EQ(grid.GetCellRectangle(&column, &row, &rect), 0);
    EXPECT_EQ(rect, Rect(75, 20, 150, 40));
    ASSERT_EQ(grid.CellAtPoint(80, 25, &column, &row, &rect), 0);
    EXPECT_EQ(column, 2); // the zero-width column is never hit
    EXPECT_EQ(row, 1);
    EXPECT_EQ(grid.CellAtPoint(-1, 5, &column, &row, &rect), 1);
    ASSERT_EQ(grid.GetRangeRectangle(0, 0, 2, 1, &rect), 0);
    EXPECT_EQ(rect, Rect(0, 0, 150, 40));
}

TEST(CUGCtrlCore, FitToWindow)
{
    CUGCtrl grid;
    createGrid(grid, 3, 2, 40 + 120, 200);
    ASSERT_EQ(grid.GetSheetInfo()->m_gridWidth, 120);
    grid.SetColumnWidth(0, 10);
    grid.SetColumnWidth(1, 20);
    grid.SetColumnWidth(2, 30);
    ASSERT_EQ(grid.FitColumnsToWindow(0, 2), 0);
    EXPECT_EQ(grid.GetColumnWidth(0), 20);
    EXPECT_EQ(grid.GetColumnWidth(1), 40);
    EXPECT_EQ(grid.GetColumnWidth(2), 60);
    // Nothing to scale: widths of zero stay.
    for (int c = 0; c < 3; ++c)
        grid.SetColumnWidth(c, 0);
    EXPECT_EQ(grid.FitColumnsToWindow(0, 2), 0);
    EXPECT_EQ(grid.GetColumnWidth(2), 0);
    EXPECT_EQ(grid.FitColumnsToWindow(0, 3), 1);
    grid.SetColumnCount(0);
    EXPECT_EQ(grid.FitColumnsToWindow(0, 0), 1);

    grid.SetColumnCount(2);
    grid.SetCellTextAt(0, 0, QStringLiteral("A rather long text for fitting"));
    ASSERT_EQ(grid.FitColumnsToContent(0, 1, 0, 0), 0);
    EXPECT_GT(grid.GetColumnWidth(0), grid.GetColumnWidth(1));
    EXPECT_LE(grid.GetColumnWidth(0), 120 - grid.GetSheetInfo()->m_vScrollWidth);
}

namespace {

class SetupGrid : public CUGCtrl {
public:
    QStringList calls;
    void OnGridSetup() override { calls << QStringLiteral("setup"); }
    void OnSheetInit(int sheet) override { calls << QStringLiteral("sheet %1").arg(sheet); }
};

class CountingType : public CUGCellType {
public:
    int OnTypeCommand(int word) override { return word * 2; }
};

class BuiltInGrid : public SetupGrid {
public:
    using CUGCtrl::InstallBuiltInCellType;
};

} // namespace

TEST(CUGCtrlCore, SetupHooksSheetsAndTypeMessages)
{
    SetupGrid grid;
    createGrid(grid, 2, 2);
    EXPECT_EQ(grid.calls, (QStringList{QStringLiteral("setup"), QStringLiteral("sheet 0")}));
    EXPECT_TRUE(grid.GetSheetInfo()->m_paintMode);
    ASSERT_EQ(grid.SetSheetCount(3), 0);
    EXPECT_EQ(grid.calls.mid(2), (QStringList{QStringLiteral("sheet 1"), QStringLiteral("sheet 2")}));
    ASSERT_EQ(grid.SetCurrentSheet(2), 0);
    EXPECT_EQ(grid.GetColumnCount(), 0); // a new sheet has its own settings
    EXPECT_EQ(grid.SetCurrentSheet(3), 1);
    grid.SetSheetCount(1);
    EXPECT_EQ(grid.GetCurrentSheet(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 2);

    CountingType type;
    const int index = grid.AddCellType(&type);
    EXPECT_EQ(index, 4); // after the normal type and the three reserved ones
    EXPECT_EQ(type.GetGrid(), &grid);
    EXPECT_EQ(grid.SendCellTypeMessage(index, 21), 42);
    EXPECT_EQ(grid.SendCellTypeMessage(0, 21), 0);
    EXPECT_EQ(grid.SendCellTypeMessage(77, 21), 0);

    // The reserved indexes hold the grid's own built-in types, once.
    BuiltInGrid builtIn;
    CountingType checkBox;
    EXPECT_EQ(builtIn.InstallBuiltInCellType(4, &checkBox), 1);
    EXPECT_EQ(builtIn.InstallBuiltInCellType(2, &checkBox), 2);
    EXPECT_EQ(builtIn.GetCellTypeByIndex(1)->GetName(), QStringLiteral("DropList"));
    EXPECT_EQ(builtIn.GetCellTypeByIndex(2)->GetName(), QStringLiteral("CheckBox"));
    EXPECT_EQ(builtIn.GetCellTypeByIndex(3)->GetName(), QStringLiteral("Side Arrows"));
    EXPECT_EQ(builtIn.GetCellTypeByIndex(2)->GetTypeIndex(), 2);
}

TEST(CUGCtrlCore, AttachTakesThePlaceAndFontOfADialogWidget)
{
    QWidget dialog;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    dialog.setFont(font);
    auto* placeholder = new QWidget(&dialog);
    placeholder->setGeometry(10, 20, 200, 100);
    SetupGrid grid;
    EXPECT_EQ(grid.AttachGrid(nullptr), 0);
    ASSERT_EQ(grid.AttachGrid(placeholder), 1);
    EXPECT_EQ(grid.parentWidget(), &dialog);
    EXPECT_EQ(grid.geometry(), QRect(10, 20, 200, 100));
    EXPECT_TRUE(placeholder->isHidden());
    ASSERT_NE(grid.GetDefaultFont(), nullptr);
    EXPECT_EQ(grid.GetDefaultFont()->pixelSize(), 13);
    CUGCell heading;
    grid.GetHeadingDefault(&heading);
    ASSERT_NE(heading.GetFont(), nullptr);
    EXPECT_EQ(heading.GetFont()->weight(), QFont::Weight(font.weight() + 200));
    EXPECT_EQ(grid.calls.size(), 2);
    grid.setParent(nullptr); // the stack object leaves the dialog before it goes
}

TEST(CUGCtrlCore, TrackingWindowKeepsOffTheCurrentCell)
{
    CUGCtrl grid;
    createGrid(grid, 3, 10);
    grid.move(100, 100);
    grid.show();
    QWidget tracker;
    tracker.resize(50, 30);
    grid.SetTrackingWindow(&tracker);
    const QPoint area = grid.GetGridArea()->mapToGlobal(QPoint(0, 0));

    // Mode 1: 30 pixels right of the current cell, level with its top.
    grid.SetTrackingWindowMode(1);
    grid.GotoCell(1, 2);
    EXPECT_EQ(tracker.pos(), area + QPoint(150 + 30, 40));

    // Otherwise it stays unless it covers the cell; then it moves right of it.
    grid.SetTrackingWindowMode(0);
    tracker.move(area + QPoint(160, 45));
    grid.GotoCell(0, 2);
    EXPECT_EQ(tracker.pos(), area + QPoint(160, 45));
    grid.GotoCell(2, 2);
    EXPECT_EQ(tracker.pos(), area + QPoint(225 + 5, 45));
}

#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGHeadings.h"
#include "gridctrl/CUGMem.h"
#include "gridctrl/CUGRowMode.h"

#include "foundation/RealArchive.h"

#include "EmptyListKeys.h"
#include "GridTestSupport.h"

#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <QTest>
#include <QKeySequence>

#include <sstream>
#include <vector>

namespace {

// A source that records the grid's notifications.
class NotedSource : public CUGMem {
public:
    int columns = 3;
    int rows = 4;
    QList<int> codes;
    QList<long long> firstValues;
    int GetColumnCount() override { return columns; }
    int GetRowCount() override { return rows; }
    int OnGridNotify(int code, long long first, long long) override
    {
        codes << code;
        firstValues << first;
        return 0;
    }
};

// A source that notes every other row a move asks to enter.
class MoveNotingSource : public NotedSource {
public:
    QList<int> enteredRows;
    int CanMoveCurrentCell(int, int oldRow, int, int newRow) override
    {
        if (newRow != oldRow)
            enteredRows << newRow;
        return 1;
    }
};

void createRowGrid(CUGRowMode& grid, int width = 300, int height = 200)
{
    grid.CreateGrid(0, platform::Rect(0, 0, width, height), nullptr, 1);
}

std::string storeMapping(CUGRowMode& grid)
{
    std::ostringstream out;
    platform::BinaryArchive archive = platform::BinaryArchive::storing(out, "GridStat.KWG");
    RealArchive ar(archive);
    grid.SerializeColumnMapping(ar);
    archive.flush();
    return out.str();
}

void loadMapping(CUGRowMode& grid, const std::string& bytes)
{
    const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    platform::BinaryArchive archive = platform::BinaryArchive::loading(data, "GridStat.KWG");
    RealArchive ar(archive);
    grid.SerializeColumnMapping(ar);
}

std::string words(std::initializer_list<std::uint32_t> values)
{
    std::string bytes;
    for (std::uint32_t v : values)
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
    return bytes;
}

} // namespace

TEST(CUGRowMode, SetupAndBindingNotifications)
{
    CUGRowMode grid;
    createRowGrid(grid);
    EXPECT_EQ(grid.GetSortArrowTypeIndex(), 4);
    EXPECT_EQ(grid.GetNoteTypeIndex(), 5);
    EXPECT_EQ(grid.GetFont(0)->family(), QStringLiteral("Verdana"));
    EXPECT_EQ(grid.GetSheetInfo()->m_sideHdgWidth, 0);

    NotedSource source;
    const int index = grid.AddDataSource(&source);
    ASSERT_EQ(grid.SetDataSource(index), 0);
    EXPECT_EQ(source.codes, (QList<int>{3, 2, 4, 12, 3}));
    EXPECT_EQ(source.firstValues[0], 0);
    EXPECT_EQ(source.firstValues[2], 4);
    EXPECT_EQ(source.firstValues[3], 5);
    EXPECT_EQ(source.firstValues[4], 1);
    EXPECT_EQ(grid.GetColumnCount(), 3);
    EXPECT_EQ(grid.GetRowCount(), 4);
    EXPECT_EQ(grid.GetCurrentRow(), -1);
    // Editable: the last row is the new-row line.
    EXPECT_EQ(grid.GetDataRowCount(), 3);
    grid.SetReadOnly(true);
    EXPECT_EQ(grid.GetDataRowCount(), 4);

    NotedSource empty;
    empty.columns = 0;
    EXPECT_EQ(grid.SetDataSource(grid.AddDataSource(&empty)), 2);
    EXPECT_EQ(empty.codes, (QList<int>{3, 2, 4, 12}));
    EXPECT_EQ(grid.GetColumnCount(), 3);
    EXPECT_EQ(grid.SetDataSource(40), 1);
}

TEST(CUGRowMode, MovesOfReadOnlyAndEmptyEditableGrids)
{
    CUGRowMode grid;
    createRowGrid(grid);
    grid.SetColumnCount(2);
    grid.SetRowCount(1);
    grid.ResetCurrentCell();
    // Only the new-row line: it cannot become current.
    EXPECT_EQ(grid.GotoCell(0, 0), 2);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.GotoCell(1, 2), 0);
    grid.SetReadOnly(true);
    EXPECT_EQ(grid.GotoCell(0, 1), 2);
    QTest::keyClick(grid.GetGridArea(), Qt::Key_A);
    EXPECT_FALSE(grid.IsEditing());
}

TEST(CUGRowMode, PagingAndJumpingStopAboveTheNewRowLine)
{
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int fromRow;
        int landsOn;
        int landsOnWithoutLine;
    };
    // Rows 0 to 28 hold data and row 29 is the new-row line, unless the grid
    // has none; a page is several rows, so one from row 25 reaches the end.
    const Case cases[] = {
        {"PageDown on the last row", Qt::Key_PageDown, Qt::NoModifier, 28, 28, 29},
        {"PageDown near the end", Qt::Key_PageDown, Qt::NoModifier, 25, 28, 29},
        {"Ctrl+PageDown near the end", Qt::Key_PageDown, Qt::ControlModifier, 25, 28, 29},
        {"Ctrl+End from a middle row", Qt::Key_End, Qt::ControlModifier, 3, 28, 29},
        {"End on the last row", Qt::Key_End, Qt::NoModifier, 28, 28, 28},
        {"Ctrl+Home from the last row", Qt::Key_Home, Qt::ControlModifier, 28, 0, 0},
        {"Down on the last row", Qt::Key_Down, Qt::NoModifier, 28, 29, 29},
    };
    for (const bool newRowLine : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (newRowLine ? " with a new-row line" : " without one"));
            CUGRowMode grid;
            createRowGrid(grid);
            grid.SetNewRowLine(newRowLine);
            MoveNotingSource source;
            source.rows = 30;
            ASSERT_EQ(grid.SetDataSource(grid.AddDataSource(&source)), 0);
            ASSERT_EQ(grid.GotoCell(1, c.fromRow), 0);
            source.enteredRows.clear();
            QTest::keyClick(grid.GetGridArea(), c.key, c.modifiers);
            const int landsOn = newRowLine ? c.landsOn : c.landsOnWithoutLine;
            EXPECT_EQ(grid.GetCurrentRow(), landsOn);
            // The source is never even asked about the line unless the move gets there.
            EXPECT_EQ(source.enteredRows.contains(29), landsOn == 29);
        }
    }
}

TEST(CUGRowMode, PagingAndJumpingInAnEmptyEditableGridEnterNoRow)
{
    CUGRowMode grid;
    createRowGrid(grid);
    MoveNotingSource source;
    source.rows = 1; // only the new-row line
    ASSERT_EQ(grid.SetDataSource(grid.AddDataSource(&source)), 0);
    ASSERT_EQ(grid.GetCurrentRow(), -1);
    // Every key from no current row; only a step forward asks for the
    // line, as it may make a row there.
    for (const EmptyListKey& k : kEmptyListKeys) {
        SCOPED_TRACE(k.Name());
        source.enteredRows.clear();
        grid.ResetCurrentCell();
        QTest::keyClick(grid.GetGridArea(), k.key.key(), k.key.keyboardModifiers());
        const std::vector<int> entered(source.enteredRows.begin(), source.enteredRows.end());
        EXPECT_EQ(entered, k.makesARow ? std::vector<int> { 0 } : std::vector<int> {});
        if (!k.makesARow) {
            EXPECT_EQ(grid.GetCurrentRow(), -1);
        }
    }
}

TEST(CUGRowMode, HeadingClicksSortAscendingThenDescending)
{
    CUGRowMode grid;
    createRowGrid(grid);
    grid.SetColumnCount(2);
    grid.SetRowCount(3);
    const QStringList names{QStringLiteral("pine"), QStringLiteral("Ash"), QStringLiteral("oak")};
    for (int r = 0; r < 3; ++r)
        grid.SetCellTextAt(0, r, names[r]);
    grid.EnableSortIndicator(true);
    grid.show();
    const QPoint heading(20, 10);
    auto column = [&] {
        QStringList out;
        for (int r = 0; r < 3; ++r)
            out << grid.GetCellText(0, r);
        return out;
    };
    auto headingStyle = [&] {
        CUGCell cell;
        grid.GetCellWithDefaults(0, -1, &cell);
        return std::make_pair(cell.GetCellType(), cell.GetCellTypeStyle());
    };
    QTest::mouseClick(grid.GetTopHeading(), Qt::LeftButton, Qt::NoModifier, heading);
    EXPECT_EQ(column(), (QStringList{QStringLiteral("Ash"), QStringLiteral("oak"), QStringLiteral("pine")}));
    EXPECT_EQ(headingStyle(), std::make_pair(4, 16));
    QTest::mouseClick(grid.GetTopHeading(), Qt::LeftButton, Qt::NoModifier, heading);
    EXPECT_EQ(column(), (QStringList{QStringLiteral("pine"), QStringLiteral("oak"), QStringLiteral("Ash")}));
    EXPECT_EQ(headingStyle(), std::make_pair(4, 32));
    EXPECT_EQ(grid.GetSortColumn(), 0);
    EXPECT_FALSE(grid.IsSortAscending());
}

TEST(CUGRowMode, FitModesSuspensionsAndStretch)
{
    CUGRowMode grid;
    createRowGrid(grid, 400, 200);
    grid.SetFitMode(3, false);
    grid.SetFitMode(1, false);
    EXPECT_EQ(grid.GetFitMode(), 3);
    grid.ForceFitMode(1, false);
    EXPECT_EQ(grid.GetFitMode(), 1);

    // In mode 2 no width changes.
    grid.SetColumnCount(3);
    grid.SetRowCount(2);
    grid.SetCellTextAt(0, 0, QStringLiteral("a rather long text for one column"));
    grid.ForceFitMode(2, true);
    EXPECT_EQ(grid.GetColumnWidth(0), 75);

    grid.BeginRedrawSuspend();
    grid.BeginRedrawSuspend();
    grid.EndRedrawSuspend();
    EXPECT_FALSE(grid.GetSheetInfo()->m_paintMode);
    EXPECT_FALSE(grid.GetRedrawFlag());
    grid.EndRedrawSuspend();
    EXPECT_TRUE(grid.GetSheetInfo()->m_paintMode);
    EXPECT_TRUE(grid.GetRedrawFlag());

    // Stretching widens by at most 30 %: 3 x 8 pixels become 31.
    grid.m_stretchAfterFit = true;
    grid.SetCellTextAt(0, 0, QString());
    grid.ForceFitMode(1, false);
    grid.FitColumnsToContent(0, 2, 0, 0);
    const int fitted = grid.GetColumnWidth(0) + grid.GetColumnWidth(1) + grid.GetColumnWidth(2);
    EXPECT_EQ(fitted, 31);
    EXPECT_EQ(grid.GetColumnWidth(0), 10);

    // A grid without columns is left alone.
    grid.SetColumnCount(0);
    EXPECT_NO_FATAL_FAILURE(grid.FitColumnsByMode());
    EXPECT_EQ(grid.GetColumnCount(), 0);
}

TEST(CUGRowMode, ColumnMappingInTheGridStateFile)
{
    CUGRowMode grid;
    createRowGrid(grid);
    grid.SetColumnCount(10);
    grid.SetColumnMapping(0, 9);
    grid.SetColumnMapping(9, 0);
    const std::string bytes = storeMapping(grid);
    EXPECT_EQ(bytes.size(), 40u);

    CUGRowMode other;
    createRowGrid(other);
    other.SetColumnCount(10);
    loadMapping(other, bytes);
    EXPECT_EQ(other.GetColumnMapping(0), 9);
    EXPECT_EQ(other.GetColumnMapping(9), 0);
    EXPECT_EQ(other.GetColumnMapping(4), 4);

    // Damaged sets read back as the identity.
    const std::string damaged[] = {words({0, 0, 2}), words({0, 1, 7}), words({2, 0, 0xFFFFFFFF})};
    for (const std::string& set : damaged) {
        CUGRowMode three;
        createRowGrid(three);
        three.SetColumnCount(3);
        three.SetColumnMapping(0, 2);
        three.SetColumnMapping(2, 0);
        loadMapping(three, set);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(three.GetColumnMapping(c), c);
    }
    CUGRowMode none;
    createRowGrid(none);
    EXPECT_TRUE(storeMapping(none).empty());
}

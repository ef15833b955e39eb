#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGMem.h"

#include <gtest/gtest.h>

namespace {

CUGCell textCell(const QString& text)
{
    CUGCell cell;
    cell.SetPropertyFlags(0); // sets the text only
    cell.SetText(text);
    return cell;
}

void store(CUGMem& mem, int column, int row, const QString& text)
{
    CUGCell cell = textCell(text);
    mem.SetCell(column, row, &cell);
}

} // namespace

TEST(CUGMem, StoringACellCreatesRowsAndPlacesOnDemand)
{
    CUGMem mem;
    EXPECT_EQ(mem.GetRowCount(), 0);
    store(mem, 2, 3, QStringLiteral("x"));
    EXPECT_EQ(mem.GetRowCount(), 4);
    CUGCell cell;
    EXPECT_EQ(mem.GetCell(1, 3, &cell), 1); // a place without a cell
    EXPECT_EQ(mem.GetCell(2, 3, &cell), 0);
    EXPECT_EQ(mem.GetCell(0, 0, &cell), 1);
    EXPECT_EQ(mem.GetCell(2, 4, &cell), 1);

    // The stored cell is laid over the column default the caller passes.
    CUGCell layered;
    layered.SetBackColor(0x00AA00);
    mem.GetCell(2, 3, &layered);
    EXPECT_EQ(layered.GetText(), QStringLiteral("x"));
    EXPECT_EQ(layered.GetBackColor(), 0x00AA00u);

    EXPECT_EQ(mem.InsertRow(7), 1);
    EXPECT_EQ(mem.InsertRow(0), 0);
    EXPECT_EQ(mem.GetCell(2, 4, &cell), 0);
    EXPECT_EQ(mem.DeleteRow(99), 0);
    EXPECT_EQ(mem.DeleteRow(0), 0);
    EXPECT_EQ(mem.GetCell(2, 3, &cell), 0);
    EXPECT_EQ(mem.DeleteCell(2, 3), 0);
    EXPECT_EQ(mem.GetCell(2, 3, &cell), 1);
    mem.RemoveAll();
    EXPECT_EQ(mem.GetRowCount(), 0);
}

TEST(CUGMem, FindFlagsAndWrap)
{
    CUGCtrl grid;
    grid.SetColumnCount(2);
    grid.SetRowCount(4);
    auto* mem = static_cast<CUGMem*>(grid.GetDataSource(0));
    store(*mem, 0, 0, QStringLiteral("xaby"));
    store(*mem, 0, 1, QStringLiteral("ab"));
    store(*mem, 0, 2, QStringLiteral("AB"));
    store(*mem, 1, 3, QStringLiteral("ab"));

    struct Case { int flags; int startRow; int row; };
    const Case cases[] = {
        {1, -1, 0}, // any part
        {0, -1, 1}, // whole text, exact
        {0, 1, 1},  // only the start matches: found again as the last step
        {2, 1, 2},  // whole text, any case
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        int column = 0, row = c.startRow;
        ASSERT_EQ(mem->FindNext(QStringLiteral("ab"), &column, &row, c.flags), 0);
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(column, 0);
    }

    // A single-column forward find from the last row wraps to row 0.
    int column = 0, row = 3;
    ASSERT_EQ(mem->FindNext(QStringLiteral("xaby"), &column, &row, 0), 0);
    EXPECT_EQ(row, 0);
    // Backwards from row 2 finds row 1.
    row = 2;
    ASSERT_EQ(mem->FindNext(QStringLiteral("ab"), &column, &row, 4), 0);
    EXPECT_EQ(row, 1);
    // All columns, row by row: column 1 of row 3 after the rows of column 0.
    column = 0;
    row = 2;
    ASSERT_EQ(mem->FindNext(QStringLiteral("ab"), &column, &row, 8), 0);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(row, 3);
    column = 0;
    row = 0;
    EXPECT_EQ(mem->FindNext(QStringLiteral("zz"), &column, &row, 1 | 8), 1);
    column = 0;
    EXPECT_EQ(mem->FindFirst(QStringLiteral("xaby"), &column, &row, 0), 0);
    EXPECT_EQ(row, 0);
}

TEST(CUGMem, StableSortAndColumnMappings)
{
    CUGCtrl grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(5);
    auto* mem = static_cast<CUGMem*>(grid.GetDataSource(0));
    const char* keys[] = {"b", "a", "b", "", "a"};
    for (int r = 0; r < 5; ++r) {
        store(*mem, 0, r, QString::fromLatin1(keys[r]));
        store(*mem, 1, r, QString::number(r));
    }
    ASSERT_EQ(mem->SortRowsByColumn(0, 1), 0);
    QStringList order;
    for (int r = 0; r < 5; ++r)
        order << grid.GetCellText(1, r);
    // Equal keys keep their order; a cell without text sorts last.
    EXPECT_EQ(order.join(QLatin1Char(',')), QStringLiteral("1,4,0,2,3"));
    ASSERT_EQ(mem->SortRowsByColumn(0, 2), 0);
    order.clear();
    for (int r = 0; r < 5; ++r)
        order << grid.GetCellText(1, r);
    EXPECT_EQ(order.join(QLatin1Char(',')), QStringLiteral("3,0,2,1,4"));

    ASSERT_EQ(mem->InsertColumn(0), 0);
    EXPECT_EQ(grid.GetColumnMapping(0), 1);
    EXPECT_EQ(grid.GetColumnMapping(1), 2);
    EXPECT_EQ(grid.GetColumnMapping(2), 3);
    // The old column 1 now lies in data column 2.
    CUGCell cell;
    EXPECT_EQ(mem->GetCell(2, 0, &cell), 0);
    EXPECT_EQ(cell.GetText(), QStringLiteral("3"));
    ASSERT_EQ(mem->DeleteColumn(0), 0);
    EXPECT_EQ(grid.GetColumnMapping(0), 0);
}

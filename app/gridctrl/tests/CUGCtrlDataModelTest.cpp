#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGDataSource.h"

#include <gtest/gtest.h>

namespace {

// A source that answers every cell with one text and, optionally, a back colour.
class FixedSource : public CUGDataSource {
public:
    int asked = 0;
    bool setsBackColor = false;
    int GetCell(int column, int row, CUGCell* cell) override
    {
        ++asked;
        cell->SetText(QStringLiteral("source %1,%2").arg(column).arg(row));
        if (setsBackColor)
            cell->SetBackColor(0x000002);
        return 0;
    }
};

class FetchingGrid : public CUGCtrl {
public:
    bool fetchSetsBackColor = false;
    void OnCellFetch(int, int, CUGCell* cell) override
    {
        if (fetchSetsBackColor)
            cell->SetBackColor(0x000003);
    }
};

} // namespace

TEST(CUGCtrlData, NewControlDefaults)
{
    CUGCtrl grid;
    EXPECT_EQ(grid.GetSheetCount(), 1);
    EXPECT_EQ(grid.GetColumnCount(), 0);
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetCurrentColumn(), -1);
    EXPECT_EQ(grid.GetCurrentRow(), -1);
    EXPECT_EQ(grid.GetTopHeadingRowHeight(-1), 20);
    EXPECT_EQ(grid.GetSideHeadingColumnWidth(-1), 25);
    const CUGGridInfo* gi = grid.GetSheetInfo();
    EXPECT_EQ(gi->m_numberTopHdgRows, 1);
    EXPECT_EQ(gi->m_numberSideHdgCols, 1);
    EXPECT_EQ(gi->m_defColWidth, 75);
    EXPECT_EQ(gi->m_defRowHeight, 20);
    EXPECT_TRUE(gi->m_gridLines);
    EXPECT_TRUE(gi->m_enableJoins);
    CUGCell heading;
    grid.GetHeadingDefault(&heading);
    EXPECT_EQ(heading.GetBorderStyle(), 8192);
    EXPECT_EQ(heading.GetAlignment(), 36);
    EXPECT_EQ(grid.GetCellTypeByIndex(0)->GetName(), QStringLiteral("Normal Cell Type (default)"));
    // The reserved indexes hold the built-in types.
    EXPECT_EQ(grid.GetCellTypeByIndex(1)->GetName(), QStringLiteral("DropList"));
    EXPECT_EQ(grid.GetCellTypeByIndex(2)->GetName(), QStringLiteral("CheckBox"));
    EXPECT_EQ(grid.GetCellTypeByIndex(3)->GetName(), QStringLiteral("Side Arrows"));
    EXPECT_EQ(grid.SetSheetCount(0), 1);
    EXPECT_EQ(grid.SetSheetCount(1025), 1);
}

TEST(CUGCtrlData, MergeOrderColumnDefaultSourceFetchStyleCell)
{
    FetchingGrid grid;
    FixedSource source;
    const int index = grid.AddDataSource(&source);
    ASSERT_EQ(index, 1);
    grid.SetColumnCount(2);
    grid.SetRowCount(3);
    ASSERT_EQ(grid.SetDefaultDataSource(index), 0);

    CUGCell columnDefault;
    columnDefault.SetBackColor(0x000001);
    columnDefault.SetLabelText(QStringLiteral("from column"));
    grid.SetColumnDefault(0, &columnDefault);

    CUGCell cell;
    grid.GetCellWithDefaults(0, 1, &cell);
    EXPECT_EQ(cell.GetBackColor(), 0x000001u);
    EXPECT_EQ(cell.GetText(), QStringLiteral("source 0,1"));
    EXPECT_EQ(cell.GetLabelText(), QStringLiteral("from column"));

    source.setsBackColor = true;
    grid.GetCellWithDefaults(0, 1, &cell);
    EXPECT_EQ(cell.GetBackColor(), 0x000002u);

    grid.fetchSetsBackColor = true;
    grid.GetCellWithDefaults(0, 1, &cell);
    EXPECT_EQ(cell.GetBackColor(), 0x000003u);

    CUGCell style;
    style.SetBackColor(0x000004);
    columnDefault.SetStyleCell(&style);
    grid.SetColumnDefault(0, &columnDefault);
    grid.GetCellWithDefaults(0, 1, &cell);
    EXPECT_EQ(cell.GetBackColor(), 0x000004u);

    // A row at the row count gives the default layer only, without the source.
    source.asked = 0;
    grid.GetCellWithDefaults(0, 3, &cell);
    EXPECT_EQ(source.asked, 0);
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::kText));
    EXPECT_EQ(cell.GetLabelText(), QStringLiteral("from column"));
}

TEST(CUGCtrlData, DataSourceRegistrationReusesRemovedSlots)
{
    CUGCtrl grid;
    std::vector<std::unique_ptr<FixedSource>> sources;
    for (int i = 0; i < 70; ++i)
        sources.push_back(std::make_unique<FixedSource>());
    EXPECT_EQ(grid.AddDataSource(nullptr), -1);
    EXPECT_EQ(grid.AddDataSource(sources[0].get()), 1);
    EXPECT_EQ(grid.AddDataSource(sources[1].get()), 2);
    EXPECT_EQ(grid.AddDataSource(sources[2].get()), 3);
    EXPECT_EQ(sources[1]->GetId(), 2);
    EXPECT_EQ(sources[1]->GetGrid(), &grid);
    EXPECT_EQ(grid.RemoveDataSource(2), 0);
    EXPECT_EQ(grid.RemoveDataSource(2), 1);
    EXPECT_EQ(grid.RemoveDataSource(0), 1);
    EXPECT_EQ(grid.GetDataSource(2), nullptr);
    EXPECT_EQ(grid.AddDataSource(sources[3].get()), 2);

    // 63 live registrations at most; a removal frees a place again, so a
    // grid whose managers register anew keeps binding.
    for (int i = 4; i < 64; ++i)
        EXPECT_EQ(grid.AddDataSource(sources[i].get()), i) << i;
    EXPECT_EQ(grid.AddDataSource(sources[64].get()), -1);
    for (int round = 0; round < 5; ++round) {
        EXPECT_EQ(grid.RemoveDataSource(10), 0);
        EXPECT_EQ(grid.AddDataSource(sources[65].get()), 10);
    }

    // Index 0 is the sheet's built-in source, whatever the default is.
    CUGDataSource* builtIn = grid.GetDataSource(0);
    ASSERT_NE(builtIn, nullptr);
    grid.SetDefaultDataSource(1);
    EXPECT_EQ(grid.GetDataSource(0), builtIn);
    EXPECT_EQ(grid.GetCurrentDataSource(), sources[0].get());
    EXPECT_EQ(grid.GetDataSource(99), nullptr);
}

TEST(CUGCtrlData, CellStoreBoundsAndMapping)
{
    CUGCtrl grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(2);
    CUGCell cell;
    cell.SetText(QStringLiteral("x"));
    // The column bound excludes the count: no column table entry lies there.
    EXPECT_EQ(grid.SetCell(3, 0, &cell), 1);
    EXPECT_EQ(grid.SetCell(2, 2, &cell), 0); // the row bound includes the count
    EXPECT_EQ(grid.SetCell(-1, 0, &cell), 0);
    EXPECT_EQ(grid.SetCell(-2, 0, &cell), 1);
    EXPECT_EQ(grid.SetCell(0, -2, &cell), 1);

    EXPECT_EQ(grid.GetColumnMapping(-1), -1);
    EXPECT_EQ(grid.SetColumnMapping(3, 0), 1);
    ASSERT_EQ(grid.SetColumnMapping(1, 2), 0);
    grid.SetCellTextAt(1, 0, QStringLiteral("shown in column 1"));
    CUGCell raw;
    EXPECT_EQ(grid.GetDataSource(0)->GetCell(2, 0, &raw), 0);
    EXPECT_EQ(raw.GetText(), QStringLiteral("shown in column 1"));
    EXPECT_EQ(grid.GetCellText(1, 0), QStringLiteral("shown in column 1"));

    // Moving a column carries its width, default cell and mapping.
    grid.SetColumnWidth(1, 33);
    EXPECT_EQ(grid.MoveColumn(1, 0, true), 0);
    EXPECT_EQ(grid.GetColumnWidth(0), 33);
    EXPECT_EQ(grid.GetColumnMapping(0), 2);
    EXPECT_EQ(grid.MoveColumn(0, 0, true), 0);
    EXPECT_EQ(grid.MoveColumn(3, 0, true), 1);
    EXPECT_EQ(grid.MoveColumn(0, 2, false), 0);
    EXPECT_EQ(grid.GetColumnMapping(2), 2);
}

TEST(CUGCtrlData, SizesAndJoins)
{
    CUGCtrl grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.SetTopHeadingRowHeight(-1, 1025), 2);
    EXPECT_EQ(grid.SetTopHeadingRowHeight(0, 10), 1);
    EXPECT_EQ(grid.SetTopHeadingRowHeight(-1, 30), 0);
    EXPECT_EQ(grid.GetSheetInfo()->m_topHdgHeight, 30);
    EXPECT_EQ(grid.SetSideHeadingWidth(1025), 1);
    EXPECT_EQ(grid.SetSideHeadingWidth(50), 0);
    EXPECT_EQ(grid.GetSideHeadingColumnWidth(-1), 50);

    EXPECT_EQ(grid.SetRowHeight(2, 31), 0);
    EXPECT_EQ(grid.GetRowHeight(2), 31);
    EXPECT_EQ(grid.GetRowHeight(1), 20);
    EXPECT_EQ(grid.GetRowHeight(4), 0);
    grid.UseUniformRowHeights(true);
    EXPECT_EQ(grid.GetRowHeight(2), 20);

    // A 2 x 2 block whose first cell is (1, 1).
    CUGCell part;
    part.SetJoinInfo(0, -1, -1);
    grid.SetCell(2, 2, &part);
    CUGCell first;
    first.SetJoinInfo(1, 1, 1);
    grid.SetCell(1, 1, &first);
    int column = 2, row = 2, endColumn = 0, endRow = 0;
    EXPECT_EQ(grid.GetJoinedBlockRange(&column, &row, &endColumn, &endRow), 0);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(endColumn, 2);
    EXPECT_EQ(endRow, 2);
    column = 0;
    row = 0;
    EXPECT_EQ(grid.GetJoinedBlockStart(&column, &row, nullptr), 2);
    grid.EnableJoinedCells(false);
    EXPECT_EQ(grid.GetJoinedBlockStart(&column, &row, nullptr), 1);
}

TEST(CUGCtrlData, AddFontTwiceGivesOneIndex)
{
    CUGCtrl grid;
    const int a = grid.AddFont(-12, 0, 0, 0, 400, false, false, false, 0, 0, 0, 0, 0, QStringLiteral("DejaVu Sans"));
    const int b = grid.AddFont(-12, 0, 0, 0, 400, false, false, false, 0, 0, 0, 0, 0, QStringLiteral("DejaVu Sans"));
    const int c = grid.AddFont(-12, 0, 0, 0, 700, false, false, false, 0, 0, 0, 0, 0, QStringLiteral("DejaVu Sans"));
    EXPECT_GE(a, 0);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    ASSERT_NE(grid.GetFont(c), nullptr);
    EXPECT_EQ(grid.GetFont(c)->weight(), QFont::Bold);
    EXPECT_EQ(grid.GetFont(a)->pixelSize(), 12);
    EXPECT_EQ(grid.SetDefaultFont(nullptr), 1);
}

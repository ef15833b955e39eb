// The take-off grid's print copy: a selected-diagram list of the given rows
// with the screen list's columns and sort, made and read without any grid.
#include "grids/CTakeOffGDM.h"

#include "OptimizationTestSupport.h"

#include "gridctrl/CUGRowMode.h"
#include "optimization/DisplayDiagram.h"

#include <gtest/gtest.h>

namespace {

class TakeOffPrintCopyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto row = AddRow(*m_material, 0.75, 48, 96);
        m_parts.push_back(MakePart(1, 10, 20, 3, m_material));
        m_parts.push_back(MakePart(2, 5, 30, 1, m_material));
        m_parts[0]->SetDescription(QStringLiteral("Side"));
        m_parts[1]->SetDescription(QStringLiteral("Back"));
        DrawnPartList drawn { Drawn(m_parts[0].get(), 0, 0, 20, 10), Drawn(m_parts[1].get(), 30, 0, 30, 5) };
        m_diagram = MakeStack(StockSpec { m_material, row }, drawn, 1)->MakeDisplayDiagram(0);
        m_items = { TAKEOFFITEM { m_parts[0].get(), 1, 0 }, TAKEOFFITEM { m_parts[1].get(), 1, 1 } };
        for (TAKEOFFITEM& item : m_items)
            m_rows.push_back(&item);
    }

    static QString CellText(IPrintable& printable, int column, int row)
    {
        CUGCell cell;
        printable.GetCell(column, row, &cell);
        return cell.GetText();
    }

    ScopedFakePrefs m_prefs;
    std::shared_ptr<CSheetGoodEx> m_material = MakeSheetGood(QStringLiteral("Birch"));
    std::vector<std::unique_ptr<CMilledPart>> m_parts;
    DisplayDiagramPtr m_diagram;
    std::vector<TAKEOFFITEM> m_items;
    TakeOffRows m_rows;
};

TEST_F(TakeOffPrintCopyTest, PrintsTheRowsAsASelectedDiagramListWithoutTheScreenGrid)
{
    TakeOffRows screenRows = m_rows;
    CTakeOffGDM screen(nullptr, &screenRows);
    CUGRowMode grid;
    grid.CreateGrid(0, platform::Rect(0, 0, 400, 200), nullptr, 1);
    screen.SetListKind(TakeOffListKind::MaterialThickness);
    screen.ShowInfoColumn(false);
    grid.SetDataSource(grid.AddDataSource(&screen));
    screen.SortRows(std::vector<int> { TakeOffColumn::Description }.data(), 1, 0);
    const int screenColumns = grid.GetColumnCount();

    TakeOffRows printRows = m_rows;
    const std::shared_ptr<IPrintable> copy = screen.CreatePrintCopy(&printRows, m_diagram);

    // The screen grid keeps its columns: the copy never reached it.
    EXPECT_EQ(grid.GetColumnCount(), screenColumns);
    EXPECT_EQ(screen.GetListKind(), TakeOffListKind::MaterialThickness);
    // Part #, Description, Copies, Y, X: Info as on screen, no reason, no diagram list.
    ASSERT_EQ(copy->GetVisibleColumnCount(), 5);
    EXPECT_EQ(copy->GetRowCount(), 2);
    QStringList headings;
    for (int position = 0; position < copy->GetVisibleColumnCount(); ++position)
        headings << CellText(*copy, copy->GetColumnAtGridPosition(position), -1);
    EXPECT_EQ(headings, (QStringList { "Part #", "Description", "Copies in Layout", "Y", "X" }));
    // Sorted by description as on screen: Back, then Side; Back lies turned.
    EXPECT_EQ(CellText(*copy, TakeOffColumn::Description, 0), QStringLiteral("Back"));
    EXPECT_EQ(CellText(*copy, TakeOffColumn::PartId, 0),
        m_parts[1]->GetID().FormatPartID() + QStringLiteral("[R]"));
    EXPECT_EQ(CellText(*copy, TakeOffColumn::Copies, 1), QStringLiteral("1"));
}

TEST_F(TakeOffPrintCopyTest, PrintCopyOfAManagerWithoutGrid)
{
    CTakeOffGDM screen(nullptr, &m_rows);
    screen.SetListKind(TakeOffListKind::UnplacedParts);
    TakeOffRows printRows = m_rows;
    const std::shared_ptr<IPrintable> copy = screen.CreatePrintCopy(&printRows, m_diagram);
    EXPECT_EQ(copy->GetVisibleColumnCount(), 6);
    EXPECT_EQ(CellText(*copy, TakeOffColumn::Info, -1), QStringLiteral("<Info>"));
    EXPECT_EQ(CellText(*copy, TakeOffColumn::Description, 1), QStringLiteral("Back"));
}

} // namespace

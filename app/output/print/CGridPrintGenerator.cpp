#include "output/print/CGridPrintGenerator.h"

#include "gridctrl/CUGRowMode.h"

CGridPrintGenerator::CGridPrintGenerator(CPrintEngineBase& engine, CUGRowMode& grid)
    : CGridPrintGenBase(engine)
    , m_grid(grid)
{ }

void CGridPrintGenerator::GetCell(int row, int printedColumn, CUGCell* cell)
{
    m_grid.GetCellWithDefaults(MapColumn(printedColumn), row, cell);
}

int CGridPrintGenerator::GetRowCount()
{
    return m_grid.GetDataRowCount();
}

int CGridPrintGenerator::GetPrintColumnCount()
{
    return m_grid.GetColumnCount();
}

int CGridPrintGenerator::GetVisibleColumnCount()
{
    return m_grid.GetColumnCount();
}

int CGridPrintGenerator::GetNoteCellType()
{
    return m_grid.GetNoteTypeIndex();
}

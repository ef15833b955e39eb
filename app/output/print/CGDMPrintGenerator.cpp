#include "output/print/CGDMPrintGenerator.h"

#include "grids/IPrintable.h"

CGDMPrintGenerator::CGDMPrintGenerator(CPrintEngineBase& engine, IPrintable& source)
    : CGridPrintGenBase(engine)
    , m_source(source)
{ }

void CGDMPrintGenerator::GetCell(int row, int printedColumn, CUGCell* cell)
{
    const int column = m_source.GetColumnAtGridPosition(MapColumn(printedColumn));
    if (column >= 0)
        m_source.GetCell(column, row, cell);
}

int CGDMPrintGenerator::GetRowCount()
{
    return m_source.GetRowCount();
}

bool CGDMPrintGenerator::HasNotesColumn()
{
    return m_source.HasNotesColumn();
}

QString CGDMPrintGenerator::GetRowNotes(int row)
{
    return m_source.GetRowNotes(row);
}

int CGDMPrintGenerator::GetNotesPosition()
{
    return m_source.GetNotesGridPosition();
}

int CGDMPrintGenerator::GetPrintColumnCount()
{
    return m_source.GetPrintColumnCount();
}

int CGDMPrintGenerator::GetVisibleColumnCount()
{
    return m_source.GetVisibleColumnCount();
}

bool CGDMPrintGenerator::IsFreeTextColumn(int printedColumn)
{
    const int column = m_source.GetColumnAtGridPosition(MapColumn(printedColumn));
    return column >= 0 && m_source.IsFreeTextColumn(column);
}

int CGDMPrintGenerator::GetNoteCellType()
{
    return m_source.GetNoteCellType();
}

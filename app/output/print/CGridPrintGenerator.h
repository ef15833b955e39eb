#pragma once
// Prints a grid window's cells directly (the B.O.M. and report grids): the
// grid's rows without its new-row line, every column, no notes column.

#include "output/print/CGridPrintGenBase.h"

class CUGRowMode;

class CGridPrintGenerator : public CGridPrintGenBase
{
public:
    CGridPrintGenerator(CPrintEngineBase& engine, CUGRowMode& grid);

protected:
    void GetCell(int row, int printedColumn, CUGCell* cell) override;
    int GetRowCount() override;
    bool HasNotesColumn() override { return false; }
    QString GetRowNotes(int) override { return QString(); }
    int GetNotesPosition() override { return -1; }
    int GetPrintColumnCount() override;
    int GetVisibleColumnCount() override;
    bool IsFreeTextColumn(int) override { return false; }
    int GetNoteCellType() override;

private:
    CUGRowMode& m_grid;
};

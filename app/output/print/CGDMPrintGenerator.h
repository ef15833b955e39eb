#pragma once
// Prints a grid display manager through the face it offers to printing.

#include "output/print/CGridPrintGenBase.h"

class IPrintable;

class CGDMPrintGenerator : public CGridPrintGenBase
{
public:
    CGDMPrintGenerator(CPrintEngineBase& engine, IPrintable& source);

protected:
    void GetCell(int row, int printedColumn, CUGCell* cell) override;
    int GetRowCount() override;
    bool HasNotesColumn() override;
    QString GetRowNotes(int row) override;
    int GetNotesPosition() override;
    int GetPrintColumnCount() override;
    int GetVisibleColumnCount() override;
    bool IsFreeTextColumn(int printedColumn) override;
    int GetNoteCellType() override;

private:
    IPrintable& m_source;
};

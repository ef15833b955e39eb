#pragma once
// What a grid display manager offers to printing: its cells, rows and shown
// columns, and its notes column, which printing turns into a full-width row
// under each row that has notes instead of a printed column. Managers without
// notes keep the defaults.

#include <QString>

class CUGCell;

class IPrintable
{
public:
    virtual ~IPrintable() = default;

    // Fills cell (text, alignment, label, cell type, parameter, border style)
    // for a data column and a row; row -1 is the heading row.
    virtual void GetCell(int column, int row, CUGCell* cell) = 0;
    // The data rows, without the grid's trailing new-row line.
    virtual int GetRowCount() = 0;
    // The columns that are not hidden.
    virtual int GetVisibleColumnCount() = 0;
    // The data column shown at a grid position; -1 when none.
    virtual int GetColumnAtGridPosition(int position) = 0;

    virtual bool HasNotesColumn() { return false; }
    virtual QString GetRowNotes(int /*row*/) { return QString(); }
    // -1 when the grid has no notes column.
    virtual int GetNotesGridPosition() { return -1; }
    // The shown columns less the notes column when it is shown.
    virtual int GetPrintColumnCount() { return GetVisibleColumnCount(); }
    // Description, user information and notes columns hold free text.
    virtual bool IsFreeTextColumn(int /*column*/) { return false; }
    // The grid's note cell-type index; -1 when it has none.
    virtual int GetNoteCellType() { return -1; }

    // Sorts again by the current sort column in the other direction and
    // repaints (the grid's own use; printing does not call it).
    virtual void Resort() = 0;
};

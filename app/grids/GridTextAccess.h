#pragma once
// Text access to a grid's cells for the report grids and for copying rows
// to the clipboard. Cells are addressed by column, then row; texts are kept
// as the cells' labels, which the cells show.

#include "model/ParseFieldRow.h"

#include <QString>

class CUGCtrl;

class GridTextAccess {
public:
    static constexpr int kIndentSpaces = 4;
    static constexpr int kColumnAlignment = 32;

    explicit GridTextAccess(CUGCtrl& grid);

    void SetCellText(int column, int row, const QString& text);
    // The text behind four spaces per indent level.
    void SetIndentedCellText(int column, int row, int level, const QString& text);
    // The pale blue background of a group row, in every column.
    void ShadeRow(int row);
    // Alignment 32 on one row, from the column to the last.
    void AlignColumnsFrom(int column, int row);
    // Every row, the heading row first: one text field per column, the
    // cell's label when it has one, else its text (a number formatted).
    void ReadRowsAsParseFields(ParseFieldRows& rows) const;

private:
    CUGCtrl& m_grid;
};

#pragma once
// The Parts grid's rows as the user reads them: each row's Diagram #s text
// and the row's colour when it has one.

#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CKerfwellGDM.h"

#include <QStringList>

#include <string>

// The rows separated by "|"; column is the grid column of the diagram list.
inline std::string DescribePartsRows(CUGRowMode& grid, int column, int rowCount)
{
    QStringList rows;
    for (int row = 0; row < rowCount; ++row) {
        CUGCell cell;
        grid.GetCellWithDefaults(column, row, &cell);
        QString colour;
        if (cell.GetBackColor() == CKerfwellGDM::kSkippedRowColor)
            colour = QStringLiteral(" (skipped colour)");
        else if (cell.GetBackColor() == CKerfwellGDM::kHandPlacedRowColor)
            colour = QStringLiteral(" (hand-placed colour)");
        rows << cell.GetText() + colour;
    }
    return rows.join(u'|').toStdString();
}

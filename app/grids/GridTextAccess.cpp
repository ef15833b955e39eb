#include "grids/GridTextAccess.h"

#include "gridctrl/CUGCellType.h"
#include "gridctrl/CUGCtrl.h"

#include "platform/ui/ColorRef.h"

GridTextAccess::GridTextAccess(CUGCtrl& grid)
    : m_grid(grid)
{ }

void GridTextAccess::SetCellText(int column, int row, const QString& text)
{
    m_grid.SetCellLabelAt(column, row, text);
    m_grid.SetCellStyleAt(column, row, CUGCellType::kStyleLabel);
}

void GridTextAccess::SetIndentedCellText(int column, int row, int level, const QString& text)
{
    SetCellText(column, row, QString(kIndentSpaces * std::max(0, level), QLatin1Char(' ')) + text);
}

void GridTextAccess::ShadeRow(int row)
{
    for (int column = 0; column < m_grid.GetColumnCount(); ++column)
        m_grid.SetCellBackColorAt(column, row, platform::MakeColorRef(226, 241, 252));
}

void GridTextAccess::AlignColumnsFrom(int column, int row)
{
    for (int c = std::max(0, column); c < m_grid.GetColumnCount(); ++c)
        m_grid.SetCellAlignmentAt(c, row, kColumnAlignment);
}

void GridTextAccess::ReadRowsAsParseFields(ParseFieldRows& rows) const
{
    const int columns = m_grid.GetColumnCount();
    for (int row = -1; row < m_grid.GetRowCount(); ++row) {
        ParseFieldRow fields;
        for (int column = 0; column < columns; ++column) {
            CUGCell cell;
            m_grid.GetCellWithDefaults(column, row, &cell);
            CParseField field;
            field.SetText(cell.IsPropertySet(CUGCell::kLabel) && !cell.GetLabelText().isEmpty() ? cell.GetLabelText()
                                                                                            : cell.GetText());
            fields.AppendField(field);
        }
        rows.push_back(std::move(fields));
    }
}

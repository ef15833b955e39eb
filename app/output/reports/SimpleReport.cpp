#include "output/reports/SimpleReport.h"

#include <algorithm>

namespace {

std::vector<QString> Padded(std::vector<QString> cells, int columns)
{
    if (static_cast<int>(cells.size()) < columns)
        cells.resize(static_cast<std::size_t>(columns));
    return cells;
}

} // namespace

void SimpleReportMetaDTO::AddColumn(std::int32_t captionId, std::int32_t alignment)
{
    captionIds.push_back(captionId);
    alignments.push_back(alignment);
    ++columnCount;
}

bool IsReportEntryPlain(const SimpleReportRow& row)
{
    return !row.plainFirstCell || row.indent != 0;
}

QString SimpleReportRow::FirstCellText() const
{
    const QString text = cells.empty() ? QString() : cells.front();
    if (!IsReportEntryPlain(*this))
        return text;
    return QString(4 * std::max(0, indent), QLatin1Char(' ')) + text;
}

void SimpleReportDTO::AddGroupHeading(const QString& heading, int columns)
{
    SimpleReportRow row;
    row.cells = Padded({heading}, columns);
    row.plainFirstCell = false;
    m_rows.push_back(std::move(row));
}

void SimpleReportDTO::AddDetailLine(std::vector<QString> cells)
{
    SimpleReportRow row;
    row.cells = std::move(cells);
    row.indent = 1;
    m_rows.push_back(std::move(row));
}

void SimpleReportDTO::AddGroupTotal(std::vector<QString> cells)
{
    SimpleReportRow row;
    row.cells = std::move(cells);
    row.indent = 1;
    row.ruleFrom = 1;
    m_rows.push_back(std::move(row));
}

void SimpleReportDTO::AddBlankRows(int columns, int count)
{
    for (int i = 0; i < count; ++i) {
        SimpleReportRow row;
        row.cells = Padded({}, columns);
        m_rows.push_back(std::move(row));
    }
}

void SimpleReportDTO::AddProjectTotal(std::vector<QString> cells)
{
    SimpleReportRow row;
    row.cells = std::move(cells);
    row.plainBackground = false;
    row.plainFirstCell = false;
    m_rows.push_back(std::move(row));
}

void SimpleReportDTO::AddFootnote(const QString& text, int columns)
{
    SimpleReportRow row;
    row.cells = Padded({text}, columns);
    m_rows.push_back(std::move(row));
}

void SimpleReportDTO::AddPlainLine(std::vector<QString> cells, int noteColumn, const QString& noteText)
{
    SimpleReportRow row;
    row.cells = std::move(cells);
    row.noteColumn = noteColumn;
    row.noteText = noteText;
    m_rows.push_back(std::move(row));
}

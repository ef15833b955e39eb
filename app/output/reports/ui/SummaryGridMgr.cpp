#include "output/reports/ui/SummaryGridMgr.h"

#include "foundation/ResourceBase.h"
#include "foundation/UIResources.h"
#include "gridctrl/CUGRowMode.h"
#include "platform/ui/ColorRef.h"

namespace {

constexpr int kFitToWindow = 3;
constexpr int kTopRuleBorder = 32;
constexpr int kBoldParam = 1;

QString HeadingText(int captionId)
{
    ResourceBase* resources = GetResources();
    return resources ? resources->HeaderText(captionId) : QString();
}

} // namespace

void SummaryGridMgr::Fill(const SimpleReportMetaPtr& meta, const SimpleReportPtr& table)
{
    m_meta = meta;
    CUGRowMode& grid = GetGrid();
    CUGRowMode::RedrawSuspend suspend(grid);
    grid.DeleteAllRows();
    grid.ClearColumnHeadingTypes();
    if (!m_meta)
        return;
    SetUpColumns();
    if (table)
        for (const SimpleReportRow& row : table->GetRows())
            AppendRow(row);
    grid.FitColumnsByMode();
}

void SummaryGridMgr::SetUpColumns()
{
    CUGRowMode& grid = GetGrid();
    grid.SetColumnCount(m_meta->columnCount);
    ApplyColumnHeaders();
    grid.EnableSortIndicator(m_meta->sortable);
    grid.EnableSortOnHeadingClick(m_meta->sortable);
    for (int column = 0; column < m_meta->columnCount; ++column) {
        const std::size_t index = static_cast<std::size_t>(column);
        if (index >= m_meta->alignments.size())
            break;
        grid.SetColumnAlignment(column, m_meta->alignments[index]);
        grid.SetCellAlignmentAt(column, -1, m_meta->alignments[index]);
    }
    grid.SetFitMode(kFitToWindow, true);
}

void SummaryGridMgr::ApplyColumnHeaders()
{
    if (!m_meta)
        return;
    CUGRowMode& grid = GetGrid();
    CUGRowMode::RedrawSuspend suspend(grid);
    const int count = std::min<int>(m_meta->columnCount, static_cast<int>(m_meta->captionIds.size()));
    for (int column = 0; column < count; ++column)
        grid.SetCellTextAt(column, -1, HeadingText(m_meta->captionIds[static_cast<std::size_t>(column)]));
    grid.EnableSortIndicator(m_meta->sortable);
}

void SummaryGridMgr::AppendRow(const SimpleReportRow& row)
{
    CUGRowMode& grid = GetGrid();
    grid.AppendRow();
    const int r = grid.GetRowCount() - 1;
    const int columns = m_meta->columnCount;
    if (!row.plainBackground)
        for (int column = 0; column < columns; ++column)
            grid.SetCellBackColorAt(column, r, platform::MakeColorRef(226, 240, 252));
    // Cells beyond the row's own are left empty rather than read past its end.
    for (int column = 0; column < columns && column < static_cast<int>(row.cells.size()); ++column)
        grid.SetCellTextAt(column, r, column == 0 ? row.FirstCellText() : row.cells[static_cast<std::size_t>(column)]);
    if (!row.plainFirstCell) {
        CUGCell cell;
        grid.GetCell(0, r, &cell);
        cell.SetFont(&GetUIResources()->GetBoldGridFont());
        cell.SetParam(kBoldParam);
        grid.SetCell(0, r, &cell);
    }
    if (row.ruleFrom >= 0)
        for (int column = row.ruleFrom; column < columns; ++column)
            grid.SetCellBorderAt(column, r, kTopRuleBorder);
    if (row.noteColumn >= 0 && row.noteColumn < columns) {
        grid.SetCellTypeAt(row.noteColumn, r, grid.GetNoteTypeIndex());
        grid.SetCellLabelAt(row.noteColumn, r, row.noteText);
    }
}

bool SummaryGridMgr::HasRows() const
{
    return GetGrid().GetRowCount() > 0;
}

QString SummaryGridMgr::GetTitle() const
{
    return m_meta ? m_meta->title : QString();
}

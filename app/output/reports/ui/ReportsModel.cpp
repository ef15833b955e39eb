#include "output/reports/ui/ReportsModel.h"

#include "foundation/ResourceBase.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/GridTextAccess.h"
#include "model/CClipboardParser.h"
#include "model/ParseFieldRow.h"
#include "output/reports/ReportsStrings.h"

#include <QListWidget>
#include <QSignalBlocker>

ReportsModel::ReportsModel(IOptimizationDoc& document, std::function<bool()> optimize, QListWidget& list,
                           CUGRowMode& grid)
    : m_optimize(std::move(optimize)), m_list(list), m_registry(document), m_gridMgr(grid)
{
    FillReportList();
}

void ReportsModel::FillReportList()
{
    const QSignalBlocker block(m_list);
    m_list.setUpdatesEnabled(false);
    m_list.clear();
    // The list index is the report id.
    const int names[] = {kStrReportCostSummary, kStrReportMaterialsStats, kStrReportPartsStats, kStrReportSkippedParts};
    for (int i = 0; i < 4; ++i)
        m_list.insertItem(i, LoadUIString(names[i]));
    m_list.setCurrentRow(0);
    m_list.setUpdatesEnabled(true);
}

void ReportsModel::ShowColumnsOnly()
{
    m_table.reset();
    m_shownMeta = m_registry.GetMeta(m_currentId);
    m_gridMgr.Fill(m_shownMeta, nullptr);
}

void ReportsModel::Show(int id)
{
    // Only the four reports exist; any other id keeps the current one.
    if (!m_registry.GetCreator(id))
        return;
    m_currentId = id;
    Build();
    m_shownMeta = m_registry.GetMeta(m_currentId);
    m_gridMgr.Fill(m_shownMeta, m_table);
}

void ReportsModel::OnSelChange()
{
    Show(m_list.currentRow());
}

void ReportsModel::Refresh()
{
    Show(m_currentId);
}

void ReportsModel::Build()
{
    m_table.reset();
    // The headings the grid shows now stay while the project is optimized.
    m_gridMgr.Fill(m_shownMeta, nullptr);
    if (m_optimize && !m_optimize())
        return;
    if (const ReportsCreatorBase* creator = m_registry.GetCreator(m_currentId))
        m_table = creator->Build();
}

QString ReportsModel::GetTitle() const
{
    const SimpleReportMetaPtr meta = m_registry.GetMeta(m_currentId);
    return meta ? meta->title : QString();
}

void ReportsModel::ApplyColumnHeaders()
{
    m_gridMgr.ApplyColumnHeaders();
}

bool ReportsModel::HasReportRows() const
{
    return m_gridMgr.HasRows();
}

CUGRowMode& ReportsModel::GetReportGrid() const
{
    return m_gridMgr.GetGrid();
}

void ReportsModel::CopyToClipboard() const
{
    ParseFieldRows rows;
    AppendSingleFieldRow(rows, GetTitle());
    GridTextAccess(m_gridMgr.GetGrid()).ReadRowsAsParseFields(rows);
    CClipboardParser().CopyRowsToClipboard(rows, false, QString());
}

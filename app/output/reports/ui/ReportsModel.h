#pragma once
// The Reports page's model: the four creators, the report shown, its table,
// and the grid manager that shows it. A report is built only once the
// project is optimized; a cancelled optimization leaves the headings alone.

#include "output/reports/ReportCreatorRegistry.h"
#include "output/reports/ui/SummaryGridMgr.h"

#include <functional>

class CUGRowMode;
class IOptimizationDoc;
class QListWidget;

class ReportsModel
{
public:
    // optimize runs the document's optimization of whatever needs it and
    // answers false when the user cancelled.
    ReportsModel(IOptimizationDoc& document, std::function<bool()> optimize, QListWidget& list, CUGRowMode& grid);

    // The current report's headings and no rows; nothing is built.
    void ShowColumnsOnly();
    void Show(int id);
    // The list's selection is the report id.
    void OnSelChange();
    void Refresh();

    int GetCurrentId() const { return m_currentId; }
    QString GetTitle() const;
    void ApplyColumnHeaders();
    bool HasReportRows() const;
    CUGRowMode& GetReportGrid() const;
    // The title on a line of its own, then the grid's rows as text.
    void CopyToClipboard() const;

private:
    void FillReportList();
    void Build();

    std::function<bool()> m_optimize;
    QListWidget& m_list;
    ReportCreatorRegistry m_registry;
    int m_currentId = kReportCostSummary;
    SimpleReportPtr m_table;
    SummaryGridMgr m_gridMgr;
    SimpleReportMetaPtr m_shownMeta;
};

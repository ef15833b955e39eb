#pragma once
// Fills the report grid from a report's description and table: headings,
// alignments, then one grid row per table row with its bands, bold first
// cells, indents, rules and notes.

#include "output/reports/SimpleReport.h"
#include "output/reports/ui/ReportsGridMgr.h"

class SummaryGridMgr : public ReportsGridMgr
{
public:
    using ReportsGridMgr::ReportsGridMgr;

    // Without a table the grid shows the headings and no rows.
    void Fill(const SimpleReportMetaPtr& meta, const SimpleReportPtr& table);
    // The headings again, abbreviated or not as the preference says now.
    void ApplyColumnHeaders();
    bool HasRows() const;

    QString GetTitle() const override;

private:
    void SetUpColumns();
    void AppendRow(const SimpleReportRow& row);

    SimpleReportMetaPtr m_meta;
};

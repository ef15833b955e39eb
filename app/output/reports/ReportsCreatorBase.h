#pragma once
// One report: its description, and a builder that reads the project and its
// optimization results into a new table of text. The caller makes sure the
// project is optimized before it builds.

#include "output/reports/SimpleReport.h"

class IOptimizationDoc;

enum ReportId : int {
    kReportCostSummary = 0,
    kReportMaterialsStats = 1,
    kReportPartsStats = 2,
    kReportSkippedParts = 3,
};

class ReportsCreatorBase
{
public:
    explicit ReportsCreatorBase(IOptimizationDoc& document) : m_document(&document) { }
    virtual ~ReportsCreatorBase() = default;

    virtual SimpleReportMetaPtr GetMeta() const = 0;
    virtual SimpleReportPtr Build() const = 0;

protected:
    IOptimizationDoc& Document() const { return *m_document; }

private:
    IOptimizationDoc* m_document;
};

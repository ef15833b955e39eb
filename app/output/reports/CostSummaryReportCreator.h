#pragma once
// The Cost Summary: per material and target, each stock size used with its
// unit cost, quantity and cost, a total per target and the project's total.

#include "output/reports/ReportsCreatorBase.h"

class CostSummaryReportCreator : public ReportsCreatorBase
{
public:
    using ReportsCreatorBase::ReportsCreatorBase;

    SimpleReportMetaPtr GetMeta() const override;
    SimpleReportPtr Build() const override;
};

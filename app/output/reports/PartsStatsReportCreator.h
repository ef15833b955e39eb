#pragma once
// Parts Statistics: per material name, the parts' copies, unplaced copies,
// area and perimeter, and the project's sums.

#include "output/reports/ReportsCreatorBase.h"

class PartsStatsReportCreator : public ReportsCreatorBase
{
public:
    using ReportsCreatorBase::ReportsCreatorBase;

    SimpleReportMetaPtr GetMeta() const override;
    SimpleReportPtr Build() const override;
};

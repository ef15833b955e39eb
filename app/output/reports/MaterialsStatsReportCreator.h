#pragma once
// Materials Statistics: per material and target, each stock size used with
// its waste, parts area, cuts, cut length, parts perimeter and lineal stock;
// a total per target and for the project. Hand-edited diagrams have no cut
// figures: their sums show the placeholder and a footnote says why.

#include "output/reports/ReportsCreatorBase.h"

class MaterialsStatsReportCreator : public ReportsCreatorBase
{
public:
    using ReportsCreatorBase::ReportsCreatorBase;

    SimpleReportMetaPtr GetMeta() const override;
    SimpleReportPtr Build() const override;
};

#pragma once
// Skipped Parts: every part with copies neither the optimizer nor the user
// placed, with the reason (its long text as the cell's note) and how many.

#include "output/reports/ReportsCreatorBase.h"

#include <vector>

class CMilledPart;

class SkippedPartsReportCreator : public ReportsCreatorBase
{
public:
    using ReportsCreatorBase::ReportsCreatorBase;

    SimpleReportMetaPtr GetMeta() const override;
    SimpleReportPtr Build() const override;
};

// The parts, in list order, whose placed copies (by the optimizer and by
// hand together) differ from their copies.
std::vector<const CMilledPart*> CollectSkippedParts(const std::vector<CMilledPart*>& parts);

#pragma once
// The four report creators under their ids, and their descriptions, made
// once for the document.

#include "output/reports/ReportsCreatorBase.h"

#include <map>
#include <memory>

class ReportCreatorRegistry
{
public:
    explicit ReportCreatorRegistry(IOptimizationDoc& document);

    // Null for an id without a creator.
    const ReportsCreatorBase* GetCreator(int id) const;
    SimpleReportMetaPtr GetMeta(int id) const;

    // Puts a creator under an id; one already there is destroyed.
    void SetCreator(int id, std::unique_ptr<ReportsCreatorBase> creator);

private:
    std::map<int, std::unique_ptr<ReportsCreatorBase>> m_creators;
    std::map<int, SimpleReportMetaPtr> m_metas;
};

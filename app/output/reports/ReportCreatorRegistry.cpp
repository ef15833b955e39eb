#include "output/reports/ReportCreatorRegistry.h"

#include "output/reports/CostSummaryReportCreator.h"
#include "output/reports/MaterialsStatsReportCreator.h"
#include "output/reports/PartsStatsReportCreator.h"
#include "output/reports/SkippedPartsReportCreator.h"

ReportCreatorRegistry::ReportCreatorRegistry(IOptimizationDoc& document)
{
    SetCreator(kReportCostSummary, std::make_unique<CostSummaryReportCreator>(document));
    SetCreator(kReportMaterialsStats, std::make_unique<MaterialsStatsReportCreator>(document));
    SetCreator(kReportPartsStats, std::make_unique<PartsStatsReportCreator>(document));
    SetCreator(kReportSkippedParts, std::make_unique<SkippedPartsReportCreator>(document));
    for (const auto& [id, creator] : m_creators)
        m_metas[id] = creator->GetMeta();
}

const ReportsCreatorBase* ReportCreatorRegistry::GetCreator(int id) const
{
    const auto found = m_creators.find(id);
    return found == m_creators.end() ? nullptr : found->second.get();
}

SimpleReportMetaPtr ReportCreatorRegistry::GetMeta(int id) const
{
    const auto found = m_metas.find(id);
    return found == m_metas.end() ? nullptr : found->second;
}

void ReportCreatorRegistry::SetCreator(int id, std::unique_ptr<ReportsCreatorBase> creator)
{
    m_creators[id] = std::move(creator);
}

#include "output/reports/CostSummaryReportCreator.h"

#include "foundation/LocaleFormat.h"
#include "foundation/ResourceBase.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/IOptimizationDoc.h"
#include "optimization/SGBOMLineItem.h"
#include "optimization/TopLevelBOM.h"
#include "output/reports/ReportedResults.h"
#include "output/reports/ReportsStrings.h"

namespace {
constexpr int kColumns = 5;
}

SimpleReportMetaPtr CostSummaryReportCreator::GetMeta() const
{
    auto meta = std::make_shared<SimpleReportMetaDTO>();
    meta->AddColumn(kStrColMaterialNameAndSize, kReportAlignLeft);
    meta->AddColumn(kStrColUnitCost, kReportAlignRight);
    meta->AddColumn(kStrColUnits, kReportAlignLeft);
    meta->AddColumn(kStrColQuantity, kReportAlignRight);
    meta->AddColumn(kStrColTotalCost, kReportAlignRight);
    meta->title = LoadUIString(kStrReportCostSummary);
    return meta;
}

SimpleReportPtr CostSummaryReportCreator::Build() const
{
    auto report = std::make_shared<SimpleReportDTO>();
    const std::shared_ptr<BOMOptMgr> manager = Document().GetBOMOptMgr();
    const std::shared_ptr<SheetGoodsBOM> bill = manager ? manager->GetSheetGoodsBOM() : nullptr;
    if (!bill)
        return report;
    // Pro-rated quantities are fractions of sheets; whole sheets are counted.
    const int decimals = IsProRatingCosts() ? 2 : 0;
    for (const ReportedMaterial& material : CollectReportedResults(*bill)) {
        report->AddGroupHeading(material.bill->GetName(), kColumns);
        for (const OptimizationResultsPtr& results : material.results) {
            CMoney resultsTotal;
            for (const OptimizedLineItemPtr& item : results->GetLineItems()) {
                const CMoney itemTotal = item->GetTotalCost();
                resultsTotal += itemTotal;
                report->AddDetailLine({StockSizeText(*item), item->GetUnitCost().FormatText(), item->GetUnitsText(),
                                       FormatLocaleNumber(item->GetQuantityNeeded(), decimals, true),
                                       itemTotal.FormatText()});
            }
            report->AddGroupTotal({LoadUIString(kStrReportTotal), QString(), QString(), QString(),
                                   resultsTotal.FormatText()});
        }
    }
    report->AddBlankRows(kColumns);
    const CostPriceDTOPtr totals = bill->GetTotalsDTO();
    report->AddProjectTotal({LoadUIString(kStrReportProjectTotal), QString(), QString(), QString(),
                             totals ? (*totals)[0].FormatText() : CMoney().FormatText()});
    return report;
}

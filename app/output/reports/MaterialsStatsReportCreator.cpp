#include "output/reports/MaterialsStatsReportCreator.h"

#include "foundation/LocaleFormat.h"
#include "foundation/ReportUnits.h"
#include "foundation/ResourceBase.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/IOptimizationDoc.h"
#include "optimization/TopLevelBOM.h"
#include "optimization/UsageStats.h"
#include "output/reports/ReportedResults.h"
#include "output/reports/ReportsStrings.h"

#include <optional>

namespace {

constexpr int kColumns = 7;
// The reports show the cuts without those for part padding.
constexpr bool kWithPadding = false;

// The six figures after the first cell.
std::vector<QString> StatisticsCells(const QString& first, const UsageStats& stats)
{
    const FixedStats& fixed = stats.GetFixed();
    const UsageCount& cuts = stats.GetCuts(kWithPadding);
    const UsageMeasure& cutLength = stats.GetCutLength(kWithPadding);
    return {first,
            FormatPercent(100.0 * fixed.YieldRatio(), 1),
            FormatArea(fixed.GetPartsArea()),
            FormatOptionalInteger(cuts.valid ? std::optional<int>(static_cast<int>(cuts.value)) : std::nullopt),
            FormatOptionalLinealLength(cutLength.valid ? std::optional<double>(cutLength.value) : std::nullopt),
            FormatLinealLength(fixed.GetPartsPerimeter()),
            FormatLinealLength(fixed.GetStockLength())};
}

} // namespace

SimpleReportMetaPtr MaterialsStatsReportCreator::GetMeta() const
{
    auto meta = std::make_shared<SimpleReportMetaDTO>();
    meta->AddColumn(kStrColMaterialNameAndSize, kReportAlignLeft);
    meta->AddColumn(kStrColWaste, kReportAlignRight);
    meta->AddColumn(kStrColPartsArea, kReportAlignRight);
    meta->AddColumn(kStrColTotalCuts, kReportAlignRight);
    meta->AddColumn(kStrColCutLength, kReportAlignRight);
    meta->AddColumn(kStrColPartsPerimeter, kReportAlignRight);
    meta->AddColumn(kStrColLinealStock, kReportAlignRight);
    meta->title = LoadUIString(kStrReportMaterialsStatsTitle);
    return meta;
}

SimpleReportPtr MaterialsStatsReportCreator::Build() const
{
    auto report = std::make_shared<SimpleReportDTO>();
    const std::shared_ptr<BOMOptMgr> manager = Document().GetBOMOptMgr();
    const std::shared_ptr<SheetGoodsBOM> bill = manager ? manager->GetSheetGoodsBOM() : nullptr;
    if (!bill)
        return report;
    UsageStats project;
    for (const ReportedMaterial& material : CollectReportedResults(*bill)) {
        report->AddGroupHeading(material.bill->GetName(), kColumns);
        for (const OptimizationResultsPtr& results : material.results) {
            UsageStats set;
            for (const OptimizedLineItemPtr& item : results->GetLineItems()) {
                const UsageStats itemStats = item->SumLayoutStatistics();
                set.Add(itemStats);
                report->AddDetailLine(StatisticsCells(StockSizeText(*item), itemStats));
            }
            report->AddGroupTotal(StatisticsCells(LoadUIString(kStrReportTotal), set));
            project.Add(set);
        }
    }
    if (project.GetFixed().GetPartsArea() > 0) {
        report->AddBlankRows(kColumns);
        report->AddProjectTotal(StatisticsCells(LoadUIString(kStrReportProjectTotal), project));
    }
    if (project.IsIncomplete()) {
        report->AddBlankRows(kColumns, 2);
        report->AddFootnote(LoadUIString(kStrManuallyEditedFootnote), kColumns);
    }
    return report;
}

#include "output/reports/PartsStatsReportCreator.h"

#include "foundation/LocaleFormat.h"
#include "foundation/ReportUnits.h"
#include "foundation/ResourceBase.h"
#include "model/CMilledPart.h"
#include "optimization/IOptimizationDoc.h"
#include "output/reports/ReportsStrings.h"

#include <map>

namespace {

constexpr int kColumns = 5;

struct PartSums
{
    double totalQuantity = 0;
    double skippedQuantity = 0;
    double area = 0;      // square inches
    double perimeter = 0; // inches

    void Add(const PartSums& other)
    {
        totalQuantity += other.totalQuantity;
        skippedQuantity += other.skippedQuantity;
        area += other.area;
        perimeter += other.perimeter;
    }
};

PartSums StatisticsOf(const CMilledPart& part)
{
    const double copies = part.GetCopies();
    const double width = part.GetWidth().GetInches();
    const double length = part.GetLength().GetInches();
    return {copies, static_cast<double>(part.GetUnplacedCopies()), width * length * copies,
            (2 * width + 2 * length) * copies};
}

std::vector<QString> SumsCells(const QString& first, const PartSums& sums)
{
    // Quantities are whole copies; sums of millions still fit a 64-bit text.
    return {first, FormatLocaleNumber(sums.totalQuantity, 0, true), FormatLocaleNumber(sums.skippedQuantity, 0, true),
            FormatArea(sums.area), FormatLinealLength(sums.perimeter)};
}

} // namespace

SimpleReportMetaPtr PartsStatsReportCreator::GetMeta() const
{
    auto meta = std::make_shared<SimpleReportMetaDTO>();
    meta->AddColumn(kStrColMaterialName, kReportAlignLeft);
    meta->AddColumn(kStrColTotalQty, kReportAlignRight);
    meta->AddColumn(kStrColSkippedQty, kReportAlignRight);
    meta->AddColumn(kStrColPartsAreaShort, kReportAlignRight);
    meta->AddColumn(kStrColPartsPerimeterShort, kReportAlignRight);
    meta->title = LoadUIString(kStrReportPartsStatsTitle);
    return meta;
}

SimpleReportPtr PartsStatsReportCreator::Build() const
{
    auto report = std::make_shared<SimpleReportDTO>();
    // Keyed by the exact name: names that differ only in case are two groups.
    std::map<QString, PartSums> byMaterial;
    PartSums project;
    for (const CMilledPart* part : Document().GetPartList()) {
        if (!part)
            continue;
        const PartSums sums = StatisticsOf(*part);
        byMaterial[part->GetMaterialName()].Add(sums);
        project.Add(sums);
    }
    for (const auto& [name, sums] : byMaterial)
        report->AddPlainLine(SumsCells(name, sums));
    if (project.totalQuantity > 0) {
        report->AddBlankRows(kColumns);
        report->AddProjectTotal(SumsCells(LoadUIString(kStrReportProjectTotal), project));
    }
    return report;
}

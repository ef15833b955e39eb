#include "output/reports/SkippedPartsReportCreator.h"

#include "foundation/ResourceBase.h"
#include "model/CMilledPart.h"
#include "optimization/IOptimizationDoc.h"
#include "output/reports/ReportsStrings.h"

namespace {
constexpr int kReasonColumn = 2;
}

std::vector<const CMilledPart*> CollectSkippedParts(const std::vector<CMilledPart*>& parts)
{
    std::vector<const CMilledPart*> skipped;
    for (const CMilledPart* part : parts) {
        if (!part)
            continue;
        const std::uint64_t placed =
            std::uint64_t {part->GetOptimizerPlacedCopies()} + std::uint64_t {part->GetHandPlacedCopies()};
        if (placed != part->GetCopies())
            skipped.push_back(part);
    }
    return skipped;
}

SimpleReportMetaPtr SkippedPartsReportCreator::GetMeta() const
{
    auto meta = std::make_shared<SimpleReportMetaDTO>();
    meta->AddColumn(kStrColPartNumber, kReportAlignLeft);
    meta->AddColumn(kStrColDescription, kReportAlignLeft);
    meta->AddColumn(kStrColReasonSkipped, kReportAlignLeft);
    meta->AddColumn(kStrColMaterial, kReportAlignLeft);
    meta->AddColumn(kStrColQtySkipped, kReportAlignRight);
    meta->title = LoadUIString(kStrReportSkippedParts);
    meta->sortable = true;
    return meta;
}

SimpleReportPtr SkippedPartsReportCreator::Build() const
{
    auto report = std::make_shared<SimpleReportDTO>();
    for (const CMilledPart* part : CollectSkippedParts(Document().GetPartList())) {
        const CSkippedPartInfo info = part->GetSkipInfo();
        report->AddPlainLine({part->GetID().FormatPartID(), part->GetDescription(), info.GetReasonText(),
                              part->GetMaterialName(), part->FormatUnplacedOfCopies()},
                             kReasonColumn, info.GetReasonDescription());
    }
    return report;
}

#include "output/reports/ReportsStrings.h"

namespace {

const StringResource g_reportsStrings[] = {
    {kStrReportSkippedParts, u"Reports_SkippedParts_Skipped Parts"},
    {kStrReportMaterialsStatsTitle, u"Reports_MaterialsStatsTitle_Materials Statistics"},
    {kStrColMaterialNameAndSize, u"ReportColumns_MaterialNameSize_Material Name and Size"},
    {kStrColWaste, u"ReportColumns_Waste_Waste"},
    {kStrReportTotal, u"Reports_Total_Total"},
    {kStrReportProjectTotal, u"Reports_ProjectTotal_Project Total"},
    {kStrColPartsArea, u"ReportColumns_PartsArea_Parts Area"},
    {kStrReportMaterialsStats, u"Reports_MaterialsStats_Materials Statistics"},
    {kStrColTotalCuts, u"ReportColumns_TotalCuts_Total Cuts"},
    {kStrColCutLength, u"ReportColumns_CutLength_Cut Length"},
    {kStrColPartsPerimeter, u"ReportColumns_PartsPerimeter_Parts Perimeter"},
    {kStrReportPartsStats, u"Reports_PartsStats_Parts Statistics"},
    {kStrReportPartsStatsTitle, u"Reports_PartsStatsTitle_Parts Statistics"},
    {kStrColTotalQty, u"ReportColumns_TotalQty_Total Qty"},
    {kStrColSkippedQty, u"ReportColumns_SkippedQty_Skipped Qty"},
    {kStrColPartsAreaShort, u"ReportColumns_PartsAreaShort_Parts Area"},
    {kStrColPartsPerimeterShort, u"ReportColumns_PartsPerimeterShort_Parts Perimeter"},
    {kStrColMaterialName, u"ReportColumns_MaterialName_Material Name"},
    {kStrColLinealStock, u"ReportColumns_LinealStock_Lineal Stock"},
    {kStrManuallyEditedFootnote, u"Reports_ManualEditNote_* Manually edited diagram."},
    {kStrColDescription, u"ReportColumns_Description_Description"},
    {kStrColMaterial, u"ReportColumns_Material_Material Name"},
    {kStrColPartNumber, u"ReportColumns_PartNumber_Part #"},
    {kStrReportCostSummary, u"Reports_CostSummary_Cost Summary"},
    {kStrColQtySkipped, u"ReportColumns_QtySkipped_Qty Skipped"},
    {kStrColReasonSkipped, u"ReportColumns_ReasonSkipped_Reason Skipped"},
};

} // namespace

std::span<const StringResource> ReportsStringResources()
{
    return g_reportsStrings;
}

#include "output/print/PrintStrings.h"

namespace {

// Section, key and text joined by underscores.
const StringResource g_printStrings[] = {
    { kStrProgramName, u"General_ProgramName_Kerfwell Plus Solo" },
    { kStrNarrowLayoutsStretched, u"CoverPageContent_Stretched_Narrow layouts are stretched to show detail" },
    { kStrPrintProRateCosts,
        u"CoverPageContent_ProRate_Pro-rate costs based on the actual usage (allow fractional boards and "
        u"sheets)" },
    { kStrPrintRoundUpCosts, u"CoverPageContent_RoundUp_Round up costs to the next whole board or sheet" },
    { kStrLayoutsToScale, u"CoverPageContent_ToScale_Layouts are drawn to scale" },
    { kStrUseInventoryFirst, u"CoverPageContent_InventoryFirst_Use inventory first." },
    { kStrUseOffCutsFirst, u"CoverPageContent_OffCutsFirst_Use off-cuts first." },
    { kStrProjectCoverPage, u"CoverPage_Title_Project Cover Page" },
    { kStrLayoutDiagramSettings, u"CoverPage_LayoutSettings_Layout Diagram Settings" },
    { kStrNotesHeading, u"CoverPage_Notes_Notes" },
    { kStrOptimizationSettings, u"CoverPage_OptimizationSettings_Optimization Settings" },
    { kStrBomRoundingMethod, u"CoverPage_Rounding_B.O.M. Rounding Method" },
    { kStrPrimaryObjective, u"CoverPage_PrimaryObjective_Primary Objective" },
    { kStrProjectName, u"CoverPage_ProjectName_Project Name" },
    { kStrCoverPage, u"PrintHeaders_CoverPage_Cover Page" },
    { kStrPrintNo, u"General_No_No" },
    { kStrPrintNotes, u"GridPrint_Notes_^^Notes:" },
    { kStrPrintCostSummary, u"PrintReports_CostSummary_Cost Summary" },
    { kStrPrintSkippedParts, u"PrintReports_SkippedParts_Skipped Parts" },
    { kStrPrintPartsStatistics, u"PrintReports_PartsStatistics_Parts Statistics" },
    { kStrPrintMaterialsStatistics, u"PrintReports_MaterialsStatistics_Materials Statistics" },
    { kStrPrintReportsTitle, u"PrintReports_Title_Reports" },
    { kStrPrintReportsHeader, u"PrintHeaders_Reports_Reports" },
    { kStrPrintPartsList, u"PrintTitles_PartsList_Parts List" },
    { kStrPrintRawMaterialsTitle, u"PrintTitles_RawMaterials_Raw Materials" },
    { kStrPrintBillOfMaterials, u"PrintTitles_BillOfMaterials_Bill of Materials" },
    { kStrPrintBomHeader, u"PrintHeaders_BOM_B.O.M." },
    { kStrPrintLayoutsHeader, u"PrintHeaders_Layouts_Layouts" },
    { kStrPrintPartsHeader, u"PrintHeaders_Parts_Parts" },
    { kStrPrintRawMaterialsHeader, u"PrintHeaders_RawMaterials_Raw Materials" },
    { kStrPrintTakeOffListsHeader, u"PrintHeaders_TakeOffLists_Take-Off Lists" },
    { kStrPrintSheetGoods, u"PrintTitles_SheetGoods_Sheet Goods" },
    { kStrPrintLayoutDiagramTakeOffs, u"PrintTitles_TakeOffs_Layout Diagram Take-Offs" },
    { kStrPrintNotOptimized,
        u"PrintMessages_NotOptimized_The project was not optimized, so nothing was printed." },
    { kStrPrintSetupTitle, u"PrintSetup_Title_Print Setup" },
};

} // namespace

std::span<const StringResource> PrintStringResources()
{
    return g_printStrings;
}

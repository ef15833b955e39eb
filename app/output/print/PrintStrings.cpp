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
};

} // namespace

std::span<const StringResource> PrintStringResources()
{
    return g_printStrings;
}

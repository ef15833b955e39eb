#include "output/print/ui/PrintUiStrings.h"

namespace {

// Section, key and text joined by underscores.
const StringResource g_printUiStrings[] = {
    { kStrPreviewPageOf, u"PrintPreview_PageOf_Page %1 of %2" },
    { kStrPdfNotWritable, u"Msgs_PdfNotWritable_The PDF file cannot be written:\\n%1\\n\\n%2" },
    { kStrDlgReports, u"PrintDlg_Reports_Reports" },
    { kStrOrientReports, u"PrintOrientation_Reports_Reports" },
    { kStrShadeAlternateRows,
        u"PrintOptions_ShadeRows_Shade alternate grid rows when gridlines are displayed" },
    { kStrPrintProblem,
        u"Msgs_PrintProblem_There was a problem trying to print.\\n\\nPlease go to File>Page Setup and check "
        u"the "
        u"printer settings." },
    { kStrDiagramsPerPage, u"PrintOptions_DiagramsPerPage_Layout diagrams per page:" },
    { kStrLayoutsGroup, u"PrintOptions_LayoutsGroup_Layouts" },
    { kStrTakeOffWithLayout,
        u"PrintOptions_TakeOffWithLayout_Print take-off list on page with layout diagram" },
    { kStrAllSections, u"PrintDlg_AllSections_All Sections" },
    { kStrCoverPageSection, u"PrintDlg_CoverPage_Cover Page" },
    { kStrPartsListSection, u"PrintDlg_PartsList_Parts List" },
    { kStrLayoutsSection, u"PrintDlg_Layouts_Layouts" },
    { kStrOptionsButton, u"PrintDlg_Options_Options..." },
    { kStrBOMSection, u"PrintDlg_BOM_Bill of Materials" },
    { kStrPreviewButton, u"PrintDlg_PreviewButton_Preview" },
    { kStrPreviewCaption, u"PrintDlg_PreviewCaption_Print Preview" },
    { kStrPrintButton, u"PrintDlg_PrintButton_Print" },
    { kStrPrinterLabel, u"PrintDlg_Printer_Printer:" },
    { kStrPrintRange, u"PrintDlg_PrintRange_Print Range" },
    { kStrPrintCaption, u"PrintDlg_PrintCaption_Print" },
    { kStrRawMaterialsScope, u"PrintDlg_RawMaterials_Raw Materials Sizes and Costs" },
    { kStrSelectedSections, u"PrintDlg_SelectedSections_Selected Sections" },
    { kStrTakeOffSection, u"PrintDlg_TakeOffs_Take-Off Lists" },
    { kStrLandscape, u"PrintOrientation_Landscape_Landscape" },
    { kStrPortrait, u"PrintOrientation_Portrait_Portrait" },
    { kStrRawMaterialsSection, u"PrintOrientation_RawMaterials_Raw Materials" },
    { kStrSectionHeader, u"PrintOrientation_Section_Section" },
    { kStrProgressCancel, u"PrintProgress_Cancel_Cancel" },
    { kStrProgressCaption, u"PrintProgress_Caption_Printing..." },
    { kStrProgressDevice, u"PrintProgress_Device_on the %s on %s" },
    { kStrProgressPage, u"PrintProgress_Page_Now printing Page %d of" },
    { kStrPreviewClose, u"PreviewBar_Close_Close" },
    { kStrPreviewPageSetup, u"PreviewBar_PageSetup_Page Setup..." },
    { kStrPreviewPrint, u"PreviewBar_Print_Print" },
    { kStrZoomChoices, u"Preview_Zoom_Whole Page|Page Width|Two Pages|Thumbnail" },
    { kStrCouldNotStartPrinting,
        u"Msgs_CouldNotStartPrinting_Could not start printing. It appears that the program\\nhas not been "
        u"correctly installed for the current user.\\n\\nPlease try re-installing Kerfwell Plus.\\n\\nFor "
        u"additional help, contact %1 or your local dealer." },
    { kStrSetupButton, u"PrintDlg_Setup_&Setup..." },
};

} // namespace

std::span<const StringResource> PrintUiStringResources()
{
    return g_printUiStrings;
}

#pragma once

#include "foundation/UIStringTable.h"

#include <span>

// Ids of the UI strings of the print dialog, the print option pages and the
// preview.
enum PrintUiStringId : int {
    kStrDlgReports = 72,
    kStrOrientReports = 93,
    kStrShadeAlternateRows = 176,
    kStrPrintProblem = 4240,
    kStrDiagramsPerPage = 4709,
    kStrLayoutsGroup = 4712,
    kStrTakeOffWithLayout = 4714,
    kStrAllSections = 4791,
    kStrCoverPageSection = 4794,
    kStrPartsListSection = 4795,
    kStrLayoutsSection = 4800,
    kStrOptionsButton = 4801,
    kStrBOMSection = 4804,
    kStrPreviewButton = 4805,
    kStrPreviewCaption = 4806,
    kStrPrintButton = 4807,
    kStrPrinterLabel = 4808,
    kStrPrintRange = 4809,
    kStrPrintCaption = 4810,
    kStrRawMaterialsScope = 4812,
    kStrSelectedSections = 4814,
    kStrTakeOffSection = 4816,
    kStrLandscape = 4819,
    kStrPortrait = 4820,
    kStrRawMaterialsSection = 4821,
    kStrSectionHeader = 4822,
    kStrProgressCancel = 4823,
    kStrProgressCaption = 4824,
    kStrProgressDevice = 4825,
    kStrProgressPage = 4826,
    kStrPreviewClose = 4827,
    kStrPreviewPageSetup = 4830,
    kStrPreviewPrint = 4832,
    kStrZoomChoices = 4835,
    kStrCouldNotStartPrinting = 5179,
    kStrSetupButton = 5236,
    kStrPreviewPageOf = 5511,
    kStrPdfNotWritable = 5470,
};

// The table handed to the string service at start-up.
std::span<const StringResource> PrintUiStringResources();

#include "optimization/OptimizationStrings.h"

#include "foundation/ResourceBase.h"

namespace {

const StringResource g_optimizationStrings[] = {
    {kStrToBeDetermined, u"Misc_TBD_TBD"},
    {kStrSkipped, u"Kerfwell_Skipped_Skipped"},
    {kStrOptProgressTitle, u"OptProgress_DlgTitle_Layout Optimization Progress..."},
    {kStrOptProgressTasks, u"OptProgress_OptimizationTasks_Optimization Tasks"},
    {kStrOptProgressStatus, u"OptProgress_Status_Status"},
    {kStrOptProgressTask, u"OptProgress_Taks_Task"},
    {kStrSkippedPartsTitle, u"SkippedParts_DlgTitle_Warning: Skipped Parts"},
    {kStrSkippedPartsDontShow, u"SkippedParts_DoNotShowAgain_Don't show this warning again"},
    {kStrSkippedPartsMessage,
     u"SkippedParts_Msg_One or more parts could not be placed on a layout diagram or in the Bill of Materials.\n\n"
     u"See the Skipped Parts list (on the B.O.M. main tab) for more details."},
    {kStrBalanceLowWaste, u"ProjSettings_Balanced_Balance low waste with ease of cutting"},
    {kStrAlignmentOverCost, u"ProjSettings_AlignOverWaste_Alignment is more important than cost/waste"},
    {kStrPackTightly, u"ProjSettings_PackTightly_Pack parts tightly, even if layouts are complex"},
    {kStrAlignParts, u"ProjSettings_AlignParts_Align parts without concern for off-cut sizes"},
    {kStrPackingStrategy, u"ProjSettings_PartsDistGroup_Packing Strategy"},
};

} // namespace

std::span<const StringResource> OptimizationStringResources()
{
    return g_optimizationStrings;
}

QString OptimizationText(int id)
{
    return LoadUIString(id);
}

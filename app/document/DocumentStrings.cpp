#include "document/DocumentStrings.h"

namespace {

const StringResource g_documentStrings[] = {
    {kStrProgramVersion, u"Document_Version_1.0"},
    {kStrNewerFileVersion,
     u"Document_NewerVersion_The file you are trying to open was created with Kerfwell Plus version %1.\\n"
     u"You currently have installed Kerfwell Plus version %2.\\n"
     u"In order to open this document, please install an updated version of the program."},
    {kStrDocumentReadError,
     u"Document_ReadError_AR-101: Error reading document: file is either corrupted or has an unknown version number."},
    {kStrFileNotOpened, u"Document_NotOpened_The project could not be opened."},
    {kStrFileNotFound, u"Document_NotFound_%1 cannot be found."},
    {kStrFileNotReadable, u"Document_NotReadable_%1 cannot be read: %2"},
    {kStrNotARegularFile, u"Document_NotRegular_Not a regular file"},
    {kStrFileTooLarge, u"Document_TooLarge_Larger than any project file (%1 MB)"},
    {kStrSaveChanges, u"Document_SaveChanges_Save changes to %1?"},
    {kStrUntitled, u"Document_Untitled_Untitled"},
    {kStrLockProject, u"Command_LockProject_Lock Project"},
    {kStrUnlockProject, u"Command_UnlockProject_Unlock Project"},
    {kStrProjectSettingsTitle, u"ProjSettings_DlgTitle_Project Settings"},
    {kStrGeneralPage, u"ProjSettings_General_General"},
    {kStrOptimizationPage, u"ProjSettings_Optimization_Optimization"},
    {kStrProjectLockedSettings,
     u"ProjSettings_LockedWarning_Since this project is locked, the project\nsettings can be viewed but not changed."},
    {kStrSettingsProjectName, u"ProjSettings_ProjectName_Project Name"},
    {kStrSettingsPrimaryObjective, u"ProjSettings_PrimaryObj_Primary Objective"},
    {kStrMinimize, u"ProjSettings_TryToMinimize_Minimize:"},
    {kStrObjectiveWaste, u"ProjSettings_Waste_Waste"},
    {kStrObjectiveTotalCost, u"ProjSettings_TotalCost_Total cost"},
    {kStrObjectiveProRated, u"ProjSettings_ProRatedCost_Pro-rated cost"},
    {kStrConstraints, u"ProjSettings_Constraints_Subject to these constraints:"},
    {kStrSettingsUseOffCutsFirst, u"ProjSettings_UseOffCutsFirst_Use off-cuts first, even if cost is higher"},
    {kStrSettingsUseInventoryFirst, u"ProjSettings_UseInvFirst_Use inventory before new purchases when feasible"},
};

}  // namespace

std::span<const StringResource> DocumentStringResources()
{
    return g_documentStrings;
}

#include "shell/ShellStrings.h"

namespace {

const StringResource g_shellStrings[] = {
    {kStrConfirmCloseProject,
     u"Msgs_CloseProject_The current project must be closed before continuing.\\nYou will be prompted to save changes, if any."},
    {kStrLoading, u"Splash_Loading_Loading..."},
    {kStrIosExportFiles, u"FileDlg_IosExport_iOS Export Files (*.ikwx)"},
    {kStrSupportLine,
     u"About_Support_For support, please see %1 or send a note to %2 or contact your local dealer."},
    {kStrCsvFiles, u"FileDlg_Csv_Comma Separated Value File (*.csv)"},
    {kStrProjectFiles, u"FileDlg_Projects_Kerfwell Plus Solo Files (*.kwxe)"},
    {kStrTextFiles, u"FileDlg_Text_Text File (*.txt)"},
    {kStrOwnFileRefused,
     u"Msgs_OwnFile_Sorry, but the current project file may not be\\nimported, exported to, or included as a component."},
    {kStrProjectLocked,
     u"Msgs_ProjectLocked_This operation is not possible when the project is locked.\\n\\nTo unlock the project, click the "
     u"lock icon in the tool bar,\\nor choose Tools->Project Locked to clear the check mark."},
    {kStrOpenTitle, u"FileDlg_Open_Open"},
    {kStrSaveAsTitle, u"FileDlg_SaveAs_Save As"},
    {kStrAboutTitle, u"About_Title_About Kerfwell Plus Solo"},
    {kStrVersion, u"About_Version_Version"},
    {kStrTabParts, u"MainTab_Parts_Parts"},
    {kStrTabLayouts, u"MainTab_Layouts_Layouts"},
    {kStrTabBOM, u"MainTab_BOM_B.O.M."},
    {kStrTabRawMaterials, u"MainTab_RawMaterials_Raw Materials"},
    {kStrTabReports, u"MainTab_Reports_Reports"},
    {kStrHandOverNotOpened,
     u"Msgs_HandOverNotOpened_Only one project can be open at a time. These files were not opened:\\n%1"},
    {kStrHandOverMore, u"Msgs_HandOverMore_... and %1 more"},
    {kStrRecentFileGone,
     u"Msgs_RecentFileGone_%1\\nThis file cannot be found. It has been removed from the recent-file list."},
    {kStrHandOverFailed,
     u"Msgs_HandOverFailed_Kerfwell Plus Solo is already running, but this project could not be handed over to "
     u"it:\\n%1\\nOpen it from the File menu of the running program, or try again in a moment."},
    {kStrUnlockProjectMenu, u"Menu_UnlockProject_Un&lock Project"},
    {kStrLockProjectMenu, u"Menu_LockProject_&Lock Project"},
    {kStrPdfReaderNeeded,
     u"Msgs_PdfReader_The user's guide is a PDF document and needs a free PDF reader.\\nYou can download one from %1"},
    {kStrManualMissing,
     u"Msgs_ManualMissing_The electronic version of the User's Manual\\nhas not been installed on this computer."},
    {kStrBackupSaved, u"MatBackup_Saved_A copy of your raw materials database has been saved."},
    {kStrBackupReplace, u"MatBackup_Replace_Replace the raw materials database currently in that folder?"},
    {kStrBackupFailed,
     u"MatBackup_Failed_There was a problem writing to the backup folder.\\nYour raw materials database has not been "
     u"backed up."},
    {kStrQuickStartMissing,
     u"Msgs_QuickStartMissing_The electronic version of the Quick Start Guide\\nhas not been installed on this computer."},
    {kStrResetPreferences, u"Support_ResetPrefs_Reset preferences"},
    {kStrBackupTitle, u"MatBackup_BackupTitle_Raw Materials Backup"},
    {kStrRestoreTitle, u"MatBackup_RestoreTitle_Raw Materials Restore"},
    {kStrBackupPrompt, u"MatBackup_BackupPrompt_Folder to save a backup copy in:"},
    {kStrRestorePrompt, u"MatBackup_RestorePrompt_Folder to restore from:"},
    {kStrRestoreButton, u"MatBackup_Restore_Restore"},
    {kStrSaveButton, u"MatBackup_Save_Save"},
    {kStrNotesTitle, u"Notes_Title_Add/Edit Notes"},
    {kStrSupportToolsTitle, u"Support_Title_Support Tools"},
    {kStrResetGridStatus, u"Support_ResetGrid_Reset grid status"},
    {kStrSupportToolsWarning,
     u"Support_Warning_Warning: This dialog should only be used when instructed by support staff."},
};

} // namespace

std::span<const StringResource> ShellStringResources()
{
    return g_shellStrings;
}

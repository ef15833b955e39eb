#pragma once
// The texts of the program window: tabs, splash, dialogs and messages.

#include "foundation/UIStringTable.h"
#include "shell/controls/ControlsStrings.h" // kStrAllFiles, shared with the file edit box

#include <span>

enum ShellStringId : int {
    kStrConfirmCloseProject = 326, // "The current project must be closed before continuing...."
    kStrLoading = 425,             // "Loading..."
    kStrIosExportFiles = 502,      // "iOS Export Files (*.ikwx)"
    kStrSupportLine = 3017,        // "For support, please see %1 or send a note to %2 ..."
    kStrCsvFiles = 4006,           // "Comma Separated Value File (*.csv)"
    kStrProjectFiles = 4007,       // "Kerfwell Plus Solo Files (*.kwxe)"
    kStrTextFiles = 4008,          // "Text File (*.txt)"
    kStrOwnFileRefused = 4137,     // "Sorry, but the current project file may not be ..."
    kStrProjectLocked = 4235,      // "This operation is not possible when the project is locked. ..."
    kStrOpenTitle = 4256,          // "Open"
    kStrSaveAsTitle = 4257,        // "Save As"
    kStrAboutTitle = 4971,         // "About Kerfwell Plus Solo"
    kStrVersion = 4996,            // "Version"
    kStrTabParts = 5036,           // "Parts"
    kStrTabLayouts = 5038,         // "Layouts"
    kStrTabBOM = 5041,             // "B.O.M."
    kStrTabRawMaterials = 5042,    // "Raw Materials"
    kStrUnlockProjectMenu = 4288,  // "Un&lock Project"
    kStrLockProjectMenu = 5049,    // "&Lock Project"
    // Main view commands.
    kStrPdfReaderNeeded = 4224,      // "...needs a free PDF reader... %1"
    kStrManualMissing = 4239,        // "The electronic version of the User's Manual..."
    kStrBackupSaved = 4457,          // "A copy of your raw materials database has been saved."
    kStrBackupReplace = 4458,        // "Replace the raw materials database currently in that folder?"
    kStrBackupFailed = 4462,         // "There was a problem writing to the backup folder. ..."
    kStrQuickStartMissing = 5162,    // "The electronic version of the Quick Start Guide..."
    kStrTabReports = 5215,         // "Reports"
    // Projects handed over by a later start, and the recent-file list.
    kStrHandOverNotOpened = 5460,  // "Only one project can be open at a time. These files were not opened:\n%1"
    kStrRecentFileGone = 5461,     // "%1\nThis file cannot be found. It has been removed from the recent-file list."
    kStrHandOverMore = 5462,       // "... and %1 more"
    kStrHandOverFailed = 5490,     // "Kerfwell Plus Solo is already running, but this project could not be handed ..."
    // Small dialogs.
    kStrResetPreferences = 196,     // "Reset preferences"
    kStrBackupTitle = 4460,         // "Raw Materials Backup"
    kStrRestoreTitle = 4461,        // "Raw Materials Restore"
    kStrBackupPrompt = 4464,        // "Folder to save a backup copy in:"
    kStrRestorePrompt = 4465,       // "Folder to restore from:"
    kStrRestoreButton = 4466,       // "Restore"
    kStrSaveButton = 4467,          // "Save"
    kStrNotesTitle = 4605,          // "Add/Edit Notes"
    kStrSupportToolsTitle = 5033,   // "Support Tools"
    kStrResetGridStatus = 5034,     // "Reset grid status"
    kStrSupportToolsWarning = 5035, // "Warning: This dialog should only be used when instructed by support staff."
};

std::span<const StringResource> ShellStringResources();

// Where the about box sends a user who needs help.
inline constexpr const char* kSupportWebAddress = "https://kerfwell.example/support";
inline constexpr const char* kSupportMailAddress = "support@kerfwell.example";
// Where the guides' PDF reader can be had.
inline constexpr const char* kPdfReaderDownload = "https://pdfreader.example/download";

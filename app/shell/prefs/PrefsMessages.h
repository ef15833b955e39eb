#pragma once
// The pages' message boxes (a folder that fails validation) go through the
// preferences' message hook (foundation/CUserPrefs.h), so tests can capture
// them. The program installs this warning box with OK as that hook.

void InstallPrefsMessageBox();

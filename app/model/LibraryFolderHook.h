#pragma once

// Installs the materials library (whichever is installed when asked) as the
// foundation's library-folder hook, through which the general-settings edit
// moves the library to another folder.
void InstallLibraryFolderHook();

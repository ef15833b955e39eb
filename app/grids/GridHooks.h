#pragma once
// Where the grids reach the main window: menu commands they pass on.
// The shell installs the hook; without one the command is dropped.

#include <functional>

using MainWindowCommandHook = std::function<void(int commandId)>;

void SetMainWindowCommandHook(MainWindowCommandHook hook);
void SendMainWindowCommand(int commandId);

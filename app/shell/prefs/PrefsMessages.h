#pragma once
// The pages' message boxes (a folder that fails validation) go through a
// hook, so tests can capture them; without one a warning box with OK shows.

#include <QString>

#include <functional>

using PrefsMessageHook = std::function<void(const QString& text)>;

// Installs the receiver of the pages' messages and answers the previous one.
PrefsMessageHook SetPrefsMessageHook(PrefsMessageHook hook);
void ShowPrefsMessage(const QString& text);

#pragma once
// The data model has no widgets: the few message boxes its operations raise
// (library fallback notices, file errors, a refused rename) are handed to
// whatever the program installs here. The shell shows them on the GUI thread;
// tests capture them.

#include <QString>

#include <functional>

using ModelMessageHook = std::function<void(const QString& text)>;

// Installs the receiver of model messages and answers the previous one.
ModelMessageHook SetModelMessageHook(ModelMessageHook hook);

// Installs the receiver of model warnings and answers the previous one.
ModelMessageHook SetModelWarningHook(ModelMessageHook hook);

// Shows one message box with an OK button (through the hook; without a hook
// the text goes to the Qt message handler, so it is never lost silently).
void ShowModelMessage(const QString& text);
// The same for a failure the user must notice (the box shows the warning
// icon): through the warning hook, else like any other model message.
void ShowModelWarning(const QString& text);

#pragma once
// The data model has no widgets: the few message boxes its operations raise
// (library fallback notices, file errors, a refused rename) are handed to
// whatever the program installs here. The shell shows them on the GUI thread;
// tests capture them.

#include <QString>

#include <functional>

// The icon the box shows: a report of an outcome, or a warning of a failure.
enum class ModelMessageIcon { Information, Exclamation };

using ModelMessageHook = std::function<void(const QString& text, ModelMessageIcon icon)>;

// Installs the receiver of model messages and answers the previous one.
ModelMessageHook SetModelMessageHook(ModelMessageHook hook);

// Shows one message box with an OK button (through the hook; without a hook
// the text goes to the Qt message handler, so it is never lost silently).
void ShowModelMessage(const QString& text, ModelMessageIcon icon = ModelMessageIcon::Information);

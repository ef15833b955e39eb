#pragma once
// Message boxes of printing go through a hook, so that tests capture them
// and nothing of printing decides how a message is shown.

#include <QString>

#include <functional>

using PrintMessageHook = std::function<void(const QString& text)>;

// Installs the receiver and answers the previous one; without one a stop
// message box is shown.
PrintMessageHook SetPrintMessageHook(PrintMessageHook hook);
void ShowPrintStopMessage(const QString& text);

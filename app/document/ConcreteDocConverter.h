#pragma once
// Turns the framework's document object into the project's IDoc for the
// command history: the project document answers, anything else is null.

#include "foundation/CmdHistory.h"

class ConcreteDocConverter : public IDynamicDocConverter
{
public:
    IDoc* Convert(QObject* document) override;
    IDoc* ConvertDocument(QObject* document) override { return Convert(document); }
};

// Start-up: the converter becomes the command history's.
void InstallDocConverter();

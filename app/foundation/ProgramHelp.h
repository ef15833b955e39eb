#pragma once
// The program's help: a book of HTML pages installed with the program, its
// contents page "help/index.html" in the program's resource folder (beside
// the program, else in ../share/kwlsolo/). Whether it is installed is the
// one rule of every Help button and help command: without it, all of them
// are disabled.

#include <QString>

// The contents page; it may not exist.
QString GetHelpFilePath();
bool IsHelpInstalled();
// Opens the help at a topic: the topic's own page ("<topic>.html" beside the
// contents) when the help has one, else the contents. False when the help is
// not installed or nothing could open it.
bool ShowHelp(int topic = 0);
// Points the help at another contents page; empty restores the installed one.
void SetHelpFilePath(const QString& path);

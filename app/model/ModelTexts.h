#pragma once
// The texts of the library and the parts that come from the program's shared
// services (UI strings, session log, name lists), in one place.

#include "model/ModelStrings.h"

#include <QString>
#include <QStringList>

#include <exception>

// Spreadsheet column letters: 1 A, 26 Z, 27 AA.
QString LetterName(int index);
// A column header text: the abbreviated override when the preference asks for it.
QString UiHeaderText(int id);
// Compares as the file lists of the desktop do: runs of digits by their
// value, letters ignoring case ("Panel 9" before "Panel 10").
int LogicalCompare(const QString& a, const QString& b);
void LogWarning(const QString& text);
void LogError(const QString& text);
// Names sorted and each followed by "\n" (the drop-down lists of the grids).
QString JoinNameList(const QStringList& names);
// The message of an archive error or other failure while reading path.
QString ArchiveErrorText(const std::exception& failure, const QString& path);
// The message shown when a library file cannot be written.
QString FileWriteErrorText(const QString& detail);

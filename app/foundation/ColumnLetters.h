#pragma once

#include <QString>
#include <QStringList>

// Letter names for indexes, as spreadsheets name their columns.

// 703 names: "" for 0, "A".."Z" for 1..26, "AA".."ZZ" for 27..702.
const QStringList& GetColumnLetterTable();
// 1 "A", 26 "Z", 27 "AA", 702 "ZZ", 703 "AAA" .. 18278 "ZZZ"; above that the
// digits of n; 0 and below give an empty text.
QString FormatColumnLetters(int n);

#pragma once

#include <QString>
#include <QStringList>

// Sorts ascending by ordinal, case-sensitive comparison.
void SortStringList(QStringList& list);
// The sorted elements, each followed by a line feed.
QString JoinStringList(QStringList list);

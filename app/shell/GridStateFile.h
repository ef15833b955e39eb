#pragma once
// The file that keeps the main grids' column layouts between runs. Its
// content is the sections the caller writes or reads; this part only makes
// sure that a failed write never leaves a cut-off file and that nothing read
// from it can do more than stop the reading.

#include <QString>

#include <functional>

class ArchiveWrapper;

using GridStateSections = std::function<void(ArchiveWrapper&)>;

// Writes the sections beside the file and renames the result over it; any
// error keeps the old file. False when nothing was written.
bool StoreGridStateFile(const QString& path, const GridStateSections& sections);
// Reads the sections when the file exists; an error stops the reading where
// it occurred (what was read before it stays applied). False on an error.
bool LoadGridStateFile(const QString& path, const GridStateSections& sections);

#pragma once
// The file that keeps the main grids' column layouts between runs. Its
// content is the sections the caller writes or reads; this part only makes
// sure that a failed write never leaves a cut-off file and that nothing read
// from it can do more than stop the reading.

#include <QString>

#include <cstdint>
#include <functional>

class ArchiveWrapper;

using GridStateSections = std::function<void(ArchiveWrapper&)>;

// Writes the sections beside the file and renames the result over it; any
// error keeps the old file. False when nothing was written.
bool StoreGridStateFile(const QString& path, const GridStateSections& sections);
// A grid state is about half a kilobyte: four grids of a few dozen columns
// at up to three words a column. A file larger than this is none, and is not read.
constexpr std::int64_t kMaxGridStateFileBytes = std::int64_t(1) << 20;

// Reads the sections when the file exists; an error stops the reading where
// it occurred (what was read before it stays applied). What is no regular
// file (a pipe would hang the start) or is larger than any grid state is
// refused before a byte is read. False on an error or a refusal.
bool LoadGridStateFile(const QString& path, const GridStateSections& sections);

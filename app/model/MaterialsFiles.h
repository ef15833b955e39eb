#pragma once
// The files of the materials library: the library file, its one-step backup
// and the shipped defaults, the order in which loading tries them, and the
// safe replacement of a library file.
//
// A library file is never written in place: the new contents go to a
// temporary file beside it, and only a complete, flushed file takes the
// library's name. The previous file becomes the backup by an atomic rename,
// so at every moment the folder holds a readable library or backup.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace MaterialsFiles {

inline const char* const kLibraryFile = "Matls.KWDE";
inline const char* const kBackupFile = "MatlsBK.KWDE";
inline const char* const kDefaultsFile = "DefMats.KWDE";

// Far more than a library of thousands of materials takes; a larger file is
// not one this program wrote, and reading it would take time and memory
// before the window comes up.
constexpr std::int64_t kMaxLibraryFileBytes = std::int64_t(64) << 20;

// folder joined with a file name (the folder may or may not end in '/').
QString PathIn(const QString& folder, const char* fileName);

// The files that loading with fallback tries, in order: the library file and
// its backup in baseFolder, then, unless the base is an alternate folder, the
// shipped defaults in programFolder. Entries whose folder is not set are empty.
QStringList FallbackCandidates(const QString& baseFolder, const QString& programFolder, bool alternate);

// What tells one version of a file from another: path, size and
// modification time. An absent file has size -1.
struct FileStamp
{
    QString path;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const QString& path);

// Writes bytes as folder/Matls.KWDE through a temporary file. With rotate,
// an existing library file first becomes MatlsBK.KWDE (replacing the older
// backup); a failed rotation is ignored unless rotationMustSucceed, in which
// case nothing is replaced. Answers false with a readable error when the new
// file could not be written completely; the files in the folder are then
// unchanged. The new file keeps the permission bits of the file it replaces.
// With `known`, an existing library file that is not that very version (one
// the caller never read, or one changed since) is not rotated into the
// single backup slot, where the next store would delete it: it is set aside
// (see SetFileAside) and its new path is put into `setAside`.
bool WriteLibraryFile(const QString& folder, const QByteArray& bytes, bool rotate, bool rotationMustSucceed,
    QString* error, const FileStamp* known = nullptr, QString* setAside = nullptr);

// Modification time of a file in seconds since 1970 (0 when absent).
std::int64_t FileTime(const QString& path);

// The folder of the running program (where the shipped defaults lie), or
// ../share/kwlsolo/ beside it when the defaults are installed there.
QString ProgramFolder();
// Makes ProgramFolder answer folder (empty: back to the program's own);
// lets tools and tests point the library at other shipped defaults.
void SetProgramFolder(const QString& folder);

} // namespace MaterialsFiles

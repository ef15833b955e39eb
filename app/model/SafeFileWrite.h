#pragma once
// Replacing a file that holds user data without ever leaving it half
// written: the new contents go to a temporary file beside the target, are
// flushed to disk, and only then take the target's name by an atomic rename.
// A failure at any step leaves the old file as it was and no temporary file.
// A target that is a symbolic link stays one: the file it points to is
// replaced. Only a regular file (or a name not taken yet) is replaced: a
// target that is, or leads to, a folder, a device, a pipe or a socket is
// refused like one that cannot be written. Names go to the system through EncodeFileName, so a folder whose
// name is not UTF-8 works too.

#include <QByteArray>
#include <QString>

#include <functional>

// The temporary files of a save are named ".kwlsave-XXXXXX.tmp", the X six
// upper-case hexadecimal digits; no other name is ever cleared. One that a
// killed save left behind is removed by a later save into the same folder
// once it is older than this and no process holds it.
constexpr int kStaleTemporaryAgeSeconds = 60 * 60;

// POSIX rename: replaces the target atomically. On failure error (when
// given) reads "<target>: <reason>".
bool RenameReplacing(const QString& from, const QString& to, QString* error);

// The file a path finally names once every symbolic link on its last
// component is followed (the path itself when it is no link). A link that
// points nowhere yet gives the path where the file is to be created.
QString ResolveSymbolicLinks(const QString& path);

// Writes bytes as target through a temporary file. beforeReplace (when set)
// runs once the new file is complete, just before the rename; answering false
// (with its own error text) abandons the write. Answers false with a readable
// error (the system's own reason) when the target was not replaced. The new
// file keeps the permission bits of the file it replaces.
bool WriteFileThroughTemporary(const QString& target, const QByteArray& bytes,
                               const std::function<bool(QString* error)>& beforeReplace, QString* error);

// The same for writers that write a file by name (the XML writer, say):
// writeContent fills the temporary file named by the bytes it is given (the
// system's own, to be used as they are: a folder's name need not be UTF-8)
// and answers whether it succeeded. A writer that answers true but left the
// temporary empty wrote somewhere else or nothing: the write fails, and the
// target stays as it was.
bool WriteFileThroughTemporaryWith(const QString& target,
    const std::function<bool(const QByteArray& tempFileName)>& writeContent, QString* error);

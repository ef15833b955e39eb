#pragma once
// Replacing a file that holds user data without ever leaving it half
// written: the new contents go to a temporary file beside the target, are
// flushed to disk, and only then take the target's name by an atomic rename.
// A failure at any step leaves the old file as it was and no temporary file.

#include <QByteArray>
#include <QString>

#include <functional>

// POSIX rename: replaces the target atomically. On failure error (when
// given) reads "<target>: <reason>".
bool RenameReplacing(const QString& from, const QString& to, QString* error);

// Writes bytes as target through a temporary file. beforeReplace (when set)
// runs once the new file is complete, just before the rename; answering false
// (with its own error text) abandons the write. Answers false with a readable
// error (the system's own reason) when the target was not replaced. The new
// file keeps the permission bits of the file it replaces.
bool WriteFileThroughTemporary(const QString& target, const QByteArray& bytes,
                               const std::function<bool(QString* error)>& beforeReplace, QString* error);

// The same for writers that write a file by name (the XML writer, say):
// writeContent fills the temporary file at the path it is given and answers
// whether it succeeded.
bool WriteFileThroughTemporaryWith(const QString& target, const std::function<bool(const QString& tempPath)>& writeContent,
                                   QString* error);

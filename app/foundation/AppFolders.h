#pragma once

#include <QString>

// The per-user data folder with subfolder below it (both created when
// missing), ending in "/". False, with path unchanged, when the system gives
// no such folder.
bool GetAppDataFolder(const QString& subfolder, QString& path);
// Creates each folder of relative (split at "/") below base in turn, when
// base/relative does not exist yet; stops at the first failure.
void EnsureFolderPath(const QString& base, const QString& relative);
// The folder with one trailing "/", so that file names can be appended;
// separators doubled anywhere in it are made single.
QString FolderWithSlash(const QString& folder);
// The folder of the running program, ending in "/".
QString GetProgramFolder();
// The user's documents folder, ending in "/": the folder given, or when none
// is given the one the desktop reports; created when missing. When it cannot
// be created, the home folder: a first save or print must find a folder.
QString EnsureDocumentsFolder(const QString& folder = QString());
// Where a file dialog or folder browser starts: the folder when it exists
// (a stored one may have been removed since), else the user's documents
// folder; never the working folder, which means nothing to a program started
// from the desktop. Ends in "/".
QString DialogStartFolder(const QString& folder);

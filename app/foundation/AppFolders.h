#pragma once

#include <QString>

// The per-user data folder with subfolder below it (both created when
// missing), ending in "/". False, with path unchanged, when the system gives
// no such folder.
bool GetAppDataFolder(const QString& subfolder, QString& path);
// Creates each folder of relative (split at "/") below base in turn, when
// base/relative does not exist yet; stops at the first failure.
void EnsureFolderPath(const QString& base, const QString& relative);
// The folder of the running program, ending in "/".
QString GetProgramFolder();

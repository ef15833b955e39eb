#pragma once
// Saving a file so that a failure never leaves a partial file behind: the
// content goes into a new file beside the target, which replaces the target
// by one rename only once it is complete and on disk.

#include <QString>

#include <functional>

// `save` writes the whole content to the path it is given and answers
// whether it succeeded. False when it fails or the replacement cannot be
// made; the target is then as it was and the temporary file is gone.
bool SaveBesideThenReplace(const QString& path, const std::function<bool(const QString& tempPath)>& save);

#pragma once
// Restoring the materials library from a backup folder the user chose.

#include <QString>

// Reloads the library from the folder's library file and stores it in its
// own folder; the undo history is cleared first (its steps refer to the old
// materials). Tells the user the outcome; false when the folder held no
// readable library, which leaves the library as it was.
bool RestoreMaterialsFrom(const QString& folder);

#pragma once
// The pictures of the program window's commands. Each comes from the
// desktop's icon theme by its freedesktop name, so that it matches the other
// programs, and falls back to a picture that ships with the program (the
// style's standard pixmaps, or one drawn here) when no theme has it.

#include <QIcon>

// A null icon for a command that has no picture.
QIcon CommandIcon(int commandId);

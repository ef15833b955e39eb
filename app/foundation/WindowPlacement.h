#pragma once

#include <QStringList>

#include <cstdint>

// The main window's placement as the application profile keeps it: show
// command (3 maximized, 1 normal, ...) and the normal (restored) rectangle.
struct WindowPlacement
{
    std::uint32_t length = 44;
    std::uint32_t flags = 0;
    std::int32_t showCmd = 3;
    std::int32_t normalLeft = 0;
    std::int32_t normalTop = 0;
    std::int32_t normalRight = 500;
    std::int32_t normalBottom = 400;
};

// Read from and written to the application profile, section "5.0".
WindowPlacement LoadWindowPlacement();
void SaveWindowPlacement(const WindowPlacement& placement);

// The application profile's files (the program's and its maker's) that are
// not regular files or are far larger than any profile, each set aside
// before anything reads the profile: a pipe there would hold the start for
// ever. Answers where each was put.
QStringList SetUnreadableProfileFilesAside();

#pragma once
// Taking a project file off the disk before anything of the open project is
// touched. Only a regular file is read (a named pipe would wait for ever, a
// device would never end), its header first, and only when it is no larger
// than any project can be; a file that cannot be read leaves the open
// project as it was.

#include <QString>

#include <cstdint>
#include <vector>

// Far beyond any project: a part takes under 300 bytes of the file, so a
// project of a thousand parts is about a quarter of a megabyte, and this
// would hold close to a million.
constexpr std::int64_t kMaxProjectFileBytes = std::int64_t(256) << 20;

struct ProjectFileBytes
{
    enum class Outcome {
        Read,        // bytes hold the whole file
        NotFound,    // no file of that name
        NotReadable, // reason says why (the system's words or ours)
        NotProject,  // the header word is not one of a project file
    };
    Outcome outcome = Outcome::NotFound;
    QString reason;
    std::vector<std::uint8_t> bytes;
};

ProjectFileBytes ReadProjectFileBytes(const QString& path);

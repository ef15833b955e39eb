#pragma once
// The regular-file check and size cap of platform::RegularFileReader for a
// name as the program holds it: the name goes to the system through
// EncodeFileName, so a name that is not UTF-8 is found too.

#include <platform/RegularFileReader.h>

#include <QString>

#include <cstdint>

class RegularFileReader : public platform::RegularFileReader
{
public:
    RegularFileReader(const QString& path, std::int64_t maxBytes);
};

// Renames a file that cannot be read aside, to "<name>.unreadable", or
// "<name>.unreadable-2", "-3", ... when that name is taken, so that nothing
// written later under its name replaces it. Answers the new path, or an
// empty text when the file could not be moved.
QString SetFileAside(const QString& path);

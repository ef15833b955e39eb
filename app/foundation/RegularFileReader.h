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

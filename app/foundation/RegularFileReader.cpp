#include "foundation/RegularFileReader.h"

#include "foundation/FileNames.h"

RegularFileReader::RegularFileReader(const QString& path, std::int64_t maxBytes)
    : platform::RegularFileReader(EncodeFileName(path).toStdString(), maxBytes)
{
}

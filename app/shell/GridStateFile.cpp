#include "shell/GridStateFile.h"

#include "foundation/RealArchive.h"
#include "foundation/RegularFileReader.h"
#include "model/SafeFileWrite.h"

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

#include <sstream>
#include <vector>

bool StoreGridStateFile(const QString& path, const GridStateSections& sections)
{
    std::ostringstream out;
    try {
        platform::BinaryArchive archive = platform::BinaryArchive::storing(out, path.toStdString());
        RealArchive ar(archive);
        sections(ar);
        archive.flush();
    } catch (const std::exception&) {
        return false;
    }
    // Every byte reaches the disk before the old file is replaced: a full
    // disk keeps the old layouts.
    const std::string bytes = out.str();
    return WriteFileThroughTemporary(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), {}, nullptr);
}

bool LoadGridStateFile(const QString& path, const GridStateSections& sections)
{
    RegularFileReader file(path, kMaxGridStateFileBytes);
    if (file.GetOutcome() == RegularFileReader::Outcome::NotFound)
        return true;
    if (file.GetOutcome() != RegularFileReader::Outcome::Open)
        return false;
    std::vector<std::uint8_t> data;
    if (!file.ReadAll(data))
        return false;
    try {
        platform::BinaryArchive archive = platform::BinaryArchive::loading(data, path.toStdString());
        RealArchive ar(archive);
        sections(ar);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

#pragma once
// The project file (".kwxe"): two header words, the identity preamble, then
// the body: schema, texts, the lock flag, the pro-rate preference, the
// project settings, the parts and the optimization state. Reading builds the
// settings and parts beside the open project; the optimization state, the
// file's last record, goes into the document's own manager, which takes it
// only once that record has been read whole.

#include "model/ProjectSettings.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class ArchiveWrapper;
class BOMOptMgr;
class CMilledPart;

constexpr std::uint32_t kProjectFileGeneration = 0x8000000F;
constexpr std::uint32_t kOldestRefusedGeneration = 0x80000006;
constexpr std::uint32_t kProjectFileSecondWord = 8;
constexpr std::int32_t kProjectBodySchema = 11;

struct ProjectFileContents
{
    QString firstText;
    QString versionText;
    std::int32_t locked = 0;
    bool proRateCosts = false;
    ProjectSettings settings;
    std::vector<std::unique_ptr<CMilledPart>> parts;
};

// The program's version text as the files it writes carry it.
QString ProgramVersionText();

void WriteProjectFile(ArchiveWrapper& ar, const ProjectSettings& settings, const std::vector<CMilledPart*>& parts,
                      std::int32_t locked, BOMOptMgr& bom);
// Throws the archive's errors (and FutureSchemaException for a newer file);
// every count, version and reference is checked where it is read. The
// optimization state is read into bom: the document keeps one manager for
// its whole life, since the views hold it and its bill.
ProjectFileContents ReadProjectFile(ArchiveWrapper& ar, BOMOptMgr& bom);

#pragma once
// The project file (".kwxe"): two header words, the identity preamble, then
// the body: schema, texts, the lock flag, the pro-rate preference, the
// project settings, the parts and the optimization state. Reading builds a
// new project beside the open one; nothing is taken over until the whole
// file has been read and checked.

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
    std::shared_ptr<BOMOptMgr> bom;
};

// The program's version text as the files it writes carry it.
QString ProgramVersionText();

void WriteProjectFile(ArchiveWrapper& ar, const ProjectSettings& settings, const std::vector<CMilledPart*>& parts,
                      std::int32_t locked, BOMOptMgr& bom);
// Throws the archive's errors (and FutureSchemaException for a newer file);
// every count, version and reference is checked where it is read.
ProjectFileContents ReadProjectFile(ArchiveWrapper& ar);

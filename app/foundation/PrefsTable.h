#pragma once

#include <vector>

// The registered preferences: id, type, INI section and key, default and
// limits. Ids by type: 1000-1999 text, 2000-2999 flags, 3000-3999 integers
// (colours as 0xBBGGRR), 4000-4999 reals.
enum class PrefType { Text, Flag, Int, ClampedInt, Real };

// Text defaults that are folders of this user, known only at start-up.
enum class PrefTextDefault { Literal, AppDataFolder, DocumentsFolder };

struct PrefDefinition
{
    int id;
    PrefType type;
    const char* section;
    const char* key;
    const char* text = "";
    PrefTextDefault textDefault = PrefTextDefault::Literal;
    int intDefault = 0; // also the flag's default (1 on, 0 off)
    int minimum = 0;
    int maximum = 0;
    double realDefault = 0.0;
    double realMinimum = 0.0;
    double realMaximum = 0.0;
};

// In registration order. The print entries take their defaults from a
// default print settings record.
const std::vector<PrefDefinition>& GetPrefDefinitions();

// Set from the folders at start-up, never read from the file.
namespace PrefPathId {
constexpr int GridStatPath = 1003; // "Folder Locations" / "GridStat Path"
constexpr int AppDataPath = 1014; // "Folder Locations" / "AppData Path"
} // namespace PrefPathId

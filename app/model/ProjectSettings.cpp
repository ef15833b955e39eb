#include "model/ProjectSettings.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/PrefsTable.h"
#include "foundation/SchemaVersion.h"
#include "foundation/UserPrefsBase.h"

#include <algorithm>

namespace {

constexpr int kPrimaryObjective = 3066; // "Optimization" / "Primary Objective"
constexpr int kPackingOther = 3067; // "Optimization" / "Packing Other"
constexpr int kOffCutsFirst = 2121; // "Optimization" / "OffCuts First"
constexpr int kInventoryFirst = 2122; // "Optimization" / "Inventory First"

ProjectSettings* g_currentSettings = nullptr;

// The preference's value, or its registered default where no store is
// installed (tools, tests), so a new record never depends on that.
int PreferenceInt(int id)
{
    if (const UserPrefsBase* prefs = GetUserPrefs())
        return prefs->GetInt(id);
    const auto& table = GetPrefDefinitions();
    const auto it = std::find_if(table.begin(), table.end(), [id](const PrefDefinition& d) { return d.id == id; });
    return it == table.end() ? 0 : it->intDefault;
}

// Flags are kept as 0 or 1; GetInt of a flag answers that word.
bool PreferenceFlag(int id)
{
    if (const UserPrefsBase* prefs = GetUserPrefs())
        return prefs->GetFlag(id);
    return PreferenceInt(id) != 0;
}

} // namespace

ProjectSettings::ProjectSettings()
{
    ResetToDefaults();
}

void ProjectSettings::ResetToDefaults()
{
    m_name.clear();
    m_notes.clear();
    OptimizationSettings settings;
    settings.objective = static_cast<std::uint32_t>(PreferenceInt(kPrimaryObjective));
    settings.packing = static_cast<std::uint32_t>(PreferenceInt(kPackingOther));
    settings.optionWord1 = 1;
    settings.optionWord2 = 1;
    settings.useOffCutsFirst = PreferenceFlag(kOffCutsFirst);
    settings.useInventoryFirst = PreferenceFlag(kInventoryFirst);
    settings.materialOption = 0;
    m_optimization = settings;
}

void ProjectSettings::Serialize(ArchiveWrapper& ar)
{
    constexpr std::uint32_t schema = 10;
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(schema) << m_name << m_notes;
        m_optimization.Serialize(ar);
        return;
    }
    ReadOrThrowInRange(ar, schema, schema);
    ProjectSettings loaded;
    ar >> loaded.m_name >> loaded.m_notes;
    loaded.m_optimization.Serialize(ar);
    *this = loaded;
}

void WriteOptimizationPreferences(const OptimizationSettings& settings)
{
    UserPrefsBase* prefs = GetUserPrefs();
    if (!prefs)
        return;
    prefs->SetInt(kPrimaryObjective, static_cast<int>(settings.objective));
    prefs->SetInt(kPackingOther, static_cast<int>(settings.packing));
    prefs->SetFlag(kOffCutsFirst, settings.useOffCutsFirst);
    prefs->SetFlag(kInventoryFirst, settings.useInventoryFirst);
}

ProjectSettings* GetCurrentProjectSettings()
{
    return g_currentSettings;
}

void SetCurrentProjectSettings(ProjectSettings* settings)
{
    g_currentSettings = settings;
}

#pragma once

#include <QString>

#include <cstdint>
#include <set>

class ArchiveWrapper;

// The part of a project's settings that steers the optimizer: primary
// objective, packing strategy, whether off-cuts and inventory are used first,
// and three words no page shows but every file keeps and every comparison
// looks at. A plain value, copied everywhere.
struct OptimizationSettings
{
    enum Objective : std::uint32_t { MinimizeWaste = 0, MinimizeTotalCost = 1, MinimizeProRatedCost = 2 };
    // The codes by which the optimizer-behaviour words are addressed.
    enum WordCode : int { OptionWord1Code = 1, OptionWord2Code = 2, PackingCode = 3 };

    std::uint32_t objective = MinimizeWaste;
    std::uint32_t packing = 1; // 0 pack tightly .. 3 alignment over cost/waste
    std::uint32_t optionWord1 = 1;
    std::uint32_t optionWord2 = 1;
    bool useOffCutsFirst = false;
    bool useInventoryFirst = false;
    // Its change concerns every target whose material depends on it.
    std::uint32_t materialOption = 0;

    // optionWord1 for code 1, optionWord2 for 2, packing for 3; 0 otherwise.
    std::uint32_t GetWordByCode(int code) const;
    // The objective as the cover page's sentence; an unknown objective reads
    // as total cost.
    QString GetObjectiveText() const;

    // Version 1, the four words, the two flags, the material option. Loading
    // refuses another version with the bad-schema error and changes the
    // record only once every item was read.
    void Serialize(ArchiveWrapper& ar);

    bool operator==(const OptimizationSettings&) const = default;
};

// What changed between an old and a new record.
bool InventoryFirstChanged(const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings);
// Either stock preference changed.
bool InventoryUsageChanged(const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings);
// The objective or either stock preference changed: every target's costs differ.
bool CostBasisChanged(const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings);
bool MaterialOptionChanged(const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings);
// The codes of the changed words (3 packing, 1 and 2 the option words).
std::set<int> ChangedWordCodes(const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings);
// 0x8 (the optimizer's input changed) when any field differs, else 0.
std::uint64_t OptimizationSettingsChangeMask(
    const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings);

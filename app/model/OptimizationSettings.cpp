#include "model/OptimizationSettings.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"
#include "foundation/UpdateMasks.h"
#include "model/ModelStrings.h"

std::uint32_t OptimizationSettings::GetWordByCode(int code) const
{
    switch (code) {
    case OptionWord1Code:
        return optionWord1;
    case OptionWord2Code:
        return optionWord2;
    case PackingCode:
        return packing;
    default:
        return 0;
    }
}

QString OptimizationSettings::GetObjectiveText() const
{
    switch (objective) {
    case MinimizeWaste:
        return UiText(kStrMinimizeWasteSentence);
    case MinimizeProRatedCost:
        return UiText(kStrMinimizeProRatedCostSentence);
    default:
        return UiText(kStrMinimizeTotalCostSentence);
    }
}

void OptimizationSettings::Serialize(ArchiveWrapper& ar)
{
    constexpr std::uint32_t version = 1;
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(version) << objective << packing << optionWord1 << optionWord2
           << useOffCutsFirst << useInventoryFirst << materialOption;
        return;
    }
    ReadOrThrowInRange(ar, version, version);
    OptimizationSettings loaded;
    ar >> loaded.objective >> loaded.packing >> loaded.optionWord1 >> loaded.optionWord2
        >> loaded.useOffCutsFirst >> loaded.useInventoryFirst >> loaded.materialOption;
    *this = loaded;
}

bool InventoryFirstChanged(const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings)
{
    return oldSettings.useInventoryFirst != newSettings.useInventoryFirst;
}

bool InventoryUsageChanged(const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings)
{
    return InventoryFirstChanged(oldSettings, newSettings)
        || oldSettings.useOffCutsFirst != newSettings.useOffCutsFirst;
}

bool CostBasisChanged(const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings)
{
    return oldSettings.objective != newSettings.objective || InventoryUsageChanged(oldSettings, newSettings);
}

bool MaterialOptionChanged(const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings)
{
    return oldSettings.materialOption != newSettings.materialOption;
}

std::set<int> ChangedWordCodes(const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings)
{
    std::set<int> codes;
    for (const int code : { OptimizationSettings::PackingCode, OptimizationSettings::OptionWord1Code,
             OptimizationSettings::OptionWord2Code }) {
        if (oldSettings.GetWordByCode(code) != newSettings.GetWordByCode(code))
            codes.insert(code);
    }
    return codes;
}

std::uint64_t OptimizationSettingsChangeMask(
    const OptimizationSettings& oldSettings, const OptimizationSettings& newSettings)
{
    return oldSettings == newSettings ? 0 : UpdateMask::Change0008;
}

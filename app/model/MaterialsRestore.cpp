#include "model/MaterialsRestore.h"

#include "foundation/CmdHistory.h"
#include "foundation/CommandExecutionScope.h"
#include "foundation/DomainUpdateInfo.h"
#include "foundation/UpdateMasks.h"
#include "foundation/UserPrefsBase.h"
#include "model/MaterialsBase.h"
#include "model/ModelStrings.h"
#include "model/ModelUiHook.h"

namespace {
constexpr int kPrefMaterialsBackup = 1012;
}

bool RestoreMaterialsFrom(const QString& folder)
{
    MaterialsBase* library = GetMaterialsLibrary();
    if (!library)
        return false;
    CmdHistory* history = GetCmdHistory();
    if (history)
        history->Clear();
    const auto scope = history ? history->OpenUnrecordedScope(UpdateMask::ChangeDefault, UpdateMask::DetailAll,
                                                              std::make_shared<DefaultUpdateInfo>())
                               : nullptr;
    const bool restored = library->ExistsIn(folder) && library->LoadFromFolder(folder, false);
    if (restored)
        ShowModelMessage(UiText(kStrMaterialsRestored));
    else
        ShowModelWarning(UiText(kStrMaterialsNotRestored));
    if (restored) {
        if (UserPrefsBase* prefs = GetUserPrefs())
            prefs->SetString(kPrefMaterialsBackup, folder);
        library->Store();
    }
    return restored;
}

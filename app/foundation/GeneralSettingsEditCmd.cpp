#include "foundation/GeneralSettingsEditCmd.h"

#include "foundation/IDoc.h"
#include "foundation/MaterialsLibraryHook.h"
#include "foundation/ResourceBase.h"
#include "foundation/SharedFolderSettings.h"
#include "foundation/UIStringTable.h"

GeneralSettingsEditCmd::GeneralSettingsEditCmd(const GeneralSettings& newSettings)
    : CommandBase(0, 0)
    , m_oldSettings(TakeGeneralSettingsSnapshot())
    , m_newSettings(newSettings)
    , m_manualInfo(std::make_shared<ManualUpdateInfo>())
{
    SetUpdateInfo(m_manualInfo);
    AddChangeFlags(GeneralSettingsChangeMask(m_oldSettings, m_newSettings));
    AddDetailFlags(GeneralSettingsDetailMask(m_oldSettings, m_newSettings));
    GetUpdateHint().MarkPartRowsChanged();

    const bool folderChanged = m_oldSettings.materialsFolder != m_newSettings.materialsFolder;
    if (folderChanged && !SharedFolderSettings::Instance().IsSharingEnabled())
        SetUpdateInfo(std::make_shared<DefaultUpdateInfo>());
    else
        m_manualInfo->SetFlag12(m_oldSettings.proRateCosts != m_newSettings.proRateCosts);
}

QString GeneralSettingsEditCmd::GetName() const
{
    return LoadUIString(UIStringId::EditGeneralSettings);
}

void GeneralSettingsEditCmd::Execute()
{
    ApplyOver(m_newSettings, m_oldSettings);
}

void GeneralSettingsEditCmd::Undo()
{
    ApplyOver(m_oldSettings, m_newSettings);
}

void GeneralSettingsEditCmd::Redo()
{
    Execute();
}

void GeneralSettingsEditCmd::ApplyOver(GeneralSettings& to, const GeneralSettings& from)
{
    if (to.materialsFolder != from.materialsFolder && !MoveMaterialsLibrary(to.materialsFolder, from.materialsFolder))
        to.materialsFolder = from.materialsFolder;
    ApplyGeneralSettings(to);
}

bool GeneralSettingsEditCmd::MoveMaterialsLibrary(const QString& toFolder, const QString& fromFolder)
{
    IMaterialsLibraryFolder* library = GetMaterialsLibraryFolder();
    if (library) {
        library->StoreIfDirty();
        library->SetFolder(toFolder);
    }
    // A shared library is written into its new folder at once, unless that
    // folder already holds one: then it is read from there like an unshared
    // one, so another user's library is never overwritten.
    if (library && SharedFolderSettings::Instance().IsSharingEnabled() && !library->ExistsIn(toFolder)) {
        library->StoreNow();
        return true;
    }
    IDoc* document = GetTarget();
    if (document && document->SyncMaterialsLibrary())
        return true;
    if (library)
        library->SetFolder(fromFolder);
    return false;
}

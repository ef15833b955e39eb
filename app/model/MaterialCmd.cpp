#include "model/MaterialCmd.h"

#include "foundation/CmdHistory.h"
#include "model/MaterialsBase.h"

namespace {
std::uint64_t g_storeEpoch = 0;
std::uint64_t g_unrecordedChanges = 0;

bool LibraryModified()
{
    const MaterialsBase* library = GetMaterialsLibrary();
    return library && library->IsModified();
}

void SetLibraryModified(bool modified)
{
    if (MaterialsBase* library = GetMaterialsLibrary())
        library->SetModified(modified);
}
} // namespace

void RunMaterialCommand(const std::shared_ptr<CommandBase>& command)
{
    if (CmdHistory* history = GetCmdHistory())
        history->Add(command);
    else
        command->Execute();
}

void RunUnrecordedMaterialCommand(const std::shared_ptr<CommandBase>& command)
{
    command->SetNotRecorded();
    RunMaterialCommand(command);
}

std::uint64_t LibraryStoreEpoch()
{
    return g_storeEpoch;
}

void NoteLibraryStored()
{
    ++g_storeEpoch;
}

std::uint64_t LibraryUnrecordedChanges()
{
    return g_unrecordedChanges;
}

void NoteUnrecordedLibraryChange()
{
    ++g_unrecordedChanges;
}

MaterialCmd::MaterialCmd(uint64_t changeMask, uint64_t detailMask)
    : CommandBase(changeMask, detailMask)
    , m_savedModified(LibraryModified())
    , m_storeEpoch(g_storeEpoch)
    , m_unrecordedChanges(g_unrecordedChanges)
{ }

MaterialCmd::MaterialCmd(uint64_t changeMask, uint64_t detailMask, std::shared_ptr<DomainUpdateInfo> info)
    : CommandBase(changeMask, detailMask, std::move(info))
    , m_savedModified(LibraryModified())
    , m_storeEpoch(g_storeEpoch)
    , m_unrecordedChanges(g_unrecordedChanges)
{ }

void MaterialCmd::Execute()
{
    if (IsNotRecorded())
        NoteUnrecordedLibraryChange();
    SetLibraryModified(true);
}

void MaterialCmd::Redo()
{
    SetLibraryModified(true);
}

void MaterialCmd::Undo()
{
    // After a store the file holds this command's effect, so undoing it makes
    // memory differ from the file whatever the flag was before; after a
    // change no step recorded, memory holds that change, which no undo takes
    // back.
    const bool unchangedSince = m_storeEpoch == g_storeEpoch && m_unrecordedChanges == g_unrecordedChanges;
    SetLibraryModified(unchangedSince ? m_savedModified : true);
}

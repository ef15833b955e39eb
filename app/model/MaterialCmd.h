#pragma once

#include "foundation/CommandBase.h"

// The base of every undoable change of the materials library. Each step
// couples to the library's modified flag: running or redoing marks it
// modified; undoing puts back the flag the library had when the command was
// built, so undoing every step since the last save leaves it unmodified.
//
// The flag captured at construction is only right while the library file
// still holds what memory held then. A store in between makes the file
// differ from memory after the undo, so a store clears the captured flags of
// every command built before it (LibraryStoreEpoch): undo then leaves the
// library modified. The same holds for library changes that no undo step
// records (a vendor or a project material joining the library on the way):
// undo cannot take them back, so after one of them undo leaves the library
// modified too (LibraryUnrecordedChanges).
class MaterialCmd : public CommandBase
{
public:
    MaterialCmd(uint64_t changeMask, uint64_t detailMask);
    MaterialCmd(uint64_t changeMask, uint64_t detailMask, std::shared_ptr<DomainUpdateInfo> info);

    QString GetName() const override { return QString(); }
    void Execute() override;
    void Undo() override;
    void Redo() override;

    bool GetSavedModifiedFlag() const { return m_savedModified; }

private:
    bool m_savedModified = false;
    std::uint64_t m_storeEpoch = 0;
    std::uint64_t m_unrecordedChanges = 0;
};

// Runs a library edit through the command history, or on its own where there
// is none (tools, start-up before the document exists).
void RunMaterialCommand(const std::shared_ptr<CommandBase>& command);
// The same, as no undo step: library changes that happen without a user step.
void RunUnrecordedMaterialCommand(const std::shared_ptr<CommandBase>& command);

// Counts the stores of the library; MaterialCmd compares it with the count
// seen at construction.
std::uint64_t LibraryStoreEpoch();
void NoteLibraryStored();

// Counts the library changes that are no undo step. Commands run as not
// recorded count themselves; a change made without a command calls
// NoteUnrecordedLibraryChange.
std::uint64_t LibraryUnrecordedChanges();
void NoteUnrecordedLibraryChange();

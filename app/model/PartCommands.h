#pragma once
// The undoable edits of one part, and the re-optimization of every part
// with copies that manual editing dragged off the layouts.

#include "foundation/CommandBase.h"

#include <cstdint>
#include <map>
#include <memory>

class CMilledPart;
class IPartsDoc;

// The detail mask of the material commands and the change mask of the parts
// grid's insert, delete and renumber commands.
constexpr std::uint64_t GetPartsHintMask() { return 0x1; }
constexpr std::uint64_t GetPartsEditHintMask() { return 0x9; }

class CPartEdit : public CommandBase
{
public:
    // Takes the new values over; the old ones are copied from the part now,
    // so undo and redo restore exactly the values of this moment.
    CPartEdit(CMilledPart* part, std::unique_ptr<CMilledPart> newValues);
    ~CPartEdit() override;

    QString GetName() const override; // "Edit Part"
    void Execute() override;
    void Undo() override;
    void Redo() override { Execute(); }

    CMilledPart* GetEditedPart() const { return m_part; }

private:
    void Apply(const CMilledPart& values);

    CMilledPart* m_part;
    std::unique_ptr<CMilledPart> m_newValues;
    std::unique_ptr<CMilledPart> m_oldValues;
};

class ReoptimizeUnplacedPartsCmd : public CommandBase
{
public:
    ReoptimizeUnplacedPartsCmd();

    QString GetName() const override; // "Reoptimize Unplaced Parts"
    void Execute() override;
    void Undo() override;
    void Redo() override { Execute(); }

private:
    IPartsDoc* Document() const;

    // Ordered by list position, not by address: undo runs in the same order
    // on every run.
    std::map<std::size_t, std::pair<CMilledPart*, std::uint32_t>> m_saved;
};

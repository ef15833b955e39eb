#pragma once
// The undoable changes of the parts list that the parts grid makes: a new
// part from the append row, deleting the selected parts, renumbering, and
// pasting part rows. Each keeps the part objects it moves in and out of the
// document and owns them while they are out, so that undo and redo move the
// very same objects.

#include "foundation/CommandBase.h"
#include "foundation/IDoc.h"
#include "foundation/ResourceBase.h"
#include "grids/PartsGridStrings.h"
#include "model/IPartsDoc.h"
#include "model/ModelStrings.h"
#include "model/PartCommands.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace partrows {

inline IPartsDoc* PartsDocOf(const CommandBase& command)
{
    return dynamic_cast<IPartsDoc*>(command.GetTarget());
}

// "Insert %1" / "Delete %1" with the first part's type name.
template <class RowT> QString NameWithType(int id, const std::vector<RowT*>& parts)
{
    return UiText(id).arg(parts.empty() || !parts.front() ? UiText(kStrPart) : parts.front()->GetTypeName());
}

// The grid's update: which parts to select, and whether rows came or went.
template <class RowT> void SetGridRows(CommandBase& command, int changeCode, const std::vector<RowT*>& rows)
{
    auto hint = command.GetUpdateHint().GetPartRows();
    hint->SetRowChangeCode(changeCode);
    hint->SetRows(std::vector<CMilledPart*>(rows.begin(), rows.end()));
    hint->SetRowsGiven(true);
}

} // namespace partrows

template <class RowT> class CPartInsert : public CommandBase
{
public:
    // appendMode: each part goes to the end instead of the first to index.
    CPartInsert(std::vector<RowT*> parts, int index, bool appendMode = false, bool keepOwnership = false)
        : CommandBase(GetPartsEditHintMask(), GetPartsHintMask(), std::make_shared<NullUpdateInfo>())
        , m_parts(std::move(parts))
        , m_index(index)
        , m_appendMode(appendMode)
        , m_keepOwnership(keepOwnership)
    { }
    ~CPartInsert() override
    {
        if (m_owns)
            for (RowT* part : m_parts)
                delete part;
    }

    QString GetName() const override { return partrows::NameWithType(kStrInsertItems, m_parts); }
    void Execute() override
    {
        IPartsDoc* document = partrows::PartsDocOf(*this);
        if (!document || m_parts.empty())
            return;
        if (m_appendMode)
            for (RowT* part : m_parts)
                document->AppendPart(part);
        else
            document->InsertPart(m_parts.front(), m_index);
        partrows::SetGridRows(*this, 1, m_parts);
        m_owns = false;
        m_executed = true;
    }
    void Undo() override
    {
        IPartsDoc* document = partrows::PartsDocOf(*this);
        if (!document)
            return;
        for (RowT* part : m_parts)
            document->RemovePart(part);
        partrows::SetGridRows(*this, 0, std::vector<RowT*>());
        if (!m_keepOwnership)
            m_owns = true;
    }
    void Redo() override { Execute(); }
    bool CanUndo() const override { return true; }
    bool CanRedo() const override { return true; }

    const std::vector<RowT*>& GetParts() const { return m_parts; }

private:
    std::vector<RowT*> m_parts;
    std::int32_t m_index;
    bool m_owns = true;
    bool m_executed = false;
    bool m_appendMode;
    bool m_keepOwnership;
};

template <class RowT> class CPartDelete : public CommandBase
{
public:
    using Entry = std::pair<RowT*, std::int32_t>;

    // entries: each part with its row; kept in ascending part-number order.
    explicit CPartDelete(std::vector<Entry> entries, bool keepOwnership = false)
        : CommandBase(GetPartsEditHintMask(), GetPartsHintMask(), std::make_shared<NullUpdateInfo>())
        , m_entries(std::move(entries))
        , m_keepOwnership(keepOwnership)
    {
        std::erase_if(m_entries, [](const Entry& entry) { return entry.first == nullptr; });
        std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
            return static_cast<std::uint32_t>(a.first->GetID().GetNumber())
                < static_cast<std::uint32_t>(b.first->GetID().GetNumber());
        });
    }
    ~CPartDelete() override
    {
        if (m_owns)
            for (const Entry& entry : m_entries)
                delete entry.first;
    }

    QString GetName() const override { return partrows::NameWithType(kStrDeleteItems, Parts()); }
    void Execute() override
    {
        IPartsDoc* document = partrows::PartsDocOf(*this);
        if (!document)
            return;
        // The highest number first: every removal renumbers only the parts
        // above it, so the numbers the entries carry stay right for undo.
        for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it)
            document->RemovePart(it->first);
        partrows::SetGridRows(*this, 0, std::vector<RowT*>());
        if (m_keepOwnership)
            m_executed = true;
        else
            m_owns = m_executed = true;
    }
    void Undo() override
    {
        IPartsDoc* document = partrows::PartsDocOf(*this);
        if (!document)
            return;
        document->InsertParts(std::vector<std::pair<CMilledPart*, int>>(m_entries.begin(), m_entries.end()));
        m_owns = false;
        partrows::SetGridRows(*this, 2, Parts());
    }
    void Redo() override { Execute(); }
    bool CanUndo() const override { return true; }
    bool CanRedo() const override { return true; }

    const std::vector<Entry>& GetEntries() const { return m_entries; }

private:
    std::vector<RowT*> Parts() const
    {
        std::vector<RowT*> parts;
        for (const Entry& entry : m_entries)
            parts.push_back(entry.first);
        return parts;
    }

    std::vector<Entry> m_entries;
    bool m_owns = false;
    bool m_executed = false;
    bool m_keepOwnership;
};

template <class RowT> class CPartsRenumber : public CommandBase
{
public:
    static constexpr std::uint64_t kRenumberDetailMask = 0x400;

    // Every part of the list with the number it has now, in list order.
    explicit CPartsRenumber(const std::vector<RowT*>& parts)
        : CommandBase(0, kRenumberDetailMask, std::make_shared<NullUpdateInfo>())
    {
        for (RowT* part : parts)
            if (part)
                m_entries.emplace_back(part, part->GetID().GetNumber());
        if (!m_entries.empty())
            GetUpdateHint().GetPartRows()->AddRow(m_entries.front().first);
    }

    QString GetName() const override { return LoadUIString(kStrRenumberParts); }
    void Execute() override
    {
        if (IPartsDoc* document = partrows::PartsDocOf(*this))
            document->RenumberParts(Entries(), false);
    }
    void Undo() override
    {
        if (IPartsDoc* document = partrows::PartsDocOf(*this))
            document->RenumberParts(Entries(), true);
    }
    void Redo() override { Execute(); }
    bool CanUndo() const override { return true; }
    bool CanRedo() const override { return true; }

private:
    std::vector<std::pair<CMilledPart*, int>> Entries() const
    {
        return std::vector<std::pair<CMilledPart*, int>>(m_entries.begin(), m_entries.end());
    }

    std::vector<std::pair<RowT*, std::int32_t>> m_entries;
};

template <class RowT> class CGDMRowPaste : public CommandBase
{
public:
    // The pasted parts are numbered firstNumber, firstNumber + 1, ... and
    // inserted one after the other from index on.
    CGDMRowPaste(std::vector<RowT*> parts, int index, int firstNumber)
        : CommandBase(GetPartsEditHintMask(), GetPartsHintMask(), std::make_shared<NullUpdateInfo>())
        , m_parts(std::move(parts))
        , m_index(index)
        , m_firstNumber(firstNumber)
    { }
    ~CGDMRowPaste() override
    {
        if (m_owns)
            for (RowT* part : m_parts)
                delete part;
    }

    QString GetName() const override { return partrows::NameWithType(kStrInsertItems, m_parts); }
    void Execute() override
    {
        IPartsDoc* document = partrows::PartsDocOf(*this);
        if (!document)
            return;
        for (std::size_t i = 0; i < m_parts.size(); ++i) {
            m_parts[i]->GetIDForEdit().SetNumber(m_firstNumber + static_cast<int>(i));
            document->InsertPart(m_parts[i], m_index + static_cast<int>(i));
        }
        m_owns = false;
        partrows::SetGridRows(*this, 1, m_parts);
        m_executed = true;
    }
    void Undo() override
    {
        IPartsDoc* document = partrows::PartsDocOf(*this);
        if (!document)
            return;
        for (auto it = m_parts.rbegin(); it != m_parts.rend(); ++it)
            document->RemovePart(*it);
        m_owns = true;
        partrows::SetGridRows(*this, 0, std::vector<RowT*>());
    }
    void Redo() override { Execute(); }
    bool CanUndo() const override { return true; }
    bool CanRedo() const override { return true; }

    const std::vector<RowT*>& GetParts() const { return m_parts; }

private:
    std::vector<RowT*> m_parts;
    bool m_owns = true;
    std::int32_t m_index;
    std::int32_t m_firstNumber;
    bool m_executed = false;
};

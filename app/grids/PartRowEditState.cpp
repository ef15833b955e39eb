#include "grids/PartRowEditState.h"

#include "foundation/CmdHistory.h"
#include "foundation/ResourceBase.h"
#include "grids/IPartsListMgr.h"
#include "grids/PartsGridStrings.h"
#include "model/CMilledPart.h"
#include "model/PartCommands.h"
#include "optimization/manual/PinCommands.h"

#include <algorithm>
#include <memory>

bool PartEditValuesEqual(const CMilledPart& a, const CMilledPart& b)
{
    return a.GetID().GetNumber() == b.GetID().GetNumber() && CPartID::HasEqualText(a.GetID(), b.GetID())
        && a.GetDescription() == b.GetDescription() && a.GetUserInfo() == b.GetUserInfo()
        && a.GetSpecialNotes() == b.GetSpecialNotes() && a.GetCopies() == b.GetCopies()
        && a.GetDraggedOffCopies() == b.GetDraggedOffCopies()
        && a.GetThickness().GetUnits() == b.GetThickness().GetUnits()
        && a.GetWidth().GetUnits() == b.GetWidth().GetUnits()
        && a.GetLength().GetUnits() == b.GetLength().GetUnits() && a.GetMaterial() == b.GetMaterial();
}

PartRowEditState::PartRowEditState(IPinnedEditPrompt* owner)
    : m_owner(owner)
{ }

PartRowEditState::~PartRowEditState()
{
    Discard();
}

void PartRowEditState::Reset()
{
    m_held.clear();
    m_mode = kNothingHeld;
    m_hasData = false;
    m_edited = nullptr;
}

void PartRowEditState::Forget()
{
    m_held.clear();
}

void PartRowEditState::Discard()
{
    // Only a pending clone belongs to this object; held document parts are
    // never deleted here.
    if (m_mode != kOnePart)
        return;
    if (m_hasData)
        for (CMilledPart* clone : m_held)
            delete clone;
    Reset();
}

void PartRowEditState::MakeEditableCopy()
{
    DropRemovedParts();
    if (m_held.empty() || m_hasData)
        return;
    m_edited = m_held.front();
    m_held.front() = m_edited->Clone();
    m_hasData = true;
}

void PartRowEditState::Hold(std::vector<CMilledPart*> parts)
{
    if (m_hasData)
        return;
    std::erase(parts, nullptr);
    m_held = std::move(parts);
    m_mode = m_held.empty() ? kNothingHeld : (m_held.size() == 1 ? kOnePart : kSeveralParts);
    m_edited = nullptr;
}

void PartRowEditState::CommitPendingEdit()
{
    DropRemovedParts();
    if (!HasPendingEdit() || m_held.empty())
        return;
    std::unique_ptr<CMilledPart> clone(m_held.front());
    CMilledPart* part = m_edited;
    m_held.clear();
    Reset();
    // Leaving a row without a change leaves the project as it was.
    if (part && !PartEditValuesEqual(*part, *clone))
        if (CmdHistory* history = GetCmdHistory())
            history->Add(std::make_shared<CPartEdit>(part, std::move(clone)));
    if (m_grid)
        m_grid->NotifySelection();
}

void PartRowEditState::CommitRowEdits()
{
    DropRemovedParts();
    if (m_mode != kSeveralParts || !m_hasData)
        return;
    CmdHistory* history = GetCmdHistory();
    const auto scope = history ? history->OpenNamedScope(LoadUIString(kStrGroupEditStep)) : nullptr;
    for (CMilledPart* part : m_held) {
        std::unique_ptr<CMilledPart> values(part->Clone());
        if (history && !PartEditValuesEqual(*part, *values))
            history->Add(std::make_shared<CPartEdit>(part, std::move(values)));
    }
    m_hasData = false;
}

void PartRowEditState::CancelRowEdits()
{
    if (m_mode == kSeveralParts && m_hasData)
        m_hasData = false;
}

bool PartRowEditState::IsPlacedSingleRow()
{
    DropRemovedParts();
    return m_mode == kOnePart && !m_hasData && !m_held.empty() && m_held.front()->GetPlacedCopies() > 0;
}

void PartRowEditState::FinishGridEditing()
{
    if (m_grid)
        m_grid->FinishEditing();
}

void PartRowEditState::RefreshGrid()
{
    if (!m_grid)
        return;
    m_grid->CancelEditing();
    m_grid->NotifySelection();
}

bool PartRowEditState::Commit(int prompt)
{
    DropRemovedParts();
    // A pending clone stands for the document's part it was made from: the
    // pinned diagrams show that part, not the clone.
    std::vector<CMilledPart*> parts = HasPendingEdit() ? std::vector<CMilledPart*> { m_edited } : m_held;
    std::erase(parts, nullptr);
    const bool blocked = std::any_of(
        parts.begin(), parts.end(), [](const CMilledPart* part) { return part->HasHandPlacedCopies(); });
    if (!blocked)
        return true;
    if (!m_owner || !m_owner->ConfirmPinnedEdit(prompt))
        return false;
    if (CmdHistory* history = GetCmdHistory())
        history->Add(std::make_shared<UnpinDiagramsWithPartCmd>(std::move(parts)));
    return true;
}

bool PartRowEditState::IsInList(const CMilledPart* part) const
{
    return !m_partsList || std::find(m_partsList->begin(), m_partsList->end(), part) != m_partsList->end();
}

void PartRowEditState::DropRemovedParts()
{
    if (!m_partsList)
        return;
    if (HasPendingEdit()) {
        // The part the clone was made from left the list: nothing to commit to.
        if (!IsInList(m_edited))
            Discard();
        return;
    }
    const std::size_t before = m_held.size();
    std::erase_if(m_held, [this](const CMilledPart* part) { return !IsInList(part); });
    if (m_held.size() == before)
        return;
    m_mode = m_held.empty() ? kNothingHeld : (m_held.size() == 1 ? kOnePart : kSeveralParts);
    if (m_held.empty())
        m_hasData = false;
}

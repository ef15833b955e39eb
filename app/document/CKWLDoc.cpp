#include "document/CKWLDoc.h"

#include "document/IDocumentShell.h"

#include "foundation/CmdHistory.h"
#include "foundation/DomainUpdateInfo.h"
#include "foundation/UpdateMasks.h"
#include "model/CMilledPart.h"
#include "model/MaterialUpdateInfo.h"
#include "model/MaterialsBase.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/PinnedUsage.h"

#include <algorithm>

namespace {
constexpr std::uint64_t kAllChanged = 0x801749;
constexpr std::uint64_t kPartsAndResultsChanged = 0x800009;
// The change code of a material's update information when the material left
// the library or came back to it.
constexpr std::int32_t kMaterialDeletedOrBack = 1;
} // namespace

CKWLDoc::CKWLDoc()
    : m_bom(std::make_shared<BOMOptMgr>())
{
    SetCurrentProjectSettings(&m_settings);
    CreateCmdHistory(this);
}

CKWLDoc::~CKWLDoc()
{
    if (GetCurrentProjectSettings() == &m_settings)
        SetCurrentProjectSettings(nullptr);
    if (GetCmdHistory() && GetCmdHistory()->GetTarget() == this)
        CreateCmdHistory(nullptr);
    DeleteParts();
}

// --------------------------------------------------------------- updates

void CKWLDoc::FlushPendingUpdate()
{
    UpdateAllViews(nullptr, 0, &m_pending);
    // Row hints belong to the step just sent: sending them again with a
    // later step would name rows (parts perhaps deleted since) twice.
    m_pending.Clear();
    m_pending.ResetToDefault();
}

void CKWLDoc::AddPendingUpdate(const UpdateHint& hint)
{
    m_pending.Merge(hint);
}

void CKWLDoc::NotifyAllChanged()
{
    m_pending.AddChangeFlags(kAllChanged);
    FlushPendingUpdate();
}

void CKWLDoc::FreezeOrUnlock(std::shared_ptr<DomainUpdateInfo> info)
{
    if (info && info->NeedsRebuild()) {
        // A payload that asks for everything again: the layouts are rebuilt
        // from the parts, as an unlock does.
        m_locked = 1;
        UnlockProject();
        return;
    }
    if (IsProjectLocked())
        return;
    m_bom->ResetAffectedTargets(info);
    // A material deleted from the library, or brought back by an undo:
    // its parts change targets without changing themselves.
    if (const auto change = std::dynamic_pointer_cast<SheetGoodUpdateInfo>(info)) {
        m_bom->RegroupParts(m_parts);
        // Its parts are saved without it now (or with it again): the
        // project is modified, so that closing asks and a save keeps it.
        const auto& material = change->GetMaterial();
        if (change->GetCode() == kMaterialDeletedOrBack && material
            && std::any_of(m_parts.begin(), m_parts.end(),
                [&material](const CMilledPart* part) { return part->GetMaterial() == material; }))
            SetModifiedFlag(true);
    }
}

void CKWLDoc::UpdateMaterialInBOM(std::shared_ptr<DomainUpdateInfo> info)
{
    m_bom->UpdateMaterialInBOM(info);
}

void CKWLDoc::RefreshBOM()
{
    m_bom->RefreshBOM();
}

bool CKWLDoc::SyncMaterialsLibrary()
{
    MaterialsBase* library = GetMaterialsLibrary();
    if (!library)
        return false;
    if (!library->Exists()) {
        library->Store();
        return true;
    }
    if (m_shell)
        m_shell->ClearMaterialsTreeSelection();
    if (!library->Reload())
        return false;
    m_pending.ResetToDefault();
    library->DropSnapshot();
    return true;
}

// -------------------------------------------------------------- settings

void CKWLDoc::SetProjectSettings(const ProjectSettings& settings)
{
    m_settings = settings;
    SetModifiedFlag(true);
}

void CKWLDoc::SetOptimizationSettings(const OptimizationSettings& settings)
{
    m_settings.SetOptimizationSettings(settings);
    SetModifiedFlag(true);
}

QString CKWLDoc::GetProjectNotes() const
{
    return m_settings.GetNotes();
}

// --------------------------------------------------------------- results

bool CKWLDoc::IsFullyOptimized() const
{
    return m_bom->IsFullyOptimized();
}

bool CKWLDoc::HasUnplacedCopies() const
{
    return std::any_of(m_parts.begin(), m_parts.end(), [](const CMilledPart* part) {
        return part->HasUnplacedCopies();
    });
}

std::shared_ptr<SheetGoodsBOM> CKWLDoc::GetSheetGoodsBOM() const
{
    return m_bom->GetSheetGoodsBOM();
}

const PinnedUsage& CKWLDoc::GetPinnedUsage() const
{
    return m_bom->GetPinnedUsage();
}

bool CKWLDoc::IsMaterialPinned(const IOptimizableMaterial* material) const
{
    return m_bom->GetPinnedUsage().IsMaterialPinned(material);
}

bool CKWLDoc::QueryMaterialBOMs(bool firstCopyOnly) const
{
    return m_bom->QueryMaterialBOMs(firstCopyOnly);
}

void CKWLDoc::UpdateMaterialBOMs(bool apply, bool value)
{
    m_bom->UpdateMaterialBOMs(apply, value);
    SetModifiedFlag(true);
}

// ------------------------------------------------------------ parts list

const std::vector<CMilledPart*>& CKWLDoc::GetSkippedParts()
{
    RebuildSkippedParts();
    return m_skipped;
}

void CKWLDoc::RebuildSkippedParts()
{
    m_skipped.clear();
    for (CMilledPart* part : m_parts)
        if (part->HasUnplacedCopies())
            m_skipped.push_back(part);
}

void CKWLDoc::RemovePart(CMilledPart* part)
{
    const auto it = std::find(m_parts.begin(), m_parts.end(), part);
    if (it == m_parts.end())
        return;
    m_parts.erase(it);
    m_skipped.erase(std::remove(m_skipped.begin(), m_skipped.end(), part), m_skipped.end());
    const int removed = part->GetID().GetNumber();
    for (CMilledPart* other : m_parts)
        if (other->GetID().GetNumber() > removed)
            other->GetIDForEdit().SetNumber(other->GetID().GetNumber() - 1);
    m_bom->RemovePart(part);
    SetModifiedFlag(true);
}

void CKWLDoc::InsertPart(CMilledPart* part, int index)
{
    InsertParts({{part, index}});
}

void CKWLDoc::AppendPart(CMilledPart* part)
{
    if (!part)
        return;
    part->GetIDForEdit().SetNumber(static_cast<int>(m_parts.size()) + 1);
    m_parts.push_back(part);
    m_bom->AddPart(part);
    SetModifiedFlag(true);
}

void CKWLDoc::InsertParts(std::vector<std::pair<CMilledPart*, int>> parts)
{
    std::erase_if(parts, [](const auto& entry) { return entry.first == nullptr; });
    if (parts.empty())
        return;
    // Numbers make room first, in the given order; then each part goes to
    // its own position, lowest position first.
    for (const auto& [part, index] : parts) {
        const int number = part->GetID().GetNumber();
        for (CMilledPart* other : m_parts)
            if (other->GetID().GetNumber() >= number)
                other->GetIDForEdit().SetNumber(other->GetID().GetNumber() + 1);
    }
    std::stable_sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [part, index] : parts) {
        const auto position = static_cast<std::ptrdiff_t>(std::clamp<std::size_t>(
            static_cast<std::size_t>(std::max(index, 0)), 0, m_parts.size()));
        m_parts.insert(m_parts.begin() + position, part);
    }
    for (const auto& [part, index] : parts)
        m_bom->AddPart(part);
    SetModifiedFlag(true);
}

void CKWLDoc::UpdatePart(CMilledPart* part, const CMilledPart& values)
{
    if (!part)
        return;
    if (part->OptimizationDataChanged(values)) {
        m_bom->RemovePart(part);
        part->Assign(values);
        m_bom->AddPart(part);
    } else {
        part->Assign(values);
    }
    SetModifiedFlag(true);
}

void CKWLDoc::RenumberParts(const std::vector<std::pair<CMilledPart*, int>>& numbers, bool explicitNumbers)
{
    if (explicitNumbers) {
        for (const auto& [part, number] : numbers)
            if (part)
                part->GetIDForEdit().SetNumber(number);
    } else {
        RenumberFromPositions();
    }
    SetModifiedFlag(true);
}

void CKWLDoc::ReorderParts(const std::vector<CMilledPart*>& order)
{
    std::vector<CMilledPart*> mine = m_parts;
    std::vector<CMilledPart*> theirs = order;
    std::sort(mine.begin(), mine.end());
    std::sort(theirs.begin(), theirs.end());
    if (mine != theirs || order == m_parts)
        return;
    m_parts = order;
    // The order is what a save writes.
    SetModifiedFlag(true);
}

void CKWLDoc::RenumberFromPositions()
{
    for (std::size_t i = 0; i < m_parts.size(); ++i)
        m_parts[i]->GetIDForEdit().SetNumber(static_cast<int>(i) + 1);
}

void CKWLDoc::SetDraggedOffCopies(CMilledPart* part, std::uint32_t count)
{
    if (!part)
        return;
    part->SetDraggedOffCopies(count);
    m_bom->InvalidatePartTarget(part);
    SetModifiedFlag(true);
}

void CKWLDoc::TakeParts(std::vector<CMilledPart*> parts)
{
    DeleteParts();
    m_parts = std::move(parts);
}

void CKWLDoc::DeleteParts()
{
    m_skipped.clear();
    for (CMilledPart* part : m_parts)
        delete part;
    m_parts.clear();
}

// ------------------------------------------------------------------ lock

void CKWLDoc::UnlockProject()
{
    if (m_locked == 0)
        return;
    for (CMilledPart* part : m_parts) {
        part->SetLocked(false);
        part->RelinkMaterialToLibrary();
        part->ClearHandPlacedCopies();
    }
    m_locked = 0;
    SetModifiedFlag(true);
    m_bom->RebuildFromParts(m_parts);
    if (MaterialsBase* library = GetMaterialsLibrary())
        library->ClearLockedProjectFlag();
    m_pending.AddChangeFlags(kPartsAndResultsChanged);
}

// ----------------------------------------------------------------- reset

void CKWLDoc::ResetProject()
{
    m_locked = 0;
    DeleteParts();
    m_bom->ResetResults(false);
    m_settings.ResetToDefaults();
    if (MaterialsBase* library = GetMaterialsLibrary(); library && library->IsLockedProjectFlagSet())
        library->ClearLockedProjectFlag();
    if (m_initialized && m_shell)
        m_shell->RebuildPartsGrid();
    SetModifiedFlag(false);
    m_pending.Clear();
    m_pending.ResetToDefault();
    FlushPendingUpdate();
}

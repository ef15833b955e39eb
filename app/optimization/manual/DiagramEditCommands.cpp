#include "optimization/manual/DiagramEditCommands.h"

#include "foundation/DomainUpdateInfo.h"
#include "foundation/ResourceBase.h"
#include "foundation/UpdateMasks.h"
#include "model/CMilledPart.h"
#include "model/CSkippedPartInfo.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/manual/ManualEditDocument.h"
#include "optimization/manual/ManualEditStrings.h"

#include <algorithm>

namespace {

// Edits that change which copies are placed: the document refreshes its
// bills of materials when it processes the hint.
std::shared_ptr<DomainUpdateInfo> RefreshBOMInfo()
{
    auto info = std::make_shared<ManualUpdateInfo>();
    info->SetFlag12(true);
    return info;
}

// Leaves the diagram only its Manual Edit layout.
void DropOptimizerLayouts(Diagram& diagram)
{
    for (int style = GeometryStyles::Standard; style < GeometryStyles::ManualEdit; ++style)
        if (diagram.HasGeometry(style))
            diagram.RemoveGeometry(style);
}

// Hand edits work on the Manual Edit layout: the stack shows it from the
// start (a stack without one gets it, from the edited copy, when the edit runs).
void ShowManualLayout(IdenticalDiagramStack& stack)
{
    if (stack.HasGeometry(GeometryStyles::ManualEdit))
        stack.SetCurrentGeoStyle(GeometryStyles::ManualEdit);
}

void SubtractDraggedOff(CMilledPart& part, std::uint32_t count)
{
    const std::uint32_t draggedOff = part.GetDraggedOffCopies();
    part.SetDraggedOffCopies(draggedOff - std::min(draggedOff, count));
}

} // namespace

// --- move ----------------------------------------------------------------------

PartMoveCmd::PartMoveCmd(StackPtr stack, int copyIndex, DrawnPartPtr part, DrawnPartPtr newPlacement)
    : SpawningDiagramCmdBase(std::move(stack), copyIndex)
    , m_part(std::move(part))
    , m_newPlacement(std::move(newPlacement))
    , m_oldRecord(m_part ? *m_part : DrawnPart())
{
    AddDetailFlags(UpdateMask::Detail4000);
}

QString PartMoveCmd::GetName() const
{
    return LoadUIString(kStrMovePart);
}

void PartMoveCmd::Execute()
{
    if (!GetManager() || !m_part || !m_newPlacement) {
        MarkCancelled();
        return;
    }
    SpawnIfStacked();
    if (GetSpawnedStack())
        AddDetailFlags(UpdateMask::Detail0002);
    MarkProjectModified(*this);
    m_editedPart = FindEditedPart(m_part);
    m_newPlacement->CopyPlacement(*m_editedPart);
    PointHintAtEditedDiagram();
}

void PartMoveCmd::Undo()
{
    if (m_editedPart)
        m_oldRecord.CopyPlacement(*m_editedPart);
    MergeSpawnedBack();
    PointHintAtShownCopy();
}

// --- saved layouts -------------------------------------------------------------

void SavedLayouts::Save(const Diagram& diagram)
{
    m_parts = std::make_shared<AltGeometries>(*diagram.GetAltGeometries());
    m_statistics = diagram.GetGeoStatsList();
}

void SavedLayouts::Restore(Diagram& diagram) const
{
    if (m_parts)
        diagram.SetGeometries(*m_parts, m_statistics);
}

// --- remove --------------------------------------------------------------------

PartRemoveCmd::PartRemoveCmd(StackPtr stack, int copyIndex, DrawnPartPtr part)
    : SpawningDiagramCmdBase(std::move(stack), copyIndex)
    , m_part(std::move(part))
{
    AddChangeFlags(UpdateMask::Change800000 | UpdateMask::Change0008);
    AddDetailFlags(UpdateMask::Detail0800 | UpdateMask::Detail4000);
    SetUpdateInfo(RefreshBOMInfo());
    ShowManualLayout(*GetStack());
}

QString PartRemoveCmd::GetName() const
{
    return LoadUIString(kStrRemovePart);
}

void PartRemoveCmd::Execute()
{
    const auto manager = GetManager();
    if (!manager || !m_part || !m_part->GetPart()) {
        MarkCancelled();
        return;
    }
    SpawnIfStacked();
    // Kept by an undo too: the stack shows the Manual Edit layout from now on.
    EnsureManualGeometry();
    const StackPtr edited = GetEditedStack();
    ShowManualLayout(*edited);
    m_saved.Save(*edited->GetDiagram());
    if (GetSpawnedStack())
        AddDetailFlags(UpdateMask::Detail0002);
    MarkProjectModified(*this);
    m_editedPart = FindEditedPart(m_part);
    DropOptimizerLayouts(*edited->GetDiagram());
    edited->RemoveDrawnPart(m_editedPart);
    manager->RefreshAfterManualEdit(GetUpdateInfo());
    m_part->GetPart()->AddDraggedOffCopies(edited->GetCount());
    PointHintAtEditedDiagram();
}

void PartRemoveCmd::Undo()
{
    const auto manager = GetManager();
    const StackPtr edited = GetEditedStack();
    edited->AddDrawnPart(m_editedPart);
    if (manager)
        manager->RefreshAfterManualEdit(GetUpdateInfo());
    SubtractDraggedOff(*m_part->GetPart(), edited->GetCount());
    m_saved.Restore(*edited->GetDiagram());
    MergeSpawnedBack();
    PointHintAtShownCopy();
}

// --- add -----------------------------------------------------------------------

UnplacedPartDragToDiagramCmd::UnplacedPartDragToDiagramCmd(StackPtr stack, int copyIndex, DrawnPartPtr part)
    : SpawningDiagramCmdBase(std::move(stack), copyIndex)
    , m_part(std::move(part))
    , m_oldSkipReason(m_part && m_part->GetPart() ? m_part->GetPart()->GetSkippedPartInfo().GetReason() : 0)
{
    AddChangeFlags(UpdateMask::Change0008);
    AddDetailFlags(UpdateMask::Detail0800 | UpdateMask::Detail4000);
    SetUpdateInfo(RefreshBOMInfo());
    ShowManualLayout(*GetStack());
}

QString UnplacedPartDragToDiagramCmd::GetName() const
{
    return LoadUIString(kStrAddPartToDiagram);
}

void UnplacedPartDragToDiagramCmd::SpawnIfStacked()
{
    SpawningDiagramCmdBase::SpawnIfStacked();
    if (GetSpawnedStack())
        return;
    // Whatever the preference: the part goes on as many sheets as it has copies left.
    const std::uint32_t unplaced = m_part->GetPart()->GetUnplacedCopies();
    if (unplaced != 0 && GetStack()->GetCount() > unplaced)
        SpawnCopies(unplaced);
}

void UnplacedPartDragToDiagramCmd::Execute()
{
    const auto manager = GetManager();
    if (!manager || !m_part || !m_part->GetPart()) {
        MarkCancelled();
        return;
    }
    CMilledPart& part = *m_part->GetPart();
    SpawnIfStacked();
    if (GetSpawnedStack())
        AddDetailFlags(UpdateMask::Detail0002);
    MarkProjectModified(*this);
    EnsureManualGeometry();
    const StackPtr edited = GetEditedStack();
    ShowManualLayout(*edited);
    m_saved.Save(*edited->GetDiagram());
    DropOptimizerLayouts(*edited->GetDiagram());
    edited->AddDrawnPart(m_part);
    manager->RefreshAfterManualEdit(GetUpdateInfo());
    m_draggedBack = std::min(part.GetDraggedOffCopies(), edited->GetCount());
    SubtractDraggedOff(part, m_draggedBack);
    if (!part.HasUnplacedCopies())
        part.SetSkipReason(CSkippedPartInfo::None);
    PointHintAtEditedDiagram();
}

void UnplacedPartDragToDiagramCmd::Undo()
{
    const auto manager = GetManager();
    const StackPtr edited = GetEditedStack();
    CMilledPart& part = *m_part->GetPart();
    edited->RemoveDrawnPart(m_part);
    if (manager)
        manager->RefreshAfterManualEdit(GetUpdateInfo());
    part.AddDraggedOffCopies(m_draggedBack);
    m_saved.Restore(*edited->GetDiagram());
    MergeSpawnedBack();
    PointHintAtShownCopy();
    part.SetSkipReason(m_oldSkipReason);
}

// --- remove an empty diagram ------------------------------------------------------

RemoveEmptyDiagramCmd::RemoveEmptyDiagramCmd(StackPtr stack, int copyIndex, OptimizationResultsPtr results)
    : SpawningDiagramCmdBase(std::move(stack), copyIndex)
    , m_results(std::move(results))
{
    AddChangeFlags(UpdateMask::Change0040 | UpdateMask::Change0008);
    AddDetailFlags(UpdateMask::Detail0001);
    SetUpdateInfo(RefreshBOMInfo());
}

QString RemoveEmptyDiagramCmd::GetName() const
{
    return LoadUIString(kStrRemoveEmptyDiagram);
}

void RemoveEmptyDiagramCmd::Execute()
{
    const auto manager = GetManager();
    if (!manager || !m_results) {
        MarkCancelled();
        return;
    }
    // An unpinned stack loses one copy in place; a pinned one gives up only
    // the shown sheet's pin.
    if (GetStack()->IsPinned())
        SpawnIfStacked();
    const StackPtr edited = GetEditedStack();
    m_removedCount = IsHidingLayoutDupes() ? edited->GetCount() : 1;
    m_wasPinned = edited->IsPinned() ? 1 : 0;
    if (m_wasPinned)
        manager->UnpinDiagram(edited);
    m_removedAt = m_results->IndexOfStack(edited);
    m_removedEntry = manager->RemoveEmptyDiagram(edited, m_removedCount, m_results);
    // Nothing to show: a redo must not name the diagram its undo showed.
    GetUpdateHint().SetDiagramToShow(nullptr);
}

void RemoveEmptyDiagramCmd::Undo()
{
    const auto manager = GetManager();
    const StackPtr edited = GetEditedStack();
    if (manager) {
        manager->RestoreEmptyDiagram(edited, m_removedCount, m_results, m_removedEntry, m_removedAt);
        if (m_wasPinned)
            manager->RestorePinnedDiagram(edited);
    }
    MergeSpawnedBack();
    PointHintAtShownCopy();
}

#include "optimization/manual/PinCommands.h"

#include "foundation/ResourceBase.h"
#include "foundation/UpdateMasks.h"
#include "model/IOptimizableMaterial.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/manual/ManualEditDocument.h"
#include "optimization/manual/ManualEditStrings.h"

#include <algorithm>

// --- one diagram -------------------------------------------------------------

PinDiagramCmd::PinDiagramCmd(StackPtr stack, int copyIndex)
    : SpawningDiagramCmdBase(std::move(stack), copyIndex)
{
    AddDetailFlags(UpdateMask::Detail0200);
}

QString PinDiagramCmd::GetName() const
{
    return LoadUIString(kStrPinDiagram);
}

void PinDiagramCmd::Execute()
{
    const auto manager = GetManager();
    if (!manager) {
        MarkCancelled();
        return;
    }
    SpawnIfStacked();
    manager->PinDiagram(GetEditedStack());
    MarkProjectModified(*this);
    PointHintAtEditedDiagram();
}

void PinDiagramCmd::Undo()
{
    if (const auto manager = GetManager())
        manager->UnpinDiagram(GetEditedStack());
    MergeSpawnedBack();
    PointHintAtShownCopy();
}

UnpinDiagramCmd::UnpinDiagramCmd(StackPtr stack, int copyIndex)
    : SpawningDiagramCmdBase(std::move(stack), copyIndex)
{
    AddDetailFlags(UpdateMask::Detail0001);
}

QString UnpinDiagramCmd::GetName() const
{
    return LoadUIString(kStrUnpinDiagram);
}

void UnpinDiagramCmd::Execute()
{
    const auto manager = GetManager();
    if (!manager) {
        MarkCancelled();
        return;
    }
    SpawnIfStacked();
    manager->UnpinDiagramAndReoptimize(GetEditedStack());
    MarkProjectModified(*this);
    PointHintAtEditedDiagram();
}

void UnpinDiagramCmd::Undo()
{
    if (const auto manager = GetManager())
        manager->RepinDiagramAndReoptimize(GetEditedStack());
    MergeSpawnedBack();
    PointHintAtShownCopy();
}

// --- the diagrams of parts ---------------------------------------------------

UnpinDiagramsWithPartCmd::UnpinDiagramsWithPartCmd(CMilledPart* part)
    : UnpinDiagramsWithPartCmd(std::vector<CMilledPart*> { part })
{ }

UnpinDiagramsWithPartCmd::UnpinDiagramsWithPartCmd(std::vector<CMilledPart*> parts)
    : CommandBase(UpdateMask::Change0001, UpdateMask::Detail0001)
    , m_parts(std::move(parts))
{ }

QString UnpinDiagramsWithPartCmd::GetName() const
{
    return LoadUIString(kStrUnpinDiagram);
}

// The stacks are kept in the order they were found, not by address, so that
// the targets' pinned lists come out alike on every run.
void UnpinDiagramsWithPartCmd::Execute()
{
    const auto manager = GetOptimizationMgr(*this);
    if (!manager) {
        MarkCancelled();
        return;
    }
    for (CMilledPart* part : m_parts) {
        StackList found;
        manager->GetPinnedStacksWithPart(part, found);
        for (const StackPtr& stack : found)
            if (std::find(m_unpinnedStacks.begin(), m_unpinnedStacks.end(), stack) == m_unpinnedStacks.end())
                m_unpinnedStacks.push_back(stack);
    }
    for (const StackPtr& stack : m_unpinnedStacks)
        if (stack->IsPinned())
            manager->UnpinDiagramAndReoptimize(stack);
    MarkProjectModified(*this);
}

void UnpinDiagramsWithPartCmd::Undo()
{
    const auto manager = GetOptimizationMgr(*this);
    if (!manager)
        return;
    for (const StackPtr& stack : m_unpinnedStacks)
        if (stack->IsNotPinned())
            manager->RepinDiagramAndReoptimize(stack);
}

// --- scopes ------------------------------------------------------------------

namespace {

StackList WithPinnedFlag(const StackList& stacks, bool pinned)
{
    StackList kept;
    std::copy_if(stacks.begin(), stacks.end(), std::back_inserter(kept),
        [pinned](const StackPtr& stack) { return stack && stack->IsPinned() == pinned; });
    return kept;
}

std::uint64_t PinAllDetailMask(PinScopeCmdBase::Scope scope)
{
    return scope == PinScopeCmdBase::Project ? UpdateMask::Detail0200 : UpdateMask::Detail0001;
}

} // namespace

PinScopeCmdBase::PinScopeCmdBase(std::uint64_t detailMask, bool pinned)
    : CommandBase(UpdateMask::Change0001, detailMask)
    , m_scope(Project)
    , m_pinned(pinned)
{ }

PinScopeCmdBase::PinScopeCmdBase(std::uint64_t detailMask, bool pinned, const StackList& stacks)
    : CommandBase(UpdateMask::Change0001, detailMask)
    , m_stacks(WithPinnedFlag(stacks, pinned))
    , m_scope(GivenStacks)
    , m_pinned(pinned)
{ }

PinScopeCmdBase::PinScopeCmdBase(std::uint64_t detailMask, bool pinned, std::uint32_t flag)
    : CommandBase(UpdateMask::Change0001, detailMask)
    , m_scope(ByFlag)
    , m_scopeFlag(flag)
    , m_pinned(pinned)
{ }

PinScopeCmdBase::PinScopeCmdBase(
    std::uint64_t detailMask, bool pinned, std::shared_ptr<IOptimizableMaterial> material)
    : CommandBase(UpdateMask::Change0001, detailMask)
    , m_scope(OfMaterial)
    , m_scopeMaterial(std::move(material))
    , m_pinned(pinned)
{ }

void PinScopeCmdBase::SettleStacks(const BOMOptMgr& manager)
{
    if (GetState() != New)
        return;
    const int flag = static_cast<int>(m_scopeFlag);
    switch (m_scope) {
    case Project:
        m_pinned ? manager.GetAllPinnedStacks(m_stacks) : manager.GetAllUnpinnedStacks(m_stacks);
        break;
    case ByFlag:
        m_pinned ? manager.GetPinnedStacksInScope(flag, m_stacks)
                 : manager.GetUnpinnedStacksInScope(flag, m_stacks);
        break;
    case OfMaterial:
        if (!m_scopeMaterial)
            break;
        if (m_pinned)
            manager.GetPinnedStacksOfMaterial(m_scopeMaterial.get(), m_stacks);
        else
            manager.GetUnpinnedStacksOfMaterial(*m_scopeMaterial, m_stacks);
        break;
    default:
        break;
    }
}

PinAllDiagramsCmd::PinAllDiagramsCmd()
    : PinScopeCmdBase(PinAllDetailMask(Project), false)
{ }

PinAllDiagramsCmd::PinAllDiagramsCmd(const StackList& stacks)
    : PinScopeCmdBase(PinAllDetailMask(GivenStacks), false, stacks)
{ }

PinAllDiagramsCmd::PinAllDiagramsCmd(std::uint32_t flag)
    : PinScopeCmdBase(PinAllDetailMask(ByFlag), false, flag)
{ }

PinAllDiagramsCmd::PinAllDiagramsCmd(std::shared_ptr<IOptimizableMaterial> material)
    : PinScopeCmdBase(PinAllDetailMask(OfMaterial), false, std::move(material))
{ }

QString PinAllDiagramsCmd::GetName() const
{
    return LoadUIString(kStrPinAllDiagrams);
}

void PinAllDiagramsCmd::Execute()
{
    const auto manager = GetOptimizationMgr(*this);
    if (!manager) {
        MarkCancelled();
        return;
    }
    SettleStacks(*manager);
    for (const StackPtr& stack : GetStacks())
        if (stack->IsNotPinned())
            manager->PinDiagram(stack);
    MarkProjectModified(*this);
}

void PinAllDiagramsCmd::Undo()
{
    const auto manager = GetOptimizationMgr(*this);
    if (!manager)
        return;
    for (const StackPtr& stack : GetStacks())
        if (stack->IsPinned())
            manager->UnpinDiagram(stack);
}

UnpinAllDiagramsCmd::UnpinAllDiagramsCmd()
    : PinScopeCmdBase(UpdateMask::Detail0001, true)
{ }

UnpinAllDiagramsCmd::UnpinAllDiagramsCmd(const StackList& stacks)
    : PinScopeCmdBase(UpdateMask::Detail0001, true, stacks)
{ }

UnpinAllDiagramsCmd::UnpinAllDiagramsCmd(std::uint32_t flag)
    : PinScopeCmdBase(UpdateMask::Detail0001, true, flag)
{ }

UnpinAllDiagramsCmd::UnpinAllDiagramsCmd(std::shared_ptr<IOptimizableMaterial> material)
    : PinScopeCmdBase(UpdateMask::Detail0001, true, std::move(material))
{ }

QString UnpinAllDiagramsCmd::GetName() const
{
    return LoadUIString(kStrUnpinAllDiagrams);
}

void UnpinAllDiagramsCmd::Execute()
{
    const auto manager = GetOptimizationMgr(*this);
    if (!manager) {
        MarkCancelled();
        return;
    }
    SettleStacks(*manager);
    for (const StackPtr& stack : GetStacks())
        if (stack->IsPinned())
            manager->UnpinDiagramAndReoptimize(stack);
    MarkProjectModified(*this);
}

void UnpinAllDiagramsCmd::Undo()
{
    const auto manager = GetOptimizationMgr(*this);
    if (!manager)
        return;
    for (const StackPtr& stack : GetStacks())
        if (stack->IsNotPinned())
            manager->RepinDiagramAndReoptimize(stack);
}

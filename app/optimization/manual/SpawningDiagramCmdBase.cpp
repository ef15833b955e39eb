#include "optimization/manual/SpawningDiagramCmdBase.h"

#include "foundation/UpdateMasks.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/DisplayDiagram.h"
#include "optimization/manual/ManualEditDocument.h"

SpawningDiagramCmdBase::SpawningDiagramCmdBase(StackPtr stack, int copyIndex)
    : CommandBase(UpdateMask::Change0001, 0)
    , m_stack(std::move(stack))
    , m_copyIndex(copyIndex)
{ }

SpawningDiagramCmdBase::~SpawningDiagramCmdBase() = default;

std::shared_ptr<BOMOptMgr> SpawningDiagramCmdBase::GetManager() const
{
    return GetOptimizationMgr(*this);
}

void SpawningDiagramCmdBase::SpawnIfStacked()
{
    if (IsHidingLayoutDupes())
        return;
    if (m_stack->HasSeveralCopies())
        SpawnCopies(1);
}

void SpawningDiagramCmdBase::SpawnCopies(std::uint32_t count)
{
    m_spawnedStack = m_stack->Split(m_copyIndex, count);
    if (const auto manager = GetManager())
        manager->AddStackToResults(m_spawnedStack);
}

void SpawningDiagramCmdBase::MergeSpawnedBack()
{
    if (!m_spawnedStack)
        return;
    m_stack->MergeFrom(*m_spawnedStack, m_copyIndex);
    if (const auto manager = GetManager())
        manager->RemoveStackFromResults(m_spawnedStack);
    m_spawnedStack.reset();
}

void SpawningDiagramCmdBase::PointHintAtEditedDiagram()
{
    if (m_spawnedStack)
        GetUpdateHint().SetDiagramToShow(std::make_shared<DisplayDiagram>(m_spawnedStack, 0));
    else
        PointHintAtShownCopy();
}

void SpawningDiagramCmdBase::PointHintAtShownCopy()
{
    GetUpdateHint().SetDiagramToShow(std::make_shared<DisplayDiagram>(m_stack, m_copyIndex));
}

#include "optimization/manual/PrepareForManualEditingCmd.h"

#include "foundation/ResourceBase.h"
#include "foundation/UpdateMasks.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/OptimizationResults.h"
#include "optimization/manual/ManualEditDocument.h"
#include "optimization/manual/ManualEditStrings.h"

PrepareForManualEditingCmd::PrepareForManualEditingCmd(StackPtr stack, int copyIndex)
    : SpawningDiagramCmdBase(std::move(stack), copyIndex)
    , m_previousStyle(GetStack()->GetCurrentGeoStyle())
{
    AddDetailFlags(UpdateMask::Detail0200);
}

QString PrepareForManualEditingCmd::GetName() const
{
    return LoadUIString(kStrConvertToManualEdit);
}

void PrepareForManualEditingCmd::Execute()
{
    const auto manager = GetManager();
    if (!manager) {
        MarkCancelled();
        return;
    }
    SpawnIfStacked();
    const StackPtr edited = GetEditedStack();
    m_pinnedByCommand = edited->IsPinned() ? 0 : 1;
    if (m_pinnedByCommand)
        manager->PinDiagram(edited);
    EnsureManualGeometry();
    edited->SetCurrentGeoStyle(GeometryStyles::ManualEdit);
    MarkProjectModified(*this);
    PointHintAtEditedDiagram();
}

void PrepareForManualEditingCmd::Undo()
{
    const auto manager = GetManager();
    if (m_pinnedByCommand && manager)
        manager->UnpinDiagram(GetEditedStack());
    MergeSpawnedBack();
    const StackPtr& stack = GetStack();
    if (stack->GetCurrentGeoStyle() == GeometryStyles::ManualEdit)
        stack->SetCurrentGeoStyle(m_previousStyle);
    if (stack->HasGeometry(GeometryStyles::ManualEdit))
        stack->GetDiagram()->RemoveManualGeometry();
    PointHintAtShownCopy();
}

void RegisterManualEditingCommands()
{
    RegisterPrepareForManualEditingCommand([](const StackPtr& stack, int copyIndex) {
        return std::make_shared<PrepareForManualEditingCmd>(stack, copyIndex);
    });
}

#include "optimization/manual/PrepareForManualEditingCmd.h"

#include "foundation/ResourceBase.h"
#include "foundation/UpdateMasks.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/OptimizationResults.h"
#include "optimization/manual/ManualEditDocument.h"
#include "optimization/manual/ManualEditStrings.h"

namespace {

// The layout whose parts become the Manual Edit layout: the style shown, or
// the lowest style the diagram has when it lacks that one.
int SourceStyle(const IdenticalDiagramStack& stack)
{
    const int shown = stack.GetCurrentGeoStyle();
    if (stack.HasGeometry(shown))
        return shown;
    const AltGeometriesPtr geometries = stack.GetDiagram()->GetAltGeometries();
    return geometries->empty() ? -1 : geometries->begin()->first;
}

} // namespace

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
    const DiagramPtr diagram = edited->GetDiagram();
    if (const int source = SourceStyle(*edited); source >= 0)
        diagram->PrepareManualGeometry(source);
    else
        diagram->SetGeometryParts(GeometryStyles::ManualEdit, {});
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

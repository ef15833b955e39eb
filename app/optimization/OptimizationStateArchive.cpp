#include "optimization/OptimizationStateArchive.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"
#include "optimization/DiagramIndex.h"
#include "optimization/OptTargetsMgr.h"
#include "optimization/PinnedUsage.h"
#include "optimization/TopLevelBOM.h"

namespace {

constexpr std::uint32_t kStateSchema = 2;

void LoadState(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper, SheetGoodsBOM& bom,
    OptTargetsMgr& targets, PinnedUsage& usage)
{
    ReadOrThrowInRange(ar, kStateSchema, kStateSchema);
    SheetGoodsBOM loadedBOM;
    loadedBOM.Serialize(ar, mapper);
    OptTargetsMgr loadedTargets;
    PinnedUsage loadedUsage;
    loadedTargets.Serialize(ar, true, mapper, loadedUsage);

    bom = loadedBOM;
    targets.GetTargets()->GetTargetListForEdit() = loadedTargets.GetTargetList();
    usage = loadedUsage;
}

} // namespace

void SerializeOptimizationState(ArchiveWrapper& ar, bool locked,
    const std::shared_ptr<IdentityMapper>& mapper, SheetGoodsBOM& bom, OptTargetsMgr& targets,
    PinnedUsage& usage)
{
    if (ar.IsStoring()) {
        ar.Write(kStateSchema);
        bom.Serialize(ar, mapper);
        targets.Serialize(ar, locked, mapper, usage);
        return;
    }
    // Results read so far are numbered as they come; a failed load must not
    // leave the numbering holding its half-read stacks and targets.
    const DiagramIndex numbering = GetDiagramIndex();
    try {
        LoadState(ar, mapper, bom, targets, usage);
    } catch (...) {
        GetDiagramIndex() = numbering;
        throw;
    }
}

void ResolveOptimizationStateReferences(
    const std::shared_ptr<IdentityMapper>& mapper, SheetGoodsBOM& bom, OptTargetsMgr& targets)
{
    const int count = static_cast<int>(bom.GetCount());
    for (int i = 0; i < count; ++i) {
        const MaterialBOMPtr materialBOM = bom.GetMaterialBOM(i);
        materialBOM->ResolveReferences(mapper);
        // Results of a target an unlocked file did not list among its targets.
        for (const OptimizationResultsPtr& entry : materialBOM->GetResultsList())
            entry->GetTarget()->ResolveReferences(mapper);
    }
    for (const auto& target : targets.GetTargetList())
        target->ResolveReferences(mapper);
}

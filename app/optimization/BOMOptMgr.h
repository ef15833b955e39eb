#pragma once
// The one object through which the project document reaches what
// optimization produces: the project's bill of materials, the targets and the
// sheets that pinned layouts use. It keeps the targets in step with the parts
// list, sends targets back for optimization after edits, hands the run its
// pending targets and carries out the pin and manual-edit commands of the
// layouts window. Everything runs on the user-interface thread except the
// jobs of a run.

#include "optimization/OptTargetsMgr.h"
#include "optimization/OptimizationResults.h"
#include "optimization/PinnedUsage.h"
#include "optimization/TopLevelBOM.h"

#include <cstdint>
#include <memory>

class CMilledPart;
class DomainUpdateInfo;
class IDoc;
class IOptimizableMaterial;
class IdentityMapper;
class ArchiveWrapper;
class IOptimizationDoc;
class IOptimizationMgr;

class BOMOptMgr : public std::enable_shared_from_this<BOMOptMgr>
{
public:
    BOMOptMgr();
    virtual ~BOMOptMgr();

    BOMOptMgr(const BOMOptMgr&) = delete;
    BOMOptMgr& operator=(const BOMOptMgr&) = delete;

    // The target's results become pending (its bill is made when missing); a
    // dropped target's bill goes when it holds no results any more.
    virtual void ResetTargetResults(const std::shared_ptr<OptTargetBase>& target, bool targetDropped);
    // A part whose material is no sheet good has no target and is skipped.
    virtual void AddPart(CMilledPart* part);
    // A target left without parts and pinned layouts leaves the list.
    virtual void RemovePart(CMilledPart* part);
    // 0 drops targets and numbering, 1 drops the targets and leaves the
    // numbering, 2 keeps the targets with pinned layouts (emptied) and
    // renumbers. The pinned usage is rebuilt from what stays.
    virtual void Reset(int mode);
    virtual void AddParts(const PartList& parts);

    // The unlock path: the pinned targets stay, the parts fill the targets again.
    void RebuildFromParts(const PartList& parts);
    // New, open and close: 1 keeps the numbering.
    void ResetResults(bool keepNumbering);
    void ClearPinnedUsage() { m_pinnedUsage.Clear(); }
    const PinnedUsage& GetPinnedUsage() const { return m_pinnedUsage; }
    void RestoreTargetsAfterLoad(bool keepParts);
    // After copies of the part were dragged off the layouts.
    void InvalidatePartTarget(CMilledPart* part);
    // Moves every part whose target no longer matches what the part asks for
    // (its material left the library, or came back) to the matching target.
    void RegroupParts(const PartList& parts);
    // Appends the targets still to optimize when bit 0 of the request is
    // set, and makes every missing material bill for them here, so that the
    // jobs of the run only look bills up.
    void CollectPendingJobs(std::uint32_t request, OptTargetList& out);
    bool IsFullyOptimized() const;
    void RefreshBOM();
    void UpdateMaterialBOMs(bool apply, bool value);
    bool QueryMaterialBOMs(bool firstCopyOnly) const;
    void GetAllDiagrams(StackList& out) const;
    void UpdateMaterialInBOM(const std::shared_ptr<DomainUpdateInfo>& info);
    // After an edit that does not rebuild everything: each target the edit
    // affects is sent back for optimization.
    void ResetAffectedTargets(const std::shared_ptr<DomainUpdateInfo>& info);
    // The lock path: the bills and the pinned usage refer to the mapper's
    // canonical objects from now on.
    void RemapReferences(const std::shared_ptr<IdentityMapper>& mapper);

    // The job of a pending target, made from its material bill (looked up,
    // never added: CollectPendingJobs made every missing bill on the GUI
    // thread), the pinned usage and the document's progress dialog. Making
    // takes everything the job reads of the project, so it runs on the GUI
    // thread; null when the target has no bill.
    std::shared_ptr<IOptimizationMgr> MakeOptimizationJob(
        const OptimizationTargetPtr& target, const IOptimizationDoc& document) const;
    // Runs a job made above; the only call of the run made on a worker.
    static void RunOptimizationJob(IOptimizationMgr& job);

    // The optimization state in the project file: schema 2, the bill of
    // materials, then the targets (all when locked, the pinned ones when
    // not); the pinned usage is rebuilt from the loaded targets. The lock
    // flag is taken over when storing and when loading.
    void Serialize(ArchiveWrapper& ar, std::uint8_t locked, const std::shared_ptr<IdentityMapper>& mapper);

    // After a run that was not cancelled, and after a manual edit of parts:
    // the numbering learns every result again, keeping the target letters.
    void AfterOptimizationRun();
    void RefreshAfterManualEdit(std::shared_ptr<DomainUpdateInfo> edit);

    // Pinning: the stack's flag, the pinned usage and its target's pinned
    // list change together.
    void PinDiagram(const StackPtr& stack);
    void RestorePinnedDiagram(const StackPtr& stack) { PinDiagram(stack); }
    void UnpinDiagram(const StackPtr& stack);
    // In an unlocked project these also send the target back for
    // optimization: the stock is offered again and the results are pending.
    void RepinDiagramAndReoptimize(const StackPtr& stack);
    void UnpinDiagramAndReoptimize(const StackPtr& stack);
    // Manual editing takes a stack out of its target's results and puts it back.
    void AddStackToResults(const StackPtr& stack);
    void RemoveStackFromResults(const StackPtr& stack);
    // Removes count sheets: the whole stack when count is its Count (answers
    // the stock's line, which leaves the bill once it has no layouts), else
    // one copy (answers nothing).
    OptimizedLineItemPtr RemoveEmptyDiagram(
        const StackPtr& stack, std::uint32_t count, const OptimizationResultsPtr& results);
    // Undoes RemoveEmptyDiagram; a whole stack goes back to position, the
    // place it had in its results (the end when -1).
    void RestoreEmptyDiagram(const StackPtr& stack, std::uint32_t count,
        const OptimizationResultsPtr& results, const OptimizedLineItemPtr& lineItem, int position = -1);

    void GetPinnedStacksWithPart(const CMilledPart* part, StackList& out) const;
    void GetAllPinnedStacks(StackList& out) const;
    // Scope 0 is the whole project; other scopes hold none.
    void GetPinnedStacksInScope(int scope, StackList& out) const;
    void GetPinnedStacksOfMaterial(const IOptimizableMaterial* material, StackList& out) const;
    void GetAllUnpinnedStacks(StackList& out) const;
    void GetUnpinnedStacksInScope(int scope, StackList& out) const;
    // The stacks of the bill whose name is the material's (with case).
    void GetUnpinnedStacksOfMaterial(const IOptimizableMaterial& material, StackList& out) const;

    // The project's bill for a material kind: only sheet goods have one.
    std::shared_ptr<IOptimizedTopLevelBOM> GetTopLevelBOMByKind(int kind) const;
    std::shared_ptr<IOptimizedTopLevelBOM> GetTopLevelBOMForTarget(const OptTargetBase& target) const;
    std::shared_ptr<SheetGoodsBOM> GetSheetGoodsBOM() const { return m_topLevelBOM; }
    std::shared_ptr<OptTargetsMgr> GetTargetsMgr() const { return m_targets; }
    bool IsProjectLocked() const { return m_projectLocked; }

private:
    // The bill of the target's material, made when missing; empty for a
    // target that is no sheet good.
    MaterialBOMPtr MaterialBOMFor(const OptTargetBase& target) const;
    void SendBackForOptimization(const OptimizationTargetPtr& target);

    std::shared_ptr<SheetGoodsBOM> m_topLevelBOM;
    std::shared_ptr<OptTargetsMgr> m_targets;
    PinnedUsage m_pinnedUsage;
    bool m_projectLocked = false;
};

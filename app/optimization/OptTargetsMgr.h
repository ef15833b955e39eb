#pragma once
// The project's optimization targets, in the order they were created or
// loaded, and the questions asked of them: the target of a part (made when
// the first part of a new material and thickness arrives), of a diagram's
// stock, the targets still to optimize, and the layouts they hold pinned.

#include "optimization/IdenticalDiagramStack.h"
#include "optimization/OptimizationTarget.h"

#include <memory>
#include <vector>

class ArchiveWrapper;
class CMilledPart;
class IOptimizableMaterial;
class PinnedUsage;

using OptTargetList = std::vector<std::shared_ptr<OptTargetBase>>;

class OptTargets
{
public:
    const OptTargetList& GetTargetList() const { return m_targets; }
    OptTargetList& GetTargetListForEdit() { return m_targets; }

private:
    OptTargetList m_targets;
};

// The request bit of a run that collects the pending targets.
constexpr std::uint32_t kCollectPendingTargets = 1;

class OptTargetsMgr
{
public:
    enum ResetMode { DropAll = 0, DropAllKeepNumbering = 1, KeepPinned = 2 };

    OptTargetsMgr();

    // Only sheet goods (material kind 3) get targets; others give none.
    OptimizationTargetPtr FindOrCreateTargetForPart(const CMilledPart& part, const PinnedUsage& usage);
    OptimizationTargetPtr FindOrCreateTarget(const std::shared_ptr<OptTargetCriteria>& criteria,
                                             const PinnedUsage& usage);
    OptimizationTargetPtr FindTargetOfPart(const CMilledPart* part) const;
    // The part sits in the target its material and thickness ask for now, or
    // in none when they ask for none.
    bool IsPartInItsTarget(const CMilledPart& part) const;
    OptimizationTargetPtr FindTargetForStock(const StockSpec& stock) const;
    // Removes every target whose criteria equal the target's.
    void RemoveTarget(const std::shared_ptr<OptTargetBase>& target);
    // 0 and 1 drop every target (1 leaves the numbering as it was); 2 keeps
    // the targets with pinned layouts, emptied and reset against the usage.
    void Reset(int mode, PinnedUsage& usage);
    void CollectPendingTargets(std::uint32_t request, OptTargetList& out) const;
    // Rebuilds the usage from the loaded targets' pinned layouts. It starts
    // from an empty record: whatever loading counted before is replaced, so
    // each pinned sheet is counted once.
    void RestoreAfterLoad(PinnedUsage& usage, bool keepParts);
    void PublishToDiagramIndex() const;

    const OptTargetList& GetTargetList() const { return m_targets->GetTargetList(); }
    std::shared_ptr<OptTargets> GetTargets() const { return m_targets; }
    // Schema 2, the count, the targets by identity: every target of a locked
    // project, else only those holding pinned layouts. Loading appends; the
    // loaded pinned stacks add their sheets to the usage.
    void Serialize(ArchiveWrapper& ar, bool locked, const std::shared_ptr<IdentityMapper>& mapper,
                   PinnedUsage& usage);
    // Appends a loaded target as it was stored.
    void AppendLoadedTarget(const OptimizationTargetPtr& target);

    // Pinned layouts, targets in list order, each target's in its order.
    void GetPinnedStacksWithPart(const CMilledPart* part, StackList& out) const;
    void GetAllPinnedStacks(StackList& out) const;
    // Scope 0 is the whole project; other scopes hold none.
    void GetPinnedStacksInScope(int scope, StackList& out) const;
    void GetPinnedStacksOfMaterial(const IOptimizableMaterial* material, StackList& out) const;

private:
    template <class Visit> void ForEachTarget(Visit visit) const;

    std::shared_ptr<OptTargets> m_targets;
};

// The criteria a part's material gives for it.
std::shared_ptr<OptTargetCriteria> MakeCriteriaForPart(const CMilledPart& part);
OptimizationTargetPtr MakeOptimizationTarget(std::shared_ptr<OptTargetCriteria> criteria, const PinnedUsage& usage);

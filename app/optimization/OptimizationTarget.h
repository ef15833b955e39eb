#pragma once
// One unit of work for the optimizer: one sheet-good material at one
// thickness, with the parts that need it, the stock sizes it may be cut from,
// the layouts the user pinned, and whether its results are up to date.
// Parts are owned by the document; a part belongs to at most one target.

#include "foundation/ManagedIdentity.h"
#include "optimization/IdenticalDiagramStack.h"

#include <QString>

#include <atomic>
#include <memory>
#include <vector>

class CMilledPart;
class IOptJobFactory;
class IOptimizableMaterial;
class IOptimizedMaterialBOM;
class IOptimizableSize;
class OptTargetCriteria;
class PinnedUsage;
struct StockSpec;

using PartList = std::vector<CMilledPart*>;

class OptTargetBase : public ManagedIdentityNotRemappedOnLockProject
{
public:
    ~OptTargetBase() override = default;

    void AddPart(CMilledPart* part);
    // Removes every entry of the part.
    void RemovePart(const CMilledPart* part);
    bool ContainsPart(const CMilledPart* part) const;
    bool HasParts() const { return !m_parts.empty(); }
    const PartList& GetParts() const { return m_parts; }

    // The job of a run sets it on its worker thread; the other operations
    // run on the user-interface thread.
    void SetOptimized(bool optimized) { m_optimized.store(optimized); }
    bool IsOptimized() const { return m_optimized.load(); }

    // Hand-placed counts of the parts back to 0; pending.
    void ResetPartPlacement();
    // As ResetPartPlacement, then no parts.
    void ClearParts();

    // Version 1, the optimized flag, the parts by number. The parts are
    // looked up only when the archive has a document; a number without a
    // part is refused as a bad schema.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;

    virtual void ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper) = 0;
    virtual QString GetMaterialName() const = 0;
    virtual int GetMaterialKind() const = 0;
    virtual std::shared_ptr<IOptimizedMaterialBOM> CreateMaterialBOM() const = 0;
    virtual std::shared_ptr<OptTargetCriteria> GetCriteria() const = 0;
    // A new factory of this target's optimization job on every call.
    virtual std::shared_ptr<IOptJobFactory> GetJobFactory() = 0;
    virtual bool HasPinnedLayouts() const { return false; }

protected:
    OptTargetBase() = default;

private:
    PartList m_parts;
    std::atomic<bool> m_optimized {false};
};

class OptimizationTarget : public OptTargetBase, public std::enable_shared_from_this<OptimizationTarget>
{
public:
    // For loading: empty criteria.
    OptimizationTarget();
    // Fills the stock list at once; pending.
    OptimizationTarget(std::shared_ptr<OptTargetCriteria> criteria, const PinnedUsage& usage);
    ~OptimizationTarget() override;

    std::shared_ptr<OptTargetCriteria> GetCriteria() const override { return m_criteria; }
    std::shared_ptr<IOptimizableMaterial> GetMaterial() const;
    // Empty for a placeholder material.
    QString GetMaterialName() const override;
    int GetMaterialKind() const override;
    // The material makes the bill its results go into.
    std::shared_ptr<IOptimizedMaterialBOM> CreateMaterialBOM() const override;
    bool HasPinnedLayouts() const override { return !m_pinned.empty(); }
    std::shared_ptr<IOptJobFactory> GetJobFactory() override;

    const StackList& GetPinnedLayouts() const { return m_pinned; }
    const std::vector<std::shared_ptr<IOptimizableSize>>& GetStockList() const { return m_stock; }
    void AddPinnedLayout(const StackPtr& stack) { m_pinned.push_back(stack); }
    // Removes every entry of that very stack.
    void RemovePinnedLayout(const StackPtr& stack);

    // The diagram's stock is of this material at this thickness.
    bool MatchesStock(const StockSpec& stock) const;
    bool CriteriaEquals(const std::shared_ptr<OptTargetCriteria>& criteria) const;
    QString FormatThickness() const;

    // The material's stock sizes that fit, less the sheets pinned layouts
    // use; pending.
    void RefreshStock(const PinnedUsage& usage);
    // The reset of a target whose results no longer hold (an edit, or the
    // list keeping it): without the parts (criteria renewed) or with them;
    // the pinned layouts count again and the stock is refreshed. What the
    // pinned layouts counted before is taken back first, so any number of
    // resets leaves each pinned sheet counted once and the parts' placed
    // counts as one reset makes them.
    void ResetForReoptimization(PinnedUsage& usage, bool keepParts);
    // As the reset, but only stacks still flagged pinned count again; with
    // the parts kept (a locked project) the optimized flag stays as loaded.
    void RestoreAfterLoad(PinnedUsage& usage, bool keepParts);
    // Criteria cloned against the library; pinned stacks relinked.
    void RenewCriteria();
    void ReapplyPinnedLayouts(PinnedUsage& usage);
    void WithdrawPinnedLayouts(PinnedUsage& usage);
    void RestorePinnedLayouts(PinnedUsage& usage);

    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;
    void ReceiveResolvedReference(std::shared_ptr<IManagedIdentity>) override { }
    void ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper) override;

private:
    // The first step of both resets: hand-placed counts cleared, and
    // without keepParts the parts dropped and the criteria renewed.
    void ResetParts(bool keepParts);

    std::shared_ptr<OptTargetCriteria> m_criteria;
    std::vector<std::shared_ptr<IOptimizableSize>> m_stock;
    StackList m_pinned;
};

using OptimizationTargetPtr = std::shared_ptr<OptimizationTarget>;

// The criteria select the diagram's stock: the same material object, and a
// stock thickness within the criteria's tolerance.
bool CriteriaMatchesStock(const OptTargetCriteria& criteria, const StockSpec& stock);
// The empty criteria a stored target's record is read into: type code 2
// makes thickness-based criteria, any other code nothing.
std::shared_ptr<IManagedIdentity> MakeCriteriaFromTypeCode(std::uint32_t typeCode);

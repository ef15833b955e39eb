#pragma once
// The bill of materials of one material: one results entry per target of the
// material (a thickness), the lines those results carry, and the material's
// cost totals. Results arrive from the jobs of a run, several at once for
// the thicknesses of one material, so storing them takes the bill's lock;
// everything else runs on the user-interface thread while no run is going.

#include "model/BOMBase.h"
#include "optimization/OptimizationResults.h"

#include <QString>

#include <memory>
#include <mutex>

class CSheetGoodEx;
class DomainUpdateInfo;
class PinnedUsage;

class MaterialBOMBase : public BOMItem
{
public:
    MaterialBOMBase();
    ~MaterialBOMBase() override;

    virtual void SetResults(const OptimizationResultsPtr&) { }
    virtual void AddStackToTarget(const StackPtr&, const std::shared_ptr<OptTargetBase>&) { }
    virtual void RemoveStackFromTarget(const StackPtr&, const std::shared_ptr<OptTargetBase>&) { }
    // Version 1, then the cost totals.
    virtual void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper);
    virtual void ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper) = 0;
    bool IsFullyOptimized() const override = 0;
    virtual bool HasResults() const = 0;
    virtual bool HasLineItems() const = 0;
    virtual QString GetName() const = 0;
    virtual void MarkTargetPending(const std::shared_ptr<OptTargetBase>& target) = 0;
    virtual void RecountLineItems() { }
    virtual unsigned GetLineItemCount() const = 0;
    virtual OptimizedLineItemPtr GetLineItem(unsigned index) const = 0;

    const CostPriceDTOPtr& GetTotals() const { return m_totals; }

    // As an entry of the project's bill: the name, the totals, the refresh.
    QString GetItemName() const override { return GetName(); }
    CostPriceDTOPtr GetCostDTO() const override { return m_totals; }
    void RefreshItem() override { }

protected:
    CostPriceDTOPtr m_totals;
};

class IOptimizedMaterialBOM : public MaterialBOMBase
{
public:
    // Replaces the target's entry (if any) by the results, at the end of the
    // list, unless the target has neither parts nor pinned layouts; then
    // recounts, and totals again when nothing is pending. Safe to call from
    // several jobs at once.
    void SetResults(const OptimizationResultsPtr& results) override;
    void AddStackToTarget(const StackPtr& stack, const std::shared_ptr<OptTargetBase>& target) override;
    void RemoveStackFromTarget(const StackPtr& stack, const std::shared_ptr<OptTargetBase>& target) override;
    bool IsFullyOptimized() const override;
    bool HasResults() const override { return !GetResultsList().empty(); }
    bool HasLineItems() const override { return HasOptimizedLineItems(); }
    void MarkTargetPending(const std::shared_ptr<OptTargetBase>& target) override;
    // The base record, then version 1.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;
    void RecountLineItems() override;
    void RefreshItem() override { Refresh(); }

    virtual int GetMaterialTypeCode() const = 0;
    virtual std::shared_ptr<CSheetGoodEx> GetMaterial() const = 0;
    virtual std::uint64_t GetMaterialIdentity() const = 0;
    virtual bool HasOptimizedLineItems() const = 0;
    virtual const ResultsList& GetResultsList() const = 0;
    virtual ResultsList& GetResultsList() = 0;
    virtual void AddLineItems(const OptimizedLineItemList& items) = 0;
    virtual void RemoveLineItems(const OptimizedLineItemList& items) = 0;
    // The target is reset against the pinned usage and marked pending.
    virtual void ResetTarget(const OptimizationTargetPtr& target, const std::shared_ptr<DomainUpdateInfo>& info,
                             PinnedUsage& usage) = 0;
    virtual void BeforeResetTargets(const std::shared_ptr<DomainUpdateInfo>&, PinnedUsage&) { }

    void RecomputeTotals();
    // Recounts, and totals again when nothing is pending.
    void Refresh();
    void AddLineItem(const OptimizedLineItemPtr& item) { AddLineItems({item}); }
    void RemoveLineItem(const OptimizedLineItemPtr& item) { RemoveLineItems({item}); }
    // Every entry's stacks, entries in list order.
    void CollectStacks(StackList& out) const;
    // A stack's first copy (or any copy) is checked.
    bool HasStackWithFlag0(bool firstCopyOnly) const;
    void SetAnnotationFlag(bool value);
    // After an edit of this material: its saw setup's layout style on the
    // unpinned stacks of every real entry.
    void ApplySawSetupStyle(const std::shared_ptr<DomainUpdateInfo>& info);
    // After an edit: every target the edit affects is reset and pending.
    void ResetAffectedTargets(const std::shared_ptr<DomainUpdateInfo>& info, PinnedUsage& usage);

private:
    std::shared_ptr<OptimizationResults> FindResultsOf(const std::shared_ptr<OptTargetBase>& target) const;

    std::mutex m_resultsLock;
};

using MaterialBOMPtr = std::shared_ptr<IOptimizedMaterialBOM>;

#pragma once
// The bill of materials of one sheet-good material: the material, one
// results entry per thickness, and the lines of all those results in the
// order their entries were stored (lines of different thicknesses stay
// separate rows).

#include "optimization/MaterialBOM.h"
#include "optimization/SGBOMLineItem.h"

#include <memory>
#include <vector>

class NamedSheetGoodBOM : public IOptimizedMaterialBOM
{
public:
    static constexpr int kMaterialTypeCode = 3;

    // For loading: a default material, replaced by the stored one.
    NamedSheetGoodBOM();
    explicit NamedSheetGoodBOM(std::shared_ptr<CSheetGoodEx> material);
    ~NamedSheetGoodBOM() override;

    void ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper) override;
    // Empty for the placeholder material.
    QString GetName() const override;
    unsigned GetLineItemCount() const override { return static_cast<unsigned>(m_lineItems.size()); }
    // std::out_of_range for an index at or beyond the count.
    OptimizedLineItemPtr GetLineItem(unsigned index) const override { return m_lineItems.at(index); }
    int GetMaterialTypeCode() const override { return kMaterialTypeCode; }
    std::shared_ptr<CSheetGoodEx> GetMaterial() const override { return m_material; }
    std::uint64_t GetMaterialIdentity() const override;
    bool HasOptimizedLineItems() const override { return !m_lineItems.empty(); }
    const ResultsList& GetResultsList() const override { return m_results; }
    ResultsList& GetResultsList() override { return m_results; }
    void AddLineItems(const OptimizedLineItemList& items) override;
    void RemoveLineItems(const OptimizedLineItemList& items) override;
    void ResetTarget(const OptimizationTargetPtr& target, const std::shared_ptr<DomainUpdateInfo>& info,
                     PinnedUsage& usage) override;

    // The base records, version 1, the material by identity, the lines by
    // identity, then every results entry's own record.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;

private:
    std::shared_ptr<CSheetGoodEx> m_material;
    ResultsList m_results;
    std::vector<std::shared_ptr<SGBOMLineItem>> m_lineItems;
};

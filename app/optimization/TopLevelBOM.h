#pragma once
// The project's whole bill of materials: one material bill per sheet-good
// material and the grand totals, with the project-wide forms of the material
// bills' operations (each a loop over the material bills in order).

#include "model/BOMBase.h"
#include "optimization/MaterialBOM.h"
#include "optimization/NamedSheetGoodBOM.h"

#include <memory>
#include <vector>

class IOptimizedTopLevelBOM : public BOMBase
{
public:
    // The project's bill is stored with its material bills, which need the
    // file's identity mapper: the base record alone would be an incomplete file.
    void Serialize(ArchiveWrapper& ar) override;
    // The base record, then version 1; the concrete bill goes on.
    virtual void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper);
    void ResetLineItems() override { Clear(); }
    int GetLineItemCount() const override { return static_cast<int>(GetCount()); }
    BOMItemPtr GetLineItemAt(int index) const override { return GetMaterialBOM(index); }

    virtual void Clear() = 0;
    virtual unsigned GetCount() const = 0;
    virtual void RemoveMaterialBOM(const MaterialBOMPtr& bom) = 0;
    virtual MaterialBOMPtr AddMaterialBOM(const MaterialBOMPtr& bom) = 0;
    virtual void SortByName() = 0;
    virtual bool Query9() const = 0;
    // Empty for an index outside the list.
    virtual MaterialBOMPtr GetMaterialBOM(int index) const = 0;

    // The bill of the target's material (found by name), made when missing.
    MaterialBOMPtr GetMaterialBOMForTarget(const OptTargetBase& target);

    void SetAnnotationFlag(bool value);
    bool HasStackWithFlag0(bool firstCopyOnly) const;
    void CollectStacks(StackList& out) const;
    void ResetAffectedTargets(const std::shared_ptr<DomainUpdateInfo>& info, PinnedUsage& usage);
    void ApplySawSetupStyle(const std::shared_ptr<DomainUpdateInfo>& info);
    // Hands every results entry to the diagram numbering.
    void RegisterResultsForNumbering();

private:
    template <class Visit> void ForEachMaterialBOM(Visit visit) const;
};

class SheetGoodsBOM : public IOptimizedTopLevelBOM
{
public:
    using IOptimizedTopLevelBOM::Serialize;
    // Version 1, the count, then each material bill's record. Loading appends.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;
    void Clear() override { m_boms.clear(); }
    unsigned GetCount() const override { return static_cast<unsigned>(m_boms.size()); }
    // Every element holding that very bill.
    void RemoveMaterialBOM(const MaterialBOMPtr& bom) override;
    // Appends the bill (no check for duplicates); empty when it is no sheet-good bill.
    MaterialBOMPtr AddMaterialBOM(const MaterialBOMPtr& bom) override;
    // By name, case-sensitive code-unit order ("Zebra" before "apple").
    void SortByName() override;
    bool Query9() const override { return false; }
    MaterialBOMPtr GetMaterialBOM(int index) const override;

private:
    std::vector<std::shared_ptr<NamedSheetGoodBOM>> m_boms;
};
